<script language="VBScript" runat="server">
Const SMTP_PASSWORD = "secret"
</script>
