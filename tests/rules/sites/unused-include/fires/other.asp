<!--#include file="inc/nav.inc"-->
<!--#include file="inc/idle.inc"-->
<p>other</p>
