#include "model/ElementEditor.h"

namespace {
class CCancellingEditor : public IElementEditor {
 public:
  bool Offers(ElementType) const override { return false; }
  bool EditComment(CommentEdit&) override { return false; }
  bool EditBfc(BfcEdit&) override { return false; }
  bool EditBackground(std::string&) override { return false; }
  bool EditBufExchg(BufExchgEdit&) override { return false; }
  bool EditGroup(GroupEdit&) override { return false; }
};

CCancellingEditor theCancellingEditor;
IElementEditor* theEditor = nullptr;
}  // namespace

IElementEditor& TheElementEditor() { return theEditor ? *theEditor : theCancellingEditor; }
void SetElementEditor(IElementEditor* editor) { theEditor = editor; }
