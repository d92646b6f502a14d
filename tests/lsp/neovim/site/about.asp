<!-- #include file="inc/config.inc" -->
<p>About us</p>
