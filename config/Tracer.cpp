#include "config/Tracer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdlib>

#include "platform/Folders.h"
#include "platform/Numbers.h"
#include "platform/Prompt.h"

CTracer theTracer;

namespace {
// Formatted log text is cut to what the historic 4 KB line buffer held.
constexpr size_t kMaxText = 4095;

// Opens without following a symbolic link planted in place of the log.
FILE* OpenNoFollow(const std::string& path, bool append) {
  int flags = O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | (append ? O_APPEND : O_TRUNC);
  int fd = ::open(path.c_str(), flags, 0600);
  if (fd < 0) return nullptr;
  FILE* f = fdopen(fd, append ? "a" : "w");
  if (!f) ::close(fd);
  return f;
}

std::string FormatBounded(const char* format, va_list args) {
  std::string text = VStrPrintf(format, args);
  if (text.size() > kMaxText) text.resize(kMaxText);
  return text;
}
}  // namespace

CTracer::~CTracer() { Close(); }

int CTracer::Open(const char* baseName) {
  if (m_file) return 1;
  if (!baseName) return 0;
  std::string folder = GetStateDirectory();
  if (folder.empty()) return 0;
  m_path = folder + baseName + ".log";
  std::string old = folder + baseName + ".old";
  ::unlink(old.c_str());
  ::rename(m_path.c_str(), old.c_str());
  m_file = OpenNoFollow(m_path, false);
  return m_file ? 1 : 0;
}

int CTracer::WriteText(const std::string& text) {
  if (!m_file) return 0;
  if (std::fputs(text.c_str(), m_file) == EOF || std::fflush(m_file) != 0) {
    // A log that cannot be written stops for the rest of the run.
    std::fclose(m_file);
    m_file = nullptr;
    return 0;
  }
  return 1;
}

int CTracer::Printf(const char* format, ...) {
  if (!m_file) return 0;
  va_list args;
  va_start(args, format);
  std::string text = FormatBounded(format, args);
  va_end(args);
  return WriteText(text);
}

void CTracer::Pause() {
  if (m_file) std::fclose(m_file);
  m_file = nullptr;
  m_paused = 1;
}

void CTracer::Resume() {
  if (m_paused != 1) return;
  m_paused = 0;
  m_file = OpenNoFollow(m_path, true);
}

void CTracer::Close() {
  if (m_file) std::fclose(m_file);
  m_file = nullptr;
  m_paused = 0;
}

void CTracer::Fatal(const char* module, const char* function, const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatBounded(format, args);
  va_end(args);
  ThePrompt().Message(text, PromptButtons::Ok, PromptIcon::Stop, "TOLVO: FATAL ERROR - TERMINATING");
  const char* rule = "==================================================\n";
  WriteText(rule);
  WriteText("ABOUT TO TERMINATE THE PROGRAM DUE TO HEAVY ERROR!\n");
  WriteText(rule);
  WriteText(StrPrintf("MODULE: %s\nFUNCTION: %s\n", module, function));
  WriteText("ERROR-REPORT:\n");
  if (m_file) {
    WriteText(text + "\n");
    Close();
  }
  std::_Exit(kFatalExitCode);
}
