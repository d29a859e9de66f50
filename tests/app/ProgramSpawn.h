#pragma once
// Starting the real program from a test: with its arguments, and with the test's environment
// where the changes replace or add variables (HOME, the XDG folders, LDRAWDIR, PATH, ...).
#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

// The child's process id, or -1 when it could not be started.
pid_t SpawnProgram(const std::string& program, const std::vector<std::string>& args,
                   const std::map<std::string, std::string>& changes);
