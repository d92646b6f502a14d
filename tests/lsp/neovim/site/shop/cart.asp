<!-- #include virtual="/inc/config.inc" -->
<p>Cart</p>
