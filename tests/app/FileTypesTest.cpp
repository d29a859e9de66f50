// The desktop's file-type registration, in a temporary data folder.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "app/FileTypes.h"
#include "app/StartUp.h"
#include "config/Settings.h"
#include "config/Tracer.h"
#include "platform/Folders.h"
#include "support/ScriptedPrompt.h"
#include "support/TestData.h"

namespace {

class FileTypesTest : public ::testing::Test {
 protected:
  FileTypePlaces Places(const std::string& program = "/opt/plandor/bin/plandor") {
    FileTypePlaces places;
    places.dataHome = m_home / "data";
    places.dataDirs = {m_home / "system"};
    places.programPath = program;
    places.runUpdaters = false;
    return places;
  }
  CScratchDir m_home;
  CScriptedPrompt m_prompt;
};

TEST_F(FileTypesTest, RegisterWritesTheMimeTypesAndTheDesktopEntry) {
  CFileTypeRegistration reg(Places());
  EXPECT_FALSE(reg.IsRegistered());
  ASSERT_TRUE(reg.Register());
  std::string mime = ReadFileBytes(m_home / "data/mime/packages/plandor.xml");
  EXPECT_NE(mime.find("<glob pattern=\"*.ldr\"/>"), std::string::npos);
  EXPECT_NE(mime.find("<glob pattern=\"*.mpd\"/>"), std::string::npos);
  std::string desktop = ReadFileBytes(m_home / "data/applications/plandor.desktop");
  EXPECT_NE(desktop.find("Exec=/opt/plandor/bin/plandor %f\n"), std::string::npos);
  EXPECT_NE(desktop.find("MimeType=application/x-ldraw;application/x-multi-part-ldraw;"), std::string::npos);
  EXPECT_TRUE(reg.IsRegistered());
}

TEST_F(FileTypesTest, AProgramPathWithBlanksIsQuotedAndStillRecognised) {
  CFileTypeRegistration reg(Places("/home/a b/plandor"));
  ASSERT_TRUE(reg.Register());
  EXPECT_NE(ReadFileBytes(reg.DesktopFilePath()).find("Exec=\"/home/a b/plandor\" %f"), std::string::npos);
  EXPECT_TRUE(reg.IsRegistered());
}

TEST_F(FileTypesTest, AnEntryOfAnotherProgramIsNotOurs) {
  ASSERT_TRUE(CFileTypeRegistration(Places("/old/place/plandor")).Register());
  CFileTypeRegistration moved(Places("/new/place/plandor"));
  EXPECT_FALSE(moved.CheckDesktopEntry());
  // A path that merely starts like ours names another program.
  ASSERT_TRUE(CFileTypeRegistration(Places("/opt/plandor/bin/plandor-old")).Register());
  EXPECT_FALSE(CFileTypeRegistration(Places()).CheckDesktopEntry());
}

TEST_F(FileTypesTest, SystemWideFilesCountWhenTheUserHasNone) {
  FileTypePlaces system = Places();
  system.dataHome = m_home / "system";
  ASSERT_TRUE(CFileTypeRegistration(system).Register());
  EXPECT_TRUE(CFileTypeRegistration(Places()).IsRegistered());
}

TEST_F(FileTypesTest, ExtensionsCompareWithoutCaseAndNeedTheirOwnType) {
  CFileTypeRegistration reg(Places());
  ASSERT_TRUE(reg.Register());
  EXPECT_TRUE(reg.CheckExtension(".LDR"));
  // An .mpd glob filed under the .ldr type does not register .mpd.
  WriteFileBytes(reg.MimeFilePath(),
                 "<mime-info>\n<mime-type type=\"application/x-ldraw\">\n<glob pattern=\"*.ldr\"/>\n"
                 "<glob pattern=\"*.mpd\"/>\n</mime-type>\n</mime-info>\n");
  EXPECT_TRUE(reg.CheckExtension(".ldr"));
  EXPECT_FALSE(reg.CheckExtension(".mpd"));
}

TEST_F(FileTypesTest, UnregisterRemovesBothFiles) {
  CFileTypeRegistration reg(Places());
  ASSERT_TRUE(reg.Register());
  EXPECT_TRUE(reg.Unregister());
  EXPECT_FALSE(FileExists(reg.MimeFilePath()));
  EXPECT_FALSE(FileExists(reg.DesktopFilePath()));
  EXPECT_FALSE(reg.IsRegistered());
  EXPECT_TRUE(reg.Unregister());  // nothing there is no failure
}

TEST_F(FileTypesTest, DisabledCheckTouchesNothing) {
  CFileTypeRegistration reg(Places());
  EXPECT_EQ(CheckFileTypeRegistration(0, reg), 1);
  EXPECT_TRUE(m_prompt.shown.empty());
  EXPECT_FALSE(IsDirectory(m_home / "data"));
}

TEST_F(FileTypesTest, DecliningTheQuestionWritesNothing) {
  CFileTypeRegistration reg(Places());
  m_prompt.Answer(PromptAnswer::No);
  EXPECT_EQ(CheckFileTypeRegistration(1, reg), 1);
  ASSERT_EQ(m_prompt.shown.size(), 1u);
  EXPECT_EQ(m_prompt.shown[0].text, "Plandor is not (properly) registered for it's file types. Register it now?");
  EXPECT_EQ(m_prompt.shown[0].buttons, PromptButtons::YesNo);
  EXPECT_FALSE(FileExists(reg.DesktopFilePath()));
}

TEST_F(FileTypesTest, YesRegistersAndTheNextCheckIsQuiet) {
  CFileTypeRegistration reg(Places());
  m_prompt.Answer(PromptAnswer::Yes);
  EXPECT_EQ(CheckFileTypeRegistration(1, reg), 1);
  EXPECT_TRUE(reg.IsRegistered());
  m_prompt.shown.clear();
  EXPECT_EQ(CheckFileTypeRegistration(1, reg), 1);
  EXPECT_TRUE(m_prompt.shown.empty());
}

TEST_F(FileTypesTest, UnknownProgramPathOrUnwritableFolderFails) {
  EXPECT_EQ(CheckFileTypeRegistration(1, CFileTypeRegistration(Places(""))), 0);
  // The data folder is a file: nothing can be written below it.
  FileTypePlaces blocked = Places();
  WriteFileBytes(m_home / "blocked", "x");
  blocked.dataHome = m_home / "blocked";
  m_prompt.Answer(PromptAnswer::Yes);
  EXPECT_EQ(CheckFileTypeRegistration(1, CFileTypeRegistration(blocked)), 0);
}

// A failed registration turns the check off (kept with the settings) and says why; a declined one
// keeps it on, so the question comes again at the next start.
TEST_F(FileTypesTest, StartUpTurnsTheCheckOffOnlyAfterAFailure) {
  CSettings settings;
  StartUpOptions options;
  options.settings = &settings;
  options.fileTypes = Places();
  WriteFileBytes(m_home / "blocked", "x");
  options.fileTypes.dataHome = m_home / "blocked";
  settings.RegFileTypes = 1;
  {
    CStartUp startUp(std::move(options));
    m_prompt.Answer(PromptAnswer::No);
    startUp.CheckFileTypes();
    EXPECT_EQ(settings.RegFileTypes, 1);
    m_prompt.Answer(PromptAnswer::Yes);
    startUp.CheckFileTypes();
    EXPECT_EQ(settings.RegFileTypes, 0);
  }
  ASSERT_EQ(m_prompt.shown.size(), 3u);
  EXPECT_EQ(m_prompt.shown[2].text, "Cannot register file types!\nMaybe you do not have enough rights!");
  EXPECT_EQ(m_prompt.shown[2].icon, PromptIcon::Stop);
}

}  // namespace
