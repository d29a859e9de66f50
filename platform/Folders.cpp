#include "platform/Folders.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {
std::string WithSlash(std::string path) {
  if (!path.empty() && path.back() != '/') path += '/';
  return path;
}

std::string EnvOr(const char* name, const std::string& fallbackBelowHome) {
  const char* v = std::getenv(name);
  if (v && *v == '/') return WithSlash(v);
  const char* home = std::getenv("HOME");
  if (!home || !*home) return {};
  return WithSlash(std::string(home) + "/" + fallbackBelowHome);
}

struct PrivateTemp {
  std::string path;
  ~PrivateTemp() {
    if (!path.empty()) {
      std::error_code ec;
      fs::remove_all(path, ec);
    }
  }
};
}  // namespace

std::string GetProgramDirectory() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return "./";
  return WithSlash(exe.parent_path().string());
}

std::string GetDataDirectory() {
#ifdef PLANDOR_DATA_DIR
  return PLANDOR_DATA_DIR;
#else
  return "/usr/local/share/plandor/";
#endif
}

std::string FindProgramFile(const std::string& name) {
  for (const std::string& dir : {GetProgramDirectory(), GetDataDirectory()}) {
    std::string p = dir + name;
    if (FileExists(p)) return p;
  }
  return {};
}

std::string GetStateDirectory() {
  std::string base = EnvOr("XDG_STATE_HOME", ".local/state");
  if (base.empty()) return {};
  std::string dir = base + "Plandor/";
  if (!MakeDirectories(dir, 0700)) return {};
  // The log lives here: a symbolic link put at this name (or a folder of someone else) is refused,
  // never followed, so the mode change cannot reach another folder. The name goes without its
  // trailing '/', which would make the open follow a link after all.
  int fd = open((base + "Plandor").c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return {};
  struct stat st {};
  bool ours = fstat(fd, &st) == 0 && st.st_uid == geteuid() && fchmod(fd, 0700) == 0;
  close(fd);
  return ours ? dir : std::string();
}

std::string GetUserConfigDirectory() {
  std::string base = EnvOr("XDG_CONFIG_HOME", ".config");
  if (base.empty()) return {};
  std::string dir = base + "Plandor/";
  return MakeDirectories(dir, 0700) ? dir : std::string();
}

std::string GetTempDirectory() {
  static PrivateTemp temp;
  if (temp.path.empty()) {
    const char* t = std::getenv("TMPDIR");
    std::string pattern = WithSlash(t && *t ? t : "/tmp") + "plandor-XXXXXX";
    if (mkdtemp(pattern.data())) temp.path = WithSlash(pattern);
  }
  return temp.path;
}

bool MakeDirectories(const std::string& path, unsigned mode) {
  if (path.empty()) return false;
  std::error_code ec;
  if (fs::is_directory(path, ec)) return true;
  fs::path p(path);
  if (p.has_parent_path() && p.parent_path() != p && !p.parent_path().empty())
    MakeDirectories(p.parent_path().string(), mode);
  if (mkdir(path.c_str(), static_cast<mode_t>(mode)) != 0 && errno != EEXIST) return false;
  return fs::is_directory(path, ec);
}

bool IsDirectory(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

bool IsWritableDirectory(const std::string& path) {
  // A folder whose mode grants nobody write access is meant to stay unchanged, also for root
  // (for whom access() ignores the mode).
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || (st.st_mode & 0222) == 0) return false;
  return access(path.c_str(), W_OK | X_OK) == 0;
}
