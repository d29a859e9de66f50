#include "config/PathResolver.h"

#include <dirent.h>

#include "config/StringUtils.h"

CPathResolver thePathResolver;

std::string ToForwardSlashes(std::string_view path) {
  std::string out(path);
  for (char& c : out)
    if (c == '\\') c = '/';
  return out;
}

const CPathResolver::Listing& CPathResolver::GetListing(const std::string& folder) {
  auto it = m_listings.find(folder);
  if (it != m_listings.end()) return it->second;
  Listing listing;
  if (DIR* dir = opendir(folder.empty() ? "/" : folder.c_str())) {
    while (dirent* e = readdir(dir)) {
      std::string name = e->d_name;
      if (name != "." && name != "..") listing.emplace(ToLowerAscii(name), name);
    }
    closedir(dir);
  }
  return m_listings.emplace(folder, std::move(listing)).first->second;
}

std::string CPathResolver::Resolve(const std::string& base, std::string_view relative) {
  std::string current = base;
  while (current.size() > 1 && current.back() == '/') current.pop_back();
  std::string rel = ToForwardSlashes(relative);
  size_t pos = 0;
  while (pos <= rel.size()) {
    size_t slash = rel.find('/', pos);
    std::string_view part = std::string_view(rel).substr(pos, slash == std::string::npos ? std::string::npos : slash - pos);
    pos = slash == std::string::npos ? rel.size() + 1 : slash + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      size_t cut = current.find_last_of('/');
      current = cut == std::string::npos || cut == 0 ? (cut == 0 ? "/" : ".") : current.substr(0, cut);
      continue;
    }
    const Listing& listing = GetListing(current);
    auto [first, last] = listing.equal_range(ToLowerAscii(part));
    if (first == last) return {};
    std::string real = first->second;
    for (auto it = first; it != last; ++it)
      if (it->second == part) real = it->second;
    current = (current == "/" ? "" : current) + "/" + real;
  }
  return current;
}

std::string CPathResolver::ResolvePath(const std::string& base, std::string_view path) {
  std::string p = ToForwardSlashes(path);
  if (!p.empty() && p[0] == '/') return Resolve("/", p);
  return Resolve(base, p);
}
