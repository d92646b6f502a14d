<% Option Explicit %>
<!--#include file="inc/gone.inc"-->
<% Response.Write FromTheMissingFile %>
