<%@ Language="VBScript" %>
<% Option Explicit %>
<!-- #include virtual="/inc/connection.inc" -->
<!-- #include virtual="/inc/security.inc" -->
<!-- #include virtual="/inc/header.inc" -->
<h1>Sign in</h1>
<form method="post" action="login.asp">
  <input name="user"> <input name="password" type="password">
</form>
<!-- #include virtual="/inc/footer.inc" -->
