<!--#include file="log.inc"-->
<!--#include file="log.inc"-->
<%
Sub Show()
  Dim total
End Sub
Dim Total
%>
