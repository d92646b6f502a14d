<!--#include file="inc/header.inc"-->
<h1>One</h1>
<!-- #include -->
<!--#include virtal="inc/menu.inc"-->
