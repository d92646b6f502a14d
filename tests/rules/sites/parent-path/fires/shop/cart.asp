<h1>Cart</h1>
<!--#include file="../inc/config.inc"-->
<!--#include virtual="/shop/../inc/menu.inc"-->
