#pragma once
// Reader of the program's read-only ini file "Plandor.ini": sections in square brackets, ';' starts
// a comment line. Readers find a section, then read exactly as many lines as it holds.
#include <cstdio>
#include <string>

class CIniFile {
 public:
  static constexpr const char* kFileName = "Plandor.ini";
  static constexpr size_t kMaxLine = 8191;

  // Opens the program's ini file (found through FindProgramFile).
  CIniFile();
  // Opens the given file; a missing file makes every call return 0 or false.
  explicit CIniFile(const std::string& path);
  virtual ~CIniFile();
  CIniFile(const CIniFile&) = delete;
  CIniFile& operator=(const CIniFile&) = delete;

  bool IsOpen() const { return m_file != nullptr; }
  // The number of content lines of the section (0 when it or the file is missing); the next
  // NextLine returns its first line.
  int FindSection(const std::string& name);
  // The next content line (trimmed, not empty, not a comment); false at the end of the file. It
  // does not stop at the next section header.
  bool NextLine(std::string& line);
  int GetLineNumber() const { return m_lineNumber; }
  // Whether the last FindSection found its header (an empty section counts 0 lines too).
  bool SectionFound() const { return m_sectionFound; }

 private:
  bool ReadRawLine(std::string& line);

  FILE* m_file = nullptr;
  std::string m_line;
  int m_lineNumber = 0;
  bool m_sectionFound = false;
};
