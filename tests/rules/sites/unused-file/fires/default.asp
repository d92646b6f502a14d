<!--#include file="inc/used.inc"-->
