<% Option Explicit
Const PerRow = 8		Rem links per row
Response.Write PerRow Rem written
%>
