<%@ Language="VBScript" %>
<% Option Explicit %>
<!-- #include file="../inc/functions.inc" -->
<!-- #include virtual="/inc/header.inc" -->
<h1>Your cart</h1>
<!-- #include file="cart_totals.inc" -->
<p>Total: <%= FormatPrice(CartTotal()) %></p>
<!-- #include virtual="/inc/footer.inc" -->
