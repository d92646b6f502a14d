<% Response.Buffer = True %>
<%@ Language="VBScript" %>
