<!--#include file="inc/outer.inc"-->
<% Response.Write Inner() %>
