// Build tool: turns strings.txt (lines "id<TAB>text", text with C escapes, '#' comments)
// into a C++ source holding the table sorted by id.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: genstrings strings.txt out.cpp\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::cerr << "genstrings: cannot read " << argv[1] << "\n";
    return 1;
  }
  std::vector<std::pair<unsigned long, std::string>> rows;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    size_t tab = line.find('\t');
    if (tab == std::string::npos || tab == 0 ||
        line.find_first_not_of("0123456789") != tab) {
      std::cerr << argv[1] << ":" << number << ": expected 'id<TAB>text'\n";
      return 1;
    }
    rows.emplace_back(std::stoul(line.substr(0, tab)), line.substr(tab + 1));
  }
  std::sort(rows.begin(), rows.end());
  for (size_t i = 1; i < rows.size(); ++i)
    if (rows[i].first == rows[i - 1].first) {
      std::cerr << argv[1] << ": id " << rows[i].first << " appears twice\n";
      return 1;
    }
  std::string out = "// Generated from resources/strings.txt: do not edit.\n#include <cstddef>\n"
                    "struct StringTableEntry { unsigned id; const char* text; };\n"
                    "extern const StringTableEntry kStringTable[];\n"
                    "extern const std::size_t kStringTableSize;\n"
                    "const StringTableEntry kStringTable[] = {\n";
  for (auto& [id, text] : rows) out += "  {" + std::to_string(id) + "u, \"" + text + "\"},\n";
  out += "  {0u, nullptr}};\nconst std::size_t kStringTableSize = " + std::to_string(rows.size()) + ";\n";
  std::string old;
  {
    std::ifstream prev(argv[2]);
    if (prev) old.assign(std::istreambuf_iterator<char>(prev), {});
  }
  if (old != out) {
    std::ofstream o(argv[2]);
    o << out;
    if (!o.flush()) return 1;
  }
  return 0;
}
