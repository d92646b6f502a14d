<!--#include file="a.inc"-->
