#pragma once
// Sends the log to a scratch state folder while it lives, under the given program name, and puts
// the state folder of the environment back after.
#include <cstdlib>
#include <string>

#include "config/Tracer.h"
#include "support/TestData.h"

class CLogCaptureScope {
 public:
  explicit CLogCaptureScope(const char* program) {
    const char* old = std::getenv("XDG_STATE_HOME");
    m_hadOld = old != nullptr;
    if (old) m_old = old;
    setenv("XDG_STATE_HOME", m_dir.Path().c_str(), 1);
    theTracer.Close();
    theTracer.Open(program);
  }
  ~CLogCaptureScope() {
    theTracer.Close();
    if (m_hadOld)
      setenv("XDG_STATE_HOME", m_old.c_str(), 1);
    else
      unsetenv("XDG_STATE_HOME");
  }
  CLogCaptureScope(const CLogCaptureScope&) = delete;
  CLogCaptureScope& operator=(const CLogCaptureScope&) = delete;

  std::string Text() const { return ReadFileBytes(theTracer.GetPath()); }
  // How often the text stands in the log.
  int Count(const std::string& text) const {
    std::string log = Text();
    int n = 0;
    for (size_t p = log.find(text); p != std::string::npos; p = log.find(text, p + 1)) ++n;
    return n;
  }

 private:
  CScratchDir m_dir;
  std::string m_old;
  bool m_hadOld = false;
};
