// The document file format: line reading rules, the CR LF writer, and the writer's
// promise never to destroy the file it replaces.
#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Errors.h"
#include "platform/TextFile.h"

using platform::EInOutError;
using platform::TTextFileReader;
using platform::TTextFileWriter;
using Lines = std::vector<std::string>;

namespace {

// A fresh folder per test, removed with the files in it.
struct TempDir {
  std::string path;
  TempDir() {
    char pattern[] = "/tmp/quorvel-textfile-XXXXXX";
    path = mkdtemp(pattern);
  }
  ~TempDir() {
    chmod(path.c_str(), 0700);
    for (const std::string& name : Entries()) unlink((path + "/" + name).c_str());
    rmdir(path.c_str());
  }
  std::string File(const std::string& name) const { return path + "/" + name; }
  Lines Entries() const {
    Lines names;
    DIR* dir = opendir(path.c_str());
    while (dirent* entry = dir ? readdir(dir) : nullptr) {
      if (entry->d_name[0] != '.' || entry->d_name[1] > '.') names.push_back(entry->d_name);
    }
    if (dir) closedir(dir);
    return names;
  }
};

void WriteBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string ReadBytes(const std::string& path) {
  std::ostringstream out;
  out << std::ifstream(path, std::ios::binary).rdbuf();
  return out.str();
}

Lines ReadAll(const std::string& path) {
  TTextFileReader reader(path);
  Lines lines;
  for (std::string line; reader.ReadLine(line);) lines.push_back(line);
  return lines;
}

void WriteAll(const std::string& path, const Lines& lines) {
  TTextFileWriter writer(path);
  for (const std::string& line : lines) writer.WriteLine(line);
  writer.Commit();
}

// The I/O code of the error the action raises, 0 when it succeeds.
int IOCodeOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EInOutError& error) {
    return error.ErrorCode();
  }
  return 0;
}

std::string EveryByteButBreaks() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) {
    if (b != '\n' && b != '\r' && b != 26) bytes.push_back(static_cast<char>(b));
  }
  return bytes;
}

}  // namespace

TEST(TextFileReader, FollowsTheLineRules) {
  // The reader fills 64 KiB at a time: some breaks sit exactly across that seam.
  const std::string head(64 * 1024 - 1, 'x');
  const struct {
    const char* name;
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"CR LF between", "a\r\nb", {"a", "b"}},
      {"CR LF after each", "a\r\nb\r\n", {"a", "b"}},
      {"LF between", "a\nb", {"a", "b"}},
      {"lone CR dropped", "a\rb\r\n", {"ab"}},
      {"CR before CR LF", "a\r\r\nb", {"a", "b"}},
      {"only a CR", "\r", {}},
      {"empty file", "", {}},
      {"empty lines kept", "a\n\n\r\nb", {"a", "", "", "b"}},
      {"trailing blanks kept", "a  \r\n  ", {"a  ", "  "}},
      {"Ctrl+Z at a line start", "first\r\n\x1asecond\r\nthird", {"first"}},
      {"Ctrl+Z inside a line", "one\r\ntw\x1ao\r\nthree", {"one", "tw\x1ao", "three"}},
      {"Ctrl+Z after a dropped CR", "a\n\r\x1a" "b", {"a"}},
      {"CR LF across the seam", head + "\r\nyz", {head, "yz"}},
      {"lone CR across the seam", head + "\ryz\n", {head + "yz"}},
  };
  TempDir dir;
  for (const auto& c : cases) {
    WriteBytes(dir.File("in"), c.bytes);
    EXPECT_EQ(ReadAll(dir.File("in")), c.lines) << c.name;
  }
}

TEST(TextFileReader, TellsHowMuchACtrlZAtALineStartLeftUnread) {
  TempDir dir;
  WriteBytes(dir.File("in"), "a\r\nb\r\n\x1arest\r\n");
  TTextFileReader reader(dir.File("in"));
  Lines lines;
  for (std::string line; reader.ReadLine(line);) lines.push_back(line);
  EXPECT_EQ(lines, (Lines{"a", "b"}));
  EXPECT_EQ(reader.MarkLine(), 2u);
  EXPECT_EQ(reader.UnreadBytes(), 7u);
}

