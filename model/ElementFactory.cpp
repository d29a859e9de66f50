#include "model/ElementFactory.h"

#include <array>

#include "model/QvBackgroundCmd.h"
#include "model/QvBfc.h"
#include "model/QvBufExchg.h"
#include "model/QvClear.h"
#include "model/QvCommentPart.h"
#include "model/QvElement.h"
#include "model/QvFivePart.h"
#include "model/QvRotateCmd.h"
#include "model/QvStepPart.h"
#include "model/SelectionGroup.h"
#include "model/TlvArrow.h"
#include "model/TlvHose.h"
#include "model/TlvPlate.h"
#include "model/TlvRubberBelt.h"
#include "model/TlvSpring.h"

namespace {
using Table = std::array<ElementCreator, static_cast<size_t>(ElementClass::Count)>;

template <typename T>
std::unique_ptr<CQvPart> Make() {
  return std::make_unique<T>();
}

// Every element class of the model has its line here.
Table BuiltinTable() {
  Table t{};
  t[static_cast<size_t>(ElementClass::Step)] = &Make<CQvStepPart>;
  t[static_cast<size_t>(ElementClass::Reference)] = &Make<CQvElement>;
  t[static_cast<size_t>(ElementClass::Line)] = &Make<CQvLinePart>;
  t[static_cast<size_t>(ElementClass::Triangle)] = &Make<CQvTrianglePart>;
  t[static_cast<size_t>(ElementClass::Quad)] = &Make<CQvQuadPart>;
  t[static_cast<size_t>(ElementClass::CondLine)] = &Make<CQvFivePart>;
  t[static_cast<size_t>(ElementClass::RotateCmd)] = &Make<CQvRotateCmd>;
  t[static_cast<size_t>(ElementClass::Comment)] = &Make<CQvCommentPart>;
  t[static_cast<size_t>(ElementClass::Background)] = &Make<CQvBackgroundCmd>;
  t[static_cast<size_t>(ElementClass::Bfc)] = &Make<CQvBfc>;
  t[static_cast<size_t>(ElementClass::Clear)] = &Make<CQvClear>;
  t[static_cast<size_t>(ElementClass::BufExchg)] = &Make<CQvBufExchg>;
  t[static_cast<size_t>(ElementClass::Group)] = &Make<CSelectionGroup>;
  t[static_cast<size_t>(ElementClass::RubberBelt)] = &Make<CTlvRubberBelt>;
  t[static_cast<size_t>(ElementClass::Spring)] = &Make<CTlvSpring>;
  t[static_cast<size_t>(ElementClass::Hose)] = &Make<CTlvHose>;
  t[static_cast<size_t>(ElementClass::Arrow)] = &Make<CTlvArrow>;
  t[static_cast<size_t>(ElementClass::Plate)] = &Make<CTlvPlate>;
  return t;
}

Table& TheTable() {
  static Table table = BuiltinTable();
  return table;
}
}  // namespace

std::unique_ptr<CQvPart> CElementFactory::Create(ElementClass kind) {
  ElementCreator c = TheTable()[static_cast<size_t>(kind)];
  return c ? c() : nullptr;
}

bool CElementFactory::IsRegistered(ElementClass kind) {
  return TheTable()[static_cast<size_t>(kind)] != nullptr;
}

ElementCreator CElementFactory::Register(ElementClass kind, ElementCreator creator) {
  ElementCreator old = TheTable()[static_cast<size_t>(kind)];
  TheTable()[static_cast<size_t>(kind)] = creator;
  return old;
}
