// Nothing is lost by opening a real model and saving it: the saved file holds the lines of its
// source in their order, each word as it was and each number as the same value. Only the
// program's own lines may differ: its rotation-point lines, bare "0" lines (the end of every
// model), and the "Name:" comment of a single model, which takes the document's title.
#include <filesystem>
#include <vector>

#include "FileCommandsFixture.h"
#include "config/StringUtils.h"
#include "model/LineText.h"
#include "platform/Numbers.h"

namespace {

// A line as words, numbers in one exact spelling; empty for lines the comparison leaves out.
std::string Tokenised(std::string_view line) {
  std::vector<std::string> words;
  CTokenReader reader(line);
  for (std::string_view w = reader.NextWord(); !w.empty(); w = reader.NextWord()) {
    double d = 0;
    uint32_t h = 0;
    if (ParseDouble(w, d))
      words.push_back(StrPrintf("%a", d));
    else if (w.size() > 2 && w[0] == '0' && (w[1] == 'x' || w[1] == 'X') && ParseHex32(w, h))
      words.push_back(StrPrintf("%a", static_cast<double>(h)));
    else
      words.emplace_back(w);
  }
  if (words.empty() || (words.size() == 1 && words[0] == StrPrintf("%a", 0.0))) return {};
  if (words.size() > 1 && words[0] == StrPrintf("%a", 0.0) && words[1] == "ROTATION") return {};
  std::string s;
  for (const std::string& w : words) s += w + ' ';
  return s;
}

std::vector<std::string> Lines(const std::string& text, const std::string& nameLine) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line = TrimWhitespace(std::string_view(text).substr(start, end - start));
    if (!nameLine.empty() && line.starts_with("0 Name:")) line = nameLine;
    if (std::string t = Tokenised(line); !t.empty()) lines.push_back(t);
    start = end + 1;
  }
  return lines;
}

class SaveKeepsLinesTest : public FileCommandsFixture {
 protected:
  // The real library's part files go with this scope, before the fixture's document: the
  // document lets go of the last model first.
  ~SaveKeepsLinesTest() override { doc.OnNewDocument(); }
  CLibraryScope realLibrary{TestLibraryDir(), 0};
};

TEST_F(SaveKeepsLinesTest, EverySharedModelIsSavedWithTheLinesOfItsSource) {
  REQUIRE_LDRAW_MODELS(models);
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(models)) {
    const std::string ext = ToLowerAscii(entry.path().extension().string());
    if (!entry.is_regular_file() || (ext != ".ldr" && ext != ".mpd" && ext != ".dat")) continue;
    const std::string source = entry.path().string();
    SCOPED_TRACE(source);
    ASSERT_TRUE(doc.OnOpenDocument(source));
    const std::string target = dir / entry.path().filename().string();
    doc.SetPathName(target, false);
    ASSERT_EQ(doc.OnFileSave(), 1);
    const std::string original = ReadFileBytes(source);
    const bool single = original.find("0 FILE") == std::string::npos;
    const std::string nameLine = single ? "0 Name: " + doc.GetTitle() : std::string();
    const std::vector<std::string> expected = Lines(original, nameLine), saved = Lines(ReadFileBytes(target), nameLine);
    size_t i = 0;
    while (i < expected.size() && i < saved.size() && expected[i] == saved[i]) ++i;
    if (i < expected.size() || i < saved.size())
      ADD_FAILURE() << "line " << i + 1 << " of the compared lines differs:\n  source: "
                    << (i < expected.size() ? expected[i] : "(none)")
                    << "\n  saved:  " << (i < saved.size() ? saved[i] : "(none)");
    EXPECT_EQ(expected.size(), saved.size());
    EXPECT_GT(saved.size(), 10u);
    ++files;
  }
  EXPECT_GT(files, 0);
}

}  // namespace
