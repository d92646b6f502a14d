<%@ Language="VBScript" %>
<% Option Explicit %>
<!--#include file="inc/shapes.inc"-->
<object runat="server" id="Cart" progid="Scripting.Dictionary"></object>
<%
Dim area, shape, items(2), key
Set shape = New Square
shape.Side = 3
area = shape.Area()
With shape
  .Side = Len("undeclaredWord inside a string")
End With
' a comment names nothing: missingName
ReDim Preserve items(3)
For Each key In items
  Response.Write key & vbCrLf
Next
Cart.Add "k", CStr(&H1F) & #1/1/2020#
AppCache.Clear
Response.Write Later(area) & Err.Number & ScriptEngineMajorVersion & Session("user")
If IsEmpty(area) Then area = Null : Server.Transfer "other.asp"
Function Later(value)
  Dim local
  local = value
  Later = local & vbTab & True
End Function
%>
<p><%= Later(area) %></p>
