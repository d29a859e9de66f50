#pragma once
// The language scan's cache: one group ("Dornveld/Tolvo/LangDlls") in a small text file of its own
// in the user's config folder, one "title=value" line per language pack. Lines outside the group
// are kept as they are. The file is replaced atomically.
#include <map>
#include <string>
#include <vector>

namespace tolvo {

class CLangCache {
 public:
  // The file in $XDG_CONFIG_HOME/Plandor/ (or ~/.config/Plandor/); empty without a home.
  static std::string DefaultPath();

  explicit CLangCache(std::string path) : m_path(std::move(path)) {}
  // Reads the file; a missing file is an empty cache.
  void Load();
  // The value stored under the title; empty when there is none (or it is unreasonably long).
  std::string Get(const std::string& title) const;
  void Set(const std::string& title, const std::string& value);
  // False when the file could not be written; the old file then stays.
  bool Save() const;

 private:
  std::string m_path;
  std::vector<std::string> m_otherLines;  // everything outside our group
  std::map<std::string, std::string> m_values;
};

}  // namespace tolvo
