<%@ Language="VBScript" %>
<!--#include file="top.inc"-->
<p>One</p>
