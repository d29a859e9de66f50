#pragma once
// The one narrow way from the GUI-free layers to the user: message boxes, questions, the beep and
// the busy cursor. The GUI installs a wxWidgets implementation; tests install a scripted one; without
// either, a console implementation answers as a batch run would.
#include <string>

enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptIcon { None, Stop, Question, Exclamation, Information };
enum class PromptAnswer { Ok, Cancel, Yes, No };

class IPrompt {
 public:
  virtual ~IPrompt() = default;
  // A modal message box; caption empty means the program's name.
  virtual PromptAnswer Message(const std::string& text, PromptButtons buttons, PromptIcon icon,
                               const std::string& caption) = 0;
  virtual void Beep() = 0;
  virtual void BeginBusy() = 0;
  virtual void EndBusy() = 0;
};

// The prompt in force; SetPrompt(nullptr) returns to the console prompt.
IPrompt& ThePrompt();
void SetPrompt(IPrompt* prompt);

PromptAnswer ShowMessage(const std::string& text, PromptButtons buttons = PromptButtons::Ok,
                         PromptIcon icon = PromptIcon::None, const std::string& caption = {});
// A message box with the text of a string id, formatted printf-style with the arguments
// (the string table's "%lu" wants unsigned long arguments).
PromptAnswer ShowMessageId(unsigned stringId, PromptButtons buttons, PromptIcon icon, ...);

// Shows the busy cursor while it lives.
class CBusyCursor {
 public:
  CBusyCursor() { ThePrompt().BeginBusy(); }
  ~CBusyCursor() { ThePrompt().EndBusy(); }
  CBusyCursor(const CBusyCursor&) = delete;
  CBusyCursor& operator=(const CBusyCursor&) = delete;
};

// Writes each message to standard error and gives the answer that lets a batch run go on:
// Ok, or Yes to a question.
class CConsolePrompt : public IPrompt {
 public:
  PromptAnswer Message(const std::string& text, PromptButtons buttons, PromptIcon icon,
                       const std::string& caption) override;
  void Beep() override {}
  void BeginBusy() override {}
  void EndBusy() override {}
};
