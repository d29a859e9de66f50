#pragma once
// The export session's own log file. Outside programs append to the same file, so it is closed
// while one runs and opened again for appending afterwards.
#include <cstdio>
#include <string>

class CExportLog {
 public:
  CExportLog() = default;
  ~CExportLog() { Close(); }
  CExportLog(const CExportLog&) = delete;
  CExportLog& operator=(const CExportLog&) = delete;

  // Creates the file (emptied); false when it cannot be, and the session runs without log.
  bool Create(const std::string& path);
  bool IsOpen() const { return m_file != nullptr; }
  bool InUse() const { return !m_path.empty(); }
  const std::string& GetPath() const { return m_path; }
  void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // Around an outside program that writes into the log.
  void Suspend();
  void Resume();
  void Close();

 private:
  FILE* m_file = nullptr;
  std::string m_path;  // set while the log is in use, also while suspended
};
