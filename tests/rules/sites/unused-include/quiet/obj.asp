<!--#include file="inc/objects.inc"-->
<% Dict.Add "k", 1 %>
