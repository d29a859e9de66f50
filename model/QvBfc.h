#pragma once
// "0 BFC": a back-face culling statement, kept and written back; drawing takes no notice of it.
// A line is written back with exactly the words it was read with (a clipping or winding option
// certifies the file, but a CERTIFY that was not there is never added to the line); only a line
// the user changed is written anew.
#include <cstdint>
#include <string>

#include "model/QvPart.h"

class CQvBfc : public CQvPart {
 public:
  enum : uint32_t { kNone = 0 };
  enum : uint32_t { kNoCertify = 1, kCertify = 2 };
  enum : uint32_t { kNoClip = 1, kClip = 2 };
  enum : uint32_t { kCcw = 1, kCw = 2, kNoWind = 3 };

  CQvBfc() : CQvPart(ElementType::Bfc) {}

  // The words after "BFC", in any case. A repeated option or an unknown word throws.
  int Parse(const std::string& line) override;
  int Write(CTextHandler& out) override;
  int CanEdit() const override { return 1; }
  int Edit(CQvFile& owner) override;
  int Describe(ElementDescription& out) const override;
  std::unique_ptr<CQvPart> Clone() const override;

  uint32_t certification = kNone;
  uint32_t clipping = kNone;
  uint32_t winding = kNone;
  uint32_t invertNext = 0;

 private:
  std::string OptionWords() const;
  bool Unchanged() const;

  std::string m_readWords;     // the words after "BFC" as read, one blank between them
  uint32_t m_read[4] = {};     // certification, clipping, winding and invert next as read
  bool m_certifyImplied = false;  // certified by an option, without the word CERTIFY
};
