#include "imagelib/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tolvo {

FILE* COutputFile::Open(const char* path) {
  Discard();
  if (!path || !*path) return nullptr;
  m_target = path;
  struct stat st;
  bool special = ::stat(path, &st) == 0 && !S_ISREG(st.st_mode);
  if (special) {
    m_stream = std::fopen(path, "wb");
    return m_stream;
  }
  // A name of our own beside the target; 0666 lets the user's umask decide the mode.
  for (int attempt = 0; attempt < 100 && !m_stream; ++attempt) {
    std::string temp = m_target + ".tolvo" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return nullptr;
    }
    m_stream = ::fdopen(fd, "wb");
    if (!m_stream) {
      ::close(fd);
      ::unlink(temp.c_str());
      return nullptr;
    }
    m_temp = temp;
  }
  return m_stream;
}

bool COutputFile::Commit() {
  if (!m_stream) return false;
  bool ok = std::fflush(m_stream) == 0 && !std::ferror(m_stream);
  if (ok && !m_temp.empty()) ok = ::fsync(::fileno(m_stream)) == 0;
  ok = (std::fclose(m_stream) == 0) && ok;
  m_stream = nullptr;
  if (m_temp.empty()) return ok;
  if (ok) ok = ::rename(m_temp.c_str(), m_target.c_str()) == 0;
  if (!ok) ::unlink(m_temp.c_str());
  m_temp.clear();
  return ok;
}

void COutputFile::Discard() {
  if (m_stream) std::fclose(m_stream);
  m_stream = nullptr;
  if (!m_temp.empty()) ::unlink(m_temp.c_str());
  m_temp.clear();
}

}  // namespace tolvo
