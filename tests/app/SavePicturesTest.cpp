// Save Image(s): the options dialog (first-use values, kept after OK, untouched by Cancel, a first
// drag that turns the view from where it is) and the command, which writes a numbered series of
// real picture files.
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/image.h>
#include <wx/modalhook.h>
#include <wx/radiobut.h>

#include <filesystem>

#include "GuiTest.h"
#include "app/CommandMap.h"
#include "app/PictureCommands.h"
#include "dialogs/ModelPreview.h"
#include "dialogs/SavePicDlg.h"
#include "document/DocModel.h"
#include "support/TestData.h"

namespace {

double MaxDifference(const CMatrix3& a, const double b[9]) {
  double most = 0;
  for (int i = 0; i < 9; ++i) most = std::max(most, std::fabs(a.m[i] - b[i]));
  return most;
}

template <class T>
T* Child(wxWindow& dialog, int id) {
  return dynamic_cast<T*>(dialog.FindWindow(id));
}

void Mouse(wxWindow& window, wxEventType type, int x, int y) {
  wxMouseEvent event(type);
  event.SetEventObject(&window);
  event.SetPosition(wxPoint(x, y));
  event.m_leftDown = type != wxEVT_LEFT_UP;
  window.ProcessWindowEvent(event);
}

class SavePicturesTest : public DocumentTest {
 protected:
  void SetUp() override {
    // As the program does at its start (more than once does no harm).
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxInitAllImageHandlers();
    CSavePicDlg::ResetOptions();
    theSettings.APVT = 0;
    LoadDocument(doc, SteppedModel(3));
  }
  void TearDown() override { CSavePicDlg::ResetOptions(); }
};

TEST_F(SavePicturesTest, FirstUseValuesAreKeptAfterOkAndCancelChangesNothing) {
  REQUIRE_GUI();
  CMatrix3 turned;
  {
    CSavePicDlg dialog(nullptr, doc.GetActiveModel());
    EXPECT_EQ(dialog.GetTitle(), "Save Image(s) Options");
    EXPECT_EQ(Child<wxChoice>(dialog, CSavePicDlg::kResolutionId)->GetStringSelection(), "640 x 480");
    EXPECT_EQ(Child<wxChoice>(dialog, CSavePicDlg::kFileTypeId)->GetStringSelection(), "Bitmap");
    EXPECT_TRUE(Child<wxRadioButton>(dialog, CSavePicDlg::kEachStepId)->GetValue());
    EXPECT_TRUE(Child<wxCheckBox>(dialog, CSavePicDlg::kSubmodelsId)->GetValue());
    EXPECT_TRUE(Child<wxCheckBox>(dialog, CSavePicDlg::kStepNumbersId)->GetValue());
    EXPECT_FALSE(Child<wxCheckBox>(dialog, CSavePicDlg::kPerspectiveId)->GetValue());
    CModelPreview& preview = dialog.Preview();
    EXPECT_TRUE(preview.State().IsRendered());
    EXPECT_FALSE(preview.State().IsBlank());
    EXPECT_EQ(preview.State().GetCurrentMatrix().Differs(theDefaultViewMatrix), 0) << "the default view";

    // A one-pixel drag turns the view a little from the default, not to the front view.
    Mouse(preview, wxEVT_LEFT_DOWN, 100, 80);
    Mouse(preview, wxEVT_MOTION, 101, 80);
    EXPECT_LT(MaxDifference(preview.State().GetCurrentMatrix(), theDefaultViewMatrix.m.data()), 0.02);
    Mouse(preview, wxEVT_MOTION, 40, 60);
    Mouse(preview, wxEVT_LEFT_UP, 40, 60);
    turned = preview.State().GetCurrentMatrix();
    EXPECT_GT(MaxDifference(turned, theDefaultViewMatrix.m.data()), 0.1);

    Child<wxChoice>(dialog, CSavePicDlg::kResolutionId)->SetSelection(0);
    Child<wxChoice>(dialog, CSavePicDlg::kFileTypeId)->SetSelection(3);
    Child<wxRadioButton>(dialog, CSavePicDlg::kAssemblyId)->SetValue(true);
    Child<wxCheckBox>(dialog, CSavePicDlg::kStepNumbersId)->SetValue(false);
    dialog.Accept();
    EXPECT_EQ(dialog.GetReturnCode(), wxID_OK);
  }
  const PictureSeriesOptions& options = CSavePicDlg::Options();
  EXPECT_EQ(options.resolution, 0);
  EXPECT_EQ(options.fileType, 3);
  EXPECT_EQ(options.kind, 1);
  EXPECT_FALSE(options.stepNumbers);
  EXPECT_TRUE(options.submodels);
  EXPECT_EQ(MaxDifference(turned, options.view), 0);
  {
    CSavePicDlg dialog(nullptr, doc.GetActiveModel());
    EXPECT_EQ(Child<wxChoice>(dialog, CSavePicDlg::kResolutionId)->GetStringSelection(), "160 x 120");
    EXPECT_EQ(Child<wxChoice>(dialog, CSavePicDlg::kFileTypeId)->GetStringSelection(), "Png");
    EXPECT_TRUE(Child<wxRadioButton>(dialog, CSavePicDlg::kAssemblyId)->GetValue());
    EXPECT_FALSE(Child<wxCheckBox>(dialog, CSavePicDlg::kStepNumbersId)->GetValue());
    EXPECT_EQ(MaxDifference(dialog.Preview().State().GetCurrentMatrix(), options.view), 0);
    // Turned and changed, then cancelled.
    Mouse(dialog.Preview(), wxEVT_LEFT_DOWN, 100, 80);
    Mouse(dialog.Preview(), wxEVT_MOTION, 10, 10);
    Mouse(dialog.Preview(), wxEVT_LEFT_UP, 10, 10);
    Child<wxChoice>(dialog, CSavePicDlg::kResolutionId)->SetSelection(6);
  }
  EXPECT_EQ(MaxDifference(turned, CSavePicDlg::Options().view), 0);
  EXPECT_EQ(CSavePicDlg::Options().resolution, 0);
}

// Answers the options dialog: picks the size and file type and presses Save.
class CSavePicAnswer : public wxModalDialogHook {
 public:
  CSavePicAnswer(int resolution, int fileType) : m_resolution(resolution), m_fileType(fileType) {
    Register();
  }
  ~CSavePicAnswer() override { Unregister(); }
  int Enter(wxDialog* dialog) override {
    auto* options = dynamic_cast<CSavePicDlg*>(dialog);
    if (!options) return wxID_CANCEL;
    ++shown;
    Child<wxChoice>(*options, CSavePicDlg::kResolutionId)->SetSelection(m_resolution);
    Child<wxChoice>(*options, CSavePicDlg::kFileTypeId)->SetSelection(m_fileType);
    options->Accept();
    return wxID_OK;
  }
  void Exit(wxDialog*) override {}
  int shown = 0;

