// Save Image(s): the numbered names, the split of the chosen name, and the series of pictures
// per step or per model with its progress, its stop on a failed picture and on Cancel.
#include <gtest/gtest.h>

#include "DocModel.h"
#include "document/PictureSeries.h"
#include "render/Dib.h"
#include "tests/support/ScriptedPorts.h"

namespace {

TEST(PictureNames, NumberedFileNames) {
  struct Case {
    unsigned long count, index;
    const char* name;
  } cases[] = {{1, 0, "Bx.png"},     {9, 0, "B1x.png"},      {9, 8, "B9x.png"},       {10, 0, "B01x.png"},
               {99, 98, "B99x.png"}, {100, 0, "B001x.png"},  {1000, 999, "B1000x.png"}, {10000, 0, "B0001x.png"},
               {12, 11, "B12x.png"}, {120, 119, "B120x.png"}};
  for (const Case& c : cases) EXPECT_EQ(MakeNumberedFileName("B", "x.png", c.count, c.index), c.name) << c.count;
}

TEST(PictureNames, TheNameSplitsInsideTheFileNameOnly) {
  struct Case {
    const char *path, *word, *base, *extension;
  } cases[] = {
      {"/a/pic.png", "PNG", "/a/pic", ".png"},
      {"/a/pic", "PNG", "/a/pic", ".PNG"},
      {"/a/pic", "JPEG", "/a/pic", ".JPEG"},
      {"/home/u/my.models/pic", "BMP", "/home/u/my.models/pic", ".BMP"},
      {"/home/u/my.models/pic.gif", "GIF", "/home/u/my.models/pic", ".gif"},
      {"/a/.pic", "TIFF", "/a/.pic", ".TIFF"},
      {"pic.tar.bmp", "BMP", "pic.tar", ".bmp"},
  };
  for (const Case& c : cases) {
    std::string base, extension;
    SplitPictureName(c.path, c.word, base, extension);
    EXPECT_EQ(base, c.base) << c.path;
    EXPECT_EQ(extension, c.extension) << c.path;
  }
  EXPECT_EQ(DefaultPictureName("/m/house.v2/tower.ldr"), "/m/house.v2/tower");
  EXPECT_EQ(DefaultPictureName("/m/house.v2/tower"), "/m/house.v2/tower");
}

// Records every picture instead of writing it; fails at the picture number failAt (from 1).
class CRecordingWriter : public IPictureWriter {
 public:
  bool Write(const std::string& path, const CDib& picture, const std::string& word) override {
    names.push_back(path);
    sizes.emplace_back(picture.GetWidth(), picture.GetHeight());
    words.push_back(word);
    return failAt == 0 || static_cast<int>(names.size()) != failAt;
  }
  std::vector<std::string> names, words;
  std::vector<std::pair<int, int>> sizes;
  int failAt = 0;
};

class PictureSeriesTest : public DocumentTest {
 protected:
  void SetUp() override {
    theSettings.APVT = 0;
    ports.offered.insert(DocPort::Progress);
    doc.SetPorts(&ports);
    options.resolution = 0;
    options.stepNumbers = true;
  }
  void TearDown() override { doc.SetPorts(nullptr); }

  CScriptedPorts ports;
  CRecordingWriter writer;
  PictureSeriesOptions options;
};

TEST_F(PictureSeriesTest, TwelveStepsGiveTwoDigitNamesAndARangeOfThirteen) {
  LoadDocument(doc, SteppedModel(12));
  EXPECT_EQ(SavePictureSeries(doc, options, "/out/B.png", writer), SeriesResult::Written);
  ASSERT_EQ(writer.names.size(), 12u);
  EXPECT_EQ(writer.names.front(), "/out/B01.png");
  EXPECT_EQ(writer.names.back(), "/out/B12.png");
  EXPECT_EQ(writer.sizes.front(), (std::pair<int, int>{160, 120}));
  EXPECT_EQ(writer.words.front(), "BMP");
  EXPECT_EQ(ports.progressRanges, std::vector<int>{13});
  EXPECT_EQ(ports.progressSteps, 12);
  // Print mode is left and edit mode is back.
  EXPECT_EQ(doc.GetEditMode(), 1);
}

TEST_F(PictureSeriesTest, WithSubmodelsTheNumbersRunOnOverTheModels) {
  LoadDocument(doc, "0 FILE a.ldr\n" + SteppedModel(2) + "0 FILE b.ldr\n" + SteppedModel(3), 1);
  EXPECT_EQ(SavePictureSeries(doc, options, "/out/B", writer), SeriesResult::Written);
  EXPECT_EQ(writer.names, (std::vector<std::string>{"/out/B1.BMP", "/out/B2.BMP", "/out/B3.BMP", "/out/B4.BMP",
                                                     "/out/B5.BMP"}));
  EXPECT_EQ(ports.progressRanges, std::vector<int>{6});
  EXPECT_EQ(doc.GetProject().GetCurrentIndex(), 1) << "the active model is active again";
}

TEST_F(PictureSeriesTest, AssemblyPicturesOnePerModelOrExactlyTheChosenName) {
  LoadDocument(doc, "0 FILE a.ldr\n" + SteppedModel(2) + "0 FILE b.ldr\n" + SteppedModel(3));
  options.kind = 1;
  options.fileType = 3;
  EXPECT_EQ(SavePictureSeries(doc, options, "/out/B.png", writer), SeriesResult::Written);
  EXPECT_EQ(writer.names, (std::vector<std::string>{"/out/B1.png", "/out/B2.png"}));
  EXPECT_EQ(writer.words.front(), "PNG");
  EXPECT_EQ(ports.progressRanges, std::vector<int>{2});
  EXPECT_EQ(ports.progressSteps, 2);

  CRecordingWriter single;
  options.submodels = false;
  EXPECT_EQ(SavePictureSeries(doc, options, "/out/one.png", single), SeriesResult::Written);
  EXPECT_EQ(single.names, std::vector<std::string>{"/out/one.png"});
}

TEST_F(PictureSeriesTest, AFailedPictureStopsTheSeriesAndKeepsTheDocumentAsItWas) {
  LoadDocument(doc, "0 FILE a.ldr\n" + SteppedModel(2) + "0 FILE b.ldr\n" + SteppedModel(3), 1);
  writer.failAt = 3;
  EXPECT_EQ(SavePictureSeries(doc, options, "/out/B.png", writer), SeriesResult::Failed);
  EXPECT_EQ(writer.names.size(), 3u);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "Failed to create the file!");
  EXPECT_EQ(doc.GetProject().GetCurrentIndex(), 1);
  EXPECT_EQ(doc.GetEditMode(), 1);
  EXPECT_FALSE(doc.AreStepUpdatesBlocked());
}

TEST_F(PictureSeriesTest, CancelStopsTheSeriesWithoutAMessage) {
  LoadDocument(doc, SteppedModel(5));
  ports.cancelAfter = 3;
  EXPECT_EQ(SavePictureSeries(doc, options, "/out/B.png", writer), SeriesResult::Cancelled);
  EXPECT_EQ(writer.names.size(), 2u);
  EXPECT_TRUE(prompt.shown.empty());
}

}  // namespace
