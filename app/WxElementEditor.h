#pragma once
// The element dialogs as the model asks for them (Modify, adding elements, Group, the part
// chooser, the rotation points). Each call runs its dialog modally over the main window and hands
// the values back on OK; the model applies them. A generated part reopens its generator's dialog
// with its own values (the output choice switched off).
#include <functional>

#include "model/ElementEditor.h"
#include "model/LibraryContext.h"

class wxWindow;

class CWxElementEditor : public IElementEditor {
 public:
  // The parent is asked for at each call (the main window may come and go).
  // The part chooser lists the library's part list.
  explicit CWxElementEditor(std::function<wxWindow*()> parent, const CLibraryContext& library = ProgramLibrary())
      : m_parent(std::move(parent)), m_library(library) {}

  bool Offers(ElementType type) const override;
  bool EditComment(CommentEdit& data) override;
  bool EditBfc(BfcEdit& data) override;
  bool EditBackground(std::string& fileName) override;
  bool EditBufExchg(BufExchgEdit& data) override;
  bool EditGroup(GroupEdit& data) override;
  bool EditPrimitive(PrimitiveEdit& data) override;
  bool EditRotStep(RotStepEdit& data) override;
  bool EditSpring(SpringParams& params) override;
  bool EditHose(HoseParams& params) override;
  bool EditRubberBelt(BeltParams& params) override;
  bool EditArrow(ArrowParams& params) override;
  bool EditPlate(PlateParams& params) override;
  bool OffersRotationPoint() const override { return true; }
  bool ChoosePart(uint32_t& handle) override;
  bool EditRotationPoint(RotationPointEdit& data) override;

 private:
  wxWindow* Parent() const { return m_parent ? m_parent() : nullptr; }
  std::function<wxWindow*()> m_parent;
  CLibraryContext m_library;
};
