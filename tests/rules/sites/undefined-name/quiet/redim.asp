<% Option Explicit
Sub Grow(n)
  ReDim Preserve items(n)
  items(0) = n
End Sub
Grow 2 %>
