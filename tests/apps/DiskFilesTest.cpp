#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <system_error>

#include "apps/host/DiskFiles.h"
#include "apps/host/DiskHost.h"
#include "apps/host/TextDecoding.h"
#include "platform/ErrorRecord.h"
#include "tests/apps/TempFolder.h"

namespace lintra {

namespace fs = std::filesystem;
using namespace std::string_view_literals;

namespace {

// What Read gives for `webPath`: "web path: text", or "refused".
std::string Loaded(const DiskFiles& files, TextView webPath) {
  const std::optional<ProjectFile> file = files.Read(webPath);
  return file ? text::ToUtf8(file->webPath + u": " + file->text) : "refused";
}

// What `host` answers for `path`: the path as the host leaves it, and the text.
using Answer = std::pair<Text, std::shared_ptr<const SourceText>>;
// A file that cannot be supplied leaves the path as it was, with no text, and sets `error` to
// the number raised.
Answer Ask(DiskHost& host, Text path, int32_t* error = nullptr) {
  try {
    std::shared_ptr<const SourceText> text = host.fsGetFile(path);
    return {path, text};
  } catch (const RuntimeError& raised) {
    if (error) *error = raised.Record().Number;
    return {path, nullptr};
  }
}

// A project in root/ with a file outside it, beside root/.
class DiskFilesTest : public testing::Test {
 protected:
  DiskFilesTest() {
    temp.Write("root/inc/a.inc", "A");
    temp.Write("outside.txt", "secret");
  }
  fs::path Root() const { return temp.Path() / "root"; }

  TempFolder temp;
};

}  // namespace

TEST_F(DiskFilesTest, ReadsFilesByWebPathWithEitherSeparatorFromTheRoot) {
  const DiskFiles files(Root());
  EXPECT_EQ(Loaded(files, u"inc/a.inc"), "inc/a.inc: A");
  EXPECT_EQ(Loaded(files, u"./inc//./a.inc"), "inc/a.inc: A");
  // A leading separator means the root, not the file system's root.
  EXPECT_EQ(Loaded(files, u"/inc/a.inc"), "inc/a.inc: A");
  EXPECT_EQ(Loaded(files, u"\\inc\\a.inc"), "inc/a.inc: A");
  // Names that differ only in letter case are found, as a Windows server finds them.
  EXPECT_EQ(Loaded(files, u"INC/A.Inc"), "inc/a.inc: A");
  EXPECT_EQ(files.Resolve(u"inc/a.inc"), fs::canonical(Root() / "inc/a.inc"));
}

TEST_F(DiskFilesTest, PrefersTheExactNameAndElseTheFirstCaseInsensitiveMatchInByteOrder) {
  temp.Write("root/inc/A.inc", "upper");
  temp.Write("root/inc/b.INC", "first");
  temp.Write("root/inc/b.inc", "second");
  const DiskFiles files(Root());
  EXPECT_EQ(Loaded(files, u"inc/A.inc"), "inc/A.inc: upper");
  EXPECT_EQ(Loaded(files, u"inc/a.inc"), "inc/a.inc: A");
  EXPECT_EQ(Loaded(files, u"INC/B.inc"), "inc/b.INC: first");
}

TEST_F(DiskFilesTest, RefusesEveryPathThatLeavesTheRoot) {
  const DiskFiles files(Root());
  const Text outside = text::FromUtf8((temp.Path() / "outside.txt").string());
  for (const Text& path :
       {Text(u"../outside.txt"), Text(u"inc/../../outside.txt"), Text(u"..\\outside.txt"), outside,
        Text(u"inc/x/../a.inc"), Text(u"\\\\server\\share\\inc\\a.inc"), Text(u"C:\\inc\\a.inc"),
        Text(u"c:inc/a.inc"), Text(u"/D:/inc/a.inc"), Text(u"inc/a.inc\0.txt", 14),
        Text(u"./") + Text(DiskFiles::MaxPathUnits, u'/') + u"inc/a.inc"}) {
    EXPECT_EQ(Loaded(files, path), "refused") << text::ToUtf8(path);
  }
}

// Links that lead out of the root are HostileCliTest's.
TEST_F(DiskFilesTest, FollowsSymbolicLinksWithinTheRoot) {
  fs::create_symlink(Root() / "inc/a.inc", Root() / "alias.inc");
  fs::create_directory_symlink(Root(), Root() / "loop");
  fs::create_directory_symlink(Root(), temp.Path() / "link-to-root");
  const DiskFiles files(Root());
  EXPECT_EQ(Loaded(files, u"alias.inc"), "inc/a.inc: A");
  EXPECT_EQ(Loaded(files, u"loop/loop/inc/a.inc"), "inc/a.inc: A");
  EXPECT_EQ(Loaded(DiskFiles(temp.Path() / "link-to-root"), u"inc/a.inc"), "inc/a.inc: A");
}

TEST_F(DiskFilesTest, AnswersNothingForWhatIsNoReadableFile) {
  ASSERT_EQ(mkfifo((Root() / "pipe.inc").c_str(), 0600), 0);
  fs::resize_file(temp.Write("root/huge.inc", ""), DiskFiles::MaxFileBytes + 1);
  const DiskFiles files(Root());
  for (const Text path :
       {u"", u".", u"/", u"inc", u"inc/", u"nothere.inc", u"pipe.inc", u"huge.inc"}) {
    EXPECT_EQ(Loaded(files, path), "refused") << text::ToUtf8(path);
  }
}

// The files of a project in which one file name cannot be opened, as a file without read
// permission cannot for any account but the superuser.
class LockedFiles : public DiskFiles {
 public:
  LockedFiles(const fs::path& root, std::string locked)
      : DiskFiles(root), locked_(std::move(locked)) {}

