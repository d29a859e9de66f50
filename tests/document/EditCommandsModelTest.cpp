// Every editing command on a real model, each undone again: the project text comes back exactly.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "DocModel.h"
#include "document/ClipboardPort.h"
#include "tests/support/TestData.h"

namespace {

std::string ProjectText(CQuorvelDoc& doc) {
  CArrayTextHandler out;
  doc.GetProject().WriteTo(out, "test.mpd");
  std::string text;
  for (const std::string& line : out.GetLines()) text += line;
  return text;
}

class EditCommandsModelTest : public DocumentTest {
 protected:
  // The real library's part files go with this scope, before the document's: the document lets
  // go of its models first.
  ~EditCommandsModelTest() override { doc.OnNewDocument(); }
  CLibraryScope realLibrary{TestLibraryDir(), 0};
};

TEST_F(EditCommandsModelTest, EveryCommandIsUndoneToTheExactText) {
  REQUIRE_LDRAW_LIBRARY(library);
  REQUIRE_LDRAW_MODELS(models);
  const std::string path = models + "/6923-1 - Particle Ionizer.mpd";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "no " << path;
  ASSERT_TRUE(doc.OnOpenDocument(path));
  prompt.shown.clear();  // the offer to upgrade moved parts
  const struct {
    const char* what;
    std::function<int(CQuorvelDoc&)> run;
  } commands[] = {
      {"cut", [](CQuorvelDoc& d) { return d.OnEditCut(); }},
      {"erase", [](CQuorvelDoc& d) { return d.OnEditErase(); }},
      {"duplicate", [](CQuorvelDoc& d) { return d.OnEditDuplicate(); }},
      {"copy and paste",
       [](CQuorvelDoc& d) {
         d.OnEditCopy();
         return d.OnEditPasteAny();
       }},
      {"X ->", [](CQuorvelDoc& d) { return d.MoveByGrid(32792); }},
      {"<- Y", [](CQuorvelDoc& d) { return d.MoveByGrid(32795); }},
      {"Z ->", [](CQuorvelDoc& d) { return d.MoveByGrid(32796); }},
      {"turn <- X", [](CQuorvelDoc& d) { return d.RotateByGrid(32816); }},
      {"turn Y ->", [](CQuorvelDoc& d) { return d.RotateByGrid(32819); }},
      {"turn <- Z", [](CQuorvelDoc& d) { return d.RotateByGrid(32820); }},
      {"snap", [](CQuorvelDoc& d) { return d.OnSnapToGrid(); }},
      {"hide", [](CQuorvelDoc& d) { return d.OnHide(); }},
      {"ghost", [](CQuorvelDoc& d) { return d.OnGhost(); }},
  };
  // The main model and one sub-model of parts.
  for (int model : {0, 2}) {
    doc.SelectActiveModel(model);
    // As Activate Model does: the newest snapshot holds which model is active.
    doc.SetModifiedFlag(1);
    const std::string before = ProjectText(doc);
    for (const auto& c : commands) {
      SCOPED_TRACE(testing::Message() << "model " << model << ", " << c.what);
      ASSERT_TRUE(doc.CanSelectAll());
      doc.OnSelectAll();
      const int undo = doc.GetUndoCurrent();
      EXPECT_EQ(c.run(doc), 1);
      EXPECT_NE(ProjectText(doc), before);
      EXPECT_EQ(doc.GetUndoCurrent(), undo + 1);
      doc.OnEditUndo();
      EXPECT_EQ(ProjectText(doc), before);
      EXPECT_EQ(doc.GetProject().GetCurrentIndex(), model);
    }
  }
  for (const auto& shown : prompt.shown) ADD_FAILURE() << shown.text;
}

}  // namespace
