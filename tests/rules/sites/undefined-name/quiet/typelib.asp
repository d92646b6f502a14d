<!-- METADATA TYPE="typelib" FILE="C:\Program Files\Common Files\System\ado\msado15.dll" -->
<% Option Explicit
Response.Write adOpenStatic
%>
