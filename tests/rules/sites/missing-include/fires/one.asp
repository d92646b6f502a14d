<!--#include file="inc/header.inc"-->
