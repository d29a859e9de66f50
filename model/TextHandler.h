#pragma once
// Every reader and writer of model text goes through a text handler: a source of lines and a sink
// of text, over a file or over an in-memory array of lines (undo snapshots), so that a snapshot is
// written and read by exactly the code that writes and reads files.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/AtomicFile.h"

// Model lines are read in pieces of at most kMaxLineLength - 1 characters (newline included),
// so a line holds at most 510 characters and the rest of a longer line comes as further pieces.
inline constexpr size_t kMaxLineLength = 511;

class CTextHandler {
 public:
  explicit CTextHandler(unsigned inMemory) : m_inMemory(inMemory) {}
  virtual ~CTextHandler() = default;
  CTextHandler(const CTextHandler&) = delete;
  CTextHandler& operator=(const CTextHandler&) = delete;

  // The next piece of at most length - 1 characters, ending with the newline when the line fitted.
  // False at the end of the text.
  virtual bool ReadLine(std::string& line, size_t length = kMaxLineLength) = 0;
  virtual void Rewind() = 0;
  // 1 when the text was written, 0 otherwise.
  virtual int WriteString(const std::string& text) = 0;
  // A line built for the write alone: a handler that keeps lines may keep the string itself.
  virtual int WriteString(std::string&& text) { return WriteString(static_cast<const std::string&>(text)); }
  // Releases the source or sink; 0 when pending output could not be written.
  virtual int Close() = 0;
  // Makes the sink ready to write the file at path; 1 when it is.
  virtual int OpenForWrite(const std::string& path) = 0;

  unsigned IsInMemory() const { return m_inMemory; }

 private:
  unsigned m_inMemory;
};

// Over a C stream. A UTF-8 byte-order mark at the start of the text is not part of the first line.
class CFileTextHandler : public CTextHandler {
 public:
  // With a stream: reads and writes it, never closes it. Without: opens its own (Open, OpenForWrite).
  explicit CFileTextHandler(FILE* stream = nullptr);
  ~CFileTextHandler() override;

  // Opens path with an fopen mode, only when the handler owns its stream (a stream held is
  // closed first). 1 when open.
  int Open(const std::string& path, const char* mode);
  bool ReadLine(std::string& line, size_t length = kMaxLineLength) override;
  void Rewind() override;
  using CTextHandler::WriteString;
  int WriteString(const std::string& text) override;
  // Closes an owned stream. After OpenForWrite this is the save: the new file replaces the old one
  // only when every write, the flush and the close succeeded.
  int Close() override;
  // Saving: writes to a temporary file beside path, committed by Close.
  int OpenForWrite(const std::string& path) override;
  // Why the last save (OpenForWrite, the writes, Close) failed, None while it has not, and the
  // system's error number then (0 when there was none), for the message to the user.
  CAtomicFile::Failure SaveFailure() const { return m_failure; }
  int SaveErrno() const { return m_errno; }

 private:
  FILE* m_stream;
  unsigned m_ownsStream;
  CAtomicFile m_save;  // set while saving through OpenForWrite
  bool m_writeFailed = false;
  CAtomicFile::Failure m_failure = CAtomicFile::Failure::None;
  int m_errno = 0;
  bool m_atStart = true;  // a UTF-8 byte-order mark at the start of the text is skipped
};

class CArrayTextHandler : public CTextHandler {
 public:
  CArrayTextHandler() : CTextHandler(1) {}

  // A stored line longer than the piece length comes back in pieces, as from a file.
  // An empty stored line reads as "0".
  bool ReadLine(std::string& line, size_t length = kMaxLineLength) override;
  void Rewind() override { m_readPos = 0; m_readOffset = 0; }
  // Text without a final newline is continued by the next write.
  int WriteString(const std::string& text) override;
  // Keeps the string as the stored line: an undo snapshot then copies no line it writes.
  int WriteString(std::string&& text) override;
  int Close() override;
  int OpenForWrite(const std::string& path) override;

  const std::vector<std::string>& GetLines() const { return m_lines; }
  void Reserve(size_t lines) { m_lines.reserve(lines); }

 private:
  std::vector<std::string> m_lines;
  size_t m_readPos = 0;
  size_t m_readOffset = 0;  // within m_lines[m_readPos] while a long line is read in pieces
  bool m_continuation = false;
};

// Formats printf-style (C locale, any length) and writes the text; the result of WriteString.
int TextHandlerPrintf(CTextHandler& handler, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
