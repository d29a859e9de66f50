// The real library subset and the shared models: every sub-file they reference resolves, and no
// file read on the way has a line error.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "LibraryScope.h"
#include "config/StringUtils.h"
#include "model/FileCache.h"
#include "model/QvElement.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"
#include "support/ScriptedPrompt.h"
#include "support/TestData.h"

namespace fs = std::filesystem;

namespace {

struct Tally {
  int unresolved = 0;
  int subModelRefs = 0;
  std::vector<std::string> missingNames;
};

// The names of the "0 FILE" sections of a multi-part file, in lower case.
std::set<std::string> SectionNames(const std::string& path) {
  std::set<std::string> names;
  CFileTextHandler in;
  if (!in.Open(path, "r")) return names;
  std::string line;
  while (in.ReadLine(line)) {
    std::string t = line;
    TrimString(t);
    if (t.size() > 7 && t.compare(0, 7, "0 FILE ") == 0) names.insert(ToLowerAscii(t.substr(7)));
  }
  return names;
}

void CountReferences(const CQvFile& file, const std::set<std::string>& sections, Tally& tally) {
  for (size_t i = 0; i < file.GetCount(); ++i) {
    const CQvPart* e = file.GetAt(i);
    if (e->GetType() != ElementType::Reference) continue;
    const auto* ref = static_cast<const CQvElement*>(e);
    if (sections.count(ToLowerAscii(ref->GetFileName()))) {
      ++tally.subModelRefs;
    } else if (ref->IsFileMissing()) {
      ++tally.unresolved;
      tally.missingNames.push_back(ref->GetFileName());
    }
  }
}

uint32_t CachedLineErrors() {
  uint32_t n = 0;
  for (size_t i = 0; i < theFileCache.GetCount(); ++i) n += theFileCache.GetAt(i)->GetLineErrorCount();
  return n;
}

TEST(LibraryLoad, SharedModelsResolveEveryLibraryPart) {
  REQUIRE_LDRAW_MODELS(models);
  REQUIRE_LDRAW_LIBRARY(base);
  int files = 0;
  for (const auto& entry : fs::directory_iterator(models)) {
    std::string ext = ToLowerAscii(entry.path().extension().string());
    if (ext != ".ldr" && ext != ".mpd") continue;
    const std::string path = entry.path().string();
    const bool multiPart = ext == ".mpd";
    CScriptedPrompt prompt;
    // Sub-models of a multi-part file come with the project reader; they are counted apart.
    CLibraryScope library(base, multiPart ? 0 : 1);
    CQvFile model;
    CFileTextHandler in;
    ASSERT_TRUE(in.Open(path, "r"));
    ASSERT_EQ(model.ReadFrom(in, path, 1), 1) << path;
    Tally tally;
    CountReferences(model, multiPart ? SectionNames(path) : std::set<std::string>{}, tally);
    EXPECT_EQ(tally.unresolved, 0) << path
                                   << " first: " << (tally.missingNames.empty() ? "" : tally.missingNames[0]);
    EXPECT_EQ(model.GetLineErrorCount(), 0u) << path;
    EXPECT_EQ(CachedLineErrors(), 0u) << path;
    const std::set<std::string> sections = multiPart ? SectionNames(path) : std::set<std::string>{};
    for (size_t i = 0; i < theFileCache.GetCount(); ++i) {
      const CQvFile* f = theFileCache.GetAt(i);
      if (!sections.count(ToLowerAscii(f->GetName()))) {
        EXPECT_FALSE(f->missing) << path << ": " << f->GetName();
      }
    }
    for (const auto& s : prompt.shown) ADD_FAILURE() << path << ": " << s.text;
    if (multiPart) {
      EXPECT_GT(tally.subModelRefs, 0) << path;
    }
    ++files;
  }
  EXPECT_GT(files, 0);
}

TEST(LibraryLoad, EveryLibraryFileOpensAsAModel) {
  REQUIRE_LDRAW_LIBRARY(base);
  CScriptedPrompt prompt;
  CLibraryScope library(base, 1);
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(base)) {
    std::string ext = ToLowerAscii(entry.path().extension().string());
    if (!entry.is_regular_file() || (ext != ".dat" && ext != ".ldr")) continue;
    const std::string path = entry.path().string();
    CQvFile model;
    CFileTextHandler in;
    ASSERT_TRUE(in.Open(path, "r"));
    ASSERT_EQ(model.ReadFrom(in, path, 1), 1) << path;
    Tally tally;
    CountReferences(model, {}, tally);
    EXPECT_EQ(tally.unresolved, 0) << path;
    EXPECT_EQ(model.GetLineErrorCount(), 0u) << path;
    if (!prompt.shown.empty()) {
      ADD_FAILURE() << path << ": " << prompt.shown[0].text;
      return;
    }
    ++files;
  }
  EXPECT_EQ(CachedLineErrors(), 0u);
  EXPECT_GT(files, 0);
}

}  // namespace
