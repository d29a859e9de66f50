// The LDraw reader on arbitrary bytes: whatever a model file holds, reading it never crashes, hangs
// or leaks, the selection survives, and what the writer makes of it reads back to the same text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "config/Settings.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"
#include "platform/Prompt.h"

namespace {
// Inputs name sub-files that exist nowhere: the not-found question would be printed for nearly
// every input. The fuzzer answers every question silently, as a batch run would.
class CSilentPrompt : public IPrompt {
 public:
  PromptAnswer Message(const std::string&, PromptButtons buttons, PromptIcon, const std::string&) override {
    return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel ? PromptAnswer::Yes
                                                                                    : PromptAnswer::Ok;
  }
  void Beep() override {}
  void BeginBusy() override {}
  void EndBusy() override {}
};

void RunQuiet() {
  static CSilentPrompt silent;
  SetPrompt(&silent);
  theSettings.ShowWarnings = 0;
}

std::string Joined(const CArrayTextHandler& h) {
  std::string s;
  for (const std::string& line : h.GetLines()) s += line;
  return s;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool quiet = (RunQuiet(), true);
  (void)quiet;
  if (size == 0) return 0;
  std::string bytes(reinterpret_cast<const char*>(data), size);
  FILE* f = fmemopen(bytes.data(), bytes.size(), "r");
  if (!f) return 0;
  CQvFile file;
  {
    CFileTextHandler in(f);
    file.ReadFrom(in, "fuzz.ldr", 0);
  }
  std::fclose(f);
  file.ResolveGroups();
  file.SelectAll();
  if (file.GetCount() > 0) file.Deselect(static_cast<int32_t>(file.GetCount() / 2));
  file.GetSelectionOrder();
  file.CountSelected(7);
  file.UpdateExtent();

  CArrayTextHandler first;
  if (!file.WriteTo(first)) __builtin_trap();
  first.Rewind();
  CQvFile again;
  if (!again.ReadFrom(first, "fuzz-written.ldr", 0)) __builtin_trap();
  again.ResolveGroups();
  CArrayTextHandler second;
  if (!again.WriteTo(second)) __builtin_trap();
  if (Joined(first) != Joined(second)) __builtin_trap();
  return 0;
}
