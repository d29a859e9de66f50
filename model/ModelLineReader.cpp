#include "model/ModelLineReader.h"

#include "config/Tracer.h"
#include "model/QvCommentPart.h"
#include "model/TextHandler.h"
#include "platform/Prompt.h"
#include "resources/StringIds.h"

namespace {
}

bool CModelLineReader::Next(std::string& line) {
  line.clear();
  bool any = false;
  // A piece that fills the handler's length without a line end is followed by the rest of its line.
  while (m_in.ReadLine(m_piece, kMaxLineLength)) {
    any = true;
    line += m_piece;
    if (!m_piece.empty() && m_piece.back() == '\n') break;
    if (m_piece.size() < kMaxLineLength - 1) break;
  }
  if (!any) return false;
  if (m_first) {
    m_first = false;
    if (line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
  }
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return true;
}

std::unique_ptr<CQvPart> MakeOverlongLineElement(const std::string& line) {
  return std::make_unique<CQvCommentPart>(line, kCommentVerbatim);
}

void ReportOverlongLine(const std::string& path, unsigned long lineNumber, bool ask) {
  theTracer.Printf("WARNING: In file %s line %lu is longer than %lu characters: kept as it is, not read!\n",
                   path.c_str(), lineNumber, static_cast<unsigned long>(kMaxModelLineLength));
  if (ask)
    ShowMessageId(kStringOverlongLine, PromptButtons::Ok, PromptIcon::Exclamation, lineNumber, path.c_str(),
                  static_cast<unsigned long>(kMaxModelLineLength));
}
