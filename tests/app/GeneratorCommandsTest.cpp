// The generator commands of the document's chain: the spring command opens its dialog and, by the
// output choice, inserts a generated-part element or appends the built elements to the model.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/radiobut.h>

#include "GuiTest.h"
#include "app/CommandMap.h"
#include "app/InsertCommands.h"
#include "dialogs/SpringDlg.h"
#include "document/DocModel.h"

namespace {

constexpr int kSpringCommand = 32990;

class GeneratorCommandsTest : public DocumentTest {
 protected:
  // While the spring dialog runs: picks the output and presses OK.
  void AnswerSpring(int output) {
    wxTheApp->CallAfter([output] {
      wxWindow* dialog = wxWindow::FindWindowById(231);
      ASSERT_NE(dialog, nullptr);
      auto* radio = dynamic_cast<wxRadioButton*>(dialog->FindWindow(1407 + output));
      ASSERT_NE(radio, nullptr);
      radio->SetValue(true);
      wxWindow* ok = dialog->FindWindow(wxID_OK);
      wxCommandEvent event(wxEVT_BUTTON, wxID_OK);
      event.SetEventObject(ok);
      ok->ProcessWindowEvent(event);
    });
  }
};

TEST_F(GeneratorCommandsTest, SpringAsPartOrAsElements) {
  REQUIRE_GUI();
  LoadDocument(doc, "0 base\n2 24 0 0 0 10 0 0\n");
  CCommandMap commands;
  BindInsertCommands(commands, doc);
  ASSERT_TRUE(commands.QueryCommand(kSpringCommand).enabled);

  AnswerSpring(3);
  commands.RunCommand(kSpringCommand);
  ASSERT_EQ(Model().GetCount(), 3u);  // the comment, the line and the spring
  EXPECT_EQ(Model().GetAt(2)->GetType(), ElementType::Spring);
  EXPECT_EQ(doc.GetUndoCount(), 2);

  // Appended: many lines and quadrilaterals, one snapshot; the choice is offered again next time.
  // Modified: the save question first, answered No.
  prompt.Answer(PromptAnswer::No);
  AnswerSpring(0);
  commands.RunCommand(kSpringCommand);
  EXPECT_EQ(prompt.shown.size(), 1u);
  EXPECT_GT(Model().GetCount(), 10u);
  EXPECT_EQ(doc.GetUndoCount(), 3);
  EXPECT_EQ(CSpring2datDlg::s_lastOutput, 0);
  CSpring2datDlg::s_lastOutput = 3;

  doc.OnViewMode();
  EXPECT_FALSE(commands.QueryCommand(kSpringCommand).enabled);
}

}  // namespace
