<%@ Language="VBScript" %>
<!--#include file="code.inc"-->
