<h1>Cart</h1>
<!--#include virtual="/inc/config.inc"-->
<!--#include file="lib/v1..2.inc"-->
