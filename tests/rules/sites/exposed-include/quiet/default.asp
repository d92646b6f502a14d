<!--#include file="inc/db.asp"-->
<!--#include file="inc/missing.inc"-->
<!--#include file="inc/banner.txt"-->
<!--#include file="inc/menu.htm"-->
<!--#include file="inc/menu.js"-->
<!--#include file="inc/footer.inc"-->
<p>Home</p>