TEST(TextFileReader, RefusesWhatIsNotARegularFileBeforeReading) {
  TempDir dir;
  // A pipe with no writer would block the open and the read; a device may never end.
  ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0600), 0);
  for (const std::string& name : {dir.File("pipe"), std::string("/dev/zero")}) {
    EXPECT_THROW(TTextFileReader reader(name), platform::EFOpenError) << name;
    EXPECT_THROW(platform::ReadWholeFile(name), platform::EFOpenError) << name;
  }
  // A link to a regular file is read as the file.
  WriteBytes(dir.File("page"), "x\n");
  ASSERT_EQ(symlink(dir.File("page").c_str(), dir.File("link").c_str()), 0);
  EXPECT_EQ(ReadAll(dir.File("link")), Lines{"x"});
}

TEST(TextFileWriter, WritesCrLfAfterEveryLineAndRoundTripsAnyBytes) {
  TempDir dir;
  WriteAll(dir.File("a.html"), {"<html>", "", "  "});
  EXPECT_EQ(ReadBytes(dir.File("a.html")), "<html>\r\n\r\n  \r\n");
  WriteAll(dir.File("empty.html"), {});
  EXPECT_EQ(ReadBytes(dir.File("empty.html")), "");

  std::string longLine(200000, 'q');
  for (std::size_t i = 0; i < longLine.size(); i += 997) longLine[i] = static_cast<char>('a' + i % 26);
  const Lines lines{longLine, EveryByteButBreaks(), "", EveryByteButBreaks() + " "};
  WriteAll(dir.File("bytes"), lines);
  EXPECT_EQ(ReadAll(dir.File("bytes")), lines);
  EXPECT_EQ(ReadBytes(dir.File("bytes")).size(), 200000 + 253 + 254 + 4 * 2);
}

TEST(TextFileWriter, RoundTripsRealDocumentsWithCrLf) {
  // Plain text shipped with the system: after read and write each LF becomes CR LF and
  // nothing else changes.
  const char* sources[] = {"/usr/share/doc/cmake/copyright", "/usr/share/doc/bash/copyright",
                           "/usr/share/doc/coreutils/copyright", "/usr/share/doc/libc6/copyright",
                           "/usr/share/doc/git/copyright", "/usr/share/doc/g++-12/README.Bugs"};
  TempDir dir;
  int checked = 0;
  for (const char* source : sources) {
    const std::string original = ReadBytes(source);
    if (original.empty() || original.find_first_of(std::string("\r\x1a", 2)) != std::string::npos) continue;
    std::string expected;
    for (char c : original) expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
    if (original.back() != '\n') expected += "\r\n";
    WriteAll(dir.File("copy"), ReadAll(source));
    EXPECT_EQ(ReadBytes(dir.File("copy")), expected) << source;
    ++checked;
  }
  EXPECT_GE(checked, 3) << "too few documents found under /usr/share/doc";
}