 protected:
  std::unique_ptr<disk::ReadingFile> OpenForReading(const fs::path& resolved) const override {
    if (resolved.filename() != locked_) return DiskFiles::OpenForReading(resolved);
    throw UnreadableFile(std::generic_category().message(EACCES));
  }

 private:
  std::string locked_;
};

// The number and description of what `host` raises for `path`, or "read".
std::string Refusal(DiskHost& host, Text path) {
  try {
    host.fsGetFile(path);
    return "read";
  } catch (const RuntimeError& raised) {
    return std::to_string(raised.Record().Number) + " " + text::ToUtf8(raised.Record().Description);
  }
}

TEST_F(DiskFilesTest, HostTellsAFileThatCannotBeReadFromOneThatIsNotThere) {
  temp.Write("root/inc/locked.inc", "LOCKED");
  fs::resize_file(temp.Write("root/huge.inc", ""), DiskFiles::MaxFileBytes + 1);
  const LockedFiles files(Root(), "locked.inc");
  DiskHost host(files, 10);
  const std::string denied = std::to_string(FileSupply::Unreadable) + " Permission denied";
  EXPECT_EQ(Refusal(host, u"inc/locked.inc"), denied);
  // Asked again, under another spelling too, it is still unreadable, not missing.
  EXPECT_EQ(Refusal(host, u"inc/locked.inc"), denied);
  EXPECT_EQ(Refusal(host, u"INC/Locked.inc"), denied);
  EXPECT_EQ(Refusal(host, u"huge.inc"),
            std::to_string(FileSupply::Unreadable) + " larger than 256 MB");
  EXPECT_EQ(Refusal(host, u"inc/gone.inc"),
            std::to_string(FileSupply::NotFound) + " Could not find the file : inc/gone.inc");
  EXPECT_EQ(Refusal(host, u"inc/a.inc"), "read");
  const std::map<Text, std::string> unreadable = {{u"huge.inc", "larger than 256 MB"},
                                                  {u"inc/locked.inc", "Permission denied"}};
  EXPECT_EQ(host.UnreadableFiles(), unreadable);
  EXPECT_EQ(Loaded(files, u"inc/locked.inc"), "refused");
}

// The files of a project in which one file is deleted after it was found and before it is opened.
class VanishingFiles : public DiskFiles {
 public:
  using DiskFiles::DiskFiles;

