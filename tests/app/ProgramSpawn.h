#pragma once
// Starting the real program from a test: with its arguments, and with the test's environment
// where the changes replace or add variables (HOME, the XDG folders, LDRAWDIR, PATH, ...).
#include <sys/types.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

// The program the build put into PLANDOR_BIN_DIR; empty when it is not there to run.
std::string BuiltProgramPath();

// The child's process id, or -1 when it could not be started.
pid_t SpawnProgram(const std::string& program, const std::vector<std::string>& args,
                   const std::map<std::string, std::string>& changes);

// The changes that keep the program inside a scratch home (given with its trailing '/'): its
// settings, log and data there, the LDraw library at `library`, on X11.
std::map<std::string, std::string> ProgramHomeEnvironment(const std::string& home,
                                                          const std::string& library);

// Waits for the program to end: its exit status, or -1 when it ended by a signal or had to be
// killed after the timeout.
int WaitForProgramStatus(pid_t pid, std::chrono::milliseconds timeout);

// Makes `library` a library of the test's own whose part folders (p, parts) link to the shared
// one, so that what the program writes there (Parts.lst) never reaches the shared library.
void LinkLibraryFolders(const std::string& shared, const std::string& library);
// Removes the links; before the scratch folder is cleaned, which would reach through them.
void UnlinkLibraryFolders(const std::string& library);
