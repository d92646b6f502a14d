<%@ Language="VBScript" %>
<!-- #include virtual="/inc/header.inc" -->
<h1>About us</h1>
<p>Family run since 1952.</p>
<!-- #include virtual="/inc/footer.inc" -->
