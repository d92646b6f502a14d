<% Option Explicit %>
<script runat="server" language="JScript">
function jsTotal() { return 1; }
</script>
<% Response.Write jsTotal() %>
