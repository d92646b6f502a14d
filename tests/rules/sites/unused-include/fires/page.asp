<!--#include file="inc/used.inc"-->
<!--#include file="inc/idle.inc"-->
<!--#include file="inc/nav.inc"-->
<% Response.Write Used() & Helper() %>
<!--#include file="inc/select.inc"-->
