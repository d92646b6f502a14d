<p>Grüße</p>
<!--#include file="plain.inc"-->
<!--#include file="latin.inc"-->
