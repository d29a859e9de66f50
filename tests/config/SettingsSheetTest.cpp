// The settings sheet's values against the settings: conversions, the enable rules, and
// EditSettings with a scripted sheet.
#include <gtest/gtest.h>

#include <functional>

#include "SettingsFixture.h"
#include "config/SettingsSheet.h"
#include "support/ScriptedPrompt.h"

namespace {

class CScriptedSheet : public ISettingsSheet {
 public:
  explicit CScriptedSheet(std::function<bool(SettingsSheetValues&)> edit) : m_edit(std::move(edit)) {
    SetSettingsSheet(this);
  }
  ~CScriptedSheet() override { SetSettingsSheet(nullptr); }
  bool Run(SettingsSheetValues& values) override {
    shown = values;
    return m_edit(values);
  }
  SettingsSheetValues shown;

 private:
  std::function<bool(SettingsSheetValues&)> m_edit;
};

TEST(SettingsSheetValuesTest, ControlFormsOfTheInvertedAndShiftedSettings) {
  CSettings s;
  s.LineWidth = 3;
  s.UsePrevColor = 1;
  SettingsSheetValues v = SheetValuesFrom(s);
  EXPECT_EQ(v.rendering.lineWidth, 2);
  EXPECT_EQ(v.document.color, 0);  // "Same as previous"
  v.rendering.lineWidth = 0;
  v.document.color = 1;
  v.rendering.studMode = -1;  // nothing selected
  TakeSheetValues(v, s);
  EXPECT_EQ(s.LineWidth, 1);
  EXPECT_EQ(s.UsePrevColor, 0);
  EXPECT_EQ(s.StudMode, 1);
  // A language list shown without a selection keeps the language.
  s.LanguageList = {"English", "Deutsch"};
  s.LanguageIndex = 1;
  v.general.language = -1;
  TakeSheetValues(v, s);
  EXPECT_EQ(s.LanguageIndex, 1);
}

TEST(SettingsSheetValuesTest, OptimizationRulesTheBfcCheck) {
  RenderingPageValues r;
  r.enableBFC = true;
  r.SetOptimization(1);
  EXPECT_FALSE(r.BfcEnabled());
  EXPECT_FALSE(r.enableBFC);
  r.SetOptimization(0);
  EXPECT_TRUE(r.BfcEnabled());
  EXPECT_FALSE(r.enableBFC);  // enabled again, unchecked
}

TEST(SettingsSheetValuesTest, PrintEnableRules) {
  struct Case {
    bool model, steps, pl;
    bool stepsOn, multiOn, perStepOn;
  } cases[] = {
      {true, true, true, true, true, true},
      {false, true, true, false, false, true},
      {true, false, false, true, false, false},
  };
  for (const Case& c : cases) {
    PrintingPageValues p;
    p.printModel = c.model;
    p.printSteps = c.steps;
    p.printPL = c.pl;
    EXPECT_EQ(p.StepsEnabled(), c.stepsOn);
    EXPECT_EQ(p.MultiStepsEnabled(), c.multiOn);
    EXPECT_EQ(p.PartsPerStepEnabled(), c.perStepOn);
  }
}

TEST_F(SettingsTest, EditSettingsCancelChangesNothing) {
  CSettings s;
  s.Load();
  s.FastStep = 7;
  CScriptedSheet sheet([](SettingsSheetValues& v) {
    v.viewMode.fastStep = 50;
    v.general.author = "Someone";
    return false;
  });
  EXPECT_EQ(s.EditSettings(), 0);
  EXPECT_EQ(sheet.shown.viewMode.fastStep, 7);
  EXPECT_EQ(s.FastStep, 7);
  EXPECT_NE(s.Author, "Someone");
}

TEST_F(SettingsTest, EditSettingsTakesEveryPageBackAndSaves) {
  CScriptedPrompt prompt;
  CSettings s;
  s.Load();
  CScriptedSheet sheet([](SettingsSheetValues& v) {
    v.general.author = "Someone";
    v.rendering.perspective = true;
    v.printing.printHeader = false;
    v.document.rotX = 10;
    v.grid.angles[2] = 15;
    v.viewMode.fastStep = 12;
    return true;
  });
  EXPECT_EQ(s.EditSettings(), 1);
  EXPECT_DOUBLE_EQ(s.GetViewMatrix(6).m[0], theDefaultViewMatrix.m[0]);
  ReopenProfile();
  CSettings r;
  r.Load();
  EXPECT_EQ(r.Author, "Someone");
  EXPECT_EQ(r.Perspective, 1);
  EXPECT_EQ(r.PrintHeader, 0);
  EXPECT_DOUBLE_EQ(r.DevRotX, 10);
  EXPECT_DOUBLE_EQ(r.OffRotAngle, 15);
  EXPECT_EQ(r.FastStep, 12);
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(SettingsTest, EditSettingsReportsANewBaseFolderAndALanguageChange) {
  CScriptedPrompt prompt;
  CSettings s;
  s.Load();
  s.LanguageList = {"English", "Deutsch"};
  std::string other = scratch / "other";
  CScriptedSheet sheet([other](SettingsSheetValues& v) {
    v.general.basePath = other;
    v.general.language = 1;
    return true;
  });
  EXPECT_EQ(s.EditSettings(), 2);
  EXPECT_EQ(s.LanguageName, "Deutsch");
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Information);
  EXPECT_EQ(s.SavePath.rfind(other, 0), 0u);
  EXPECT_EQ(TheProfile().GetProfileString("Settings", "LanguageName", ""), "Deutsch");
}

}  // namespace
