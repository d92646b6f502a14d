<% Response.Write "before" %>
<% Option Explicit
Response.Write notDeclared
%>
