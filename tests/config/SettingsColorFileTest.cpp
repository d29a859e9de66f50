#include <gtest/gtest.h>

#include <cstring>

#include "SettingsFixture.h"

namespace {

std::string Name(const ColorEntry& e) { return std::string(e.name, strnlen(e.name, sizeof(e.name))); }

const int32_t kDefaultBar[16] = {15, 151, 71, 72, 0, 216, 4, 25, 14, 27, 2, 73, 89, 22, 5, 80};

std::string BarBytes(int32_t first) {
  std::string s = LE32(static_cast<uint32_t>(first));
  for (int i = 1; i < 16; ++i) s += LE32(static_cast<uint32_t>(100 + i));
  return s;
}

// 512 records of 56 bytes, written byte by byte: record k is named "Colour<k>" (entry 7 has an
// unterminated 44-character name), edge -2 - k, RGB k, k+1, k+2, alpha 200, edge RGB 1 2 3, 255.
std::string TableBytes() {
  std::string s;
  for (int k = 0; k < 512; ++k) {
    std::string name = k == 7 ? std::string(44, 'N') : "Colour" + std::to_string(k);
    name.resize(44, '\0');
    s += name;
    s += LE32(static_cast<uint32_t>(-2 - k));
    const uint8_t tail[8] = {uint8_t(k), uint8_t(k + 1), uint8_t(k + 2), 200, 1, 2, 3, 255};
    s.append(reinterpret_cast<const char*>(tail), 8);
  }
  return s;
}

class ColorFileTest : public SettingsTest {
 protected:
  void SetUp() override {
    SettingsTest::SetUp();
    BuildColorTable(BuiltinColors.data(), theLDConfigColors, kColorCount);
    std::memset(theDefaultColors, 0, sizeof(theDefaultColors));
    s.BasePath = Library();
    s.ResetColorBar();
  }
  int ReadBytes(const std::string& bytes) {
    EXPECT_TRUE(WriteFileBytes(CfgPath(), bytes));
    return s.ReadCfg();
  }
  bool DefaultIsLibrary() const {
    return std::memcmp(theDefaultColors, theLDConfigColors, sizeof(theDefaultColors)) == 0;
  }
  CSettings s;
};

TEST_F(ColorFileTest, HeaderWithoutTable) {
  thePrivateColorsFlag = 1;
  EXPECT_EQ(ReadBytes(LE32(0x03400000) + BarBytes(-7)), 1);
  EXPECT_EQ(thePrivateColorsFlag, 0);
  EXPECT_TRUE(DefaultIsLibrary());
  EXPECT_EQ(s.ColorBarColors[0], -7);
  EXPECT_EQ(s.ColorBarColors[15], 115);
}

TEST_F(ColorFileTest, HeaderWithTable) {
  for (uint32_t header : {0x03400001u, 0x0340FFFFu}) {
    std::memset(theDefaultColors, 0, sizeof(theDefaultColors));
    thePrivateColorsFlag = 0;
    EXPECT_EQ(ReadBytes(LE32(header) + TableBytes() + BarBytes(4)), 1) << std::hex << header;
    EXPECT_EQ(thePrivateColorsFlag, 1);
    EXPECT_EQ(Name(theDefaultColors[300]), "Colour300");
    EXPECT_EQ(theDefaultColors[300].edgeColor, -302);
    EXPECT_EQ(theDefaultColors[300].red, 300 % 256);
    EXPECT_EQ(theDefaultColors[300].blue, 302 % 256);
    EXPECT_EQ(theDefaultColors[300].alpha, 200);
    EXPECT_EQ(theDefaultColors[300].edgeBlue, 3);
    EXPECT_EQ(theDefaultColors[300].reserved, 255);
    // An unterminated name is cut to the 40 characters a name may use.
    EXPECT_EQ(Name(theDefaultColors[7]), std::string(40, 'N'));
    EXPECT_EQ(s.ColorBarColors[0], 4);
  }
}

TEST_F(ColorFileTest, OlderFileBeginsWithItsTable) {
  thePrivateColorsFlag = 1;
  EXPECT_EQ(ReadBytes(TableBytes() + BarBytes(9)), 1);
  EXPECT_EQ(thePrivateColorsFlag, 0);
  EXPECT_TRUE(DefaultIsLibrary());
  EXPECT_EQ(s.ColorBarColors[0], 9);
}

TEST_F(ColorFileTest, ShortAndTruncatedFiles) {
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"half a header", LE32(0x03400000).substr(0, 2)},
      {"no colour bar", LE32(0x03400000)},
      {"short colour bar", LE32(0x03400000) + BarBytes(1).substr(0, 30)},
      {"table cut short", LE32(0x03400001) + std::string(100, 'x')},
      {"table without colour bar", LE32(0x03400001) + TableBytes()},
      {"older table cut short", TableBytes().substr(0, 1000)},
      {"older file without colour bar", TableBytes() + BarBytes(1).substr(0, 63)},
  };
  for (const Case& c : cases) {
    s.ResetColorBar();
    EXPECT_EQ(ReadBytes(c.bytes), 0) << c.what;
    EXPECT_EQ(std::memcmp(s.ColorBarColors, kDefaultBar, sizeof(kDefaultBar)), 0) << c.what;
  }
  std::remove(CfgPath().c_str());
  EXPECT_EQ(s.ReadCfg(), 0);
}

