#include "support/ScriptedPrompt.h"

PromptAnswer CScriptedPrompt::Message(const std::string& text, PromptButtons buttons, PromptIcon icon,
                                      const std::string& caption) {
  shown.push_back({text, buttons, icon, caption});
  if (!answers.empty()) {
    PromptAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  bool question = buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel;
  if (question && defaultAnswer == PromptAnswer::Ok) return PromptAnswer::Yes;
  return defaultAnswer;
}
