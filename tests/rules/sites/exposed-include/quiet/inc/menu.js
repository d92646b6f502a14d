<script type="text/javascript">var menu = ["Home"];</script>
