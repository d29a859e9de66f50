// The settings' language step: the image library's scan fills the language list, the stored
// language is found in it and its pack becomes the translation of the string table.
#include <filesystem>

#include "SettingsFixture.h"
#include "config/LanguagePack.h"
#include "imagelib/Tolvo.h"
#include "platform/StringTable.h"
#include "support/ScriptedPrompt.h"

namespace {

std::string PoQuote(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\n') out += "\\n";
    else if (c == '"' || c == '\\') out += std::string("\\") + c;
    else out += c;
  }
  return out + "\"";
}

class SettingsLanguageTest : public SettingsTest {
 protected:
  void SetUp() override {
    SettingsTest::SetUp();
    std::filesystem::create_directories(Packs());
  }
  void TearDown() override {
    SetStringTranslator(nullptr);
    SettingsTest::TearDown();
  }
  std::string Packs() const { return scratch / "packs/"; }

  // A pack translating every required text as "<name>: " + English, except the ones left out.
  void MakePack(const std::string& name, const std::string& version, const std::string& leaveOut = {}) {
    std::string po = "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";
    po += "msgid " + PoQuote(kTolvoVersionMsgId) + "\nmsgstr " + PoQuote(version) + "\n\n";
    for (const std::string& id : RequiredLanguageIds())
      if (id != leaveOut) po += "msgid " + PoQuote(id) + "\nmsgstr " + PoQuote(name + ": " + id) + "\n\n";
    std::string poPath = scratch / (name + ".po");
    ASSERT_TRUE(WriteFileBytes(poPath, po));
    std::string command = "msgfmt -o '" + Packs() + "tolvolang" + name + ".mo' '" + poPath + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
};

TEST_F(SettingsLanguageTest, TheStoredLanguageIsFoundAndTranslatesTheStringTable) {
  MakePack("German", "V1.4");
  MakePack("Dutch", "V1.4", "FATAL ERROR: Tolvo.DLL is invalid!");
  TheProfile().WriteProfileString("Settings", "LanguageName", "German");
  CScriptedPrompt prompt;
  CSettings s;
  s.LanguageFolders = {Packs()};
  s.Load();
  EXPECT_EQ(s.LanguageList, (std::vector<std::string>{"English", "German"}));
  EXPECT_EQ(s.LanguageIndex, 1);
  EXPECT_EQ(s.GetLanguageName(), "German");
  EXPECT_EQ(LoadResString(1123), "German: FATAL ERROR: Tolvo.DLL has not been found!");
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(SettingsLanguageTest, TheScanGoesToTheLog) {
  MakePack("German", "V1.4");
  OpenLog();
  CSettings s;
  s.LanguageFolders = {Packs()};
  s.Load();
  theTracer.Printf("after\n");
  std::string log = Log();
  size_t start = log.find("\nStart scanning for language dlls ...\n");
  ASSERT_NE(start, std::string::npos) << log;
  EXPECT_NE(log.find("Scanning directory '" + Packs() + "' for language dlls\n", start), std::string::npos) << log;
  EXPECT_NE(log.find("Dll 'tolvolangGerman' passed compatibility test.\n"), std::string::npos) << log;
  EXPECT_NE(log.find("after\n"), std::string::npos);  // the log goes on after the scan
}

TEST_F(SettingsLanguageTest, AMissingLanguageFallsBackToEnglishWithAMessageAndIsKept) {
  MakePack("French", "V1.3");
  TheProfile().WriteProfileString("Settings", "LanguageName", "French");
  CScriptedPrompt prompt;
  CSettings s;
  s.LanguageFolders = {Packs()};
  s.Load();
  EXPECT_EQ(s.LanguageList, (std::vector<std::string>{"English"}));
  EXPECT_EQ(s.LanguageIndex, 0);
  EXPECT_EQ(s.GetLanguageName(), "English");
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "Your current language file is either not compatible or was not found!");
  EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Information);
  EXPECT_EQ(LoadResString(1123), "FATAL ERROR: Tolvo.DLL has not been found!");
  // The choice stays stored: a compatible pack at a later start is used again.
  EXPECT_EQ(TheProfile().GetProfileString("Settings", "LanguageName", ""), "French");
}

TEST_F(SettingsLanguageTest, NoPacksLogsTheFailedScanAndOffersEnglishAlone) {
  OpenLog();
  CScriptedPrompt prompt;
  CSettings s;
  s.LanguageFolders = {Packs()};
  s.Load();
  EXPECT_EQ(s.LanguageList, (std::vector<std::string>{"English"}));
  EXPECT_NE(Log().find("ERROR: Failed to scan language dll's!\n"), std::string::npos);
  EXPECT_TRUE(prompt.shown.empty());
}

TEST(LanguagePackTest, TranslationsWithOtherPrintfConversionsAreNotUsed) {
  EXPECT_EQ(PrintfConversions("Page %lu of %lu. 100%% %-5s %*d"), (std::vector<std::string>{"lu", "lu", "s", "*", "d"}));
  CScratchDir dir;
  std::string po =
      "msgid \"Page %lu of %lu.\"\nmsgstr \"Seite %s von %lu.\"\n\n"
      "msgid \"File Name\"\nmsgstr \"Dateiname\"\n\n"
      "msgid \"Error in %s at line %lu!\"\nmsgstr \"Fehler in %s in Zeile %lu!\"\n";
  ASSERT_TRUE(WriteFileBytes(dir / "a.po", po));
  ASSERT_EQ(std::system(("msgfmt -o '" + (dir / "a.mo") + "' '" + (dir / "a.po") + "'").c_str()), 0);
  CLanguagePack pack;
  ASSERT_TRUE(pack.Load(dir / "a.mo"));
  EXPECT_EQ(pack.Translate("File Name"), "Dateiname");
  EXPECT_EQ(pack.Translate("Error in %s at line %lu!"), "Fehler in %s in Zeile %lu!");
  EXPECT_EQ(pack.Translate("Page %lu of %lu."), "Page %lu of %lu.");
  EXPECT_EQ(pack.Translate("Unknown"), "Unknown");
  EXPECT_FALSE(pack.Parse(std::string("\xde\x12\x04\x95\0\0\0\0\x09\0\0\0\x1c\0\0\0\x40\0\0\0", 20)));
}

}  // namespace