 private:
  int m_resolution, m_fileType;
};

TEST_F(SavePicturesTest, TheCommandWritesANumberedPngSeriesOfEveryStep) {
  REQUIRE_GUI();
  CScratchDir dir;
  CCommandMap commands;
  BindPictureCommands(commands, doc);
  ASSERT_TRUE(commands.QueryCommand(32864).enabled);
  host.files.push_back(dir / "steps");
  {
    CSavePicAnswer answer(0, 3);  // 160 x 120, PNG
    commands.RunCommand(32864);
    EXPECT_EQ(answer.shown, 1);
  }
  ASSERT_EQ(host.fileRequests.size(), 1u);
  EXPECT_EQ(host.fileRequests[0].title, "Save Image(s)");
  EXPECT_TRUE(host.fileRequests[0].save);
  for (const char* name : {"steps1.PNG", "steps2.PNG", "steps3.PNG"}) {
    ASSERT_TRUE(std::filesystem::exists(dir / name)) << name;
    wxImage picture;
    ASSERT_TRUE(picture.LoadFile(wxString::FromUTF8(dir / name), wxBITMAP_TYPE_PNG)) << name;
    EXPECT_EQ(picture.GetWidth(), 160) << name;
    EXPECT_EQ(picture.GetHeight(), 120) << name;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "steps4.PNG"));
  EXPECT_EQ(doc.GetEditMode(), 1) << "print mode is left";

  // The same names again: one question; No keeps the files, Yes writes them anew.
  const auto written = std::filesystem::last_write_time(dir / "steps2.PNG");
  for (const PromptAnswer answer : {PromptAnswer::No, PromptAnswer::Yes}) {
    prompt.shown.clear();
    prompt.Answer(answer);
    host.files.push_back(dir / "steps");
    CSavePicAnswer options(0, 3);
    commands.RunCommand(32864);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text,
              "3 of the pictures already exist, " + dir / "steps1.PNG" + " among them.\nReplace them?");
    EXPECT_EQ(std::filesystem::last_write_time(dir / "steps2.PNG") != written, answer == PromptAnswer::Yes);
  }

  // A cancelled file dialog writes nothing.
  CScratchDir other;
  host.files.push_back("");
  {
    CSavePicAnswer answer(0, 3);
    commands.RunCommand(32864);
  }
  EXPECT_TRUE(std::filesystem::is_empty(other.Path()));
}

TEST_F(SavePicturesTest, TheCommandIsOffWithoutStepContent) {
  CCommandMap commands;
  BindPictureCommands(commands, doc);
  LoadDocument(doc, "0 only a comment\n");
  EXPECT_FALSE(commands.QueryCommand(32864).enabled);
}

}  // namespace
