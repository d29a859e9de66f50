#pragma once
// The box a picture is fitted to, made fit to be fitted.
#include "config/Geometry.h"

// An empty model (the box still at its start values) or one that is not finite gets a flat box of
// one stud round the origin; a model that is a single point, or a line seen end-on, one stud round
// that point. FitView would otherwise divide by a zero extent or fit a box of 1e200.
void SaneBox(CVector3& min, CVector3& max);
