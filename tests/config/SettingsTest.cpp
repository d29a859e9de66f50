#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstring>

#include "SettingsFixture.h"
#include "config/PathResolver.h"

namespace {

std::string Name(const ColorEntry& e) { return std::string(e.name, strnlen(e.name, sizeof(e.name))); }

// Every key of the section, as the settings store them.
const char* const kAllKeys[] = {
    "DevRotX",
    "DevRotY",
    "DevRotZ",
    "APVT",
    "3DVA",
    "FastStep",
    "BackgroundColor",
    "Shading",
    "FastRender",
    "EnableBFC",
    "Perspective",
    "Zebpath",
    "SavePath",
    "ShowWarnings",
    "RegFileTypes",
    "LanguageName",
    "LineWidth",
    "SmallPreview",
    "PreviewColor",
    "Author",
    "DefRotAngle",
    "MidRotAngle",
    "OffRotAngle",
    "DefStepX",
    "DefStepY",
    "DefStepZ",
    "MidStepX",
    "MidStepY",
    "MidStepZ",
    "OffStepX",
    "OffStepY",
    "OffStepZ",
    "AutoPartUpgrade",
    "UsePrevColor",
    "UsePrevPos",
    "UseDefMatrix",
    "DefaultColor",
    "GridType",
    "DrawToSelection",
    "ScreenSelection",
    "StudMode",
    "EditOnLoad",
    "PrintModel",
    "PrintSteps",
    "MultiSteps",
    "PrintPL",
    "PrintPLPP",
    "PrintHQ",
    "PrintSubModel",
    "PrintSubList",
    "PrintFooter",
    "PrintHeader",
    "PrintStepNum",
    "ViewLT",
    "ViewRT",
    "ViewLB",
    "ViewRB",
    "ScrollBars",
    "ShowViewCoords",
};

TEST_F(SettingsTest, LoadFromAnEmptyProfileGivesTheDefaultsAndStoresEveryKey) {
  {
    CSettings s;
    s.Load();
    EXPECT_EQ(s.DevRotX, 23);
    EXPECT_EQ(s.DevRotY, 45);
    EXPECT_EQ(s.DevRotZ, 0);
    EXPECT_EQ(s.BackgroundColor, 15u);
    EXPECT_EQ(s.FastRender, 2);
    EXPECT_EQ(s.BasePath, Library());
    EXPECT_EQ(s.SavePath, Library() + "/Models");
    EXPECT_EQ(s.Author, "Plandor");
    EXPECT_EQ(s.LanguageName, "English");
    EXPECT_EQ(s.PreviewColor, 72u);
    EXPECT_EQ(s.OffRotAngle, 22.5);
    EXPECT_EQ(s.MidStep, CVector3(4, 4, 4));
    EXPECT_EQ(s.StudMode, 3);
    EXPECT_EQ(s.ViewLT, 4);
    EXPECT_EQ(s.ViewRB, 6);
    const int32_t bar[16] = {15, 151, 71, 72, 0, 216, 4, 25, 14, 27, 2, 73, 89, 22, 5, 80};
    EXPECT_EQ(std::memcmp(s.ColorBarColors, bar, sizeof(bar)), 0);
    EXPECT_EQ(thePrivateColorsFlag, 0);
  }
  ReopenProfile();
  for (const char* key : kAllKeys) EXPECT_TRUE(TheProfile().HasEntry("Settings", key)) << key;
  EXPECT_EQ(TheProfile().GetKeys("Settings").size(), std::size(kAllKeys));
}

TEST_F(SettingsTest, RoundTripThroughTheProfile) {
  {
    CSettings s;
    s.Load();
    s.DevRotX = 22.7, s.DevRotY = -10.9, s.DevRotZ = 5;
    s.APVT = 3, s.ThreeDVA = 0, s.FastStep = 42, s.BackgroundColor = 31, s.Shading = 0, s.FastRender = 0;
    s.EnableBFC = 1, s.Perspective = 1, s.ShowWarnings = 0, s.RegFileTypes = 0, s.LineWidth = 3;
    s.SavePath = "/somewhere/models";
    s.LanguageName = "Deutsch";
    s.SmallPreview = 0, s.PreviewColor = 0x2123456, s.Author = "Someone Else";
    s.DefRotAngle = 45, s.MidRotAngle = 12.25, s.OffRotAngle = 0.1;
    s.DefStep = {20, 8, 24}, s.MidStep = {10, 4, 12}, s.OffStep = {0.5, 0.25, 0.125};
    s.AutoPartUpgrade = 2, s.UsePrevColor = 0, s.UsePrevPos = 1, s.UseDefMatrix = 1,
    s.DefaultColor = 0x4000F00;
    s.GridType = 2, s.DrawToSelection = 1, s.ScreenSelection = 0, s.StudMode = 1, s.EditOnLoad = 0;
    s.PrintModel = s.PrintSteps = s.MultiSteps = s.PrintPL = s.PrintPLPP = s.PrintHQ = 0;
    s.PrintSubModel = s.PrintSubList = s.PrintFooter = s.PrintHeader = s.PrintStepNum = 0;
    s.ViewLT = 1, s.ViewRT = 3, s.ViewLB = 5, s.ViewRB = 7;
    s.ScrollBars[0] = s.ScrollBars[3] = s.ScrollBars[7] = 1;
    s.ShowViewCoords = 0;
    s.ColorBarColors[3] = 0x3FF0000;
    ASSERT_EQ(s.Save(), 1);
  }
  ReopenProfile();
  CSettings r;
  r.Load();
  EXPECT_EQ(r.DevRotX, 22);  // stored as whole degrees
  EXPECT_EQ(r.DevRotY, -10);
  EXPECT_EQ(r.DevRotZ, 5);
  EXPECT_EQ((std::vector<int>{r.APVT, r.ThreeDVA, r.FastStep, r.Shading, r.FastRender, r.EnableBFC,
                              r.Perspective, r.ShowWarnings, r.RegFileTypes, r.LineWidth}),
            (std::vector<int>{3, 0, 42, 0, 0, 1, 1, 0, 0, 3}));
  EXPECT_EQ(r.BackgroundColor, 31u);
  EXPECT_EQ(r.SavePath, "/somewhere/models");
  EXPECT_EQ(r.LanguageName, "Deutsch");
  EXPECT_EQ(r.SmallPreview, 0);
  EXPECT_EQ(r.PreviewColor, 0x2123456u);
  EXPECT_EQ(r.Author, "Someone Else");
  EXPECT_EQ(r.DefRotAngle, 45);
  EXPECT_EQ(r.MidRotAngle, 12.25);
  EXPECT_EQ(r.OffRotAngle, 0.1);
  EXPECT_EQ(r.DefStep, CVector3(20, 8, 24));
  EXPECT_EQ(r.MidStep, CVector3(10, 4, 12));
  EXPECT_EQ(r.OffStep, CVector3(0.5, 0.25, 0.125));
  EXPECT_EQ((std::vector<int>{r.AutoPartUpgrade, r.UsePrevColor, r.UsePrevPos, r.UseDefMatrix, r.GridType,
                              r.DrawToSelection, r.ScreenSelection, r.StudMode, r.EditOnLoad}),
            (std::vector<int>{2, 0, 1, 1, 2, 1, 0, 1, 0}));
  EXPECT_EQ(r.DefaultColor, 0x4000F00u);
  EXPECT_EQ((std::vector<int>{r.PrintModel, r.PrintSteps, r.MultiSteps, r.PrintPL, r.PrintPLPP, r.PrintHQ,
                              r.PrintSubModel, r.PrintSubList, r.PrintFooter, r.PrintHeader, r.PrintStepNum}),
            std::vector<int>(11, 0));
  EXPECT_EQ((std::vector<int>{r.ViewLT, r.ViewRT, r.ViewLB, r.ViewRB}), (std::vector<int>{1, 3, 5, 7}));
  EXPECT_EQ((std::vector<int>(r.ScrollBars, r.ScrollBars + 8)), (std::vector<int>{1, 0, 0, 1, 0, 0, 0, 1}));
  EXPECT_EQ(TheProfile().GetProfileInt("Settings", "ScrollBars", 0), 0x89);
  EXPECT_EQ(r.ShowViewCoords, 0);
  EXPECT_EQ(r.ColorBarColors[3], 0x3FF0000);
  EXPECT_EQ(r.ColorBarColors[0], 15);
  // The default view follows the angles read back.
  CMatrix3 expected;
  expected.SetEuler(22, -10, 5);
  EXPECT_EQ(r.GetViewMatrix(6).m, expected.m);
  EXPECT_EQ(theDefaultViewMatrix.m, expected.m);
}

TEST_F(SettingsTest, StoredValuesAreNormalised) {
  struct Case {
    const char* key;
    int stored;
    int CTqBaseSettings::*member;
    int expected;
  } cases[] = {
      {"ShowWarnings", 5, &CTqBaseSettings::ShowWarnings, 1},
      {"ShowWarnings", -1, &CTqBaseSettings::ShowWarnings, 1},
      {"Shading", 0, &CTqBaseSettings::Shading, 0},
      {"FastStep", 250, &CTqBaseSettings::FastStep, 250},  // not a switch: kept as stored
      {"APVT", 7, &CTqBaseSettings::APVT, 7},
  };
  for (const Case& c : cases) {
    TheProfile().WriteProfileInt("Settings", c.key, c.stored);
    CSettings s;
    s.Load();
    EXPECT_EQ(s.*c.member, c.expected) << c.key << " " << c.stored;
  }
  struct Own {
    const char* key;
    int stored;
    int CSettings::*member;
    int expected;
  } own[] = {
      {"EditOnLoad", 2, &CSettings::EditOnLoad, 1},
      {"PrintHQ", 9, &CSettings::PrintHQ, 1},
      {"StudMode", 7, &CSettings::StudMode, 7},
      {"ViewLT", 12, &CSettings::ViewLT, 12},
  };
  for (const Own& c : own) {
    TheProfile().WriteProfileInt("Settings", c.key, c.stored);
    CSettings s;
    s.Load();
    EXPECT_EQ(s.*c.member, c.expected) << c.key << " " << c.stored;
  }
}

TEST_F(SettingsTest, BackgroundColourAndCulling) {
  struct Case {
    int background;
    uint32_t expected;
  } backgrounds[] = {{40, 15}, {31, 31}, {32, 15}, {0, 0}, {0x2FFFFFF, 15}, {-1, 15}};
  for (const Case& c : backgrounds) {
    TheProfile().WriteProfileInt("Settings", "BackgroundColor", c.background);
    CSettings s;
    s.Load();
    EXPECT_EQ(s.BackgroundColor, c.expected) << c.background;
  }
  struct Bfc {
    int fastRender, enable, expected;
  } bfc[] = {{2, 1, 0}, {0, 1, 1}, {1, 1, 0}, {0, 0, 0}};
  for (const Bfc& c : bfc) {
    TheProfile().WriteProfileInt("Settings", "FastRender", c.fastRender);
    TheProfile().WriteProfileInt("Settings", "EnableBFC", c.enable);
    CSettings s;
    s.Load();
    EXPECT_EQ(s.EnableBFC, c.expected) << c.fastRender << " " << c.enable;
  }
}

TEST_F(SettingsTest, BadRealsTakeTheirDefaults) {
  TheProfile().WriteProfileString("Settings", "DefRotAngle", "abc");
  TheProfile().WriteProfileString("Settings", "MidStepY", "nan");
  TheProfile().WriteProfileString("Settings", "OffStepZ", " 2.5 ");
  CSettings s;
  s.Load();
  EXPECT_EQ(s.DefRotAngle, 90);
  EXPECT_EQ(s.MidStep, CVector3(4, 4, 4));
  EXPECT_EQ(s.OffStep, CVector3(1, 1, 2.5));
}

TEST_F(SettingsTest, RealsIgnoreTheLocale) {
  REQUIRE_GERMAN_LOCALE(german);
  TheProfile().WriteProfileString("Settings", "MidRotAngle", "12.75");
  {
    CSettings s;
    s.Load();
    EXPECT_EQ(s.MidRotAngle, 12.75);
    s.OffRotAngle = 22.5;
    s.DefStep = {0.5, 16, 1e-3};
    ASSERT_EQ(s.Save(), 1);
  }
  std::string text = ReadFileBytes(ProfilePath());
  EXPECT_NE(text.find("OffRotAngle=22.5\n"), std::string::npos) << text;
  EXPECT_NE(text.find("DefStepX=0.5\n"), std::string::npos) << text;
  EXPECT_NE(text.find("DefStepZ=0.001\n"), std::string::npos) << text;
  ReopenProfile();
  CSettings r;
  r.Load();
  EXPECT_EQ(r.OffRotAngle, 22.5);
  EXPECT_EQ(r.DefStep, CVector3(0.5, 16, 1e-3));
}

TEST_F(SettingsTest, ViewMatrices) {
  CSettings s;
  s.Load();
  const CMatrix3 fixed[6] = {
      {1, 0, 0, 0, 0, -1, 0, 1, 0}, {1, 0, 0, 0, 0, 1, 0, -1, 0}, {0, 0, -1, 0, 1, 0, 1, 0, 0},
      {0, 0, 1, 0, 1, 0, -1, 0, 0}, {1, 0, 0, 0, 1, 0, 0, 0, 1},  {-1, 0, 0, 0, 1, 0, 0, 0, -1},
  };
  for (int i = 0; i < 6; ++i) EXPECT_EQ(s.GetViewMatrix(i).m, fixed[i].m) << i;
  // View 6 is Rx(23) Ry(45) Rz(0), computed here from its closed form.
  const double a = 23 * M_PI / 180, b = 45 * M_PI / 180;
  const double view6[9] = {std::cos(b),
                           0,
                           std::sin(b),
                           std::sin(a) * std::sin(b),
                           std::cos(a),
                           -std::sin(a) * std::cos(b),
                           -std::cos(a) * std::sin(b),
                           std::sin(a),
                           std::cos(a) * std::cos(b)};
  for (int k = 0; k < 9; ++k) EXPECT_NEAR(s.GetViewMatrix(6).m[k], view6[k], 1e-12) << k;
  EXPECT_EQ(s.GetViewMatrix(7).m, CMatrix3().m);
  EXPECT_EQ(s.GetViewMatrix(8).m, CMatrix3::Identity().m);
  EXPECT_EQ(s.GetViewMatrix(-1).m, CMatrix3::Identity().m);
}

TEST_F(SettingsTest, SetDefaults) {
  CSettings s;
  s.Load();
  s.Author = "X";
  s.DevRotX = 10;
  s.ColorBarColors[0] = 4;
  theDefaultColors[72].red = 1;
  thePrivateColorsFlag = 1;
  s.SetDefaults(1);
  EXPECT_EQ(s.Author, "Tolvo");
  EXPECT_EQ(s.DevRotX, 23);
  EXPECT_EQ(s.ColorBarColors[0], 15);
  EXPECT_EQ(s.BasePath, Library());
  EXPECT_EQ(s.SavePath, Library() + "/Models");
  EXPECT_EQ(thePrivateColorsFlag, 0);
  EXPECT_EQ(std::memcmp(theDefaultColors, theLDConfigColors, sizeof(theDefaultColors)), 0);
  EXPECT_EQ(TheProfile().GetProfileString("Settings", "Author", ""), "Tolvo");
}

TEST_F(SettingsTest, SaveFolderFollowsTheLibrarysModelsFolder) {
  MakeDirectories(Library() + "/models");
  thePathResolver.Invalidate();
  CSettings s;
  s.Load();
  EXPECT_EQ(s.SavePath, Library() + "/models");
}

TEST_F(SettingsTest, SettingsNeverLoadedAreNotSaved) {
  { CSettings s; }
  EXPECT_EQ(TheProfile().GetKeys("Settings"), std::vector<std::string>{"Zebpath"});
  EXPECT_FALSE(FileExists(CfgPath()));
}

TEST_F(SettingsTest, ColourFilesOfTheLibrary) {
  WriteLibraryFile("LDCONFIG_English.LDR",
                   "0 !COLOUR Language_Grey CODE 72 VALUE #010101 EDGE 0\r\n"
                   "0 !COLOUR Language_Only CODE 100 VALUE #020202 EDGE 0\r\n");
  thePathResolver.Invalidate();
  OpenLog();
  CSettings s;
  s.Load();
  // The generic file wins where both define a code.
  EXPECT_EQ(Name(theLDConfigColors[72]), "Dark_Bluish_Grey");
  EXPECT_EQ(Name(theLDConfigColors[100]), "Language_Only");
  EXPECT_EQ(Name(theLDConfigColors[0]), "Black");
  EXPECT_EQ(Name(theLDConfigColors[1]), "unused");
  EXPECT_EQ(theLDConfigColors[47].alpha, 128);
  EXPECT_EQ(std::memcmp(theDefaultColors, theLDConfigColors, sizeof(theDefaultColors)), 0);
  std::string log = Log();
  EXPECT_NE(log.find("Color configuration loaded from '" + Library() + "/LDCONFIG_English.LDR'!\n"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("Color configuration loaded from '" + Library() + "/LDConfig.ldr'!\n"),
            std::string::npos)
      << log;
  EXPECT_EQ(log.find("internal"), std::string::npos) << log;
}

TEST_F(SettingsTest, WithoutColourFilesTheBuiltInTableIsUsed) {
  TheProfile().WriteProfileString("Settings", "Zebpath", scratch / "empty-lib");
  MakeDirectories(scratch / "empty-lib");
  OpenLog();
  CSettings s;
  s.Load();
  ColorEntry builtin[kColorCount];
  BuildColorTable(BuiltinColors.data(), builtin, kColorCount);
  EXPECT_EQ(std::memcmp(theLDConfigColors, builtin, sizeof(builtin)), 0);
  std::string log = Log();
  EXPECT_NE(
      log.find("Error loading color information from '" + (scratch / "empty-lib/ldconfig.ldr") + "'!\n"),
      std::string::npos)
      << log;
  EXPECT_NE(log.find("Using internal color configuration!\n"), std::string::npos) << log;
}

TEST_F(SettingsTest, DefaultLibraryFolder) {
  const char* savedHome = std::getenv("HOME");
  std::string home = savedHome ? savedHome : "";
  const char* savedLdraw = std::getenv("LDRAWDIR");
  std::string ldraw = savedLdraw ? savedLdraw : "";

  setenv("LDRAWDIR", "/opt/some/ldraw", 1);
  EXPECT_EQ(CSettings::GetDefaultBasePath(), "/opt/some/ldraw");
  unsetenv("LDRAWDIR");
  setenv("HOME", (scratch / "home").c_str(), 1);
  MakeDirectories(scratch / "home/ldraw");
  EXPECT_EQ(CSettings::GetDefaultBasePath(), scratch / "home/ldraw");
  setenv("HOME", (scratch / "nohome").c_str(), 1);
  EXPECT_EQ(CSettings::GetDefaultBasePath(),
            IsDirectory("/usr/share/ldraw") ? std::string("/usr/share/ldraw") : scratch / "nohome/ldraw");

  if (savedHome)
    setenv("HOME", home.c_str(), 1);
  else
    unsetenv("HOME");
  if (savedLdraw) setenv("LDRAWDIR", ldraw.c_str(), 1);
}

}  // namespace

namespace {

// The current library defines codes above 511 and MATERIAL clauses; its colours must still be used,
// so that the colour bar's defaults are real colours and not "unused" grey.
TEST_F(SettingsTest, RealLibraryColourFileIsUsed) {
  REQUIRE_LDRAW_LIBRARY(lib);
  std::string real = thePathResolver.Resolve(lib, "ldconfig.ldr");
  ASSERT_FALSE(real.empty());
  // The library itself is not written to: a folder of our own links to its colour file.
  std::string linked = scratch / "linked-lib";
  MakeDirectories(linked);
  ASSERT_EQ(symlink(real.c_str(), (linked + "/LDConfig.ldr").c_str()), 0);
  TheProfile().WriteProfileString("Settings", "Zebpath", linked);
  OpenLog();
  CSettings s;
  s.Load();
  EXPECT_NE(Log().find("Color configuration loaded from '" + linked + "/LDConfig.ldr'!\n"), std::string::npos)
      << Log();
  EXPECT_EQ(Log().find("Using internal color configuration"), std::string::npos);
  for (int32_t code : s.ColorBarColors) EXPECT_NE(Name(theDefaultColors[code]), "unused") << code;
  EXPECT_NE(Name(theDefaultColors[s.PreviewColor]), "unused");
  EXPECT_EQ(Name(theDefaultColors[75]), "Speckle_Black_Copper");
  EXPECT_EQ(theDefaultColors[75].red + theDefaultColors[75].green + theDefaultColors[75].blue, 0);
}

}  // namespace
