#include <gtest/gtest.h>

#include <cstring>

#include "ModelText.h"
#include "config/ColorTable.h"
#include "model/QvFile.h"

namespace {

// Both process tables hold the built-in colours while a test runs.
class ModelColorsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memcpy(m_savedDefault, theDefaultColors, sizeof m_savedDefault);
    std::memcpy(m_savedLDConfig, theLDConfigColors, sizeof m_savedLDConfig);
    BuildColorTable(BuiltinColors.data(), theLDConfigColors, kColorCount);
    std::memcpy(theDefaultColors, theLDConfigColors, sizeof m_savedDefault);
  }
  void TearDown() override {
    std::memcpy(theDefaultColors, m_savedDefault, sizeof m_savedDefault);
    std::memcpy(theLDConfigColors, m_savedLDConfig, sizeof m_savedLDConfig);
  }

 private:
  ColorEntry m_savedDefault[kColorCount];
  ColorEntry m_savedLDConfig[kColorCount];
};

TEST_F(ModelColorsTest, DefinitionGoesToTheFilesOwnTableAndIsWrittenBack) {
  auto file = LoadText("0 Title\n0 !COLOUR My Red CODE 100 VALUE #FF0000 EDGE 0\n0 CLEAR\n");
  ASSERT_EQ(file->GetCount(), 2u);
  EXPECT_FALSE(file->GetColorTable().IsShared());
  EXPECT_STREQ(file->GetColorTable().GetEntries()[100].name, "My Red");
  EXPECT_STREQ(theDefaultColors[100].name, "unused");  // no other model sees it
  EXPECT_EQ(WriteText(*file),
            "0 Title\n"
            "0 !COLOUR My Red CODE 100 VALUE #FF0000 EDGE 0 ALPHA 255\n" +
                std::string(kDefaultRotationLines) + "0 CLEAR\n0\n");
}

TEST_F(ModelColorsTest, FileOfCommentsOnlyKeepsItsColourDefinitions) {
  auto file = LoadText("0 Palette\n0 !COLOUR Sky CODE 200 VALUE #8899AA EDGE #112233 ALPHA 128\n");
  EXPECT_EQ(WriteText(*file),
            "0 Palette\n"
            "0 !COLOUR Sky CODE 200 VALUE #8899AA EDGE #112233 ALPHA 128\n" +
                std::string(kDefaultRotationLines) + "0\n");
}

TEST_F(ModelColorsTest, OldColourMetaCommand) {
  auto file = LoadText("0 COLOR 64 MyRed 0 255 0 0 255 255 0 0 255\n");
  EXPECT_EQ(file->GetCount(), 0u);
  const ColorEntry& e = file->GetColorTable().GetEntries()[64];
  EXPECT_STREQ(e.name, "MyRed");
  EXPECT_EQ(e.red, 255);
  EXPECT_EQ(e.alpha, 255);
}

TEST_F(ModelColorsTest, RefusedDefinitionsAreLineErrorsButCodesBeyondTheTableAreKept) {
  CQvFile file;
  ParseContext ctx;
  EXPECT_EQ(file.ParseLine(ctx, "0 !COLOUR Bad CODE 100 VALUE FF0000 EDGE 0", 0), 0);
  EXPECT_EQ(file.ParseLine(ctx, "0 COLOR 63 Low 0 255 0 0 255 255 0 0 255", 0), 0);
  EXPECT_EQ(file.ParseLine(ctx, "0 COLOUR 64 Short 0 1 2", 0), 0);
  EXPECT_EQ(file.GetCount(), 0u);
  const std::string modern = "0 !COLOUR Glitter_Trans_Clear CODE 10375 VALUE #FFFFFF EDGE #C3C3C3";
  EXPECT_EQ(file.ParseLine(ctx, modern, 0), 1);
  ASSERT_EQ(file.GetCount(), 1u);
  EXPECT_EQ(WriteElement(*file.GetAt(0)), modern + "\n");
}

}  // namespace
