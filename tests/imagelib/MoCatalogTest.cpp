// The language scan's own reader of gettext catalogues: both byte orders, plural and context
// entries, and damaged files refused without reading past their end.
#include <gtest/gtest.h>

#include <cstdlib>

#include "imagelib/MoCatalog.h"
#include "support/TestData.h"

namespace {

const char* kPo =
    "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
    "msgid \"Open\"\nmsgstr \"Oeffnen\"\n\n"
    "msgctxt \"menu\"\nmsgid \"Close\"\nmsgstr \"Schliessen\"\n\n"
    "msgid \"file\"\nmsgid_plural \"files\"\nmsgstr[0] \"Datei\"\nmsgstr[1] \"Dateien\"\n";

std::string Build(const CScratchDir& dir, const std::string& options) {
  std::string po = dir / "a.po", mo = dir / "a.mo";
  EXPECT_TRUE(WriteFileBytes(po, kPo));
  EXPECT_EQ(std::system(("msgfmt " + options + " -o '" + mo + "' '" + po + "'").c_str()), 0);
  return ReadFileBytes(mo);
}

class MoCatalogTest : public ::testing::TestWithParam<const char*> {};

TEST_P(MoCatalogTest, ReadsEitherByteOrder) {
  CScratchDir dir;
  tolvo::CMoCatalog catalogue;
  ASSERT_TRUE(catalogue.Parse(Build(dir, GetParam())));
  ASSERT_NE(catalogue.Find("Open"), nullptr);
  EXPECT_EQ(*catalogue.Find("Open"), "Oeffnen");
  ASSERT_NE(catalogue.Find("file"), nullptr);  // a plural entry is named by its singular
  EXPECT_EQ(*catalogue.Find("file"), "Datei");
  EXPECT_EQ(catalogue.Find("Close"), nullptr);  // only with its context
  EXPECT_EQ(catalogue.Find(""), nullptr);       // the header is no message
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, MoCatalogTest, ::testing::Values("--endianness=little", "--endianness=big"));

TEST(MoCatalogDamageTest, EveryCutAndEveryOversizedFieldIsRefused) {
  CScratchDir dir;
  std::string good = Build(dir, "");
  tolvo::CMoCatalog catalogue;
  for (size_t cut = 0; cut < good.size(); ++cut) {
    // A cut inside the last string's terminator still holds all the data the tables point to.
    if (catalogue.Parse(good.substr(0, cut))) {
      EXPECT_GE(cut, good.size() - 1) << cut;
    }
  }
  for (size_t field : {8u, 12u, 16u, 28u, 32u}) {
    std::string bad = good;
    bad[field + 3] = '\x7F';  // a huge count, table offset, string length or string offset
    EXPECT_FALSE(catalogue.Parse(bad)) << field;
  }
  EXPECT_FALSE(catalogue.Parse("not a catalogue at all"));
}

}  // namespace
