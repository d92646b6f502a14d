<!--#include file="inc/idle.inc"-->
<!--#include file="inc/idle.inc"-->
<% Response.Write Idle() %>
