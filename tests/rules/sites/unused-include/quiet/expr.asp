<!--#include file="inc/idle.inc"-->
<p><%= Idle() %></p>
