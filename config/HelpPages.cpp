#include "config/HelpPages.h"

#include "config/PathResolver.h"
#include "config/StringUtils.h"
#include "platform/Folders.h"

namespace {
std::string WithSlash(std::string path) {
  if (!path.empty() && path.back() != '/') path += '/';
  return path;
}
}  // namespace

HelpPageRef SplitHelpPage(const std::string& page) {
  size_t hash = page.find('#');
  if (hash == std::string::npos) return {page, {}};
  return {page.substr(0, hash), ToLowerAscii(page.substr(hash + 1))};
}

std::string GetHelpLanguage(const std::vector<std::string>& languages, int index) {
  if (index >= 0 && index < static_cast<int>(languages.size()) &&
      !languages[static_cast<size_t>(index)].empty())
    return languages[static_cast<size_t>(index)];
  if (!languages.empty() && !languages.front().empty()) return languages.front();
  return kHelpDefaultLanguage;
}

std::vector<std::string> DefaultHelpRoots() { return {GetProgramDirectory(), GetDataDirectory()}; }

CHelpPages::CHelpPages(std::vector<std::string> roots, std::string language)
    : m_roots(std::move(roots)), m_language(std::move(language)) {
  // A fresh resolver: the help folders may change between two windows, the library's listings not.
  CPathResolver resolver;
  std::vector<std::string> languages{m_language};
  if (!EqualsNoCase(m_language, kHelpDefaultLanguage)) languages.push_back(kHelpDefaultLanguage);
  for (const std::string& name : languages) {
    if (name.empty() || name.find('/') != std::string::npos || name == "..") continue;
    for (const std::string& root : m_roots) {
      std::string folder = resolver.Resolve(root, std::string(kHelpFolderName) + "/" + name);
      if (!folder.empty() && IsDirectory(folder)) {
        m_folder = WithSlash(folder);
        return;
      }
    }
  }
}

std::string CHelpPages::DescribeSearch() const {
  std::vector<std::string> languages{m_language};
  if (!EqualsNoCase(m_language, kHelpDefaultLanguage)) languages.push_back(kHelpDefaultLanguage);
  std::string text;
  for (const std::string& name : languages)
    for (const std::string& root : m_roots) {
      if (!text.empty()) text += "\n";
      text += WithSlash(root) + kHelpFolderName + "/" + name + "/";
    }
  return text;
}

std::string CHelpPages::FindPageFile(const std::string& file) const {
  if (m_folder.empty() || file.empty() || file == "." || file == ".." ||
      file.find_first_of("/\\") != std::string::npos)
    return {};
  CPathResolver resolver;
  std::string path = resolver.Resolve(m_folder, file);
  return !path.empty() && FileExists(path) ? path : std::string();
}

std::string MakeFileUrl(const std::string& path, const std::string& anchor) {
  static const char hex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (unsigned char c : path) {
    bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                 c == '.' || c == '_' || c == '~' || c == '/';
    if (plain) {
      url += static_cast<char>(c);
    } else {
      url += '%';
      url += hex[c >> 4];
      url += hex[c & 15];
    }
  }
  if (!anchor.empty()) url += "#" + anchor;
  return url;
}
