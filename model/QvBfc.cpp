#include "model/QvBfc.h"

#include "model/ElementEditor.h"
#include "model/LineText.h"
#include "model/TextHandler.h"
#include "platform/Numbers.h"

int CQvBfc::Parse(const std::string& line) {
  std::string words = UpperCaseAscii(TextAfterKeyword(line, "BFC"));
  CTokenReader reader(words);
  certification = clipping = winding = kNone;
  invertNext = 0;
  for (std::string_view w = reader.NextWord(); !w.empty(); w = reader.NextWord()) {
    if (w == "CERTIFY") {
      certification = kCertify;
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
  return 1;
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
  if (certification == kCertify) line += " CERTIFY";
  if (certification == kNoCertify) line += " NOCERTIFY";
  return out.WriteString(line + OptionWords() + "\n");
}

int CQvBfc::Edit(CQvFile&) {
  BfcEdit data{certification, clipping, winding, invertNext};
  if (!TheElementEditor().EditBfc(data)) return 0;
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
  return clone;
}
