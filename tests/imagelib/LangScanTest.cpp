// The language-pack scan over catalogues built with msgfmt: compatible, old version, missing
// message, versions differing in letter case, the cache and its invalidation.
#include <gtest/gtest.h>
#include <sys/time.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <vector>

#include "config/DllContainer.h"
#include "support/TestData.h"

namespace {

const std::vector<std::string> kRequired = {"Open", "Save", "Line one\nLine two"};

std::string PoQuote(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\n') out += "\\n";
    else if (c == '"' || c == '\\') out += std::string("\\") + c;
    else out += c;
  }
  return out + "\"";
}

class LangScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", (scratch / "config").c_str(), 1);
    std::filesystem::create_directories(scratch / "packs");
  }
  void TearDown() override { unsetenv("XDG_CONFIG_HOME"); }

  std::string Packs() const { return scratch / "packs/"; }
  std::string LogPath() const { return scratch / "scan.log"; }
  std::string Log() const { return ReadFileBytes(LogPath()); }
  std::string CacheFile() const { return scratch / "config/Plandor/Tolvo.conf"; }

  // Builds packs/tolvolang<name>.mo with msgfmt; an empty version leaves the version entry out.
  void MakePack(const std::string& name, const std::string& version, const std::vector<std::string>& ids) {
    std::string po = "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";
    if (!version.empty()) po += "msgid " + PoQuote(kTolvoVersionMsgId) + "\nmsgstr " + PoQuote(version) + "\n\n";
    for (const std::string& id : ids) po += "msgid " + PoQuote(id) + "\nmsgstr " + PoQuote("[" + id + "]") + "\n\n";
    std::string poPath = scratch / (name + ".po");
    ASSERT_TRUE(WriteFileBytes(poPath, po));
    std::string mo = Packs() + "tolvolang" + name + ".mo";
    std::string command = "msgfmt -o '" + mo + "' '" + poPath + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }

  // Runs the scan; the names it returns.
  std::vector<std::string> Scan(int* result = nullptr, const std::string& version = "V1.4") {
    std::vector<const char*> ids;
    for (const std::string& id : kRequired) ids.push_back(id.c_str());
    TolvoStringList list{};
    int r = ScanCheckLangDlls(&list, Packs().c_str(), version.c_str(), ids.data(), uint32_t(ids.size()), LogPath().c_str());
    if (result) *result = r;
    std::vector<std::string> names(list.items, list.items + list.count);
    EXPECT_EQ(FreeStringList(&list), 1);
    EXPECT_EQ(list.items, nullptr);
    return names;
  }

  // Gives the pack another time stamp, as an update would.
  void Touch(const std::string& name, time_t when) {
    std::string path = Packs() + "tolvolang" + name + ".mo";
    timeval times[2] = {{when, 0}, {when, 0}};
    ASSERT_EQ(utimes(path.c_str(), times), 0);
  }

  CScratchDir scratch;
};

using Names = std::vector<std::string>;

TEST_F(LangScanTest, NoPacksGivesEnglishAloneAndZero) {
  int result = -1;
  EXPECT_EQ(Scan(&result), (Names{"English"}));
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Log(), "Scanning directory '" + Packs() + "' for language dlls\n");
}