 protected:
  std::unique_ptr<disk::ReadingFile> OpenForReading(const fs::path& resolved) const override {
    fs::remove(resolved);
    return DiskFiles::OpenForReading(resolved);
  }
};

TEST_F(DiskFilesTest, AFileDeletedBetweenFindingAndOpeningIsMissingNotUnreadable) {
  temp.Write("root/inc/gone.inc", "GONE");
  const VanishingFiles files(Root());
  DiskHost host(files, 10);
  EXPECT_EQ(Refusal(host, u"inc/gone.inc"),
            std::to_string(FileSupply::NotFound) + " Could not find the file : inc/gone.inc");
  EXPECT_EQ(host.UnreadableFiles(), (std::map<Text, std::string>{}));
}

TEST_F(DiskFilesTest, RootMustBeAnExistingFolder) {
  EXPECT_THROW(DiskFiles(temp.Path() / "nothere"), fs::filesystem_error);
  EXPECT_THROW(DiskFiles(temp.Path() / "outside.txt"), std::invalid_argument);
}

TEST(TextDecoding, DecodesUtf8AndUtf16AndKeepsEveryOtherByteAsItsEscape) {
  EXPECT_EQ(DecodeFileBytes(""), u"");
  EXPECT_EQ(DecodeFileBytes("caf\xC3\xA9\r\n"), u"caf\u00E9\r\n");
  EXPECT_EQ(DecodeFileBytes("\xEF\xBB\xBF<%"), u"\uFEFF<%");
  EXPECT_EQ(DecodeFileBytes("\xF0\x9F\x98\x80"), u"\U0001F600");
  // Both UTF-16 byte orders are FileSupplyCliTest's; an odd last byte keeps its escape.
  EXPECT_EQ(DecodeFileBytes("\xFF\xFE"
                            "A\0\xB0"sv),
            u"A\xDCB0");
  // Bytes that are not UTF-8 where they stand, beside valid UTF-8 in the same file.
  EXPECT_EQ(DecodeFileBytes("\xEF\xBB\xBF\x93x\xC3\xA9"), u"\uFEFF\xDC93x\u00E9");
}

TEST(TextDecoding, AFileDecodedInPiecesIsDecodedAsAWhole) {
  for (const std::string_view bytes :
       {"caf\xC3\xA9 \xF0\x9F\x98\x80 \xE9t\xE2\x82"sv,
        "\xFF\xFE"
        "A\0\xE9\0\xB0"sv,
        "\xFE\xFF\0A\x20\xAC"sv, "\xEF\xBB\xBF\xE2\x82\xAC"sv, "\xFF"sv, ""sv}) {
    for (size_t piece = 1; piece <= 4; ++piece) {
      FileDecoder decoder(bytes.size());
      for (size_t at = 0; at < bytes.size(); at += piece) decoder.Add(bytes.substr(at, piece));
      EXPECT_EQ(decoder.Finish(), DecodeFileBytes(bytes, nullptr)) << piece;
    }
  }
}

TEST(TextDecoding, ACodePageDecodesOnlyFilesThatAreNotUtf8) {
  const CodePage windows1252("windows-1252");
  const CodePage gbk("GBK");
  EXPECT_EQ(DecodeFileBytes("\x93quoted\x94 \x80", &windows1252), u"\u201Cquoted\u201D \u20AC");
  EXPECT_EQ(DecodeFileBytes("caf\xC3\xA9", &windows1252), u"caf\u00E9");
  EXPECT_EQ(DecodeFileBytes("\xEF\xBB\xBF\xE9", &windows1252), u"\uFEFF\u00E9");
  // Bytes the code page leaves undefined keep their escape.
  EXPECT_EQ(DecodeFileBytes("a\x81z\xE9", &windows1252), u"a\xDC81z\u00E9");
  EXPECT_EQ(DecodeFileBytes("\xD6\xD0\xFF", &gbk), u"\u4E2D\xDCFF");
  EXPECT_THROW(CodePage("no-such-code-page"), std::invalid_argument);
}

// "encoding mark" for what `bytes` were, as BytesOf, a decoder and a code page read them.
std::string Described(const TextBytes& bytes) {
  static const char* const names[] = {"unknown", "ascii", "utf8", "other"};
  return std::string(names[static_cast<int>(bytes.encoding)]) + (bytes.utf8Mark ? " mark" : "");
}

TEST(TextDecoding, RecordsWhetherTheBytesWereAsciiUtf8OrOtherAndAMark) {
  const std::vector<std::pair<std::string_view, std::string>> cases = {
      {"", "ascii"},
      {"<% x %>", "ascii"},
      {"caf\xC3\xA9", "utf8"},
      {"\xEF\xBB\xBF<p>", "ascii mark"},
      {"\xEF\xBB\xBF\xC3\xA9", "utf8 mark"},
      {"caf\xE9", "other"},
      {"\xEF\xBB\xBF\xC3\xA9\xE9", "other mark"},
      {"\xEF\xBB\xBF\xEF\xBB\xBF", "utf8 mark"},
      {"\xEF\xBB", "other"},
      // U+1F4A1 ends in the pair half U+DCA1, which is no escape.
      {"x\xF0\x9F\x92\xA1", "utf8"},
      {"x\xF0\x9F\x92", "other"},
      {"\xFF\xFE"
       "A\0"sv,
       "other"},
  };
  const CodePage windows1252("windows-1252");
  for (const auto& [bytes, described] : cases) {
    EXPECT_EQ(Described(BytesOf(bytes)), described) << bytes;
    FileDecoder decoder(bytes.size());
    decoder.Add(bytes);
    decoder.Finish();
    EXPECT_EQ(Described(decoder.Bytes()), described) << bytes;
    FileDecoder byteByByte(bytes.size());
    for (size_t at = 0; at < bytes.size(); ++at) byteByByte.Add(bytes.substr(at, 1));
    byteByByte.Finish();
    EXPECT_EQ(Described(byteByByte.Bytes()), described) << bytes;
  }
  EXPECT_EQ(Described(Utf8TextBytes(u"x\U0001F4A1")), "utf8");
  EXPECT_EQ(Described(Utf8TextBytes(u"\uFEFFx\xDCA1")), "other mark");
  TempFolder temp;
  temp.Write("root/latin.inc", "caf\xE9");
  const DiskFiles files(temp.Path() / "root");
  const std::shared_ptr<const SourceText> decoded =
      files.Source(*files.Resolve(u"latin.inc"), &windows1252);
  EXPECT_EQ(decoded->Value(), u"caf\u00E9");
  EXPECT_EQ(Described(decoded->Bytes()), "other");
}

TEST_F(DiskFilesTest, HostAnswersWithRealPathsOrAsRequestedAndSharesTextsByFile) {
  const DiskFiles files(Root());
  DiskHost onDisk(files, 10, DiskHost::Paths::OnDisk);
  const auto [path, first] = Ask(onDisk, u"./inc\\a.inc");
  EXPECT_EQ(path, u"inc/a.inc");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->Value(), u"A");
  // Another spelling of the same file shares the text read the first time.
  EXPECT_EQ(Ask(onDisk, u"INC/A.inc"), Answer(u"inc/a.inc", first));
  int32_t error = 0;
  EXPECT_EQ(Ask(onDisk, u"../outside.txt", &error), Answer(u"../outside.txt", nullptr));
  EXPECT_EQ(error, FileSupply::NotFound);

