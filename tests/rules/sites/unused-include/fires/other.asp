<!--#include file="inc/nav.inc"-->
<!--#include file="inc/idle.inc"-->
<p>other</p>
<script language="JScript" runat="server">
function idleTime() { return 0; }
</script>
