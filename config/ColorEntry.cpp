#include "config/ColorEntry.h"

ColorEntry theDefaultColors[kColorCount];
ColorEntry theLDConfigColors[kColorCount];
