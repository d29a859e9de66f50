#include "imagelib/Tolvo.h"

uint32_t GetDllVersion() { return kTolvoVersion; }
