<!--#include file="inc/db.inc"-->
<!--#include file="inc/keys.txt"-->
<!--#include file="inc/mail.vbs"-->
<p>Home</p>
