<!--#include file="inc/header.inc"-->
<!-- #INCLUDE FILE = 'inc/menu.inc' -->
<!--#include virtual="/inc/profile.inc"-->
<!--#include file=""-->
<% Response.Write "<!-- #include -->" %>
#include virtal="x"
