#include "app/CommandLine.h"

#include "config/StringUtils.h"

namespace {
// "-x" and "--x" are flags; "-" alone names a file (or standard input, for tools that read it).
bool IsFlag(const std::string& arg, std::string& name) {
  if (arg.size() < 2 || arg[0] != '-') return false;
  name = arg.substr(arg[1] == '-' ? 2 : 1);
  return !name.empty();
}
}  // namespace

CCommandLineInfo ParseCommandLine(const std::vector<std::string>& args) {
  CCommandLineInfo info;
  bool flagsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::string name;
    if (!flagsEnded && arg == "--") {
      flagsEnded = true;
      continue;
    }
    if (flagsEnded || !IsFlag(arg, name)) {
      if (info.fileName.empty()) {
        info.fileName = arg;
        if (info.shellCommand == CCommandLineInfo::Shell::New)
          info.shellCommand = CCommandLineInfo::Shell::Open;
      } else {
        info.extraArguments.push_back(arg);
      }
      continue;
    }
    // A flag's arguments are the words that follow it; "-pt" takes four.
    auto take = [&](std::string& into) {
      if (i + 1 >= args.size()) return false;
      into = args[++i];
      return true;
    };
    if (EqualsNoCase(name, "p")) {
      info.shellCommand = CCommandLineInfo::Shell::Print;
      if (!take(info.fileName)) info.error = "-p needs a file name";
    } else if (EqualsNoCase(name, "pt")) {
      info.shellCommand = CCommandLineInfo::Shell::PrintTo;
      if (!take(info.fileName) || !take(info.printerName) || !take(info.driverName) ||
          !take(info.portName))
        info.error = "-pt needs a file name, a printer, a driver and a port";
    } else if (EqualsNoCase(name, "dde")) {
      info.shellCommand = CCommandLineInfo::Shell::Dde;
    } else if (EqualsNoCase(name, "Embedding")) {
      info.runEmbedded = true;
      info.showSplash = false;
    } else if (EqualsNoCase(name, "Automation")) {
      info.runAutomated = true;
      info.showSplash = false;
    } else if (EqualsNoCase(name, "Register") || EqualsNoCase(name, "Regserver")) {
      info.shellCommand = CCommandLineInfo::Shell::Register;
    } else if (EqualsNoCase(name, "Unregister") || EqualsNoCase(name, "Unregserver")) {
      info.shellCommand = CCommandLineInfo::Shell::Unregister;
    } else {
      info.unknownFlags.push_back(arg);
    }
  }
  return info;
}

const char* ShellCommandName(CCommandLineInfo::Shell shell) {
  switch (shell) {
    case CCommandLineInfo::Shell::New: return "new";
    case CCommandLineInfo::Shell::Open: return "open";
    case CCommandLineInfo::Shell::Print: return "print";
    case CCommandLineInfo::Shell::PrintTo: return "printto";
    case CCommandLineInfo::Shell::Dde: return "dde";
    case CCommandLineInfo::Shell::Register: return "register";
    case CCommandLineInfo::Shell::Unregister: return "unregister";
  }
  return "?";
}
