#include "model/ElementFactory.h"

#include <array>

#include "model/QvFivePart.h"
#include "model/QvRotateCmd.h"
#include "model/QvStepPart.h"

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
  t[static_cast<size_t>(ElementClass::Line)] = &Make<CQvLinePart>;
  t[static_cast<size_t>(ElementClass::Triangle)] = &Make<CQvTrianglePart>;
  t[static_cast<size_t>(ElementClass::Quad)] = &Make<CQvQuadPart>;
  t[static_cast<size_t>(ElementClass::CondLine)] = &Make<CQvFivePart>;
  t[static_cast<size_t>(ElementClass::RotateCmd)] = &Make<CQvRotateCmd>;
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
