#pragma once
// The prompt of the running program: message boxes over the main window (or the active window
// before it exists), the desktop's beep and the busy cursor.
#include "platform/Prompt.h"

class CWxPrompt : public IPrompt {
 public:
  PromptAnswer Message(const std::string& text, PromptButtons buttons, PromptIcon icon,
                       const std::string& caption) override;
  void Beep() override;
  void BeginBusy() override;
  void EndBusy() override;

  // The wxMessageBox style of a message; exposed for tests.
  static long MessageStyle(PromptButtons buttons, PromptIcon icon);
  // The answer of a wxMessageBox return code.
  static PromptAnswer AnswerOf(int code);
};
