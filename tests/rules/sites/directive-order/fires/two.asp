<%@ Language="VBScript" %>
<!--#include file="top.inc"-->
