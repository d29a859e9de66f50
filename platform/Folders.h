#pragma once
// The folders the program works in. Every folder is returned with a trailing '/'.
#include <string>

// The real folder of the running executable (never changed in case).
std::string GetProgramDirectory();
// Installed data (ini file, language packs, help pages) when not beside the program.
std::string GetDataDirectory();
// A file of the program's own: the program folder first, then the data folder; empty when in neither.
std::string FindProgramFile(const std::string& name);

// Per-user folders (XDG): the log lives in the state folder (created with mode 0700), the
// profile, a fallback Plandor.cfg and Parts.lst in the config folder. Empty when there is no home.
// The state folder is also empty when a symbolic link or a folder of another user stands at its
// name: it is never followed or changed.
std::string GetStateDirectory();
std::string GetUserConfigDirectory();

// The program's private temporary folder (made with mkdtemp under $TMPDIR or /tmp on first use,
// removed at exit). Empty when it cannot be made.
std::string GetTempDirectory();

// Creates a folder and its parents; true when it exists afterwards.
bool MakeDirectories(const std::string& path, unsigned mode = 0755);
bool IsDirectory(const std::string& path);
bool FileExists(const std::string& path);
// Whether the program may create files in the folder.
bool IsWritableDirectory(const std::string& path);
