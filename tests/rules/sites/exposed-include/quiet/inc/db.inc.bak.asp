<% Const OLD = 1 %>
