<!--#include file="inc/db.asp"-->
<!--#include file="inc/missing.inc"-->
<p>Home</p>
