#pragma once
// The bridge to LSynth, an outside program that turns "SYNTH" definition blocks of a model into
// synthesized parts (hoses, belts, chains). Its installation folder and the commands the Add
// command offers come from the [LSYNTH] section of the ini file:
//   %Path = /opt/lsynth        (the program is <folder>/bin/lsynthcp)
//   Name = SYNTH BEGIN ...     (one line per command offered)
// The configuration is read once per run; whether LSynth is there is decided once per run too.
// The configuration message is shown only until the user answers No.
//
// LSynth is started directly with the input and output paths as two arguments: no shell and no
// script file in a shared folder.
#include <functional>
#include <string>
#include <vector>

class CQvFile;

struct LSynthCommand {
  std::string name;
  std::string command;
};

class CLSynthController {
 public:
  CLSynthController() = default;
  virtual ~CLSynthController();

  // The command chooser: the index of the chosen name, or -1 for Cancel. The program installs
  // its dialog; without one Add Command cancels.
  using Chooser = std::function<int(const std::vector<std::string>& names)>;
  static void SetChooser(Chooser chooser);
  // The ini file read (tests); empty means the program's own.
  static void SetIniPath(const std::string& path);
  // Back to the state at program start (tests).
  static void ResetState();

  // 1 when LSynth's program exists; logs why not (once).
  int IsAvailable();
  // Inserts the chosen command (with "SYNTH SHOW" and "SYNTH END" after it unless the command
  // begins with BEGIN) after the model's selection; 1 when inserted.
  int AddSynthBlock(CQvFile& model);
  // Runs LSynth on input, writing output; 1 when it ended with status 0.
  int Run(const std::string& input, const std::string& output);
  static int ClassifyLine(const std::string& text);

  // The program's path under the configured folder.
  static std::string ExecutablePath(const std::string& folder);

 private:
  // Reads the section; false (logged, message shown when asked) when it is missing or holds no path.
  bool ReadPath(bool showMessage);
  bool ReadCommands(std::vector<LSynthCommand>& commands);
  void ShowConfigurationMessage();
};
