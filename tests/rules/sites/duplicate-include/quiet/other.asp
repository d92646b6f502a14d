<!--#include file="banner.inc"-->
