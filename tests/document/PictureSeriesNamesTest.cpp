// The names a series would write are exactly the names it writes, for steps and for complete
// models, of the active model or of all of them.
#include <gtest/gtest.h>

#include "DocModel.h"
#include "document/PictureSeries.h"

namespace {

class CNameWriter : public IPictureWriter {
 public:
  bool Write(const std::string& path, const CDib&, const std::string&) override {
    names.push_back(path);
    return true;
  }
  std::vector<std::string> names;
};

class PictureSeriesNamesTest : public DocumentTest {};

TEST_F(PictureSeriesNamesTest, TheNamesAreThoseTheSeriesWrites) {
  struct Case {
    const char* name;
    int kind;
    bool submodels;
    int apvt;
    size_t count;
  };
  // Models of 2 and 11 steps, the second active.
  const Case cases[] = {
      {"steps of every model", 0, true, 0, 13},          {"steps of the active model", 0, false, 0, 11},
      {"steps with the extra last one", 0, true, 1, 15}, {"every complete model", 1, true, 0, 2},
      {"the active model complete", 1, false, 0, 1},
  };
  for (const Case& c : cases) {
    LoadDocument(doc, "0 FILE a.ldr\n" + SteppedModel(2) + "0 FILE b.ldr\n" + SteppedModel(11), 1);
    theSettings.APVT = c.apvt;
    PictureSeriesOptions options;
    options.kind = c.kind;
    options.submodels = c.submodels;
    options.resolution = 0;
    options.stepNumbers = false;
    const std::vector<std::string> expected = PictureSeriesNames(doc, options, "/out/pic.png");
    CNameWriter writer;
    ASSERT_EQ(SavePictureSeries(doc, options, "/out/pic.png", writer), SeriesResult::Written) << c.name;
    EXPECT_EQ(expected.size(), c.count) << c.name;
    EXPECT_EQ(writer.names, expected) << c.name;
  }
}

}  // namespace
