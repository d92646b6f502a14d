#include "rules/PageNames.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "analysis/File.h"
#include "rules/SourceFacts.h"
#include "site/PageTree.h"
#include "site/SiteAnalysis.h"
#include "support/MemorySupply.h"

namespace lintra {

namespace {

// A site in memory and the names of its pages.
class Names {
 public:
  explicit Names(const std::map<Text, Text>& files) : site_(host_, u"/site") {
    host_.Files = files;
  }

  // The names of `page`: "explicit: " when Option Explicit is in force, then each use as
  // "name file:line:column" and what it resolves to, "-> file:line:column" or "-> ?".
  std::string Resolve(const char16_t* page) {
    const PageTree tree(site_.Tree(page));
    const PageNames names(tree, facts_);
    std::string out = names.OptionExplicit() ? "explicit: " : "";
    for (const PageUse& use : names.Uses()) {
      out += Written(tree, use) + " " + At(tree, use.node, *use.use) + " -> ";
      out += use.declaration == PageNames::Unresolved
                 ? "?"
                 : Where(tree, names.Declarations()[static_cast<size_t>(use.declaration)]);
      out += ", ";
    }
    if (out.ends_with(", ")) out.resize(out.size() - 2);
    return out;
  }

  // The names of `page`'s uses that resolve to no declaration, in page order.
  std::string Unresolved(const char16_t* page) {
    const PageTree tree(site_.Tree(page));
    const PageNames names(tree, facts_);
    std::string out;
    for (const PageUse& use : names.UnresolvedUses()) out += Written(tree, use) + " ";
    return out;
  }

  // The declarations that `page`'s contested names resolve to, as "name file:line:column", taking
  // the declarations alone.
  std::string Contested(const char16_t* page) {
    const PageTree tree(site_.Tree(page));
    const PageNames names(tree, facts_, PageNames::Taking::Declarations);
    std::string out;
    for (const int32_t chosen : names.Contested()) {
      const PageDeclaration& declaration = names.Declarations()[static_cast<size_t>(chosen)];
      out += text::ToUtf8(declaration.declaration->name) + " " + Where(tree, declaration) + "; ";
    }
    return out + std::to_string(names.Uses().size()) + " uses";
  }

  // For each include of `page`, in page order, "file: " and the names the page uses through it.
  std::string UsedThrough(const char16_t* page) {
    const PageTree tree(site_.Tree(page));
    const PageNames names(tree, facts_);
    std::string out;
    for (uint32_t node = 1; node < tree.Nodes().size(); ++node) {
      out += text::ToUtf8(tree.Nodes()[node].file->Name()) + ":";
      for (const int32_t used : names.UsedThrough(node)) {
        out +=
            " " + text::ToUtf8(names.Declarations()[static_cast<size_t>(used)].declaration->name);
      }
      out += "; ";
    }
    return out;
  }

 private:
  template <class Named>
  static std::string At(const PageTree& tree, uint32_t node, const Named& named) {
    return text::ToUtf8(tree.Nodes()[node].file->Name()) + ":" + std::to_string(named.line) + ":" +
           std::to_string(named.column);
  }
  static std::string Written(const PageTree& tree, const PageUse& use) {
    return text::ToUtf8(
        WrittenName(tree.Nodes()[use.node].file->SharedContent()->Value(), *use.use));
  }
  static std::string Where(const PageTree& tree, const PageDeclaration& declaration) {
    return At(tree, declaration.node, *declaration.declaration);
  }

