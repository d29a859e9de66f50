// The program's file writer (platform/AtomicFile) and the image library's (imagelib/OutputFile)
// follow one rule for modes, links, read-only files and temporary files: one table holds both.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>

#include "imagelib/OutputFile.h"
#include "platform/AtomicFile.h"
#include "platform/PlatformInit.h"
#include "support/TestData.h"

namespace {

namespace fs = std::filesystem;

struct SaveOutcome {
  bool ok = false;
  bool readOnly = false;  // the writer gave "read-only" as the reason
};

template <class File>
SaveOutcome SaveWith(const std::string& path, const std::string& bytes) {
  File file;
  SaveOutcome outcome;
  FILE* f = file.Open(path.c_str());
  if (f) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    outcome.ok = file.Commit();
  }
  outcome.readOnly = file.Reason() == File::Failure::ReadOnly;
  return outcome;
}

struct Writer {
  const char* name;
  std::function<SaveOutcome(const std::string&, const std::string&)> save;
};

const Writer kWriters[] = {
    {"AtomicFile", SaveWith<CAtomicFile>},
    {"OutputFile", SaveWith<tolvo::COutputFile>},
};

unsigned ModeOf(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0u;
}

bool IsLink(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// The names in a folder, to see that no temporary file was left behind.
std::set<std::string> Names(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
  return names;
}

class ScopedUmask {
 public:
  explicit ScopedUmask(mode_t mask) : m_old(::umask(mask)) {}
  ~ScopedUmask() { ::umask(m_old); }

 private:
  mode_t m_old;
};

class SaveRuleTest : public ::testing::TestWithParam<Writer> {
 protected:
  SaveOutcome Save(const std::string& path, const std::string& bytes) { return GetParam().save(path, bytes); }
};

TEST_P(SaveRuleTest, ANewFileTakesItsModeFromTheUmask) {
  struct Case {
    mode_t umask;
    unsigned mode;
  };
  const Case cases[] = {{022, 0644}, {077, 0600}, {002, 0664}, {0, 0666}, {027, 0640}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.umask);
    CScratchDir dir;
    ScopedUmask mask(c.umask);
    ASSERT_TRUE(Save(dir / "new.ldr", "new").ok);
    EXPECT_EQ(ModeOf(dir / "new.ldr"), c.mode);
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{"new.ldr"});
  }
}

TEST_P(SaveRuleTest, AReplacedFileKeepsItsMode) {
  ScopedUmask mask(022);
  for (unsigned mode : {0600u, 0640u, 0755u, 0666u, 0200u}) {
    SCOPED_TRACE(mode);
    CScratchDir dir;
    std::string path = dir / "old.ldr";
    ASSERT_TRUE(WriteFileBytes(path, "old"));
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    ASSERT_TRUE(Save(path, "new").ok);
    EXPECT_EQ(ModeOf(path), mode);
    ::chmod(path.c_str(), 0600);
    EXPECT_EQ(ReadFileBytes(path), "new");
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{"old.ldr"});
  }
}

