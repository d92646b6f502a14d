<!-- #include file="inc/shop.inc" -->
<% Call FormatPrice(3) %>
