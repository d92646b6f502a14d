<!--#include file="inc/idle.inc"-->
<!--#include file="inc/callback.inc"-->
