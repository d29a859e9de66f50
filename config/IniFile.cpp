#include "config/IniFile.h"

#include "config/StringUtils.h"
#include "platform/Folders.h"

CIniFile::CIniFile() : CIniFile(FindProgramFile(kFileName)) {}

CIniFile::CIniFile(const std::string& path) {
  if (!path.empty()) m_file = std::fopen(path.c_str(), "rb");
}

CIniFile::~CIniFile() {
  if (m_file) std::fclose(m_file);
}

// One line of at most kMaxLine characters (the rest of a longer line is dropped), trimmed.
bool CIniFile::ReadRawLine(std::string& line) {
  line.clear();
  int c;
  bool any = false;
  while ((c = std::getc(m_file)) != EOF) {
    any = true;
    if (c == '\n') break;
    if (line.size() < kMaxLine) line += static_cast<char>(c);
  }
  if (!any) return false;
  ++m_lineNumber;
  TrimString(line);
  return true;
}

int CIniFile::FindSection(const std::string& name) {
  m_sectionFound = false;
  if (!m_file) return 0;
  std::rewind(m_file);
  m_lineNumber = 0;
  bool inSection = false;
  long start = 0;
  int headerLine = 0, count = 0;
  std::string line;
  while (ReadRawLine(line)) {
    if (line.empty() || line[0] == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      if (inSection) break;
      if (EqualsNoCase(std::string_view(line).substr(1, line.size() - 2), name)) {
        inSection = true;
        start = std::ftell(m_file);
        headerLine = m_lineNumber;
      }
      continue;
    }
    if (inSection) ++count;
  }
  if (!inSection) {
    std::clearerr(m_file);
    return 0;
  }
  m_sectionFound = true;
  std::clearerr(m_file);
  std::fseek(m_file, start, SEEK_SET);
  m_lineNumber = headerLine;
  return count;
}

bool CIniFile::NextLine(std::string& line) {
  if (!m_file) return false;
  while (ReadRawLine(m_line)) {
    if (m_line.empty() || m_line[0] == ';') continue;
    line = m_line;
    return true;
  }
  return false;
}
