<!--#include file="inc/lib.inc"-->
<%
items = Compute(1)
%>
