#include "app/AddElementCommands.h"

#include <functional>
#include <memory>

#include "app/CommandMap.h"
#include "document/QuorvelDoc.h"
#include "model/ElementEditor.h"
#include "model/QvBackgroundCmd.h"
#include "model/QvBfc.h"
#include "model/QvBufExchg.h"
#include "model/QvClear.h"
#include "model/QvCommentPart.h"
#include "model/QvFile.h"
#include "model/QvFivePart.h"
#include "model/QvLinePart.h"
#include "model/QvQuadPart.h"
#include "model/QvRotateCmd.h"
#include "model/QvStepPart.h"
#include "model/QvTrianglePart.h"

namespace {
namespace id {
constexpr int kStep = 32784;
constexpr int kComment = 32785;
constexpr int kRotationStep = 32786;
constexpr int kRotationEnd = 32787;
constexpr int kBackground = 32927;
constexpr int kClear = 32939;
constexpr int kBufferExchange = 32943;
constexpr int kBfc = 32937;
constexpr int kLine = 32929;
constexpr int kTriangle = 32930;
constexpr int kQuad = 32931;
constexpr int kCondLine = 32932;
}  // namespace id

using MakeElement = std::function<std::unique_ptr<CQvPart>()>;

// The element's own dialog fills it; only what the user confirmed is inserted.
void Add(CQuorvelDoc& doc, const MakeElement& make, bool withDialog) {
  CQvFile* model = doc.GetActiveModel();
  if (!model) return;
  std::unique_ptr<CQvPart> element = make();
  if (!element) return;
  if (withDialog && !element->Edit(*model)) return;
  doc.InsertElement(std::move(element));
}

std::unique_ptr<CQvPart> Parsed(std::unique_ptr<CQvPart> element, const char* line) {
  return element->Parse(line) ? std::move(element) : nullptr;
}

bool CanAdd(const CQuorvelDoc& doc) {
  return doc.GetActiveModel() && doc.GetEditMode() == 1 && doc.GetEditSubMode() == 0;
}
}  // namespace

void BindAddElementCommands(CCommandMap& commands, CQuorvelDoc& doc) {
  struct Entry {
    int command;
    ElementType type;
    bool withDialog;
    MakeElement make;
  };
  const Entry entries[] = {
      {id::kStep, ElementType::Step, false, [] { return std::make_unique<CQvStepPart>(); }},
      {id::kComment, ElementType::Comment, true,
       [] { return std::make_unique<CQvCommentPart>("Type in the comment", kCommentWrite); }},
      {id::kRotationStep, ElementType::RotStep, true,
       [] { return Parsed(std::make_unique<CQvRotateCmd>(), "0 ROTSTEP 0 0 0 ABS"); }},
      {id::kRotationEnd, ElementType::RotStepEnd, false,
       [] { return Parsed(std::make_unique<CQvRotateCmd>(), "0 ROTSTEP END"); }},
      {id::kBackground, ElementType::Background, true, [] { return std::make_unique<CQvBackgroundCmd>(); }},
      {id::kClear, ElementType::Clear, false, [] { return std::make_unique<CQvClear>(); }},
      {id::kBufferExchange, ElementType::BufExchg, true, [] { return std::make_unique<CQvBufExchg>(); }},
      {id::kBfc, ElementType::Bfc, true, [] { return std::make_unique<CQvBfc>(); }},
      {id::kLine, ElementType::Line, true, [] { return std::make_unique<CQvLinePart>(); }},
      {id::kTriangle, ElementType::Triangle, true, [] { return std::make_unique<CQvTrianglePart>(); }},
      {id::kQuad, ElementType::Quad, true, [] { return std::make_unique<CQvQuadPart>(); }},
      {id::kCondLine, ElementType::CondLine, true, [] { return std::make_unique<CQvFivePart>(); }},
  };
  for (const Entry& e : entries) {
    const ElementType type = e.type;
    const bool withDialog = e.withDialog;
    MakeElement make = e.make;
    commands.Set(
        e.command, [&doc, make, withDialog] { Add(doc, make, withDialog); },
        [&doc, type, withDialog] {
          // An element whose dialog is missing is not added behind the user's back.
          return EnabledIf(CanAdd(doc) && (!withDialog || TheElementEditor().Offers(type)));
        });
  }
}
