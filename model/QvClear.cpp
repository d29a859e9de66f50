#include "model/QvClear.h"

#include "model/TextHandler.h"

int CQvClear::Write(CTextHandler& out) {
  if (!CQvPart::Write(out)) return 0;
  return out.WriteString("0 CLEAR\n");
}

int CQvClear::Export(ExportContext& ctx, const CVector3&, const CMatrix3&, ColorNumber) {
  if (!ctx.output) return 0;
  return ctx.output->OpenForWrite(ctx.exportPath);
}

int CQvClear::Describe(ElementDescription& out) const {
  DescribeFlags(out);
  return 1;
}

std::unique_ptr<CQvPart> CQvClear::Clone() const {
  auto clone = std::make_unique<CQvClear>();
  CopyBase(*clone);
  return clone;
}