  DiskHost asRequested(files, 10, DiskHost::Paths::AsRequested);
  const Answer upper = Ask(asRequested, u"/INC/a.inc");
  EXPECT_EQ(upper.first, u"/INC/a.inc");
  ASSERT_TRUE(upper.second);
  EXPECT_EQ(Ask(asRequested, u"inc\\A.INC"), Answer(u"inc\\A.INC", upper.second));
}

TEST_F(DiskFilesTest, HostKeepsIncludedTextsForTheRunButAPageOnlyForItsPage) {
  temp.Write("root/p.asp", "P");
  const DiskFiles files(Root());
  DiskHost host(files, 10);
  auto request = [&](const Text& path) { return Ask(host, path).second; };
  host.StartPage();
  std::weak_ptr<const SourceText> page = request(u"p.asp");
  const std::shared_ptr<const SourceText> include = request(u"inc/a.inc");
  EXPECT_FALSE(page.expired());
  host.StartPage();
  EXPECT_TRUE(page.expired());
  EXPECT_EQ(request(u"p.asp")->Value(), u"P");
  EXPECT_EQ(request(u"inc/a.inc"), include);
  // Once something includes the page, its text is kept like any other.
  const std::shared_ptr<const SourceText> included = request(u"p.asp");
  host.StartPage();
  EXPECT_EQ(request(u"p.asp"), included);
}

TEST_F(DiskFilesTest, HostsThatShareTextsReadAnIncludedFileOnce) {
  temp.Write("root/p.asp", "P");
  const DiskFiles files(Root());
  const auto shared = std::make_shared<SharedTexts>();
  DiskHost first(files, 10);
  DiskHost second(files, 10);
  first.ShareTexts(shared);
  second.ShareTexts(shared);
  first.StartPage();
  const std::shared_ptr<const SourceText> page = Ask(first, u"p.asp").second;
  const std::shared_ptr<const SourceText> read = Ask(first, u"inc/a.inc").second;
  temp.Write("root/inc/a.inc", "changed");
  temp.Write("root/p.asp", "changed");
  second.StartPage();
  // The included file comes from what the first host read; the page, which no host keeps, is
  // read again.
  const std::shared_ptr<const SourceText> shares = Ask(second, u"inc/a.inc").second;
  ASSERT_TRUE(shares);
  EXPECT_EQ(shares, read);
  EXPECT_EQ(shares->Value(), u"A");
  EXPECT_EQ(Ask(second, u"p.asp").second->Value(), u"changed");
  EXPECT_EQ(page->Value(), u"P");
  // A host that forgets its texts stops sharing: it sees the disk as it is now.
  second.ForgetTexts();
  EXPECT_EQ(Ask(second, u"inc/a.inc").second->Value(), u"changed");
  EXPECT_EQ(Ask(first, u"inc/a.inc").second, read);
}

}  // namespace lintra
