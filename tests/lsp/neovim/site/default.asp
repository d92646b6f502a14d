<%@ Language="VBScript" %>
<!-- #include file="inc/config.inc" -->
<!-- #include file="inc/missing.inc" -->
<% Response.Write siteName %>
