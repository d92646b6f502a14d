#include "rules/VbScanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/NameScan.h"
#include "rules/VbBranches.h"
#include "rules/VbComments.h"

namespace lintra {

namespace {

const char* KindName(DeclarationKind kind) {
  switch (kind) {
    case DeclarationKind::Variable:
      return "dim";
    case DeclarationKind::Constant:
      return "const";
    case DeclarationKind::ReDim:
      return "redim";
    case DeclarationKind::Class:
      return "class";
    case DeclarationKind::Procedure:
      return "proc";
  }
  return "";
}

// The scan on one line: the page language when stated, then each declaration as
// "kind name line:column" with its unit when not 0, then each body as "body begin-end".
std::string Render(const ScriptScan& scan) {
  std::string out;
  if (scan.language == PageLanguage::VbScript) out = "vbscript: ";
  if (scan.language == PageLanguage::Other) out = "other: ";
  for (const Declaration& declaration : scan.declarations) {
    out += std::string(KindName(declaration.kind)) + " " + text::ToUtf8(declaration.name) + " " +
           std::to_string(declaration.line) + ":" + std::to_string(declaration.column);
    if (declaration.unit != 0) out += " u" + std::to_string(declaration.unit);
    out += ", ";
  }
  for (const TextSpan& body : scan.bodies) {
    out += "body " + std::to_string(body.begin) + "-" + std::to_string(body.end) + ", ";
  }
  if (out.size() >= 2 && out.compare(out.size() - 2, 2, ", ") == 0) out.resize(out.size() - 2);
  return out;
}

struct Case {
  const char* what;
  const char16_t* text;
  const char* expected;
};

const Case kCases[] = {
    {"several names with bounds", u"<% Dim a(3), b, c(1, 2) %>",
     "dim a 1:8, dim b 1:14, dim c 1:17"},
    {"public and private after a colon", u"<% Public x : Private y %>", "dim x 1:11, dim y 1:23"},
    {"constants with commas inside values", u"<% Const A = 1, B = (2, 3), C = \"x\" %>",
     "const A 1:10, const B 1:17, const C 1:29"},
    {"private constant", u"<% Private Const K = 1 %>", "const K 1:18"},
    {"redim preserve", u"<% ReDim Preserve r(5), s(2) %>", "redim r 1:19, redim s 1:25"},
    {"keywords in any case", u"<% DIM Upper : dIm lower %>", "dim Upper 1:8, dim lower 1:20"},
    {"apostrophe and rem comments",
     u"<% ' Dim a\r\nDim b ' Dim c\r\nRem Dim d\r\n x = 1 : REM Dim e\r\n%>", "dim b 2:5"},
    {"a name that begins with rem", u"<% Dim Remark %>", "dim Remark 1:8"},
    {"rem after a statement begins a comment, but not after a dot",
     u"<% Sub S : x = 1 Rem : End Sub\r\nEnd Sub Rem : Dim c\r\nDim d : o.Rem : o . Rem : Dim e %>",
     "proc S 1:8, dim d 3:5, dim e 3:31, body 3-39"},
    {"strings with doubled quotes", u"<% x = \"Dim a \"\" : Dim b\" : Dim c %>", "dim c 1:33"},
    {"an open string ends with its line", u"<% x = \"open\r\nDim d %>", "dim d 2:5"},
    {"line continuation", u"<% Dim a, _\r\n    b %>", "dim a 1:8, dim b 2:5"},
    {"underscore inside a name", u"<% Dim a_b %>", "dim a_b 1:8"},
    {"procedure body",
     u"<% Sub S(x)\r\nDim inner\r\nExit Sub\r\nDim alsoInner\r\nEnd Sub\r\nDim outer %>",
     "proc S 1:8, dim outer 6:5, body 3-56"},
    {"class body with members",
     u"<% Class C\r\nPublic p\r\nPrivate Sub Class_Initialize() : Dim q : End Sub\r\nEnd Class\r\n"
     u"Dim z %>",
     "class C 1:10, dim z 5:5, body 3-81"},
    {"property with default",
     u"<% Public Default Property Get Value() : End Property : Dim after %>",
     "proc Value 1:32, dim after 1:61, body 3-53"},
    {"end if does not close a body", u"<% Sub S : If a Then\r\nEnd If\r\nDim inner : End Sub %>",
     "proc S 1:8, body 3-49"},
    {"a body across blocks", u"<% Sub S %>html<% Dim inner %><% End Sub %><% Dim outer %>",
     "proc S 1:8, dim outer 1:51, body 3-40"},
    {"directive and expression hold no code", u"<%@ Language=\"VBScript\" %><%= x %><% Dim a %>",
     "vbscript: dim a 1:42"},
    {"jscript page", u"<%@ Language=\"JScript\" %><% var a %>", "other: "},
    {"unquoted language", u"<%@LANGUAGE=JavaScript CODEPAGE=65001%>", "other: "},
    {"server script blocks are scripts of their own",
     u"<script runat=\"server\" language=\"vbscript\">\nDim s\n</script>"
     u"<script language=\"vbscript\">Dim client</script>"
     u"<SCRIPT RUNAT=Server LANGUAGE=JScript>Dim j</SCRIPT><% Dim a %>",
     "dim s 2:5 u1, dim a 3:116"},
    {"server code inside client script", u"<script>var x = \"<% Dim a %>\";</script>",
     "dim a 1:25"},
    {"a body in a script block stays there", u"<script runat=\"server\">Sub S</script><% Dim a %>",
     "proc S 1:28 u1, dim a 1:45"},
    {"percent sign closes a block even in a string", u"<% x = \"%>\" : Dim a %>", ""},
    {"unterminated block", u"<% Dim a", "dim a 1:8"},
    {"unterminated script tag", u"<script runat=\"server\" Dim a", ""},
    {"unterminated class", u"<% Class C\r\nDim a", "class C 1:10, body 3-17"},
    {"bracketed name", u"<% Dim [my name] %>", "dim my name 1:9"},
    {"code in a body hides what its strings, brackets, comments and continuations hold",
     u"<% Sub S\r\nx = \"a\"\" : End Sub\" & [b: End Sub] ' : End Sub\r\ny = a_\r\n"
     u"z = 1 + _ \r\nEnd Sub\r\nEnd Sub\r\n[c]_\r\nEnd Sub : Dim d %>",
     "proc S 1:8, dim d 8:15, body 3-94"},
    {"what a body's statements begin with",
     u"<% Sub S\r\n(x) = 1 : Rem End Sub\r\n\"s\" : 1 _\r\nEnd Sub\r\n_\r\nEnd Sub\r\nDim a %>",
     "proc S 1:8, dim a 7:5, body 3-63"},
    {"a class opened in a procedure outlasts it",
     u"<% Sub S : Class C : End Sub : Dim a : End Class : Dim b %>",
     "proc S 1:8, dim b 1:56, body 3-48"},
};

}  // namespace

TEST(VbScanner, FindsScriptLevelDeclarationsInEachCase) {
  for (const Case& c : kCases) {
    EXPECT_EQ(Render(ScanScript(c.text)), c.expected) << c.what;
  }
}

// The scan of the uses reads every statement that the scan of declarations passes over, and
// must find the same declarations, bodies and effects.
TEST(VbScanner, ReadingEveryStatementFindsWhatPassingOverThemFinds) {
  for (const Case& c : kCases) {
    const TextView text(c.text);
    const ScriptScan passing = ScanScript(text);
    ScriptScan reading;
    ScanNames(text, LineIndex(text), &reading);
    EXPECT_EQ(Render(reading), Render(passing)) << c.what;
    EXPECT_EQ(reading.runsStatements, passing.runsStatements) << c.what;
    EXPECT_EQ(reading.writesOutput, passing.writesOutput) << c.what;
    EXPECT_EQ(reading.serverCode, passing.serverCode) << c.what;
  }
}

// Places marked #A# to #H# in blocks within blocks: which pairs only one run of the code can
// reach, whether the statements are passed over or read in full.
TEST(VbScanner, TellsPlacesInOtherBranchesOfOneBlockThroughNestedBlocks) {
  const TextView text =
      u"<% If a Then %>#A#<% If b Then %>#B#<% Else %>#C#<% End If %>#D#\r\n"
      u"<% Else %>#E#<% Select Case x\r\n Case 1 %>#F#<% Case Else %>#G#<% End Select %>\r\n"
      u"<% End If %>#H#<% If c Then y = 1 Else y = 2 %>";
  const auto at = [&](char mark) {
    return static_cast<int32_t>(text.find(Text{u'#', static_cast<char16_t>(mark), u'#'}));
  };
  const std::vector<std::pair<std::string, bool>> expected = {
      {"AB", false}, {"BC", true},  {"AE", true},  {"BE", true}, {"FG", true},
      {"CD", false}, {"EF", false}, {"DH", false}, {"AH", false}};
  ScriptScan reading;
  ScanNames(text, LineIndex(text), &reading);
  for (const ScriptScan& scan : {ScanScript(text), reading}) {
    for (const auto& [pair, other] : expected) {
      EXPECT_EQ(InOtherBranches(scan.branches, at(pair[0]), at(pair[1])), other) << pair;
    }
  }
}

// Each text marks a place #P# and, where the later copy stands, #O#: whether a branch that holds
// #P# and not #O# ends the response after #P#, whether the statements are passed over or read in
// full.
TEST(VbScanner, TellsBranchesThatEndTheResponseByTheirOwnStatementsOnly) {
  struct Case {
    const char16_t* text;
    bool ends;
  };
  const Case cases[] = {
      {u"<% If a Then %>#P#<% Response.End %>#O#<% End If %>", false},
      {u"<% If a Then %>#P#<% Response.End %><% End If %>#O#", true},
      {u"<% If a Then %><% If b Then %>#P#<% End If\r\nresponse . end() %><% End If %>#O#", true},
      {u"<% Select Case m\r\nCase 1 %>#P#<% Response.Redirect \"list.asp\"\r\nCase 2 %>#O#"
       u"<% End Select %>",
       true},
      {u"<% If a Then %>#P#<% Else\r\nResponse.End\r\nEnd If %>#O#", false},
      {u"<% If a Then\r\nResponse.End %>#P#<% End If %>#O#", false},
      {u"<% If a Then %>#P#<% If b Then %><% Response.End %><% End If %><% End If %>#O#", false},
      {u"<% If a Then %>#P#<% If b Then Response.End %><% End If %>#O#", false},
      {u"<% If a Then %>#P#<% For Each x In y : Response.End : Next %><% End If %>#O#", false},
      {u"<% If a Then %>#P#<% Do While b\r\nResponse.End\r\nLoop %><% End If %>#O#", false},
      {u"<% If a Then %>#P#<% Sub Stop\r\nResponse.End\r\nEnd Sub %><% End If %>#O#", false},
      {u"<% If a Then %>#P#<% Response.Flush\r\nResponse.EndTime = 1 %><% End If %>#O#", false},
      {u"<% If a Then %>#P#<% End If\r\nResponse.End %>#O#", false},
  };
  for (const Case& c : cases) {
    const TextView text(c.text);
    const auto at = [&](TextView mark) { return static_cast<int32_t>(text.find(mark)); };
    ScriptScan reading;
    ScanNames(text, LineIndex(text), &reading);
    for (const ScriptScan& scan : {ScanScript(text), reading}) {
      EXPECT_EQ(EndsResponseAfter(scan.branches, at(u"#P#"), at(u"#O#")), c.ends)
          << text::ToUtf8(text);
    }
  }
}

TEST(VbScanner, TellsPlacesInCommentsAndStringsFromCodeThatLooksLikeThem) {
  // Each text is one line of code; "|" marks the place asked about, and is taken out.
  const std::pair<std::u16string, bool> cases[] = {{u"' x|", true},
                                                   {u"x = 1 ' y|", true},
                                                   {u"Rem x|", true},
                                                   {u"REM |", true},
                                                   {u"x = 1 : rem y|", true},
                                                   {u"x = 1 Rem y|", true},
                                                   {u"s = \"it's\" ' y|", true},
                                                   {u"s = \"a|", true},
                                                   {u"s = \"a\"\"b|\"", true},
                                                   {u"'|", true},
                                                   {u"Rem|", false},
                                                   {u"Remark = x|", false},
                                                   {u"o.Rem x|", false},
                                                   {u"o . Rem x|", false},
                                                   {u"y = [it's] + x|", false},
                                                   {u"s = \"rem '\" & x|", false},
                                                   {u"s = \"a\"\"b\" & x|", false},
                                                   {u"x|' y", false},
                                                   {u"Rem|ark", false},
                                                   {u"s = \"\"|", false}};
  for (const auto& [marked, inside] : cases) {
    std::u16string text = marked;
    const size_t at = text.find(u'|');
    text.erase(at, 1);
    EXPECT_EQ(VbCommentOrStringHolds(text, 0, at), inside) << text::ToUtf8(marked);
  }
}

TEST(VbScanner, GivesTheEndOfEachName) {
  const ScriptScan scan = ScanScript(u"<%\r\n  Const Answer = 42 %>");
  ASSERT_EQ(scan.declarations.size(), 1u);
  EXPECT_EQ(scan.declarations[0].key, u"ANSWER");
  EXPECT_EQ(scan.declarations[0].offset, 12);
  EXPECT_EQ(scan.declarations[0].column, 9);
  EXPECT_EQ(scan.declarations[0].endColumn, 15);
}

TEST(VbScanner, GivesEachMemberProcedureItsOwnBodyAndNoOtherLocalOne) {
  const Text text =
      u"<%\r\nClass Cart\r\n  Private items\r\n  Public Function Count(n)\r\n    Count = n\r\n"
      u"  End Function\r\n  Property Get Total : Total = 1 : End Property\r\nEnd Class\r\n"
      u"Sub Outside(m) : End Sub %>";
  const NameScan names = ScanNames(text, LineIndex(text));
  std::vector<std::string> bodies;
  for (const LocalName& local : names.locals) {
    const TextView body =
        TextView(text).substr(static_cast<size_t>(local.body.begin),
                              static_cast<size_t>(local.body.end - local.body.begin));
    bodies.push_back(text::ToUtf8(local.declaration.name) + "=" + text::ToUtf8(body));
  }
  EXPECT_EQ(bodies,
            (std::vector<std::string>{
                "items=", "Count=Public Function Count(n)\r\n    Count = n\r\n  End Function",
                "n=", "Total=Property Get Total : Total = 1 : End Property", "m="}));
}

TEST(VbScanner, TellsWhereCharactersBeyondAsciiReachTheReader) {
  struct Shown {
    const char16_t* text;
    bool shows;
  };
  for (const Shown& c : std::vector<Shown>{
           {u"<p>Caf\u00e9</p>", true},
           {u"<% Response.Write \"cr\u00e8me\" %>", true},
           {u"<%= \"\u00e9t\u00e9\" %>", true},
           {u"<script runat=\"server\">x = \"\u00e9\"</script>", true},
           {u"<% x = 1 ' caf\u00e9\r\ny = \"\"\"\u00e9\" %>", true},
           {u"<% Remove = \"\u00e9\" %>", true},
           {u"<!-- caf\u00e9 --><p>x</p>", false},
           {u"<!-- #include file=\"caf\u00e9.inc\" -->", false},
           {u"<% ' caf\u00e9 %><% Rem caf\u00e9 %><% x = 1 : REM caf\u00e9 %>", false},
           {u"<% x = \"a\" ' \"\u00e9\" %>", false},
           {u"<!-- <% y = 1 %> caf\u00e9 -->", false},
           {u"\ufeff<p>plain</p>", false},
       }) {
    EXPECT_EQ(ScanScript(c.text).showsBeyondAscii, c.shows) << text::ToUtf8(c.text);
  }
  // Wherever the one character beyond ASCII stands in a plain text, and with any length after it.
  for (size_t before = 0; before < 9; ++before) {
    for (size_t after = 0; after < 5; ++after) {
      const Text text = Text(before, u'a') + u'\u00e9' + Text(after, u'b');
      EXPECT_TRUE(ScanScript(text).showsBeyondAscii) << before << " " << after;
      EXPECT_FALSE(ScanScript(Text(before + after + 1, u'a')).showsBeyondAscii);
    }
  }
}

TEST(VbScanner, TellsAFileWithServerCodeFromOneWithout) {
  for (const char16_t* code :
       {u"<% x = 1 %>", u"<%= Now %>", u"a<%", u"<script runat=server>\r\n"}) {
    EXPECT_TRUE(ScanScript(code).serverCode) << text::ToUtf8(code);
  }
  for (const char16_t* plain : {u"<p>Hi</p>", u"<%@ Language=\"VBScript\" %>",
                                u"<script type=\"text/javascript\">var a = 1;</script>",
                                u"<!-- #include file=\"a.inc\" -->"}) {
    EXPECT_FALSE(ScanScript(plain).serverCode) << text::ToUtf8(plain);
  }
}

TEST(VbScanner, KeepsTheWordsOfServerScriptInAnotherLanguage) {
  const ScriptScan scan = ScanScript(
      u"<script runat=\"server\" language=\"JScript\">var n1 = show_2(42); // Note\r\n</script>"
      u"<% Dim vb %><script language=\"JScript\">client()</script>"
      u"<script runat=server language=JavaScript>'quoted' + _x</script>");
  EXPECT_EQ(scan.otherScriptWords,
            (std::vector<Text>{u"N1", u"NOTE", u"QUOTED", u"SHOW_2", u"VAR", u"_X"}));
  EXPECT_TRUE(ScanScript(u"<script runat=server>Dim v</script>").otherScriptWords.empty());
}

TEST(VbScanner, TellsOutputWhereTheFileIsIncludedFromOutputThatAProcedureWrites) {
  for (const char16_t* writes :
       {u"<p>Hi</p>", u"<%= Now %>", u"<% Sub S %><p>in</p><% End Sub %>\r\n<p>after</p>",
        u"<% If a Then %><p>Hi</p><% End If %>", u"<p>before</p><% Class C : End Class %>",
        u"\ufeff<p>Hi</p>"}) {
    EXPECT_TRUE(ScanScript(writes).writesOutput) << text::ToUtf8(writes);
  }
  for (const char16_t* declares :
       {u"<% Sub S %>\r\n<p>in</p><%= x %>\r\n<% End Sub %>\r\n",
        u"<% Class C : Public Sub Show %><p>in</p><% End Sub : End Class %>",
        u"<!-- #include file=\"a.inc\" -->\r\n<% Sub S %><!-- #include file=\"b.inc\" --><% End "
        u"Sub %>",
        u"\ufeff<% Sub S %>\r\n<p>in</p><% End Sub %>\r\n"}) {
    EXPECT_FALSE(ScanScript(declares).writesOutput) << text::ToUtf8(declares);
  }
}

TEST(VbScanner, AcceptsEveryPrefixOfATextThatMixesEveryConstruct) {
  const Text whole =
      u"<%@ Language=\"VBScript\" %><% Class C : Sub S(a) : Dim b(\"x\"\"y\", _\r\n 2) : End Sub"
      u" : End Class %><script runat='server' language=vbscript>Rem x\r\nConst K = [a], _\r\n"
      u"</script><%= \"%\" %><% ReDim Preserve r(1) ' c\r\nPublic Default Property Let P(v)";
  size_t declarations = 0;
  size_t uses = 0;
  for (size_t length = 0; length <= whole.size(); ++length) {
    const TextView prefix = TextView(whole).substr(0, length);
    declarations += ScanScript(prefix).declarations.size();
    uses += ScanNames(prefix, LineIndex(prefix)).uses.size();
  }
  EXPECT_GT(declarations, 0u);
  EXPECT_GT(uses, 0u);
}

}  // namespace lintra
