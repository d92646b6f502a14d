<!--#include file="inc/Layout.inc"-->
