// Build tool: turns strings.txt (lines "id<TAB>Name<TAB>text", text with C escapes, '#' comments)
// into a C++ source holding the table sorted by id, and a header naming every id once
// (kString<Name>), so that no source file declares a string id of its own.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

struct Row {
  unsigned long id;
  std::string name;
  std::string text;
  bool operator<(const Row& other) const { return id < other.id; }
};

bool IsName(const std::string& s) {
  if (s.empty() || !std::isupper(static_cast<unsigned char>(s[0]))) return false;
  for (char c : s)
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  return true;
}

// Writes the file only when its content changed, so that nothing that uses it rebuilds.
bool WriteIfChanged(const char* path, const std::string& text) {
  std::string old;
  {
    std::ifstream prev(path);
    if (prev) old.assign(std::istreambuf_iterator<char>(prev), {});
  }
  if (old == text) return true;
  std::ofstream o(path);
  o << text;
  return static_cast<bool>(o.flush());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: genstrings strings.txt out.cpp out.h\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::cerr << "genstrings: cannot read " << argv[1] << "\n";
    return 1;
  }
  std::vector<Row> rows;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const size_t tab = line.find('\t');
    const size_t tab2 = tab == std::string::npos ? tab : line.find('\t', tab + 1);
    if (tab == std::string::npos || tab == 0 || tab2 == std::string::npos ||
        line.find_first_not_of("0123456789") != tab || !IsName(line.substr(tab + 1, tab2 - tab - 1))) {
      std::cerr << argv[1] << ":" << number << ": expected 'id<TAB>Name<TAB>text'\n";
      return 1;
    }
    rows.push_back({std::stoul(line.substr(0, tab)), line.substr(tab + 1, tab2 - tab - 1), line.substr(tab2 + 1)});
  }
  std::sort(rows.begin(), rows.end());
  std::set<std::string> names;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (i > 0 && rows[i].id == rows[i - 1].id) {
      std::cerr << argv[1] << ": id " << rows[i].id << " appears twice\n";
      return 1;
    }
    if (!names.insert(rows[i].name).second) {
      std::cerr << argv[1] << ": name " << rows[i].name << " appears twice\n";
      return 1;
    }
  }
  std::string out = "// Generated from resources/strings.txt: do not edit.\n#include <cstddef>\n"
                    "struct StringTableEntry { unsigned id; const char* text; };\n"
                    "extern const StringTableEntry kStringTable[];\n"
                    "extern const std::size_t kStringTableSize;\n"
                    "const StringTableEntry kStringTable[] = {\n";
  for (const Row& row : rows) out += "  {" + std::to_string(row.id) + "u, \"" + row.text + "\"},\n";
  out += "  {0u, nullptr}};\nconst std::size_t kStringTableSize = " + std::to_string(rows.size()) + ";\n";
  std::string header = "// Generated from resources/strings.txt: do not edit. The ids of the string table.\n"
                       "#pragma once\n\n";
  for (const Row& row : rows)
    header += "inline constexpr unsigned kString" + row.name + " = " + std::to_string(row.id) + "u;\n";
  return WriteIfChanged(argv[2], out) && WriteIfChanged(argv[3], header) ? 0 : 1;
}
