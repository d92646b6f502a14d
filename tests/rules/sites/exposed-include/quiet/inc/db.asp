<% Const DSN = "Provider=SQLOLEDB;Password=secret" %>
