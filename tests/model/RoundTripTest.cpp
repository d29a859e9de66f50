// Every real model and every library file reads without a line error, and what the writer makes of
// it reads back into the same elements. The comparison is per element (class, colour, flags, group
// and the element's own line), so it holds whichever element classes the reader makes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <unordered_map>
#include <vector>

#include "ModelText.h"
#include "config/StringUtils.h"
#include "model/LineText.h"
#include "model/MpdFile.h"
#include "model/QvElement.h"
#include "model/QvLinePart.h"
#include "model/QvFile.h"
#include "model/SelectionGroup.h"
#include "model/TextHandler.h"
#include "platform/Numbers.h"
#include "support/ScriptedPrompt.h"
#include "support/TestData.h"
#include "LibraryScope.h"

namespace {

std::string GroupOf(const CQvPart& e) {
  const CSelectionGroup* g = e.GetGroup();
  return g && g != &e ? g->GetName() : std::string();
}

// Reads a file; every line error or recursion message fails the test.
bool ReadFile(CQvFile& file, const std::string& path) {
  CScriptedPrompt prompt;
  CFileTextHandler in;
  if (!in.Open(path, "r")) {
    ADD_FAILURE() << "cannot open " << path;
    return false;
  }
  int ok = file.ReadFrom(in, path, 1);
  file.ResolveGroups();
  for (const auto& shown : prompt.shown) ADD_FAILURE() << path << ": " << shown.text;
  return ok == 1 && prompt.shown.empty();
}

void ExpectSameElements(const CQvFile& a, const CQvFile& b, const std::string& path) {
  ASSERT_EQ(a.GetCount(), b.GetCount()) << path;
  for (size_t i = 0; i < a.GetCount(); ++i) {
    CQvPart& x = *a.GetAt(i);
    CQvPart& y = *b.GetAt(i);
    ASSERT_EQ(x.GetTypeCode(), y.GetTypeCode()) << path << " element " << i;
    EXPECT_EQ(x.GetColor(), y.GetColor()) << path << " element " << i;
    EXPECT_EQ(x.ghost, y.ghost) << path << " element " << i;
    EXPECT_EQ(x.hidden, y.hidden) << path << " element " << i;
    EXPECT_EQ(x.movable, y.movable) << path << " element " << i;
    EXPECT_EQ(x.stepContent, y.stepContent) << path << " element " << i;
    EXPECT_EQ(x.stepBoundary, y.stepBoundary) << path << " element " << i;
    EXPECT_EQ(GroupOf(x), GroupOf(y)) << path << " element " << i;
    ASSERT_EQ(WriteElement(x), WriteElement(y)) << path << " element " << i;
  }
  const CRotationPoints& p = a.GetRotationPoints();
  const CRotationPoints& q = b.GetRotationPoints();
  EXPECT_EQ(p.mode, q.mode) << path;
  EXPECT_EQ(p.show, q.show) << path;
  ASSERT_EQ(p.GetPoints().size(), q.GetPoints().size()) << path;
  for (size_t i = 0; i < p.GetPoints().size(); ++i) {
    EXPECT_EQ(p.GetPoints()[i].name, q.GetPoints()[i].name) << path;
    EXPECT_EQ(CVector3(p.GetPoints()[i].x, p.GetPoints()[i].y, p.GetPoints()[i].z),
              CVector3(q.GetPoints()[i].x, q.GetPoints()[i].y, q.GetPoints()[i].z))
        << path;
  }
}

// Digits without a leading zero, with an optional minus sign, and not "-0".
bool IsPlainInteger(std::string_view w) {
  bool negative = !w.empty() && w[0] == '-';
  if (negative) w.remove_prefix(1);
  if (w.empty() || (w[0] == '0' && (w.size() > 1 || negative))) return false;
  for (char c : w)
    if (c < '0' || c > '9') return false;
  return true;
}

// A line as a list of words, numbers in one spelling (the model writer's, hexadecimal as decimal, no
// "-0"), so that a written line and the line it came from compare equal only when every number was
// written back as the value it was read as. Empty for lines that the writer
// legitimately moves, merges or makes anew.
std::string Normalised(std::string_view line) {
  std::vector<std::string> words;
  CTokenReader reader(line);
  for (std::string_view w = reader.NextWord(); !w.empty(); w = reader.NextWord()) {
    double d;
    uint32_t h;
    if (IsPlainInteger(w))  // already in its one spelling: most numbers of a model
      words.emplace_back(w);
    else if (ParseDouble(w, d))
      words.push_back(FormatReal(d == 0 ? 0.0 : d));
    else if (w.size() > 2 && w[0] == '0' && (w[1] == 'x' || w[1] == 'X') && ParseHex32(w, h))
      words.push_back(FormatReal(static_cast<double>(h)));
    else
      words.emplace_back(w);
  }
  if (words.empty() || words[0].empty() || words[0][0] < '0' || words[0][0] > '9') return {};
  if (words.size() == 1 && words[0] == "0") return {};  // the closing "0"
  if (words[0] == "0" && words.size() > 1) {
    const std::string& kw = words[1];
    if (kw == "ROTATION" || kw == "!COLOUR" || kw == "COLOR" || kw == "COLOUR") return {};
  }
  std::string s;
  for (const std::string& w : words) s += w + ' ';
  return s;
}

std::unordered_map<std::string, int> LineCounts(const std::string& text) {
  std::unordered_map<std::string, int> counts;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string n = Normalised(std::string_view(text).substr(start, end - start));
    if (!n.empty()) ++counts[n];
    start = end + 1;
  }
  return counts;
}

