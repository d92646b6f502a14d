<!--#include file="config.inc"-->
<h1>Shop</h1>
<!--#include file="config.inc"-->
