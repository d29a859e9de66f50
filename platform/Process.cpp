#include "platform/Process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// How often the wait between two pumps looks whether the program has ended: a program that ends
// at once is seen at once, not only at the next pump.
constexpr std::chrono::milliseconds kExitCheck{10};

ProcessResult FromStatus(int status) {
  ProcessResult result;
  if (WIFEXITED(status)) {
    result.end = ProcessResult::End::Exited;
    result.exitCode = WEXITSTATUS(status);
  } else {
    result.end = ProcessResult::End::Signalled;
    result.signal = WTERMSIG(status);
  }
  return result;
}

ProcessResult NotStarted(int error) {
  ProcessResult result;
  result.error = error;
  return result;
}

// waitpid, retried when a signal interrupts it: the child's pid once it has ended, 0 while it runs
// (with WNOHANG), -1 on an error.
pid_t Reap(pid_t pid, int& status, int flags) {
  pid_t r = ::waitpid(pid, &status, flags);
  while (r < 0 && errno == EINTR) r = ::waitpid(pid, &status, flags);
  return r;
}

ProcessResult Await(pid_t pid, const ProcessOptions& options) {
  int status = 0;
  if (!options.pump) {
    if (Reap(pid, status, 0) != pid) return NotStarted(errno);
    return FromStatus(status);
  }
  for (;;) {
    pid_t r = Reap(pid, status, WNOHANG);
    if (r == pid) return FromStatus(status);
    if (r < 0) return NotStarted(errno);  // reaped by someone else: nothing to report
    if (options.pump() == PumpAnswer::Cancel) {
      ::kill(-pid, SIGKILL);
      ::kill(pid, SIGKILL);
      Reap(pid, status, 0);
      ProcessResult result;
      result.end = ProcessResult::End::Cancelled;
      result.signal = SIGKILL;
      return result;
    }
    const Clock::time_point next = Clock::now() + options.pollInterval;
    for (Clock::time_point now = Clock::now(); now < next; now = Clock::now()) {
      std::this_thread::sleep_for(std::min<Clock::duration>(kExitCheck, next - now));
      r = Reap(pid, status, WNOHANG);
      if (r == pid) return FromStatus(status);
      if (r < 0) return NotStarted(errno);
    }
  }
}

// The signals a child gets back with their default action, whatever this program did with them.
void DefaultSignals(sigset_t& set) {
  sigemptyset(&set);
  for (int s : {SIGXFSZ, SIGPIPE, SIGINT, SIGTERM, SIGQUIT, SIGHUP, SIGCHLD, SIGUSR1, SIGUSR2, SIGALRM})
    sigaddset(&set, s);
}

}  // namespace

int ProcessResult::Code() const {
  switch (end) {
    case End::Exited: return exitCode;
    case End::Signalled: return 128 + signal;
    default: return -1;
  }
}

ProcessResult SpawnAndPoll(const std::vector<std::string>& argv, const ProcessOptions& options) {
  if (argv.empty() || argv[0].empty()) return NotStarted(ENOENT);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);

  int logFd = -1;
  if (!options.logPath.empty()) {
    logFd = ::open(options.logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (logFd < 0) return NotStarted(errno);
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (logFd >= 0) {
    posix_spawn_file_actions_adddup2(&actions, logFd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, logFd, STDERR_FILENO);
  }
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t noMask, defaults;
  sigemptyset(&noMask);
  DefaultSignals(defaults);
  posix_spawnattr_setsigmask(&attributes, &noMask);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);

  pid_t pid = 0;
  int rc = posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (logFd >= 0) ::close(logFd);
  if (rc != 0) return NotStarted(rc);
  return Await(pid, options);
}

ProcessResult RunShell(const std::string& commandLine, const ProcessOptions& options) {
  return SpawnAndPoll({"/bin/sh", "-c", commandLine}, options);
}

int RunProcess(const std::vector<std::string>& argv) {
  ProcessResult result = SpawnAndPoll(argv);
  return result.Exited() ? result.exitCode : -1;
}

int RunShellCommand(const std::string& commandLine) {
  ProcessResult result = RunShell(commandLine);
  return result.Exited() ? result.exitCode : -1;
}