// Saving through a link writes the file the link leads to; the link stays as it was.
TEST_P(SaveRuleTest, ALinkIsFollowedAndKept) {
  struct Case {
    const char* name;
    bool targetExists;
    // Makes the links in the folders "a" (where the save goes) and "b" (where the file is).
    std::function<void(const CScratchDir&)> make;
  };
  const Case cases[] = {
      {"relative link into another folder", true,
       [](const CScratchDir& d) { fs::create_symlink("../b/model.ldr", d / "a/link.ldr"); }},
      {"absolute link", true, [](const CScratchDir& d) { fs::create_symlink(d / "b/model.ldr", d / "a/link.ldr"); }},
      {"chain of two links", true,
       [](const CScratchDir& d) {
         fs::create_symlink("model.ldr", d / "b/middle.ldr");
         fs::create_symlink("../b/middle.ldr", d / "a/link.ldr");
       }},
      {"link through a linked folder", true,
       [](const CScratchDir& d) {
         fs::create_directory_symlink(d / "b", d / "a/folder");
         fs::create_symlink("folder/model.ldr", d / "a/link.ldr");
       }},
      {"link to a file not yet made", false,
       [](const CScratchDir& d) { fs::create_symlink("../b/model.ldr", d / "a/link.ldr"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CScratchDir dir;
    fs::create_directory(dir / "a");
    fs::create_directory(dir / "b");
    std::string target = dir / "b/model.ldr";
    if (c.targetExists) {
      ASSERT_TRUE(WriteFileBytes(target, "old"));
      ::chmod(target.c_str(), 0640);
    }
    c.make(dir);
    std::set<std::string> namesA = Names(dir / "a"), namesB = Names(dir / "b");
    std::string link = dir / "a/link.ldr";
    std::string linkText = fs::read_symlink(link);
    ASSERT_TRUE(Save(link, "new").ok);
    EXPECT_TRUE(IsLink(link));
    EXPECT_EQ(fs::read_symlink(link).string(), linkText);
    EXPECT_EQ(ReadFileBytes(target), "new");
    if (c.targetExists) {
      EXPECT_EQ(ModeOf(target), 0640u);
    }
    namesB.insert("model.ldr");
    EXPECT_EQ(Names(dir / "a"), namesA);
    EXPECT_EQ(Names(dir / "b"), namesB);
  }
}

TEST_P(SaveRuleTest, AReadOnlyFileIsReportedAndKept) {
  for (bool throughLink : {false, true}) {
    SCOPED_TRACE(throughLink ? "through a link" : "directly");
    CScratchDir dir;
    std::string path = dir / "model.ldr";
    ASSERT_TRUE(WriteFileBytes(path, "old"));
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    if (throughLink) fs::create_symlink("model.ldr", dir / "link.ldr");
    SaveOutcome outcome = Save(throughLink ? dir / "link.ldr" : path, "new");
    EXPECT_FALSE(outcome.ok);
    EXPECT_TRUE(outcome.readOnly);
    EXPECT_EQ(ReadFileBytes(path), "old");
    EXPECT_EQ(ModeOf(path), 0444u);
    if (throughLink) {
      EXPECT_TRUE(IsLink(dir / "link.ldr"));
    }
    EXPECT_EQ(Names(dir.Path()).size(), throughLink ? 2u : 1u);
  }
}

// In a child: the program's start-up settings, then a write past the file-size limit. SIGXFSZ must
// not end the program; the save fails, keeps the old file and leaves no temporary file.
[[noreturn]] void SaveBeyondTheSizeLimit(const Writer& writer, const std::string& folder) {
  InitPlatform();
  rlimit limit{};
  limit.rlim_cur = limit.rlim_max = 4096;
  if (setrlimit(RLIMIT_FSIZE, &limit) != 0) std::_Exit(3);
  SaveOutcome outcome = writer.save(folder + "model.ldr", std::string(100000, 'x'));
  if (outcome.ok) std::_Exit(4);
  if (ReadFileBytes(folder + "model.ldr") != "old") std::_Exit(5);
  if (Names(folder) != std::set<std::string>{"model.ldr"}) std::_Exit(6);
  std::_Exit(0);
}

TEST_P(SaveRuleTest, AWritePastTheSizeLimitFailsAndLeavesNoTemporaryFile) {
  CScratchDir dir;
  ASSERT_TRUE(WriteFileBytes(dir / "model.ldr", "old"));
  EXPECT_EXIT(SaveBeyondTheSizeLimit(GetParam(), dir.Path()), ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(ReadFileBytes(dir / "model.ldr"), "old");
  EXPECT_EQ(Names(dir.Path()), std::set<std::string>{"model.ldr"});
}

TEST_P(SaveRuleTest, ADeviceIsWrittenInPlace) {
  if (!fs::exists("/dev/full") || !fs::exists("/dev/null")) GTEST_SKIP() << "no /dev/full or /dev/null";
  EXPECT_TRUE(Save("/dev/null", "new").ok);
  EXPECT_FALSE(Save("/dev/full", std::string(10000, 'x')).ok);
}

INSTANTIATE_TEST_SUITE_P(Writers, SaveRuleTest, ::testing::ValuesIn(kWriters),
                         [](const ::testing::TestParamInfo<Writer>& writer) { return writer.param.name; });

}  // namespace
