#pragma once
// Up-down rules the generator dialogs give their fields (see CGeneratorDlg::SpinRule): the value
// to store for a proposed one, the old value when the step is refused.
#include <algorithm>

namespace spin_rules {
inline double RefuseNegative(double v, double old) { return v < 0 ? old : v; }
inline double RefuseNotPositive(double v, double old) { return v <= 0 ? old : v; }
inline double RefuseBelowOne(double v, double old) { return v < 1 ? old : v; }
// Steps below zero stop at zero rather than being refused.
inline double KeepNotNegative(double v, double) { return std::max(v, 0.0); }
}  // namespace spin_rules
