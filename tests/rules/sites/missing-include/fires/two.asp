<p>Two</p>
<!--#include virtual="/inc/header.inc"-->