  MemorySupply host_;
  SiteAnalysis site_;
  SourceFacts facts_;
};

struct Case {
  const char* what;
  std::map<Text, Text> files;
  const char* expected;
};

const Case kCases[] = {
    {"a variable, a procedure and a class are known before they are declared",
     {{u"p.asp",
       u"<% x = Total(1) : Set c = New Cart %>\r\n"
       u"<% Dim x, c : Function Total(n) : End Function : Class Cart : End Class %>"}},
     "x p.asp:1:4 -> p.asp:2:8, Total p.asp:1:8 -> p.asp:2:24, c p.asp:1:23 -> p.asp:2:11, "
     "Cart p.asp:1:31 -> p.asp:2:56"},
    {"names are compared without regard to case, across includes",
     {{u"p.asp", u"<!-- #include file=\"lib.inc\" -->\r\n<% formatPRICE 2 %>"},
      {u"lib.inc", u"<% Function FormatPrice(p) : FormatPrice = p : End Function %>"}},
     "FormatPrice lib.inc:1:30 -> lib.inc:1:13, formatPRICE p.asp:2:4 -> lib.inc:1:13"},
    {"the member after a dot is no name, nor are keywords, literals, strings and comments",
     {{u"p.asp",
       u"<% Dim rs : rs.Open \"Foo\" : Response.Write rs.Fields(Col).Value ' Bar\r\n"
       u"x = &HFF + #1/1/2000# Mod 2 : If Not rs.EOF Then z = 0 : Rem Baz\r\n"
       u"y = 1.5 %>"}},
     "rs p.asp:1:13 -> p.asp:1:8, Response p.asp:1:29 -> ?, rs p.asp:1:44 -> p.asp:1:8, "
     "Col p.asp:1:54 -> ?, x p.asp:2:1 -> ?, rs p.asp:2:38 -> p.asp:1:8, z p.asp:2:50 -> ?, "
     "y p.asp:3:1 -> ?"},
    {"inside With, the names after a leading dot are members",
     {{u"p.asp", u"<% Dim o : With o : .Name = Title : .Save : End With %>"}},
     "o p.asp:1:17 -> p.asp:1:8, Title p.asp:1:29 -> ?"},
    {"a class's members are known in its procedures, wherever they stand in the class",
     {{u"p.asp",
       u"<% Class Cart\r\n"
       u"Public Sub Add(x) : items = x : Total : Log x : End Sub\r\n"
       u"Private items\r\n"
       u"Function Total : Total = 0 : End Function\r\n"
       u"End Class\r\n"
       u"Dim c : Set c = New Cart : c.Add items %>"}},
     "Log p.asp:2:41 -> ?, c p.asp:6:13 -> p.asp:6:5, Cart p.asp:6:21 -> p.asp:1:10, "
     "c p.asp:6:28 -> p.asp:6:5, items p.asp:6:34 -> ?"},
    {"a procedure's parameters and local declarations hide the page's names",
     {{u"p.asp",
       u"<% Dim total, a\r\n"
       u"Sub Sum(ByVal a, b())\r\n"
       u"  Dim total : Const k = 2\r\n"
       u"  total = a + b(0) + k + rate\r\n"
       u"End Sub\r\n"
       u"total = a %>"}},
     "rate p.asp:4:26 -> ?, total p.asp:6:1 -> p.asp:1:8, a p.asp:6:9 -> p.asp:1:15"},
    {"colons and line continuations split and join statements",
     {{u"p.asp", u"<% Dim a : a = _\r\n  Price(1) : Call Show(a) _\r\n , b %>"}},
     "a p.asp:1:12 -> p.asp:1:8, Price p.asp:2:3 -> ?, Show p.asp:2:19 -> ?, "
     "a p.asp:2:24 -> p.asp:1:8, b p.asp:3:4 -> ?"},
    {"of two procedures of one name the last wins; of two variables the first stands",
     {{u"p.asp",
       u"<!-- #include file=\"a.inc\" -->\r\n<!-- #include file=\"b.inc\" -->\r\n"
       u"<% Log n %>"},
      {u"a.inc", u"<% Sub Log(m) : End Sub : Dim n %>"},
      {u"b.inc", u"<% Sub Log(m) : End Sub : Dim n %>"}},
     "Log p.asp:3:4 -> b.inc:1:8, n p.asp:3:8 -> a.inc:1:31"},
    {"a server script block sees its own names, then the page's procedures, then the variables "
     "declared before the use; so does <% %> code",
     {{u"p.asp",
       u"<% Dim early %>\r\n"
       u"<script runat=\"server\" language=\"VBScript\">\r\n"
       u"Dim b : b = early + late : Helper\r\n"
       u"</script>\r\n"
       u"<% Dim late : Sub Helper : End Sub : b = 1 %>"}},
     "b p.asp:3:9 -> p.asp:3:5, early p.asp:3:13 -> p.asp:1:8, late p.asp:3:21 -> ?, "
     "Helper p.asp:3:28 -> p.asp:5:19, b p.asp:5:38 -> p.asp:3:5"},
    {"an include inside a procedure brings nothing in at script level",
     {{u"p.asp", u"<% Sub Wrap %><!-- #include file=\"in.inc\" --><% End Sub : Inner %>"},
      {u"in.inc", u"<% Sub Inner : End Sub %>"}},
     "Inner p.asp:1:59 -> ?"},
    {"the uses of an include inside a procedure are the page's",
     {{u"p.asp",
       u"<!-- #include file=\"lib.inc\" -->\r\n"
       u"<% Sub Show %><!-- #include file=\"part.inc\" --><% End Sub %>"},
      {u"lib.inc", u"<% Function Idle() : End Function %>"},
      {u"part.inc", u"<p><%= Idle() %></p>"}},
     "Idle part.inc:1:8 -> lib.inc:1:13"},
    {"a page in JScript has no names",
     {{u"p.asp", u"<%@ Language=\"JScript\" %>\r\n<% var x = Foo(); %>"}},
     ""},
    {"Option Explicit is in force as the page's first statement",
     {{u"p.asp", u"<%@ Language=\"VBScript\" %>\r\n<% Option Explicit\r\nDim a %>"}},
     "explicit: "},
    {"Option Explicit as an include's first statement, before the page's code, is in force",
     {{u"p.asp", u"<!-- #include file=\"top.inc\" -->\r\n<% Dim a %>"},
      {u"top.inc", u"<% Option Explicit %>"}},
     "explicit: "},
    {"Option Explicit after an include's declaration is not in force",
     {{u"p.asp", u"<!-- #include file=\"lib.inc\" -->\r\n<% Option Explicit %>"},
      {u"lib.inc", u"<% Dim a %>"}},
     ""},
    {"Option Explicit after a statement of the page is not in force",
     {{u"p.asp", u"<% a = 1\r\nOption Explicit %>"}},
     "a p.asp:1:4 -> ?"},
};

TEST(PageNames, ResolvesEachUseByVbScriptRules) {
  for (const Case& c : kCases) {
    Names names(c.files);
    EXPECT_EQ(names.Resolve(u"p.asp"), c.expected) << c.what;
  }
}

// The run numbers names as it first meets them, so a page's names can have numbers far apart.
TEST(PageNames, FindsNamesWhoseNumbersAnEarlierPageGave) {
  Names names({{u"other.asp", u"<% Dim a0, a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12 %>"},
               {u"p.asp", u"<% Dim a4, a12, b, a0 : a12 = a4 + b + a0 + a8 %>"}});
  names.Resolve(u"other.asp");
  EXPECT_EQ(names.Resolve(u"p.asp"),
            "a12 p.asp:1:25 -> p.asp:1:12, a4 p.asp:1:31 -> p.asp:1:8, b p.asp:1:36 -> p.asp:1:17, "
            "a0 p.asp:1:40 -> p.asp:1:20, a8 p.asp:1:45 -> ?");
}

TEST(PageNames, TellsWhatThePageUsesThroughEachInclude) {
  Names names({{u"p.asp",
                u"<!-- #include file=\"a.inc\" -->\r\n"
                u"<!-- #include file=\"b.inc\" -->\r\n"
                u"<!-- #include file=\"none.inc\" -->\r\n"
                u"<% A : C %>"},
               {u"a.inc", u"<% Sub A : End Sub %>"},
               {u"b.inc", u"<!-- #include file=\"c.inc\" -->\r\n<% Sub B : C : End Sub : B %>"},
               {u"c.inc", u"<% Sub C : End Sub %>"},
               {u"none.inc", u"<% Sub N : N : End Sub %>"}});
  EXPECT_EQ(names.UsedThrough(u"p.asp"), "a.inc: A; b.inc: C; c.inc: C; none.inc:; ");
}

TEST(PageNames, KeepsWhatANameDeclaredInSeveralPlacesResolvesTo) {
  Names names({{u"p.asp",
                u"<!-- #include file=\"a.inc\" -->\r\n<!-- #include file=\"b.inc\" -->\r\n"
                u"<!-- #include file=\"twice.inc\" -->\r\n"
                u"<!-- #include file=\"twice.inc\" -->\r\n<% Log once %>"},
               {u"a.inc", u"<% Sub Log(m) : End Sub : Dim single %>"},
               {u"b.inc", u"<% Sub Log(m) : End Sub %>"},
               {u"twice.inc", u"<% Dim once %>"}});
  EXPECT_EQ(names.Contested(u"p.asp"), "Log b.inc:1:8; 0 uses");
}

TEST(PageNames, ListsTheUsesThatResolveToNoDeclaration) {
  Names names({{u"p.asp",
                u"<!-- #include file=\"lib.inc\" -->\r\n"
                u"<% Option Explicit\r\nResponse.Write Len(Title) & Helper(total) %>"},
               {u"lib.inc", u"<% Function Helper(x) : Helper = x & vbCrLf : End Function %>"}});
  EXPECT_EQ(names.Unresolved(u"p.asp"), "vbCrLf Response Len Title total ");
}

TEST(PageNames, ReadsHowEachNameIsUsed) {
  const Text text =
      u"<% Set o = New Cart : Call Show(o) : Log o : x(1) = 2 : For Each i In list : Next\r\n"
      u"If o Then y = 1 Else Erase z %>";
  const NameScan scan = ScanNames(text, LineIndex(text));
  std::string out;
  constexpr const char* Kinds[] = {"read", "assign", "call", "new"};
  for (const NameUse& use : scan.uses) {
    out += text::ToUtf8(WrittenName(text, use)) + ":" + Kinds[static_cast<int>(use.kind)] + " ";
  }
  EXPECT_EQ(out,
            "o:assign Cart:new Show:call o:read Log:call o:read x:assign i:assign list:read o:read "
            "y:assign z:assign ");
}

// Statements of many names and of many clauses, as a generated or hostile file may hold, are read
// in one pass: each token of a statement is looked at a bounded number of times.
TEST(PageNames, ReadsLongStatementsInOnePass) {
  constexpr int kNames = 100000;
  Text declaring = u"<% Dim n0";
  Text heading = u"<% If a Then x(";
  for (int i = 1; i < kNames; ++i) {
    declaring += u", n" + text::FromUtf8(std::to_string(i));
    heading += u" If a Then x(";
  }
  const NameScan declared = ScanNames(declaring, LineIndex(declaring));
  EXPECT_TRUE(declared.uses.empty());
  const NameScan headed = ScanNames(heading, LineIndex(heading));
  EXPECT_EQ(headed.uses.size(), 2u * kNames);
}

}  // namespace

}  // namespace lintra
