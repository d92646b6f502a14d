<!--#include file="banner.inc"-->
<p>Body</p>
<!--#include file="banner.inc"-->
