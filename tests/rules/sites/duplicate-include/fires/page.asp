<!--#include file="banner.inc"-->
<p>Body</p>
<!--#include file="banner.inc"-->
<!--#include file="lib.inc"-->
<!--#include file="./Banner.inc"-->
<!--#include file="lib.inc"-->
<!--#include file="view.inc"-->
<!--#include file="view.inc"-->
