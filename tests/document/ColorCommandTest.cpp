// Colour...: the dialog starts on the colour of the one selected element, OK recolours the
// selection, and a colour table the dialog replaced redraws everything even after Cancel.
#include <gtest/gtest.h>

#include <cstring>

#include "DocModel.h"
#include "config/CustomColorState.h"

namespace {

const char kModel[] =
    "2 4 0 0 0 10 0 0\n"
    "2 1 0 0 0 0 10 0\n"
    "0 a comment\n";

// Answers the colour dialog as the test says and remembers the colour it was started on.
class ColorPort : public CNullDocumentPorts {
 public:
  bool Offers(DocPort port) const override { return port == DocPort::Color; }
  PortResult ChooseColor(ColorChoice& choice) override {
    started.push_back(choice.color);
    choice.tableChanged = tableChanged;
    if (!ok) return PortResult::Cancelled;
    choice.color = answer;
    return PortResult::Ok;
  }
  std::vector<uint32_t> started;
  bool ok = true;
  bool tableChanged = false;
  uint32_t answer = 14;
};

class ColorCommandTest : public DocumentTest {
 protected:
  void SetUp() override {
    doc.SetPorts(&port);
    LoadDocument(doc, kModel);
    ClearRecords();
  }
  void TearDown() override { doc.SetPorts(nullptr); }
  ColorPort port;
};

TEST_F(ColorCommandTest, StartsOnTheOneSelectedElementsColourAndRecolours) {
  Model().SelectOnly(1);
  EXPECT_TRUE(doc.CanChooseColor());
  EXPECT_EQ(doc.OnEditColor(), 1);
  EXPECT_EQ(port.started, std::vector<uint32_t>{1});
  EXPECT_EQ(Model().GetAt(1)->GetColor(), 14);
  EXPECT_EQ(Model().GetAt(0)->GetColor(), 4);
  EXPECT_EQ(observer.hints, std::vector<uint32_t>{0x20040000u});
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(ColorCommandTest, StartsOnZeroForSeveralOrNoDrawables) {
  Model().SelectOnly(0);
  Model().Select(1);
  doc.OnEditColor();
  Model().SelectOnly(2);  // a comment has no colour
  doc.OnEditColor();
  EXPECT_EQ(port.started, (std::vector<uint32_t>{0, 0}));
}

TEST_F(ColorCommandTest, CancelChangesNothingUnlessTheTableWasReplacedWhichIsSavedThen) {
  Model().SelectOnly(0);
  port.ok = false;
  EXPECT_EQ(doc.OnEditColor(), 0);
  EXPECT_EQ(Model().GetAt(0)->GetColor(), 4);
  EXPECT_TRUE(observer.hints.empty());
  EXPECT_FALSE(doc.IsModified());
  port.tableChanged = true;
  doc.OnEditColor();
  EXPECT_EQ(observer.hints, std::vector<uint32_t>{HINT_FULL});
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(Model().GetAt(0)->GetColor(), 4);
}

TEST_F(ColorCommandTest, OkWithAReplacedTableRedrawsEverything) {
  Model().SelectOnly(0);
  port.tableChanged = true;
  EXPECT_EQ(doc.OnEditColor(), 1);
  EXPECT_EQ(observer.hints, std::vector<uint32_t>{HINT_FULL});
  EXPECT_EQ(Model().GetAt(0)->GetColor(), 14);
}

// A slot redefined in the custom colour dialog belongs to the model: it is written with it and
// read back into the model's own table.
TEST_F(ColorCommandTest, ADefinedColourIsWrittenWithTheModelAndReadBack) {
  // Both tables are the process's: later tests compare models against the library's one.
  static ColorEntry saved[kColorCount], savedLibrary[kColorCount];
  std::memcpy(saved, theDefaultColors, sizeof(saved));
  std::memcpy(savedLibrary, theLDConfigColors, sizeof(savedLibrary));
  BuildColorTable(BuiltinColors.data(), theLDConfigColors, kColorCount);
  std::memcpy(theDefaultColors, theLDConfigColors, sizeof(saved));
  CColorTable* table = doc.GetColorTable();
  ASSERT_NE(table, nullptr);
  CCustomColorState define;
  define.colour = 100;
  define.Open(table->GetEntries());
  define.name = "Sky";
  define.mode = CustomColorMode::Solid;
  define.SetFromRgb(false, 10, 20, 30);
  ASSERT_TRUE(define.ApplyDefinition(table));
  CArrayTextHandler out;
  ASSERT_TRUE(Model().WriteTo(out));
  std::string text;
  for (const std::string& line : out.GetLines()) text += line;
  EXPECT_NE(text.find("!COLOUR Sky CODE 100"), std::string::npos) << text;
  // Read back as a freshly opened file: the model's table holds the colour, the default does not.
  LoadDocument(doc, text);
  const ColorEntry& e = doc.GetColorTable()->GetEntries()[100];
  EXPECT_EQ(std::string(e.name), "Sky");
  EXPECT_EQ(e.red, 10);
  EXPECT_EQ(e.blue, 30);
  EXPECT_FALSE(doc.GetColorTable()->IsShared());
  EXPECT_NE(std::string(theDefaultColors[100].name), "Sky");
  std::memcpy(theDefaultColors, saved, sizeof(saved));
  std::memcpy(theLDConfigColors, savedLibrary, sizeof(savedLibrary));
}

}  // namespace
