#include "ProgramSpawn.h"

#include <spawn.h>

extern char** environ;

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
