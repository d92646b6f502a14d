<!--#include file="banner.inc"-->
<!--#include file="footer.inc"-->
