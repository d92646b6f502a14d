<%
made = 1
Response.Write made & undeclared
%>
