#pragma once
// A type 0 line that is no command the program acts on: a comment, a "0 WRITE" line, an empty line
// of a project; and, until their element classes exist, lines of other kinds kept word for word.
#include <cstdint>
#include <string>

#include "model/QvPart.h"

enum : uint16_t {
  kCommentPlain = 0,      // "0 text"
  kCommentWrite = 1,      // "0 WRITE text"
  kCommentEmptyLine = 2,  // an empty line
  // A line of a kind this build has no element class for: written back exactly as read (with the
  // ghost and hide prefixes it came with), so that no line of a model is ever lost.
  kCommentVerbatim = 3,
};

class CQvCommentPart : public CQvPart {
 public:
  explicit CQvCommentPart(std::string text = {}, uint16_t kind = kCommentPlain);

  // Plain comments take the line from its third character on, leading white space skipped.
  int Parse(const std::string& line) override;
  int Write(CTextHandler& out) override;
  int Export(ExportContext& ctx, const CVector3& offset, const CMatrix3& matrix,
             ColorNumber parentColor) override;
  void CollectComments(std::vector<std::string>& list, uint32_t flags) override;
  int CanEdit() const override { return 1; }
  int Edit(CQvFile& owner) override;
  int Describe(ElementDescription& out) const override;
  std::unique_ptr<CQvPart> Clone() const override;

  const std::string& GetText() const { return m_text; }
  void SetText(std::string text) { m_text = std::move(text); }
  uint16_t GetKind() const { return m_kind; }

 private:
  // The line as written, without the group line.
  std::string LineText() const;

  std::string m_text;
  uint16_t m_kind;
};
