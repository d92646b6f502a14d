<% Sub Header %><!--#include file="banner.inc"--><% End Sub %>
<% Sub Footer %><!--#include file="banner.inc"--><% End Sub %>
<!--#include file="banner.inc"-->
<% Sub Twice %><!--#include file="lines.inc"--><!--#include file="lines.inc"--><% End Sub %>