TEST(TextFileWriter, ReplacesOnlyOnCommitKeepingPermissionsAndLinks) {
  TempDir dir;
  const std::string path = dir.File("page.html");
  WriteBytes(path, "keep me\r\n");
  chmod(path.c_str(), 0640);
  {
    TTextFileWriter writer(path);
    for (int i = 0; i < 100000; ++i) writer.WriteLine("replacement text that never lands");
    // No Commit: the write was interrupted.
  }
  EXPECT_EQ(ReadBytes(path), "keep me\r\n");
  WriteAll(path, {"new"});
  EXPECT_EQ(ReadBytes(path), "new\r\n");
  struct stat st {};
  stat(path.c_str(), &st);
  EXPECT_EQ(st.st_mode & 07777, 0640u);

  // Saving through a symbolic link replaces the file it names and keeps the link.
  ASSERT_EQ(symlink(path.c_str(), dir.File("link.html").c_str()), 0);
  WriteAll(dir.File("link.html"), {"through the link"});
  EXPECT_EQ(ReadBytes(path), "through the link\r\n");
  ASSERT_EQ(lstat(dir.File("link.html").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(dir.Entries().size(), 2u) << "a temporary file was left behind";
}

TEST(TextFileWriter, WritesThroughHardLinksAndDanglingLinksKeepingAttributes) {
  TempDir dir;
  const std::string path = dir.File("page.html");
  WriteBytes(path, "old\r\n");
  ASSERT_EQ(link(path.c_str(), dir.File("other.html").c_str()), 0);
  const bool hasAttributes = setxattr(path.c_str(), "user.note", "kept", 4, 0) == 0;
  WriteAll(path, {"new"});
  EXPECT_EQ(ReadBytes(dir.File("other.html")), "new\r\n");
  WriteAll(dir.File("other.html"), {"newer", "and longer"});
  EXPECT_EQ(ReadBytes(path), "newer\r\nand longer\r\n");
  WriteAll(path, {"short"});
  EXPECT_EQ(ReadBytes(dir.File("other.html")), "short\r\n");

  unlink(dir.File("other.html").c_str());
  WriteAll(path, {"replaced"});
  char value[8] = {};
  if (hasAttributes) {
    EXPECT_EQ(getxattr(path.c_str(), "user.note", value, sizeof value), 4);
    EXPECT_STREQ(value, "kept");
  }

  // A link whose target does not exist yet: the target is created, the link stays.
  ASSERT_EQ(symlink("made.html", dir.File("dangling.html").c_str()), 0);
  WriteAll(dir.File("dangling.html"), {"made"});
  EXPECT_EQ(ReadBytes(dir.File("made.html")), "made\r\n");
  struct stat st {};
  ASSERT_EQ(lstat(dir.File("dangling.html").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(dir.Entries().size(), 3u) << "a temporary file was left behind";
}

TEST(TextFileWriter, RemovesTemporariesOfKilledSavesButNotOfRunningOnes) {
  TempDir dir;
  WriteBytes(dir.File(".quorvel-AbC123"), "left by a killed save");
  WriteBytes(dir.File(".quorvel-Busy99"), "being written");
  WriteBytes(dir.File(".quorvel-notours-file"), "someone else's");
  const int busy = open(dir.File(".quorvel-Busy99").c_str(), O_RDONLY);
  ASSERT_EQ(flock(busy, LOCK_EX), 0);
  WriteAll(dir.File("page.html"), {"x"});
  close(busy);
  std::vector<std::string> left = dir.Entries();
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (Lines{".quorvel-Busy99", ".quorvel-notours-file", "page.html"}));
}

TEST(TextFile, ReportsFailuresWithTheirCodesAndKeepsTheTarget) {
  TempDir dir;
  EXPECT_THROW(TTextFileReader reader(dir.File("missing.html")), platform::EFOpenError);
  EXPECT_THROW(ReadAll(dir.path), platform::EFOpenError);
  // A full device is written in place and never replaced.
  EXPECT_EQ(IOCodeOf([] { WriteAll("/dev/full", {"x"}); }), 101);
  struct stat st {};
  ASSERT_EQ(stat("/dev/full", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
  EXPECT_EQ(IOCodeOf([&] { WriteAll(dir.path, {"x"}); }), 5);
  EXPECT_EQ(IOCodeOf([&] { WriteAll(dir.File("nowhere/page.html"), {"x"}); }), 2);
  // Places no one may create or replace files in, root included.
  EXPECT_NE(IOCodeOf([] { WriteAll("/proc/quorvel-page.html", {"x"}); }), 0);
  EXPECT_NE(IOCodeOf([] { WriteAll("/proc/version", {"x"}); }), 0);
  // A pipe with no reader fails instead of hanging.
  ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0600), 0);
  try {
    WriteAll(dir.File("pipe"), {"x"});
    ADD_FAILURE() << "writing a pipe with no reader succeeded";
  } catch (const EInOutError& error) {
    EXPECT_NE(std::string(error.what()).find("no program is reading"), std::string::npos) << error.what();
  }
  EXPECT_EQ(dir.Entries(), Lines{"pipe"});
}

TEST(TextFileWriter, RefusesReadOnlyFilesAndFolders) {
  if (geteuid() == 0) GTEST_SKIP() << "running as root: file permissions do not stop root from writing";
  TempDir dir;
  const std::string path = dir.File("locked.html");
  WriteBytes(path, "locked\r\n");
  chmod(path.c_str(), 0444);
  EXPECT_EQ(IOCodeOf([&] { WriteAll(path, {"x"}); }), 5);
  chmod(path.c_str(), 0644);
  chmod(dir.path.c_str(), 0555);
  EXPECT_EQ(IOCodeOf([&] { WriteAll(path, {"x"}); }), 5);
  EXPECT_EQ(ReadBytes(path), "locked\r\n");
}
