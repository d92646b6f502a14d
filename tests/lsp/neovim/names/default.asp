<!-- #include file="inc/shop.inc" -->
<% Response.Write FormatPrice(12) %>
