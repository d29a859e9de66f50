#include "imagelib/LangCache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace tolvo {
namespace {

constexpr const char* kGroup = "[Dornveld/Tolvo/LangDlls]";
constexpr size_t kMaxValue = 1024;

bool MakeFolders(const std::string& dir) {
  for (size_t at = 1; at <= dir.size(); ++at) {
    if (at < dir.size() && dir[at] != '/') continue;
    std::string part = dir.substr(0, at);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return true;
}

}  // namespace

std::string CLangCache::DefaultPath() {
  std::string base;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && *xdg == '/') {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    if (!home || !*home) return {};
    base = std::string(home) + "/.config";
  }
  if (base.back() != '/') base += '/';
  return base + "Plandor/Tolvo.conf";
}

void CLangCache::Load() {
  m_otherLines.clear();
  m_values.clear();
  std::ifstream in(m_path);
  std::string line;
  bool inGroup = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') inGroup = line == kGroup;
    if (!inGroup) {
      m_otherLines.push_back(line);
      continue;
    }
    size_t eq = line.find('=');
    if (eq == std::string::npos || eq == 0) continue;
    m_values[line.substr(0, eq)] = line.substr(eq + 1);
  }
}

std::string CLangCache::Get(const std::string& title) const {
  auto it = m_values.find(title);
  if (it == m_values.end() || it->second.size() > kMaxValue) return {};
  return it->second;
}

void CLangCache::Set(const std::string& title, const std::string& value) { m_values[title] = value; }

bool CLangCache::Save() const {
  if (m_path.empty()) return false;
  size_t slash = m_path.rfind('/');
  if (slash != std::string::npos && !MakeFolders(m_path.substr(0, slash))) return false;
  std::string text;
  for (const std::string& l : m_otherLines) text += l + "\n";
  text += std::string(kGroup) + "\n";
  for (const auto& [key, value] : m_values) text += key + "=" + value + "\n";

  std::string temp = m_path + ".tmp" + std::to_string(::getpid());
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  bool ok = true;
  for (size_t done = 0; ok && done < text.size();) {
    ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += static_cast<size_t>(n);
  }
  ok = ok && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  ok = ok && ::rename(temp.c_str(), m_path.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

}  // namespace tolvo
