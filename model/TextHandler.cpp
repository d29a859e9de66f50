#include "model/TextHandler.h"

#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <utility>

#include "platform/Numbers.h"

CFileTextHandler::CFileTextHandler(FILE* stream)
    : CTextHandler(0), m_stream(stream), m_ownsStream(stream ? 0 : 1) {}

CFileTextHandler::~CFileTextHandler() {
  if (m_save.Stream()) {
    m_save.Discard();  // an unfinished save never replaces the file
    m_stream = nullptr;
  }
  Close();
}

int CFileTextHandler::Open(const std::string& path, const char* mode) {
  if (!m_ownsStream || path.empty() || !mode) return 0;
  Close();
  m_stream = std::fopen(path.c_str(), mode);
  m_writeFailed = false;
  m_atStart = true;
  return m_stream ? 1 : 0;
}

bool CFileTextHandler::ReadLine(std::string& line, size_t length) {
  line.clear();
  if (!m_stream || length < 2) return false;
  char buffer[kMaxLineLength + 1];
  if (length > sizeof buffer) length = sizeof buffer;
  const bool first = m_atStart;
  m_atStart = false;
  if (first && std::ftell(m_stream) == 0) {
    // A UTF-8 byte-order mark at the start is taken off the first piece read, not peeked at:
    // going back to the start would read the file's first block twice, for every library file.
    if (length < 4) {
      int c1 = std::getc(m_stream);
      int c2 = c1 == 0xEF ? std::getc(m_stream) : EOF;
      int c3 = c2 == 0xBB ? std::getc(m_stream) : EOF;
      if (!(c1 == 0xEF && c2 == 0xBB && c3 == 0xBF)) std::rewind(m_stream);
    } else {
      if (!std::fgets(buffer, static_cast<int>(length), m_stream)) return false;
      const size_t n = std::strlen(buffer);
      if (n < 3 || std::memcmp(buffer, "\xEF\xBB\xBF", 3) != 0) {
        line.assign(buffer, n);
        return true;
      }
      line.assign(buffer + 3, n - 3);
      // The piece holds as much text after the mark as a piece read after it would.
      if (n == length - 1 && buffer[n - 1] != '\n') {
        char rest[4];
        if (std::fgets(rest, sizeof rest, m_stream)) line += rest;
      }
      if (!line.empty()) return true;
      // The mark was all there was.
    }
  }
  if (!std::fgets(buffer, static_cast<int>(length), m_stream)) return false;
  line.assign(buffer);
  return true;
}

void CFileTextHandler::Rewind() {
  if (m_stream) std::rewind(m_stream);
  m_atStart = true;
}

int CFileTextHandler::WriteString(const std::string& text) {
  if (!m_stream || text.empty()) return 0;
  if (std::fputs(text.c_str(), m_stream) == EOF) {
    if (!m_writeFailed && m_save.Stream()) {
      m_failure = CAtomicFile::Failure::WriteFailed;
      m_errno = errno;
    }
    m_writeFailed = true;
    return 0;
  }
  return 1;
}

int CFileTextHandler::Close() {
  int ok = 1;
  if (m_save.Stream()) {
    ok = (!m_writeFailed && m_save.Commit()) ? 1 : 0;
    if (!ok && !m_writeFailed) {
      m_failure = m_save.Reason();
      m_errno = m_save.Errno();
    }
    m_save.Discard();
    m_stream = nullptr;
  } else if (m_stream && m_ownsStream) {
    ok = (!m_writeFailed && std::fclose(m_stream) == 0) ? 1 : 0;
  }
  m_stream = nullptr;
  m_writeFailed = false;
  return ok;
}

int CFileTextHandler::OpenForWrite(const std::string& path) {
  if (!m_ownsStream || path.empty()) return 0;
  Close();
  m_stream = m_save.Open(path);
  m_writeFailed = false;
  m_failure = m_save.Reason();
  m_errno = m_save.Errno();
  return m_stream ? 1 : 0;
}

bool CArrayTextHandler::ReadLine(std::string& line, size_t length) {
  line.clear();
  if (m_readPos >= m_lines.size() || length < 2) return false;
  const std::string& stored = m_lines[m_readPos];
  if (stored.empty()) {
    line = "0";
    ++m_readPos;
    return true;
  }
  size_t piece = std::min(length - 1, stored.size() - m_readOffset);
  line.assign(stored, m_readOffset, piece);
  m_readOffset += piece;
  if (m_readOffset >= stored.size()) {
    ++m_readPos;
    m_readOffset = 0;
  }
  return true;
}

int CArrayTextHandler::WriteString(const std::string& text) {
  if (m_continuation && !m_lines.empty())
    m_lines.back() += text;
  else
    m_lines.push_back(text);
  m_continuation = text.empty() || text.back() != '\n';
  return 1;
}

int CArrayTextHandler::WriteString(std::string&& text) {
  const bool continuation = text.empty() || text.back() != '\n';
  if (m_continuation && !m_lines.empty())
    m_lines.back() += text;
  else
    m_lines.push_back(std::move(text));
  m_continuation = continuation;
  return 1;
}

int CArrayTextHandler::Close() {
  m_lines.clear();
  Rewind();
  m_continuation = false;
  return 1;
}

int CArrayTextHandler::OpenForWrite(const std::string&) { return Close(); }

int TextHandlerPrintf(CTextHandler& handler, const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = VStrPrintf(format, args);
  va_end(args);
  return handler.WriteString(text);
}
