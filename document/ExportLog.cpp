#include "document/ExportLog.h"

#include <cstdarg>

bool CExportLog::Create(const std::string& path) {
  Close();
  m_path.clear();
  m_file = std::fopen(path.c_str(), "w");
  if (m_file) m_path = path;
  return m_file != nullptr;
}

void CExportLog::Printf(const char* format, ...) {
  if (!m_file) return;
  va_list args;
  va_start(args, format);
  std::vfprintf(m_file, format, args);
  va_end(args);
}

void CExportLog::Suspend() {
  if (!m_file) return;
  std::fclose(m_file);
  m_file = nullptr;
}

void CExportLog::Resume() {
  if (m_file || m_path.empty()) return;
  m_file = std::fopen(m_path.c_str(), "a");
  if (!m_file) m_path.clear();
}

void CExportLog::Close() {
  if (m_file) std::fclose(m_file);
  m_file = nullptr;
}
