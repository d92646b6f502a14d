<!--#include file="a.inc"-->
<!--#include file="b.inc"-->
