<%@ CodePage=65001 %>
<!--#include file="legacy.inc"-->
