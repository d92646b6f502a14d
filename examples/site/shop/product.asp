<%@ Language="VBScript" %>
<!-- #include file="../inc/functions.inc" -->
<!-- #include virtual="/inc/header.inc" -->
<h1><%= Server.HTMLEncode(Request("name")) %></h1>
<p>Price: <%= FormatPrice(Request("price")) %></p>
<!-- #include virtual="/inc/footer.inc" -->
