// The GUI prompt: each kind of message box gets its buttons and icon, and each button its answer.
#include <gtest/gtest.h>
#include <wx/defs.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>

#include "GuiTest.h"
#include "app/WxPrompt.h"

namespace {

TEST(WxPrompt, ButtonsAndIcons) {
  struct Case {
    PromptButtons buttons;
    PromptIcon icon;
    long style;
  } const cases[] = {
      {PromptButtons::Ok, PromptIcon::None, wxOK},
      {PromptButtons::OkCancel, PromptIcon::Exclamation, wxOK | wxCANCEL | wxICON_WARNING},
      {PromptButtons::YesNo, PromptIcon::Question, wxYES_NO | wxICON_QUESTION},
      {PromptButtons::YesNoCancel, PromptIcon::Stop, wxYES_NO | wxCANCEL | wxICON_ERROR},
      {PromptButtons::Ok, PromptIcon::Information, wxOK | wxICON_INFORMATION},
  };
  for (const Case& c : cases) EXPECT_EQ(CWxPrompt::MessageStyle(c.buttons, c.icon), c.style);
  EXPECT_EQ(CWxPrompt::AnswerOf(wxYES), PromptAnswer::Yes);
  EXPECT_EQ(CWxPrompt::AnswerOf(wxNO), PromptAnswer::No);
  EXPECT_EQ(CWxPrompt::AnswerOf(wxOK), PromptAnswer::Ok);
  EXPECT_EQ(CWxPrompt::AnswerOf(wxCANCEL), PromptAnswer::Cancel);
}

// Answers every modal dialog at once with the given id and records the message text.
class CAnswerHook : public wxModalDialogHook {
 public:
  explicit CAnswerHook(int answer) : m_answer(answer) { Register(); }
  ~CAnswerHook() override { Unregister(); }
  int Enter(wxDialog* dialog) override {
    if (auto* box = dynamic_cast<wxMessageDialog*>(dialog)) {
      text = box->GetMessage().utf8_string();
      style = box->GetMessageDialogStyle();
    }
    return m_answer;
  }
  void Exit(wxDialog*) override {}
  std::string text;
  long style = 0;

 private:
  int m_answer;
};

TEST(WxPrompt, AQuestionShowsItsTextAndReturnsTheButtonPressed) {
  REQUIRE_GUI();
  CWxPrompt prompt;
  {
    CAnswerHook hook(wxID_NO);
    EXPECT_EQ(prompt.Message("Create a new one now?", PromptButtons::YesNo, PromptIcon::Question, ""),
              PromptAnswer::No);
    EXPECT_EQ(hook.text, "Create a new one now?");
    EXPECT_TRUE(hook.style & wxYES_NO);
  }
  {
    CAnswerHook hook(wxID_YES);
    EXPECT_EQ(prompt.Message("Again?", PromptButtons::YesNo, PromptIcon::Question, ""), PromptAnswer::Yes);
  }
  prompt.BeginBusy();
  EXPECT_TRUE(wxIsBusy());
  prompt.EndBusy();
  EXPECT_FALSE(wxIsBusy());
}

}  // namespace
