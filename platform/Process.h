#pragma once
// Starting outside programs (post processors, LSynth).
#include <string>
#include <vector>

// Runs a program with its arguments (argv[0] is looked up in PATH) and waits for it.
// Returns its exit status, or -1 when it could not be started or did not exit normally.
int RunProcess(const std::vector<std::string>& argv);
// Runs a command line through the shell and waits; the shell's exit status, or -1.
int RunShellCommand(const std::string& commandLine);
