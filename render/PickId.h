#pragma once
#include <cstdint>

// Pick identity: every primitive drawn below a top-level element records this id in the renderer's
// pick buffer; the drawing model maps ids back to elements through a table of its own (an id is an
// index, never a pointer squeezed into 32 bits). kNoPickId marks "no element".
using PickId = uint32_t;
inline constexpr PickId kNoPickId = 0xFFFFFFFFu;
