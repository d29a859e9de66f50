#include "ProgramSpawn.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/Folders.h"

extern char** environ;

std::string BuiltProgramPath() {
  const char* dir = std::getenv("PLANDOR_BIN_DIR");
  std::string path = dir ? std::string(dir) + "/plandor" : std::string();
  return !path.empty() && access(path.c_str(), X_OK) == 0 ? path : std::string();
}

pid_t SpawnProgram(const std::string& program, const std::vector<std::string>& args,
                   const std::map<std::string, std::string>& changes) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    std::string v = *e;
    if (!changes.count(v.substr(0, v.find('=')))) env.push_back(v);
  }
  for (const auto& [name, value] : changes) env.push_back(name + "=" + value);
  std::vector<std::string> a = args;
  a.insert(a.begin(), program);
  std::vector<char*> argv, envp;
  for (auto& s : a) argv.push_back(s.data());
  argv.push_back(nullptr);
  for (auto& s : env) envp.push_back(s.data());
  envp.push_back(nullptr);
  pid_t pid = 0;
  return posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), envp.data()) == 0 ? pid : -1;
}

std::map<std::string, std::string> ProgramHomeEnvironment(const std::string& home,
                                                          const std::string& library) {
  return {{"HOME", home},
          {"XDG_CONFIG_HOME", home + "config"},
          {"XDG_STATE_HOME", home + "state"},
          {"XDG_DATA_HOME", home + "data"},
          {"LDRAWDIR", library},
          {"GDK_BACKEND", "x11"},
          {"NO_AT_BRIDGE", "1"}};
}

int WaitForProgramStatus(pid_t pid, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  int status = 0;
  while (std::chrono::steady_clock::now() < end) {
    if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
  return -1;
}

void LinkLibraryFolders(const std::string& shared, const std::string& library) {
  MakeDirectories(library);
  for (const char* folder : {"p", "parts"})
    std::filesystem::create_directory_symlink(shared + "/" + folder, library + "/" + folder);
}

void UnlinkLibraryFolders(const std::string& library) {
  for (const char* folder : {"p", "parts"}) unlink((library + "/" + folder).c_str());
}
