<% Option Explicit
Execute "Dim made : made = 1"
Response.Write made
%>
