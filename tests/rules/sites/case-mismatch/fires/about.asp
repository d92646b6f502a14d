<!--#include file="Inc/Header.inc"-->
