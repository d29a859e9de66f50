#pragma once
// The way from an element's Edit to its dialog. The model layer knows no GUI: the dialogs layer
// installs an editor that opens the real dialogs, tests install a scripted one, and without either
// every edit is cancelled. Each call fills its record from the dialog and returns true on OK.
#include <cstdint>
#include <string>
#include <vector>

#include "model/ElementType.h"
#include "model/GeneratorParams.h"
#include "model/RotationPoints.h"

struct CommentEdit {
  std::string text;
  bool oldStyle = true;  // "Old style comment or meta command"
};

struct BfcEdit {
  uint32_t certification = 0;  // 0 none, 1 NOCERTIFY, 2 CERTIFY
  uint32_t clipping = 0;       // 0 none, 1 NOCLIP, 2 CLIP
  uint32_t winding = 0;        // 0 none, 1 CCW, 2 CW, 3 NOWIND
  uint32_t invertNext = 0;
};

struct BufExchgEdit {
  uint8_t buffer = 0;  // 0-25 for A-Z
  uint32_t mode = 0;   // 0 STORE, 1 RETRIEVE
};

struct GroupEdit {
  std::string name;
  std::vector<std::string> otherNames;  // names the dialog refuses
};

// The primitive dialog: vertex rows in single precision, as the dialog's fields hold them.
struct PrimitiveEdit {
  std::string caption;
  int vertexCount = 2;  // 2 line, 3 triangle, 4 quadrilateral, 5 conditional line (four rows, no swap)
  float x[4] = {}, y[4] = {}, z[4] = {};
};

class CQvFile;

// The rotation-step dialog; the model is shown in its preview.
struct RotStepEdit {
  double angleX = 0, angleY = 0, angleZ = 0;
  int32_t mode = 0;  // 0 REL, 1 ABS, 2 ADD
  const CQvFile* model = nullptr;
};

// The rotation-point dialog: the mode (0-3 the fixed centres, 4 + n custom point n), whether the
// views show the centre, and the custom points.
struct RotationPointEdit {
  int32_t mode = 0;
  int32_t show = 0;
  std::vector<RotationPoint> points;
};

class IElementEditor {
 public:
  virtual ~IElementEditor() = default;
  // Whether the dialog of that element type exists; Modify is disabled for those that do not, so
  // an edit is never cancelled behind the user's back.
  virtual bool Offers(ElementType) const { return true; }
  virtual bool EditComment(CommentEdit& data) = 0;
  virtual bool EditBfc(BfcEdit& data) = 0;
  virtual bool EditBackground(std::string& fileName) = 0;
  virtual bool EditBufExchg(BufExchgEdit& data) = 0;
  virtual bool EditGroup(GroupEdit& data) = 0;
  // Editors that do not offer these dialogs cancel them.
  virtual bool EditPrimitive(PrimitiveEdit&) { return false; }
  virtual bool EditRotStep(RotStepEdit&) { return false; }
  // The generator dialogs of the generated parts, opened on the part's parameters.
  virtual bool EditSpring(SpringParams&) { return false; }
  virtual bool EditHose(HoseParams&) { return false; }
  virtual bool EditRubberBelt(BeltParams&) { return false; }
  virtual bool EditArrow(ArrowParams&) { return false; }
  virtual bool EditPlate(PlateParams&) { return false; }
  // The rotation-point dialog; Settings > Rotation Point... is disabled when it is not offered.
  virtual bool OffersRotationPoint() const { return false; }
  virtual bool EditRotationPoint(RotationPointEdit&) { return false; }
  // The part chooser, opened on the part-list handle given (0 for none); OK returns the chosen one.
  virtual bool ChoosePart(uint32_t& handle) {
    (void)handle;
    return false;
  }
};

// The editor in force; SetElementEditor(nullptr) returns to the one that cancels everything.
IElementEditor& TheElementEditor();
void SetElementEditor(IElementEditor* editor);
