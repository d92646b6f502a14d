<!--#include file="../inc/config.inc"-->