TEST_F(LangScanTest, CompatibleOldAndIncompletePacksAreSortedOut) {
  MakePack("German", "V1.4", kRequired);
  MakePack("French", "V1.3", kRequired);
  MakePack("Dutch", "V1.4", {"Open", "Line one\nLine two"});
  MakePack("Danish", "V1.4", {"Open", "Save", "Line one\nLine two", "Extra"});
  MakePack("Swedish", "V1.4", {"OPEN", "Save", "Line one\nLine two"});  // ids compare exactly
  int result = 0;
  EXPECT_EQ(Scan(&result), (Names{"English", "Danish", "German"}));
  EXPECT_EQ(result, 1);
  std::string log = Log();
  EXPECT_NE(log.find("Prepare checking dll 'tolvolangGerman' ... \n"), std::string::npos);
  EXPECT_NE(log.find("Found new dll 'tolvolangGerman' ... checking later ...\n"), std::string::npos);
  EXPECT_NE(log.find("Dll 'tolvolangGerman' passed compatibility test.\n"), std::string::npos);
  EXPECT_NE(log.find("Dll 'tolvolangDanish' passed compatibility test.\n"), std::string::npos);
  EXPECT_NE(log.find("Version of Dll 'tolvolangFrench' doesn't match ==> ignoring!\n"), std::string::npos);
  EXPECT_NE(log.find("Dll 'tolvolangDutch' failed compatibility test!\nMissing resources in 'tolvolangDutch':\n"
                     "Type : msgid, Name : Save, Lang: 0\n"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("Dll 'tolvolangSwedish' failed compatibility test!\n"), std::string::npos);
}

TEST_F(LangScanTest, APackWithoutVersionIsIgnoredAndCheckedAgainAtEveryStart) {
  MakePack("Italian", "", kRequired);
  EXPECT_EQ(Scan(), (Names{"English"}));
  EXPECT_NE(Log().find("Dll 'tolvolangItalian' is missing version information ==> ignoring!\n"), std::string::npos);
  EXPECT_EQ(Scan(), (Names{"English"}));
  EXPECT_NE(Log().find("Found dll 'tolvolangItalian' with invalid registry information ... checking later ...\n"),
            std::string::npos);
}

TEST_F(LangScanTest, AVersionDifferingOnlyInCaseIsAcceptedByTheCheckAndByTheCache) {
  MakePack("German", "v1.4", kRequired);
  EXPECT_EQ(Scan(), (Names{"English", "German"}));
  EXPECT_NE(Log().find("passed compatibility test"), std::string::npos);
  // The next start decides from the cache, which holds the pack's own spelling.
  EXPECT_EQ(Scan(), (Names{"English", "German"}));
  EXPECT_NE(Log().find("Dll 'tolvolangGerman' is well known.\n"), std::string::npos) << Log();
  EXPECT_NE(ReadFileBytes(CacheFile()).find(" v1.4\n"), std::string::npos);
}

TEST_F(LangScanTest, TheCacheDecidesWhileSizeAndTimeStayTheSame) {
  MakePack("German", "V1.4", kRequired);
  Touch("German", 1700000000);
  EXPECT_EQ(Scan(), (Names{"English", "German"}));
  std::string cache = ReadFileBytes(CacheFile());
  uintmax_t size = std::filesystem::file_size(Packs() + "tolvolangGerman.mo");
  EXPECT_NE(cache.find("[Dornveld/Tolvo/LangDlls]\ntolvolangGerman=Y " + std::to_string(size) + " "), std::string::npos)
      << cache;
  // Same size and time, different bytes: the cache still decides (the pack is not read).
  std::string path = Packs() + "tolvolangGerman.mo";
  ASSERT_TRUE(WriteFileBytes(path, std::string(size, 'x')));
  Touch("German", 1700000000);
  EXPECT_EQ(Scan(), (Names{"English", "German"}));
  EXPECT_NE(Log().find("Dll 'tolvolangGerman' is well known.\n"), std::string::npos);
  // A new time stamp makes the scan read it again, and now it is broken.
  Touch("German", 1700000100);
  EXPECT_EQ(Scan(), (Names{"English"}));
  EXPECT_NE(Log().find("Dll 'tolvolangGerman' has been changed ... checking later ...\n"), std::string::npos);
}

TEST_F(LangScanTest, ACachedVerdictForAnotherRequiredVersionIsIgnored) {
  MakePack("German", "V1.4", kRequired);
  EXPECT_EQ(Scan(), (Names{"English", "German"}));
  EXPECT_EQ(Scan(nullptr, "V1.5"), (Names{"English"}));
  EXPECT_NE(Log().find("Version of Dll 'tolvolangGerman' doesn't match ==> ignoring!\n"), std::string::npos);
}

TEST_F(LangScanTest, OtherContentOfTheCacheFileIsKept) {
  std::filesystem::create_directories(scratch / "config/Plandor");
  ASSERT_TRUE(WriteFileBytes(CacheFile(), "[Other]\nkey=value\n[Dornveld/Tolvo/LangDlls]\ntolvolangGone=N 1 2 V1.4\n"));
  MakePack("German", "V1.4", kRequired);
  Scan();
  std::string cache = ReadFileBytes(CacheFile());
  EXPECT_EQ(cache.rfind("[Other]\nkey=value\n", 0), 0u) << cache;
  EXPECT_NE(cache.find("tolvolangGone=N 1 2 V1.4\n"), std::string::npos);  // never deleted
  EXPECT_NE(cache.find("tolvolangGerman=Y "), std::string::npos);
}

TEST_F(LangScanTest, DamagedCataloguesAreUnusable) {
  ASSERT_TRUE(WriteFileBytes(Packs() + "tolvolangBroken.mo", std::string("\xde\x12\x04\x95\0\0\0\0\xff\xff\xff\x7f", 12) + std::string(20, '\0')));
  EXPECT_EQ(Scan(), (Names{"English"}));
}

TEST_F(LangScanTest, TheProgramReachesTheScanThroughTheBinding) {
  MakePack("German", "V1.4", kRequired);
  const char* bin = std::getenv("PLANDOR_BIN_DIR");
  CDllContainer dll(std::string(bin ? bin : ".") + "/libtolvo.so");
  TolvoStringList list{};
  EXPECT_EQ(dll.ScanCheckLangDlls(&list, Packs(), "V1.4", kRequired, LogPath()), 1);
  ASSERT_EQ(list.count, 2u);
  EXPECT_STREQ(list.items[1], "German");
  EXPECT_EQ(dll.FreeStringList(&list), 1);
  EXPECT_EQ(list.count, 0u);
}

}  // namespace
