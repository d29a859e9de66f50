#pragma once
// The factory table through which the reader creates elements. Each element class has one entry;
// a class that is not built yet has none, and the reader keeps such lines as comments.
#include <memory>

#include "model/QvPart.h"

enum class ElementClass {
  Step,
  Comment,
  Reference,
  Line,
  Triangle,
  Quad,
  CondLine,
  RotateCmd,
  Background,
  Bfc,
  Clear,
  BufExchg,
  Mesh,
  RubberBelt,
  Spring,
  Hose,
  Arrow,
  Plate,
  Group,
  Count
};

using ElementCreator = std::unique_ptr<CQvPart> (*)();

class CElementFactory {
 public:
  // A new element of the class, or null when the class has no entry.
  static std::unique_ptr<CQvPart> Create(ElementClass kind);
  static bool IsRegistered(ElementClass kind);
  // Replaces an entry (null removes it) and returns the one it replaced: for tests.
  static ElementCreator Register(ElementClass kind, ElementCreator creator);
};
