<?php $base = "/shop"; ?>
<html>
<body>
<img src="<?php echo $base . "/shelf.png"; ?>" usemap="#shelf">
<map name="shelf">
<area shape="rect" coords="0,0,10,10" href="<?php echo $base . "/a.php?id=" . $ids["a"]; ?>" alt="A">
<area shape="rect" coords="10,0,20,10" href="b.php" alt="<?= htmlspecialchars($names['b']) ?>">
</map>
</body>
</html>
