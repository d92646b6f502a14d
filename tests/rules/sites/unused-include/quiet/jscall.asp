<!--#include file="inc/idle.inc"-->
<script language="JScript" runat="server">
function twice() { return Idle() * 2; }
</script>
<% Response.Write twice() %>
