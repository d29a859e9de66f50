#pragma once
// The program's single log: free-text lines appended to Plandor.log in the user's state folder,
// each flushed at once; and the fatal report that ends the program after an unrecoverable error.
#include <cstdio>
#include <string>

// A fatal error is an error exit: the process ends with this status.
inline constexpr int kFatalExitCode = 3;

class CTracer {
 public:
  CTracer() = default;
  virtual ~CTracer();
  CTracer(const CTracer&) = delete;
  CTracer& operator=(const CTracer&) = delete;

  // Opens <state folder><baseName>.log after turning the previous log into <baseName>.old.
  // 1 when the log is open afterwards (also when it already was), 0 otherwise.
  int Open(const char* baseName);
  // Appends the formatted text unchanged (callers end their lines with "\n"). 1 when written and
  // flushed, 0 when no log is open or the write failed (which closes the log for the run).
  int Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // Closes the file so that another module may append to it; Resume reopens it.
  void Pause();
  void Resume();
  void Close();
  // Shows the message, writes the fatal report to the log and ends the process; never returns.
  [[noreturn]] void Fatal(const char* module, const char* function, const char* format, ...)
      __attribute__((format(printf, 4, 5)));

  bool IsOpen() const { return m_file != nullptr; }
  const std::string& GetPath() const { return m_path; }

 private:
  int WriteText(const std::string& text);

  FILE* m_file = nullptr;
  int m_paused = 0;
  std::string m_path;
};

extern CTracer theTracer;
