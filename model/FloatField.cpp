#include "model/FloatField.h"

#include <cmath>

bool NextFloatField(CTokenReader& reader, double& out) {
  CTokenReader probe = reader;
  double value = 0;
  if (!probe.NextDouble(value)) return false;
  const float single = static_cast<float>(value);
  if (!std::isfinite(single)) return false;
  out = single;
  reader = probe;
  return true;
}
