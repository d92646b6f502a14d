<%@ Language="JScript" %>
<!--#include file="inc/idle.inc"-->
<% Response.Write(Idle()) %>