void RoundTrip(const std::string& path, bool compareLines) {
  CQvFile first;
  if (!ReadFile(first, path)) return;
  CArrayTextHandler text;
  ASSERT_EQ(first.WriteTo(text), 1) << path;
  std::string written = Joined(text);
  text.Rewind();
  CQvFile second;
  CScriptedPrompt prompt;
  ASSERT_EQ(second.ReadFrom(text, path + " (written)", 1), 1);
  second.ResolveGroups();
  EXPECT_TRUE(prompt.shown.empty()) << path;
  ExpectSameElements(first, second, path);
  CArrayTextHandler again;
  ASSERT_EQ(second.WriteTo(again), 1);
  EXPECT_EQ(Joined(again), written) << path;
  if (compareLines) {
    EXPECT_EQ(LineCounts(ReadFileBytes(path)), LineCounts(written)) << path;
  }
}

bool IsModelFile(const std::filesystem::path& p) {
  std::string ext = ToLowerAscii(p.extension().string());
  return ext == ".dat" || ext == ".ldr" || ext == ".mpd";
}

// Sub-files resolve against the real library; sub-models of a multi-part file are no library
// files, so the not-found question is off (line errors are still asked about and fail the test).
TEST(RoundTrip, SharedModels) {
  REQUIRE_LDRAW_MODELS(dir);
  CLibraryScope library(TestLibraryDir(), 0);
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir))
    if (e.is_regular_file() && IsModelFile(e.path())) {
      RoundTrip(e.path().string(), true);
      ++files;
    }
  EXPECT_GT(files, 0);
}

// The coordinates of every element of the shared models, as the reader made them.
std::vector<double> Coordinates(const CMpdFile& project) {
  std::vector<double> values;
  for (size_t m = 0; m < project.GetModelCount(); ++m) {
    const CQvFile& model = *project.GetModel(m);
    for (size_t i = 0; i < model.GetCount(); ++i) {
      const CQvPart* e = model.GetAt(i);
      if (const auto* ref = dynamic_cast<const CQvElement*>(e)) {
        const CVector3& p = ref->GetPosition();
        values.insert(values.end(), {p.x, p.y, p.z});
        values.insert(values.end(), ref->GetMatrix().m.begin(), ref->GetMatrix().m.end());
      } else if (const auto* line = dynamic_cast<const CQvLinePart*>(e)) {
        for (int v = 0; v < line->VertexCount(); ++v)
          values.insert(values.end(), {line->GetVertex(v).x, line->GetVertex(v).y, line->GetVertex(v).z});
      }
    }
  }
  return values;
}

// Saving must not move a part: a real model read, written and read again holds every coordinate
// bit for bit ("%g" once moved -1212.641 to -1212.64).
TEST(RoundTrip, SharedModelsKeepCoordinatesBitForBit) {
  REQUIRE_LDRAW_MODELS(dir);
  CLibraryScope library(TestLibraryDir(), 0);
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (!entry.is_regular_file() || !IsModelFile(entry.path())) continue;
    const std::string path = entry.path().string();
    // One project at a time: the projects register their models in the one part list.
    std::vector<double> a, b;
    CArrayTextHandler text;
    {
      CMpdFile first;
      CFileTextHandler in;
      ASSERT_TRUE(in.Open(path, "r")) << path;
      ASSERT_EQ(first.LoadFromText(in, path), 1) << path;
      ASSERT_EQ(first.WriteTo(text, path), 1) << path;
      a = Coordinates(first);
    }
    {
      CMpdFile second;
      text.Rewind();
      ASSERT_EQ(second.LoadFromText(text, path), 1) << path;
      b = Coordinates(second);
    }
    ASSERT_EQ(a.size(), b.size()) << path;
    EXPECT_GT(a.size(), 0u) << path;
    size_t moved = 0;
    for (size_t i = 0; i < a.size(); ++i)
      if (std::memcmp(&a[i], &b[i], sizeof(double)) != 0 && ++moved <= 3)
        ADD_FAILURE() << path << ": " << StrPrintf("%.17g", a[i]) << " came back as " << StrPrintf("%.17g", b[i]);
    EXPECT_EQ(moved, 0u) << path;
    ++files;
  }
  EXPECT_GT(files, 0);
}

// The library's files in a fixed order, dealt out to shards that run in parallel (the sanitizer
// build is slow on ten thousand files).
constexpr int kLibraryShards = 8;

class RoundTripLibrary : public ::testing::TestWithParam<int> {};

TEST_P(RoundTripLibrary, EveryLibraryFile) {
  REQUIRE_LDRAW_LIBRARY(dir);
  CLibraryScope library(dir, 0);
  std::vector<std::string> paths;
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir))
    if (e.is_regular_file() && IsModelFile(e.path())) paths.push_back(e.path().string());
  std::sort(paths.begin(), paths.end());
  int files = 0;
  for (size_t i = static_cast<size_t>(GetParam()); i < paths.size(); i += kLibraryShards) {
    RoundTrip(paths[i], true);
    if (HasFatalFailure()) return;
    ++files;
  }
  EXPECT_GT(files, 0);
}

INSTANTIATE_TEST_SUITE_P(Shards, RoundTripLibrary, ::testing::Range(0, kLibraryShards));

TEST(RoundTrip, NumbersAreWrittenTheSameUnderACommaLocale) {
  const std::string text =
      "0 Title\n0 ROTATION CENTER 1.5 -0.25 1e+06 1 \"p\"\n0 ROTATION CONFIG 1 1\n0 CLEAR\n";
  auto plain = LoadText(text);
  std::string expected = WriteText(*plain);
  REQUIRE_GERMAN_LOCALE(german);
  auto again = LoadText(text);
  EXPECT_EQ(WriteText(*again), expected);
  EXPECT_NE(expected.find("1.5 -0.25 1000000"), std::string::npos);
}

}  // namespace
