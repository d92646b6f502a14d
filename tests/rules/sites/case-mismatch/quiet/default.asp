<!--#include file="./inc/header.inc"-->
<!--#include file="inc\footer.inc"-->
<!--#include virtual="/inc/Menu.inc"-->
