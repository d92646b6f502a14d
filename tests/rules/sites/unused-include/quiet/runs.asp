<!--#include file="inc/setup.inc"-->
<p>runs</p>
