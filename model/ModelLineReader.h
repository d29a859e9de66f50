#pragma once
// The readers of model text (a single model, a project, an import) take whole lines: a text
// handler hands out a long line in pieces, which are joined here, so that no line is ever cut or
// read as several. A line longer than kMaxModelLineLength is still kept whole, but it is not read
// as a model line: the reader stores it as it was (written back unchanged) and says so.
#include <string>

#include "model/QvPart.h"

class CTextHandler;

inline constexpr size_t kMaxModelLineLength = 65536;

class CModelLineReader {
 public:
  explicit CModelLineReader(CTextHandler& in) : m_in(in) {}

  // The next whole line with its line end, and a UTF-8 byte-order mark at the start of the text,
  // taken off; false at the end of the text.
  bool Next(std::string& line);

 private:
  CTextHandler& m_in;
  std::string m_piece;
  bool m_first = true;
};

inline bool IsOverlongModelLine(const std::string& line) { return line.size() > kMaxModelLineLength; }

// The element that keeps an over-long line as it was read.
std::unique_ptr<CQvPart> MakeOverlongLineElement(const std::string& line);

// Logs an over-long line of a file and, when ask is set, tells the user (once per file: the caller
// passes ask only for the first one).
void ReportOverlongLine(const std::string& path, unsigned long lineNumber, bool ask);
