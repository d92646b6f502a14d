<!--#include file="inc/db.inc"-->
