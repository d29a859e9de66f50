#pragma once
#include <cstdint>

// The type code of an element: which LDraw line or meta command it stands for.
enum class ElementType : uint16_t {
  Step = 1,          // "0 STEP"
  Comment = 2,       // any other type 0 line, the bare "0", an empty line
  Reference = 3,     // type 1: sub-file reference
  Line = 4,          // type 2
  Triangle = 5,      // type 3
  Quad = 6,          // type 4
  CondLine = 7,      // type 5: conditional line
  RotStep = 10,      // "0 ROTSTEP" angles (or a "0 ROTATE" that is no LDLite command)
  RotStepEnd = 11,   // "0 ROTSTEP END"
  Background = 12,   // "0 BACKGROUND"
  Bfc = 13,          // "0 BFC"
  Clear = 14,        // "0 CLEAR"
  BufExchg = 15,     // "0 BUFEXCHG"
  Mesh = 16,         // fast-render mesh folded from a library part's primitives
  RubberBelt = 100,  // "0 TOLVO RUBBER_BELT"
  Spring = 101,      // "0 TOLVO SPRING"
  Hose = 102,        // "0 TOLVO FLEXHOSE"
  ArrowPlate = 103,  // "0 TOLVO ARROW" and "0 TOLVO PLATE"
  Group = 256,       // "0 GROUP"
};

inline constexpr uint16_t ToCode(ElementType t) { return static_cast<uint16_t>(t); }
