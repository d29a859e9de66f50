#pragma once
// A gettext message catalogue (.mo file), read without any toolkit. Every offset and length is
// checked against the data: a damaged catalogue is refused, never read past its end.
#include <map>
#include <string>

namespace tolvo {

class CMoCatalog {
 public:
  // False when the bytes are not a whole, well-formed catalogue.
  bool Parse(const std::string& bytes);
  bool ReadFile(const std::string& path);

  // The translation of a message id (its singular form), or null.
  const std::string* Find(const std::string& id) const;
  const std::map<std::string, std::string>& Messages() const { return m_messages; }

 private:
  std::map<std::string, std::string> m_messages;
};

}  // namespace tolvo
