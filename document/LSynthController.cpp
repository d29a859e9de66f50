#include "document/LSynthController.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <memory>

#include "config/IniFile.h"
#include "config/Tracer.h"
#include "model/QvCommentPart.h"
#include "model/QvFile.h"
#include "platform/Folders.h"
#include "platform/Process.h"
#include "platform/Prompt.h"
#include "resources/StringIds.h"

namespace {

// Process-wide, as at program start.
struct LSynthState {
  bool configRead = false;
  bool available = false;
  bool showMessage = true;
  bool executableFound = false;
  std::string folder;
  std::string iniPath;
  CLSynthController::Chooser chooser;
};

LSynthState& State() {
  static LSynthState state;
  return state;
}

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

bool StartsWithNoCase(const std::string& text, const char* prefix) {
  size_t i = 0;
  for (; prefix[i]; ++i)
    if (i >= text.size() || std::toupper(static_cast<unsigned char>(text[i])) !=
                                std::toupper(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

bool IsPathLine(const std::string& line) { return StartsWithNoCase(line, "%Path"); }

// The lines of [LSYNTH]; false when the section is missing or empty.
bool ReadSection(std::vector<std::string>& lines) {
  CIniFile ini = State().iniPath.empty() ? CIniFile() : CIniFile(State().iniPath);
  const int count = ini.FindSection("LSYNTH");
  std::string line;
  for (int i = 0; i < count && ini.NextLine(line); ++i) lines.push_back(line);
  return !lines.empty();
}

std::string PathValue(const std::string& line) {
  const size_t equal = line.find('=');
  std::string value = Trim(equal == std::string::npos ? std::string() : line.substr(equal + 1));
  if (!value.empty() && value.front() == '"') value.erase(0, 1);
  if (!value.empty() && value.back() == '"') value.pop_back();
  return value;
}

}  // namespace

CLSynthController::~CLSynthController() = default;

void CLSynthController::SetChooser(Chooser chooser) { State().chooser = std::move(chooser); }
void CLSynthController::SetIniPath(const std::string& path) { State().iniPath = path; }

void CLSynthController::ResetState() {
  LSynthState& s = State();
  s.configRead = s.available = s.executableFound = false;
  s.showMessage = true;
  s.folder.clear();
}

std::string CLSynthController::ExecutablePath(const std::string& folder) {
  std::string path = folder;
  if (!path.empty() && path.back() != '/') path += '/';
  return path + "bin/lsynthcp";
}

int CLSynthController::ClassifyLine(const std::string& text) { return CQvFile::ClassifyLSynthLine(text); }

void CLSynthController::ShowConfigurationMessage() {
  if (!State().showMessage) return;
  if (ShowMessageId(kStringLSynthConfigMissing, PromptButtons::YesNo, PromptIcon::Stop) == PromptAnswer::No)
    State().showMessage = false;
}

bool CLSynthController::ReadPath(bool showMessage) {
  LSynthState& s = State();
  std::vector<std::string> lines;
  if (!ReadSection(lines)) {
    theTracer.Printf("ERROR: Section %s not found in Tolvo.ini!\n", "LSYNTH");
    if (showMessage) ShowConfigurationMessage();
    s.available = false;
    return false;
  }
  s.folder.clear();
  for (const std::string& line : lines)
    if (IsPathLine(line)) {
      s.folder = PathValue(line);
      break;
    }
  if (s.folder.empty()) {
    theTracer.Printf("ERROR: Path to LSynth not defined in Tolvo.ini!\n");
    if (showMessage) ShowConfigurationMessage();
    s.available = false;
    return false;
  }
  return true;
}

int CLSynthController::IsAvailable() {
  LSynthState& s = State();
  if (s.configRead) return s.available ? 1 : 0;
  s.configRead = true;
  if (!ReadPath(false)) return 0;
  s.executableFound = ::access(ExecutablePath(s.folder).c_str(), X_OK) == 0;
  if (!s.executableFound) theTracer.Printf("ERROR: LSynth not found at path defined in Tolvo.ini!\n");
  s.available = s.executableFound;
  return s.available ? 1 : 0;
}

bool CLSynthController::ReadCommands(std::vector<LSynthCommand>& commands) {
  std::vector<std::string> lines;
  if (!ReadSection(lines)) {
    theTracer.Printf("ERROR: Section %s not found in Tolvo.ini!\n", "LSYNTH");
    return false;
  }
  for (const std::string& line : lines) {
    if (IsPathLine(line)) continue;
    const size_t equal = line.find('=');
    LSynthCommand c;
    if (equal != std::string::npos) {
      c.name = Trim(line.substr(0, equal));
      c.command = Trim(line.substr(equal + 1));
    }
    if (c.name.empty() || c.command.empty()) {
      theTracer.Printf("ERROR: Bad definition in LSYNTH section of Tolvo.ini!\n");
      continue;
    }
    commands.push_back(c);
  }
  return true;
}

int CLSynthController::AddSynthBlock(CQvFile& model) {
  LSynthState& s = State();
  if (s.configRead && !s.available) {
    ShowConfigurationMessage();
    return 0;
  }
  s.configRead = true;
  std::vector<LSynthCommand> commands;
  if (!ReadCommands(commands)) {
    ShowConfigurationMessage();
    s.available = false;
    return 0;
  }
  if (commands.empty()) {
    theTracer.Printf("ERROR: No commands in LSYNTH section of Tolvo.ini!\n");
    ShowConfigurationMessage();
    s.available = false;
    return 0;
  }
  std::vector<std::string> names;
  for (const LSynthCommand& c : commands) names.push_back(c.name);
  const int chosen = s.chooser ? s.chooser(names) : -1;
  if (chosen < 0 || static_cast<size_t>(chosen) >= commands.size()) return 0;

  const std::string& command = commands[static_cast<size_t>(chosen)].command;
  auto insert = [&model](const std::string& text) {
    const size_t index = model.Insert(std::make_unique<CQvCommentPart>(text), -1, 1);
    model.SelectOnly(static_cast<int32_t>(index));
  };
  insert(command);
  std::string upper = command;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  if (upper.rfind("BEGIN", 0) != 0) {
    insert("SYNTH SHOW");
    insert("SYNTH END");
  }
  return 1;
}

int CLSynthController::Run(const std::string& input, const std::string& output) {
  LSynthState& s = State();
  if (s.configRead && !s.available) {
    ShowConfigurationMessage();
    return 0;
  }
  s.configRead = true;
  if (!ReadPath(true)) return 0;
  const std::string program = ExecutablePath(s.folder);
  if (!s.executableFound) {
    s.executableFound = ::access(program.c_str(), X_OK) == 0;
    if (!s.executableFound) {
      theTracer.Printf("ERROR: LSynth not found at path defined in Tolvo.ini!\n");
      theTracer.Printf("       The path checked was '%s'.\n", program.c_str());
      ShowConfigurationMessage();
      s.available = false;
      return 0;
    }
    s.available = true;
  }
  return RunProcess({program, input, output}) == 0 ? 1 : 0;
}
