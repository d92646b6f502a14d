<!--#include file="inc/format.inc"-->
<% Response.Write FormatIt() %>
