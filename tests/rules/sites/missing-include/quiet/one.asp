<!--#include file="inc/header.inc"-->
<% ' <!--#include file="gone.inc"--> is only a comment in code %>
