#include "platform/AtomicFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

FILE* CAtomicFile::Open(const std::string& target) {
  Discard();
  m_target = target;
  m_temp = target + ".XXXXXX";
  int fd = mkstemp(m_temp.data());
  if (fd < 0) {
    m_temp.clear();
    return nullptr;
  }
  // Keep the permissions an existing file had; a new file gets the usual ones.
  struct stat st;
  mode_t mode = 0644;
  if (::stat(target.c_str(), &st) == 0) mode = st.st_mode & 07777;
  fchmod(fd, mode);
  m_stream = fdopen(fd, "w");
  if (!m_stream) {
    ::close(fd);
    ::unlink(m_temp.c_str());
    m_temp.clear();
  }
  return m_stream;
}

bool CAtomicFile::Commit() {
  if (!m_stream) return false;
  bool ok = !std::ferror(m_stream) && std::fflush(m_stream) == 0 && fsync(fileno(m_stream)) == 0;
  ok = (std::fclose(m_stream) == 0) && ok;
  m_stream = nullptr;
  if (ok) ok = std::rename(m_temp.c_str(), m_target.c_str()) == 0;
  if (!ok) ::unlink(m_temp.c_str());
  m_temp.clear();
  return ok;
}

void CAtomicFile::Discard() {
  if (m_stream) std::fclose(m_stream);
  m_stream = nullptr;
  if (!m_temp.empty()) ::unlink(m_temp.c_str());
  m_temp.clear();
}
