#include "model/ElementFactory.h"

#include <array>

namespace {
using Table = std::array<ElementCreator, static_cast<size_t>(ElementClass::Count)>;

template <typename T>
std::unique_ptr<CQvPart> Make() {
  return std::make_unique<T>();
}

// Every element class of the model has its line here.
Table BuiltinTable() {
  Table t{};
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
