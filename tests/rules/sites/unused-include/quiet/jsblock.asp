<!--#include file="inc/jsfuncs.inc"-->
<% Response.Write jsIdle() %>
