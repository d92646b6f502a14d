<!--#include file="inc/idle.inc"-->
<% Sub Show %><!--#include file="inc/part.inc"--><% End Sub
Show %>
