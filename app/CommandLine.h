#pragma once
// The program's command line: an optional model file and flags. Flags start with '-' (or "--")
// only, since '/' begins every absolute path on Linux. Flag names are compared without case.
#include <string>
#include <vector>

struct CCommandLineInfo {
  enum class Shell { New, Open, Print, PrintTo, Dde, Register, Unregister };

  Shell shellCommand = Shell::New;
  std::string fileName;
  std::string printerName, driverName, portName;  // -pt file printer driver port
  bool showSplash = true;                         // off with -Embedding and -Automation
  bool runEmbedded = false;
  bool runAutomated = false;
  std::vector<std::string> unknownFlags;  // accepted and logged, otherwise ignored
  std::vector<std::string> extraArguments;  // arguments past the first file name
  std::string error;  // a flag that lacks its arguments; empty when the line is sound
};

// Parses the arguments (without the program name).
CCommandLineInfo ParseCommandLine(const std::vector<std::string>& args);
// The shell command as a word for the log ("new", "open", "print"...).
const char* ShellCommandName(CCommandLineInfo::Shell shell);
