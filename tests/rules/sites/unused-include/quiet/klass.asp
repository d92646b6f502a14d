<!--#include file="inc/widget.inc"-->
<% Dim w
Set w = New Widget %>
