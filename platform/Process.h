#pragma once
// Starting outside programs (post processors, LSynth). The core runs them; the GUI only gives a
// pump that keeps its windows alive and reads its Cancel button.
//
// A program is started from an argument vector, never through a shell, so blanks, quotes, "$(",
// ';' and the like in an argument reach the program as they are. Its standard input is /dev/null;
// its output and errors go to a log file (appended) when one is given, else to ours. It runs in a
// process group of its own with the default signal actions (also for signals the program itself
// ignores, such as SIGXFSZ), so a cancel can end it with everything it started.
//
// While it runs the pump is called once right after the start and then every poll interval
// (200 ms); a pump that answers Cancel ends the program (SIGKILL to its group) and reaps it.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

enum class PumpAnswer { GoOn, Cancel };
using ProcessPump = std::function<PumpAnswer()>;

inline constexpr std::chrono::milliseconds kProcessPollInterval{200};

struct ProcessOptions {
  ProcessPump pump;     // none: wait without pumping
  std::string logPath;  // standard output and errors are appended to this file when set
  std::chrono::milliseconds pollInterval = kProcessPollInterval;
};

struct ProcessResult {
  enum class End { NotStarted, Exited, Signalled, Cancelled };
  End end = End::NotStarted;
  int exitCode = -1;  // End::Exited: the program's exit status
  int signal = 0;     // End::Signalled: the signal that ended it
  int error = 0;      // End::NotStarted: the system's error number (ENOENT: no such program)

  bool Exited() const { return end == End::Exited; }
  // The exit status; 128 + the signal for a program ended by a signal (as a shell reports it);
  // -1 when it did not start or was cancelled.
  int Code() const;
};

// Runs a program with its arguments (argv[0] is looked up in PATH when it holds no '/').
ProcessResult SpawnAndPoll(const std::vector<std::string>& argv, const ProcessOptions& options = {});
// Runs a command line through "/bin/sh -c" (the shell-command post processors), polled the same
// way. A command the shell cannot find or run ends with 127 or 126, as the shell says.
ProcessResult RunShell(const std::string& commandLine, const ProcessOptions& options = {});

// Without pump or log: the exit status, or -1 when the program could not be started or did not
// exit normally.
int RunProcess(const std::vector<std::string>& argv);
int RunShellCommand(const std::string& commandLine);
