#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>

namespace {

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string RealPath(const std::string& path) {
  std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr), &std::free);
  return real ? std::string(real.get()) : std::string();
}

// The file a save of path writes: its chain of symbolic links followed (a relative link counts
// from the link's folder), made absolute. Empty with errno set for a loop or an unreadable link.
std::string ResolveTarget(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      if (std::string real = RealPath(path); !real.empty()) return real;
      // Not there yet (a new file, or a link to one): its folder made absolute.
      std::string folder = RealPath(FolderOf(path));
      if (folder.empty()) return path;
      return (folder == "/" ? folder : folder + "/") + path.substr(path.rfind('/') + 1);
    }
    std::string link(PATH_MAX, '\0');
    ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
    if (n < 0) return {};
    link.resize(static_cast<size_t>(n));
    path = (link.empty() || link[0] == '/') ? link : FolderOf(path) + "/" + link;
  }
  errno = ELOOP;
  return {};
}

}  // namespace

FILE* CAtomicFile::Fail(Failure why, int error) {
  m_failure = why;
  m_errno = error;
  return nullptr;
}

FILE* CAtomicFile::Open(const std::string& target) {
  Discard();
  m_failure = Failure::None;
  m_errno = 0;
  if (target.empty()) return Fail(Failure::CannotCreate, ENOENT);
  m_target = ResolveTarget(target);
  if (m_target.empty()) return Fail(Failure::CannotCreate, errno);
  struct stat st;
  bool exists = ::stat(m_target.c_str(), &st) == 0;
  if (exists && !S_ISREG(st.st_mode)) {
    m_stream = std::fopen(m_target.c_str(), "wb");
    return m_stream ? m_stream : Fail(Failure::CannotCreate, errno);
  }
  // The write bits decide, also for root, for whom access() grants everything.
  if (exists && ((st.st_mode & 0222) == 0 || ::access(m_target.c_str(), W_OK) != 0))
    return Fail(Failure::ReadOnly, EACCES);
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    m_temp = m_target + "." + std::to_string(::getpid()) + "-" + std::to_string(attempt) + "~";
    // 0666: the umask decides a new file's mode.
    fd = ::open(m_temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    int error = errno;
    m_temp.clear();
    return Fail(Failure::CannotCreate, error);
  }
  if (exists) {
    // The owner first: changing it clears the set-id bits that the mode then restores.
    if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
      // Not ours to give away: the new file stays ours.
    }
    ::fchmod(fd, st.st_mode & 07777);
  }
  m_stream = ::fdopen(fd, "wb");
  if (!m_stream) {
    int error = errno;
    ::close(fd);
    Discard();
    return Fail(Failure::CannotCreate, error);
  }
  return m_stream;
}

bool CAtomicFile::Commit() {
  if (!m_stream) return false;
  bool ok = !std::ferror(m_stream) && std::fflush(m_stream) == 0;
  if (ok && !m_temp.empty()) ok = ::fsync(::fileno(m_stream)) == 0;
  int error = ok ? 0 : errno;
  if (std::fclose(m_stream) != 0 && ok) {
    ok = false;
    error = errno;
  }
  m_stream = nullptr;
  if (ok && !m_temp.empty() && std::rename(m_temp.c_str(), m_target.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (ok) {
    m_temp.clear();
    return true;
  }
  Discard();
  Fail(Failure::WriteFailed, error ? error : EIO);
  return false;
}

void CAtomicFile::Discard() {
  if (m_stream) std::fclose(m_stream);
  m_stream = nullptr;
  if (!m_temp.empty()) ::unlink(m_temp.c_str());
  m_temp.clear();
}
