#pragma once
// The rotation-step and LDLite commands read their numbers in single precision, as their text has
// always been read; a number that is not finite in single precision is no number.
#include "platform/Numbers.h"

// The next word as a single-precision value widened to double; false (nothing consumed) otherwise.
bool NextFloatField(CTokenReader& reader, double& out);
