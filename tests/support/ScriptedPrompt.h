#pragma once
// A prompt for tests: answers from a queue (or a default), records every message it was shown.
#include <deque>
#include <string>
#include <vector>

#include "platform/Prompt.h"

class CScriptedPrompt : public IPrompt {
 public:
  struct Shown {
    std::string text;
    PromptButtons buttons;
    PromptIcon icon;
    std::string caption;
  };

  CScriptedPrompt() { SetPrompt(this); }
  ~CScriptedPrompt() override { SetPrompt(nullptr); }

  // Answers given in this order; when the queue is empty, defaultAnswer (Ok becomes Yes for questions).
  void Answer(PromptAnswer a) { answers.push_back(a); }

  PromptAnswer Message(const std::string& text, PromptButtons buttons, PromptIcon icon,
                       const std::string& caption) override;
  void Beep() override { ++beeps; }
  void BeginBusy() override { ++busyDepth; }
  void EndBusy() override { --busyDepth; }

  std::deque<PromptAnswer> answers;
  PromptAnswer defaultAnswer = PromptAnswer::Ok;
  std::vector<Shown> shown;
  int beeps = 0;
  int busyDepth = 0;
};