TEST_F(ColorFileTest, LoadFallsBackOnAShortTable) {
  std::memset(theDefaultColors, 0, sizeof(theDefaultColors));
  ASSERT_TRUE(WriteFileBytes(CfgPath(), LE32(0x03400001) + std::string(100, 'x')));
  CSettings loaded;
  loaded.ColorBarColors[2] = 1234;
  loaded.Load();
  EXPECT_EQ(thePrivateColorsFlag, 0);
  EXPECT_TRUE(DefaultIsLibrary());
  EXPECT_EQ(std::memcmp(loaded.ColorBarColors, kDefaultBar, sizeof(kDefaultBar)), 0);
  EXPECT_EQ(Name(theLDConfigColors[72]), "Dark_Bluish_Grey");
}

TEST_F(ColorFileTest, WrittenLayout) {
  s.ColorBarColors[1] = -1;
  thePrivateColorsFlag = 0;
  ASSERT_EQ(s.WriteCfg(), 1);
  std::string plain = ReadFileBytes(CfgPath());
  ASSERT_EQ(plain.size(), 68u);
  std::string expected = LE32(0x03400000) + LE32(15) + LE32(0xFFFFFFFF);
  for (int i = 2; i < 16; ++i) expected += LE32(static_cast<uint32_t>(kDefaultBar[i]));
  EXPECT_EQ(plain, expected);

  ASSERT_TRUE(WriteFileBytes(scratch / "table.cfg", LE32(0x03400001) + TableBytes() + BarBytes(3)));
  ASSERT_TRUE(WriteFileBytes(CfgPath(), ReadFileBytes(scratch / "table.cfg")));
  ASSERT_EQ(s.ReadCfg(), 1);
  ASSERT_EQ(thePrivateColorsFlag, 1);
  ASSERT_EQ(s.WriteCfg(), 1);
  std::string withTable = ReadFileBytes(CfgPath());
  ASSERT_EQ(withTable.size(), 28740u);
  // Byte for byte what was read, but for the name that was cut to 40 characters.
  std::string original = ReadFileBytes(scratch / "table.cfg");
  std::memset(original.data() + 4 + 56 * 7 + 40, 0, 4);
  EXPECT_EQ(withTable, original);
}

TEST_F(ColorFileTest, ReadOnlyLibraryKeepsTheFileInTheUsersConfigFolder) {
  std::string readOnly = scratch / "not-here/lib";  // a folder the program cannot write into
  s.BasePath = readOnly;
  OpenLog();
  s.ColorBarColors[5] = 77;
  ASSERT_EQ(s.WriteCfg(), 1);
  std::string userCopy = scratch / "config/Plandor/Plandor.cfg";
  ASSERT_EQ(ReadFileBytes(userCopy).size(), 68u);
  EXPECT_EQ(s.GetColorFilePath(false), userCopy);
  s.ResetColorBar();
  ASSERT_EQ(s.ReadCfg(), 1);
  EXPECT_EQ(s.ColorBarColors[5], 77);
  std::string log = Log();
  EXPECT_NE(log.find("Writing the color file to '" + userCopy + "' (the library folder '" + readOnly +
                     "' is not writable)"),
            std::string::npos)
      << log;
  // A writable library keeps its own file.
  s.BasePath = Library();
  EXPECT_EQ(s.GetColorFilePath(true), CfgPath());
}

TEST_F(ColorFileTest, FailedWriteIsLoggedAndReported) {
  // A folder in the way of the rename makes the save fail after the data was written.
  std::string blocked = scratch / "blocked";
  MakeDirectories(blocked + "/Plandor.cfg/inside");
  s.BasePath = blocked;
  OpenLog();
  EXPECT_EQ(s.WriteCfg(), 0);
  EXPECT_NE(Log().find("ERROR: Failed to write the color file '" + blocked + "/Plandor.cfg'!"),
            std::string::npos)
      << Log();
  EXPECT_TRUE(IsDirectory(blocked + "/Plandor.cfg/inside"));
  EXPECT_EQ(s.Save(), 0);
}

}  // namespace
