<%@ Language="VBScript" %>
<% Option Explicit %>
<!-- #include file="inc/header.inc" -->
<h1>Welcome to the corner shop</h1>
<p>Fresh bread every morning.</p>
<!-- #include file="inc/menu.inc" -->
<!-- #include virtual="/inc/footer.inc" -->
