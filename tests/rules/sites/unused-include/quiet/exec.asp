<!--#include file="inc/idle.inc"-->
<% Response.Write Eval("Idle()") %>
