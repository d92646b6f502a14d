// The report's behaviour: sorting and filtering the findings, and the include trees and file
// views drawn from the embedded data. Every text from the site goes in as textContent, never as
// markup.
(function () {
  "use strict";
  document.documentElement.classList.add("js");

  var MISSING = 1, CIRCULAR = 2, DUPLICATE = 4;
  // The most entries a picker list shows at once; a search narrows the rest.
  var LISTED = 200;

  function element(tag, className, text) {
    var made = document.createElement(tag);
    if (className) made.className = className;
    if (text !== undefined) made.textContent = text;
    return made;
  }

  function baseName(path) {
    return path.slice(path.lastIndexOf("/") + 1);
  }

  function flagNames(flags) {
    var names = [];
    if (flags & MISSING) names.push("missing");
    if (flags & CIRCULAR) names.push("circular");
    if (flags & DUPLICATE) names.push("duplicate");
    return names;
  }

  // The picture of a node, as the control's tree view chooses it: critical (missing or
  // circular) before warning (duplicate).
  function pictureOf(flags, root) {
    if (root) return flags & MISSING ? "ASPFileCritical" : "ASPFile";
    if (flags & (MISSING | CIRCULAR)) return "IncludeFileCritical";
    return flags & DUPLICATE ? "IncludeFileWarning" : "IncludeFile";
  }

  // Findings: sort by a column on a click of its heading, filter by any text of a row. The rows
  // stand in chunks that the browser lays out only when in sight; a sort deals them out again.
  function setUpFindings() {
    var table = document.getElementById("findings-table");
    var body = table.querySelector(".tbody");
    var rows = Array.prototype.slice.call(body.querySelectorAll(".tr"));
    var perChunk = body.firstElementChild ? body.firstElementChild.children.length : 0;
    var shown = document.getElementById("findings-shown");
    var headings = table.querySelectorAll("[role='columnheader']");
    function deal(ordered) {
      var fragment = document.createDocumentFragment();
      for (var at = 0; at < ordered.length; at += perChunk) {
        var chunk = element("div", "chunk");
        for (var i = at; i < Math.min(at + perChunk, ordered.length); i++) chunk.appendChild(ordered[i]);
        fragment.appendChild(chunk);
      }
      body.replaceChildren(fragment);
    }
    Array.prototype.forEach.call(headings, function (heading, column) {
      heading.addEventListener("click", function () {
        var ascending = heading.getAttribute("aria-sort") !== "ascending";
        Array.prototype.forEach.call(headings, function (other) { other.removeAttribute("aria-sort"); });
        heading.setAttribute("aria-sort", ascending ? "ascending" : "descending");
        var numeric = heading.classList.contains("num");
        // Text compares with its numbers as numbers, so that a.asp:9:1 comes before a.asp:10:1.
        var collator = new Intl.Collator("en", { numeric: true });
        var keys = rows.map(function (row) { return row.children[column].textContent; });
        var order = rows.map(function (row, index) { return index; });
        order.sort(function (a, b) {
          var x = keys[a], y = keys[b];
          var by = numeric ? Number(x) - Number(y) : collator.compare(x, y);
          return (ascending ? by : -by) || a - b;
        });
        deal(order.map(function (index) { return rows[index]; }));
      });
    });
    var filter = document.getElementById("findings-filter");
    var texts = null;
    function applyFilter() {
      var wanted = filter.value.toLowerCase();
      if (!texts) texts = rows.map(function (row) { return row.textContent.toLowerCase(); });
      var count = 0;
      rows.forEach(function (row, index) {
        var match = texts[index].indexOf(wanted) >= 0;
        row.hidden = !match;
        if (match) count++;
      });
      shown.textContent = count + " of " + rows.length + " shown";
    }
    filter.addEventListener("input", applyFilter);
    shown.textContent = rows.length + " of " + rows.length + " shown";
    return function (text) {
      filter.value = text;
      applyFilter();
    };
  }

  var data = JSON.parse(document.getElementById("report-data").textContent);

  // A list that shows the entries whose name holds the search text, LISTED at most, in the order
  // of their names.
  function Picker(list, more, search, names, choose) {
    var chosen = null;
    var order = names.map(function (name, index) { return index; });
    order.sort(function (a, b) { return names[a] < names[b] ? -1 : names[a] > names[b] ? 1 : 0; });
    function draw() {
      var wanted = search.value.toLowerCase();
      var matches = 0;
      var fragment = document.createDocumentFragment();
      for (var at = 0; at < order.length; at++) {
        var i = order[at];
        if (names[i].toLowerCase().indexOf(wanted) < 0) continue;
        if (++matches > LISTED) continue;
        var item = element("li", i === chosen ? "chosen" : "", names[i]);
        item.dataset.index = i;
        fragment.appendChild(item);
      }
      list.replaceChildren(fragment);
      more.textContent = matches > LISTED ? (matches - LISTED) + " more; narrow the search" :
          matches + (matches === 1 ? " match" : " matches");
    }
    list.addEventListener("click", function (event) {
      var item = event.target.closest("li");
      if (!item) return;
      select(Number(item.dataset.index));
    });
    search.addEventListener("input", draw);
    function select(index) {
      chosen = index;
      Array.prototype.forEach.call(list.children, function (item) {
        item.classList.toggle("chosen", Number(item.dataset.index) === index);
      });
      choose(index);
    }
    draw();
    return { select: select, first: function () { return order.length ? order[0] : -1; } };
  }

  // The include tree of one page, its nodes made on first expansion.
  function TreeView(container) {
    var nodes = null;
    function hasChildren(at) { return nodes[3 * at + 2] > 1; }
    function childrenOf(at) {
      var children = [];
      for (var child = at + 1, end = at + nodes[3 * at + 2]; child < end; child += nodes[3 * child + 2]) {
        children.push(child);
      }
      return children;
    }
    function item(at) {
      var file = nodes[3 * at], flags = nodes[3 * at + 1];
      var li = element("li");
      li.setAttribute("role", "treeitem");
      li.dataset.node = at;
      var row = element("div", "row");
      var twisty = element("button", "twisty", hasChildren(at) ? "\u25B6" : "");
      twisty.type = "button";
      twisty.tabIndex = -1;
      row.appendChild(twisty);
      row.appendChild(element("span", "pic pic-" + pictureOf(flags, at === 0)));
      var name = element("span", "name", baseName(data.files[file]));
      name.title = data.files[file];
      row.appendChild(name);
      flagNames(flags).forEach(function (flag) { row.appendChild(element("span", "flag " + flag, flag)); });
      var about = element("button", "about", "\u2197");
      about.type = "button";
      about.title = "Show what includes " + data.files[file];
      about.dataset.file = file;
      row.appendChild(about);
      li.appendChild(row);
      if (hasChildren(at)) li.setAttribute("aria-expanded", "false");
      return li;
    }
    function expand(li, open) {
      if (!li.hasAttribute("aria-expanded")) return;
      var list = li.querySelector(":scope > ul");
      if (open && !list) {
        list = element("ul");
        list.setAttribute("role", "group");
        childrenOf(Number(li.dataset.node)).forEach(function (child) { list.appendChild(item(child)); });
        li.appendChild(list);
      }
      if (list) list.hidden = !open;
      li.setAttribute("aria-expanded", open ? "true" : "false");
      li.querySelector(":scope > .row > .twisty").textContent = open ? "\u25BC" : "\u25B6";
    }
    container.addEventListener("click", function (event) {
      if (event.target.classList.contains("about")) {
        showFile(Number(event.target.dataset.file));
        return;
      }
      var li = event.target.closest("li");
      if (!li || !event.target.closest(".twisty, .name")) return;
      expand(li, li.getAttribute("aria-expanded") === "false");
    });
    return {
      show: function (page) {
        nodes = data.trees[page];
        container.replaceChildren(item(0));
        expand(container.firstChild, true);
      },
      expandAll: function () {
        var pending = Array.prototype.slice.call(container.children);
        while (pending.length) {
          var li = pending.pop();
          expand(li, true);
          var list = li.querySelector(":scope > ul");
          if (list) pending.push.apply(pending, list.children);
        }
      },
      collapseAll: function () {
        container.querySelectorAll("li[aria-expanded='true']").forEach(function (li) { expand(li, false); });
      }
    };
  }

  function fileLink(index, label) {
    var link = element("a", "path", label);
    link.href = "#file-" + index;
    return link;
  }

  function pageLink(page) {
    var link = element("a", "path", data.files[data.pages[page][0]]);
    link.href = "#page-" + page;
    return link;
  }

  var fileIndex = {};
  data.files.forEach(function (path, index) { fileIndex[path] = index; });

  function pathItem(path, suffix) {
    var li = element("li");
    li.appendChild(path in fileIndex ? fileLink(fileIndex[path], path) : element("span", "path", path));
    if (suffix) li.appendChild(document.createTextNode(suffix));
    return li;
  }

  function listSection(view, id, heading, entries) {
    view.appendChild(element("h4", "", heading));
    var list = element("ul");
    list.id = id;
    entries.forEach(function (entry) { list.appendChild(entry); });
    if (!entries.length) list.appendChild(element("li", "none", "none"));
    view.appendChild(list);
  }

  var pageOfFile = {};
  data.pages.forEach(function (page, index) { pageOfFile[page[0]] = index; });

  // The way from a file's view to its own tree, when it is a page, and to the findings that
  // name it.
  function fileTools(index) {
    var tools = element("p", "tools");
    if (index in pageOfFile) {
      var tree = element("a", "", "Show its include tree");
      tree.href = "#page-" + pageOfFile[index];
      tools.appendChild(tree);
      tools.appendChild(document.createTextNode(" "));
    }
    var findings = element("a", "show-findings", "Show the findings that name it");
    findings.href = "#findings";
    findings.addEventListener("click", function () { filterFindings(data.files[index]); });
    tools.appendChild(findings);
    return tools;
  }

  function showFile(index) {
    var view = document.getElementById("file-view");
    view.replaceChildren(element("h3", "path", data.files[index]));
    view.appendChild(fileTools(index));
    var directives = data.includedBy[index];
    var includers = directives.slice(0, LISTED).map(function (directive) {
      return pathItem(directive[0], " line " + directive[1]);
    });
    if (directives.length > LISTED) includers.push(element("li", "more", "and " + (directives.length - LISTED) + " more"));
    listSection(view, "included-by", "Included by (" + directives.length + ")", includers);
    var reached = data.reachedBy[index];
    var pages = reached[1].map(function (page) {
      var li = element("li");
      li.appendChild(pageLink(page));
      return li;
    });
    if (reached[0] > reached[1].length) pages.push(element("li", "more", "and " + (reached[0] - reached[1].length) + " more"));
    listSection(view, "reached-by", "Pages that reach it (" + reached[0] + ")", pages);
    var used = data.usedBy[index];
    if (used[1]) {
      view.appendChild(element("p", "used-by", "Used by " + used[0] + " of the " + used[1] +
          " pages that include it"));
      var idle = used[2].map(function (page) {
        var li = element("li");
        li.appendChild(pageLink(page));
        return li;
      });
      var idleCount = used[1] - used[0];
      if (idleCount > idle.length) idle.push(element("li", "more", "and " + (idleCount - idle.length) + " more"));
      listSection(view, "idle-in", "Pages that include it without using it (" + idleCount + ")", idle);
    }
    listSection(view, "includes", "Includes", data.includes[index].map(function (include) {
      var li = element("li");
      li.appendChild(fileLink(include[0], data.files[include[0]]));
      flagNames(include[1]).forEach(function (flag) {
        li.appendChild(document.createTextNode(" "));
        li.appendChild(element("span", "flag " + flag, flag));
      });
      return li;
    }));
    document.getElementById("files").scrollIntoView();
  }

  var filterFindings = setUpFindings();
  // A rule of the summary shows its findings.
  Array.prototype.forEach.call(document.querySelectorAll("#by-rule a"), function (link) {
    link.addEventListener("click", function () { filterFindings(link.textContent); });
  });
  var tree = TreeView(document.getElementById("tree"));
  var pageNames = data.pages.map(function (page) { return data.files[page[0]]; });
  var pagePicker = Picker(document.getElementById("page-list"), document.getElementById("page-more"),
      document.getElementById("page-search"), pageNames, tree.show);
  document.getElementById("expand-all").addEventListener("click", tree.expandAll);
  document.getElementById("collapse-all").addEventListener("click", tree.collapseAll);
  Picker(document.getElementById("file-list"), document.getElementById("file-more"),
      document.getElementById("file-search"), data.files, showFile);
  // Links to "#file-N" open the view of file N, links to "#page-N" the tree of page N; the
  // address keeps the view for a reload.
  function go(target) {
    var found = /^#(file|page)-(\d+)$/.exec(target);
    if (!found) return false;
    var index = Number(found[2]);
    if (found[1] === "file" && index < data.files.length) {
      showFile(index);
    } else if (found[1] === "page" && index < data.pages.length) {
      pagePicker.select(index);
      document.getElementById("trees").scrollIntoView();
    } else {
      return false;
    }
    history.replaceState(null, "", target);
    return true;
  }
  document.addEventListener("click", function (event) {
    var link = event.target.closest("a[href^='#']");
    if (link && go(link.getAttribute("href"))) event.preventDefault();
  });
  if (pageNames.length) pagePicker.select(pagePicker.first());
  go(location.hash);
})();
