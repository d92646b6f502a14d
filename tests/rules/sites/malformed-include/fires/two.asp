<!--#include virtual="/inc/header.inc"-->
<!--#include file=-->
