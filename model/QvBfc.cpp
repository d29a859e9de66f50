#include "model/QvBfc.h"

#include <algorithm>
#include <iterator>

#include "model/ElementEditor.h"
#include "model/LineText.h"
#include "model/TextHandler.h"
#include "platform/Numbers.h"

int CQvBfc::Parse(const std::string& line) {
  const std::string_view text = TextAfterKeyword(line, "BFC");
  std::string words = UpperCaseAscii(text);
  CTokenReader reader(words);
  certification = clipping = winding = kNone;
  invertNext = 0;
  m_readWords.clear();
  CTokenReader original(text);
  for (std::string_view w = original.NextWord(); !w.empty(); w = original.NextWord())
    m_readWords += (m_readWords.empty() ? "" : " ") + std::string(w);
  bool certifyWord = false;
  for (std::string_view w = reader.NextWord(); !w.empty(); w = reader.NextWord()) {
    if (w == "CERTIFY") {
      certification = kCertify;
      certifyWord = true;
    } else if (w == "NOCERTIFY") {
      certification = kNoCertify;
      break;  // an uncertified file has no further options
    } else if (w == "CLIP" || w == "NOCLIP") {
      if (clipping != kNone) throw CParseError("BFC: clipping given twice");
      clipping = w == "CLIP" ? kClip : kNoClip;
      certification = kCertify;
    } else if (w == "CW" || w == "CCW" || w == "NOWIND") {
      if (winding != kNone) throw CParseError("BFC: winding given twice");
      winding = w == "CW" ? kCw : w == "CCW" ? kCcw : kNoWind;
      certification = kCertify;
    } else if (w == "INVERTNEXT") {
      if (invertNext) throw CParseError("BFC: INVERTNEXT given twice");
      invertNext = 1;
    } else {
      throw CParseError("BFC: unknown option");
    }
  }
  m_certifyImplied = certification == kCertify && !certifyWord;
  m_read[0] = certification;
  m_read[1] = clipping;
  m_read[2] = winding;
  m_read[3] = invertNext;
  return 1;
}

bool CQvBfc::Unchanged() const {
  return !m_readWords.empty() && m_read[0] == certification && m_read[1] == clipping && m_read[2] == winding &&
         m_read[3] == invertNext;
}

std::string CQvBfc::OptionWords() const {
  std::string s;
  if (certification == kNoCertify) return s;
  if (clipping == kClip) s += " CLIP";
  if (clipping == kNoClip) s += " NOCLIP";
  if (winding == kCw) s += " CW";
  if (winding == kCcw) s += " CCW";
  if (winding == kNoWind) s += " NOWIND";
  if (invertNext) s += " INVERTNEXT";
  return s;
}

int CQvBfc::Write(CTextHandler& out) {
  if (!CQvPart::Write(out)) return 0;
  std::string line = "0 BFC";
  if (Unchanged()) return out.WriteString(line + " " + m_readWords + "\n");
  if (certification == kCertify && !m_certifyImplied) line += " CERTIFY";
  if (certification == kNoCertify) line += " NOCERTIFY";
  return out.WriteString(line + OptionWords() + "\n");
}

int CQvBfc::Edit(CQvFile&) {
  BfcEdit data{certification, clipping, winding, invertNext};
  if (!TheElementEditor().EditBfc(data)) return 0;
  // A certification the user chose is written out, whatever the line said before.
  if (data.certification != certification) m_certifyImplied = false;
  certification = data.certification;
  clipping = data.clipping;
  winding = data.winding;
  invertNext = data.invertNext;
  return 2;
}

int CQvBfc::Describe(ElementDescription& out) const {
  DescribeFlags(out);
  if (certification == kNoCertify)
    out.text = "UNCERTIFIED";
  else
    out.text = (certification == kCertify ? "CERTIFIED" : "") + OptionWords();
  return 1;
}

std::unique_ptr<CQvPart> CQvBfc::Clone() const {
  auto clone = std::make_unique<CQvBfc>();
  CopyBase(*clone);
  clone->certification = certification;
  clone->clipping = clipping;
  clone->winding = winding;
  clone->invertNext = invertNext;
  clone->m_readWords = m_readWords;
  std::copy(std::begin(m_read), std::end(m_read), std::begin(clone->m_read));
  clone->m_certifyImplied = m_certifyImplied;
  return clone;
}
