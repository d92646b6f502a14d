<!--#include file="Inc/Header.inc"-->
<p>Home</p>
<!--#include virtual="/inc/footer.INC"-->
