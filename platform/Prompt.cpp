#include "platform/Prompt.h"

#include <cstdarg>
#include <cstdio>

#include "platform/Numbers.h"
#include "platform/StringTable.h"

namespace {
IPrompt* g_prompt = nullptr;
}

IPrompt& ThePrompt() {
  static CConsolePrompt console;
  return g_prompt ? *g_prompt : console;
}

void SetPrompt(IPrompt* prompt) { g_prompt = prompt; }

PromptAnswer ShowMessage(const std::string& text, PromptButtons buttons, PromptIcon icon,
                         const std::string& caption) {
  return ThePrompt().Message(text, buttons, icon, caption);
}

PromptAnswer ShowMessageId(unsigned stringId, PromptButtons buttons, PromptIcon icon, ...) {
  std::string format = LoadResString(stringId);
  va_list args;
  va_start(args, icon);
  std::string text = VStrPrintf(format.c_str(), args);
  va_end(args);
  return ShowMessage(text, buttons, icon);
}

PromptAnswer CConsolePrompt::Message(const std::string& text, PromptButtons buttons, PromptIcon,
                                     const std::string& caption) {
  std::fprintf(stderr, "%s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ", text.c_str());
  switch (buttons) {
    case PromptButtons::YesNo:
    case PromptButtons::YesNoCancel:
      return PromptAnswer::Yes;
    default:
      return PromptAnswer::Ok;
  }
}
