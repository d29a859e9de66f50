// The export sheet's rules without the sheet: the step-range text, the chain of post processors,
// the path checks, the confirmation and the values kept in the profile.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "document/ExportOptions.h"
#include "platform/Profile.h"
#include "tests/support/TestData.h"

namespace {

TEST(ExportOptions, StepRangeTable) {
  struct Case {
    const char* range;
    std::vector<unsigned long> selected;  // of steps 1 to 13
  } cases[] = {
      {"1-3;7;10-12", {1, 2, 3, 7, 10, 11, 12}},
      {"5-3", {}},
      {"0", {}},
      {"-2", {1, 2}},
      {";;4;;", {4}},
      {"3-", {}},  // "3-" reads its end as 0
      {"abc", {}},
      {"12-99999999999999999999", {12, 13}},
      {" 2 ; 9-9", {2, 9}},
  };
  for (const Case& c : cases) {
    std::vector<unsigned long> got;
    for (unsigned long n = 1; n <= 13; ++n)
      if (IsStepSelected(c.range, n)) got.push_back(n);
    EXPECT_EQ(got, c.selected) << c.range;
  }
}

TEST(ExportOptions, ChainRule) {
  struct Case {
    int in[3], out[3];
  } cases[] = {{{0, 1, 1}, {0, 0, 0}}, {{1, 0, 1}, {1, 0, 0}}, {{1, 1, 0}, {1, 1, 0}}, {{1, 1, 1}, {1, 1, 1}}};
  for (const Case& c : cases) {
    ExportOptions o;
    for (int k = 0; k < 3; ++k) o.postProcessors[k].enabled = c.in[k];
    ApplyChainRule(o);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(o.postProcessors[k].enabled, c.out[k]) << c.in[0] << c.in[1] << c.in[2];
  }
}

TEST(ExportOptions, PathChecks) {
  CScratchDir dir;
  const std::string folder = dir.Path();
  WriteFileBytes(dir / "prog", "#!/bin/sh\n");
  struct Case {
    std::string path;
    int kind, expected;
  } cases[] = {
      {folder, 1, 1},
      {folder.substr(0, folder.size() - 1), 1, 0},  // no final '/'
      {folder + "missing/", 1, 0},
      {folder + "x.log", 1, 0},
      {folder + "x.log", 3, 1},
      {folder + "log", 3, 1},
      {folder + "missing/x.log", 3, 0},
      {folder, 3, 0},
      {folder, 2, 1},
      {folder + "x.log", 2, 0},
      {dir / "prog", 0, 1},
      {dir / "nothing", 0, 0},
      {"", 0, 0},
      {folder, 0, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckExportPath(c.path, c.kind), c.expected) << c.path << " " << c.kind;
  EXPECT_EQ(CheckPostProcessorPath("sh"), 1);  // found in PATH
  EXPECT_EQ(CheckPostProcessorPath("no-such-program-here"), 0);
  EXPECT_EQ(CheckPostProcessorPath(dir / "prog"), 1);
}

TEST(ExportOptions, ConfirmationAndStepFlags) {
  ExportOptions o;
  EXPECT_EQ(CountSelectedSteps({3, 2, 4}, {1, 0, 1}), 7u);
  EXPECT_EQ(MakeStepSelection(o, 3), (std::vector<uint8_t>{1, 1, 1}));
  o.rangeSelection = 1;
  o.stepRange = "2";
  EXPECT_EQ(MakeStepSelection(o, 3), (std::vector<uint8_t>{0, 1, 0}));
  o.stepRange = "9";
  EXPECT_TRUE(MakeStepSelection(o, 3).empty());

  EXPECT_EQ(ValidateExport(o, {0, 0}, {1}), 1);
  EXPECT_EQ(ValidateExport(o, {1, 0}, {0, 0}), 1);
  EXPECT_EQ(ValidateExport(o, {1, 0}, {0, 1}), 0);
  o.postProcessors[0].enabled = 1;
  EXPECT_EQ(ValidateExport(o, {1, 0}, {0, 1}), 2);
  o.postProcessors[0].path = "wc";
  EXPECT_EQ(ValidateExport(o, {1, 0}, {0, 1}), 0);
}

TEST(ExportOptions, DefaultsAndProfileRoundTrip) {
  CScratchDir dir;
  {
    CFileProfile profile(dir / "p.conf");
    const ExportOptions d = LoadExportOptions(profile);
    EXPECT_EQ(d.format, 1);
    EXPECT_EQ(d.ignoreRotSteps, 0);
    EXPECT_EQ(d.enableLog, 1);
    EXPECT_EQ(d.rangeSelection, 0);
    EXPECT_EQ(d.exportPath.back(), '/');
    EXPECT_EQ(d.logName.substr(d.logName.size() - 15), "TolvoExport.log");
    for (const PostProcessorOptions& p : d.postProcessors) {
      EXPECT_EQ(p.enabled, 0);
      EXPECT_EQ(p.isCommand, 0);
      EXPECT_EQ(p.path, "");
      EXPECT_EQ(p.parameters, "");
    }
    ExportOptions o = d;
    o.format = 0;
    o.ignoreRotSteps = 1;
    o.exportPath = "/out/";
    o.rangeSelection = 1;
    o.logName = "/out/x.log";
    o.enableLog = 0;
    o.postProcessors[1] = {1, 1, "/bin/pp two", "-i %0"};
    SaveExportOptions(profile, o);
    // Any nonzero number in a yes/no value counts as yes.
    profile.WriteProfileInt(kExportSection, "PPEnable3", 7);
  }
  CFileProfile again(dir / "p.conf");
  const ExportOptions o = LoadExportOptions(again);
  EXPECT_EQ(o.format, 0);
  EXPECT_EQ(o.ignoreRotSteps, 1);
  EXPECT_EQ(o.exportPath, "/out/");
  EXPECT_EQ(o.rangeSelection, 1);
  EXPECT_EQ(o.logName, "/out/x.log");
  EXPECT_EQ(o.enableLog, 0);
  EXPECT_EQ(o.postProcessors[1].enabled, 1);
  EXPECT_EQ(o.postProcessors[1].isCommand, 1);
  EXPECT_EQ(o.postProcessors[1].path, "/bin/pp two");
  EXPECT_EQ(o.postProcessors[1].parameters, "-i %0");
  EXPECT_EQ(o.postProcessors[2].enabled, 1);
  EXPECT_EQ(again.GetProfileInt(kExportSection, "PPEnable2", -1), 1);
}

}  // namespace
