<%@ Language="VBScript" %>
<% Option Explicit %>
<!--#include file="inc/lib.inc"-->
<%
Dim total
total = Compute(2)
totl = total + 1
Response.Write FormatPrice(total) & vbCrLf
Set conn = Nothing
totl = 0
%>
<p><%= Totl %></p>
