<!--#include file="top.inc"-->
<% title = "One" %>
<% x = "<%@ not a directive" %>
