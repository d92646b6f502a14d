<p>Café</p>
<!--#include file="menu.inc"-->
<!--#include file="bom.inc"-->
<!--#include file="price.inc"-->
