<p>Café</p>
<!--#include file="plain.inc"-->
<!--#include file="accents.inc"-->
<!--#include file="notes.inc"-->
