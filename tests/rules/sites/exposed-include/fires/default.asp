<!--#include file="inc/db.inc"-->
<!--#include file="inc/banner.txt"-->
<p>Home</p>
