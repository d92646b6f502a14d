<% Sub Show %><!--#include file="inc/idle.inc"--><% End Sub %>
