#include "model/RotationPoints.h"

#include "model/LineText.h"
#include "model/TextHandler.h"
#include "platform/Numbers.h"

int CRotationPoints::ResetPoints() {
  m_points.clear();
  m_points.push_back(RotationPoint{0, 0, 0, "Custom", 1});
  m_defaultList = true;
  return 1;
}

CVector3 CRotationPoints::GetPoint(int32_t which) const {
  if (which == -1) which = mode;
  if (which < kFirstCustom) return {};
  size_t index = static_cast<size_t>(which - kFirstCustom);
  if (index >= m_points.size()) return {};
  const RotationPoint& p = m_points[index];
  return {p.x, p.y, p.z};
}

void CRotationPoints::SetCustomPoint(const CVector3& position) {
  if (mode < kFirstCustom) mode = kFirstCustom;
  size_t index = static_cast<size_t>(mode - kFirstCustom);
  if (index >= m_points.size() || !m_points[index].movable) return;
  m_points[index].x = position.x;
  m_points[index].y = position.y;
  m_points[index].z = position.z;
}

int CRotationPoints::IsPointMovable() const {
  size_t index = mode >= kFirstCustom ? static_cast<size_t>(mode - kFirstCustom) : 0;
  return index < m_points.size() && m_points[index].movable ? 1 : 0;
}

void CRotationPoints::SetPoints(std::vector<RotationPoint> points) {
  m_points = std::move(points);
  m_defaultList = false;
}

int CRotationPoints::ParseMeta(std::string_view text) {
  text = SkipWhite(text);
  if (text.empty()) return 0;
  if (text.starts_with("CONFIG")) return ParseConfig(text);
  if (text.starts_with("AXIS")) return 1;
  if (text.starts_with("CENTER")) return ParseCenter(text);
  return 0;
}

// "CONFIG <written mode> <show>": written modes 0 to -3 are the modes 0 to 3, n above 0 the custom
// point n - 1. A mode that names no point is refused and the mode in force stays.
int CRotationPoints::ParseConfig(std::string_view text) {
  CTokenReader reader(text);
  reader.NextWord();
  int32_t written = 0, showValue = 0;
  if (!reader.NextInt32(written) || !reader.NextInt32(showValue)) return 0;
  // In 64 bits: negating the most negative 32-bit value must not overflow.
  int64_t newMode = written > 0 ? int64_t{written} + 3 : -int64_t{written};
  if (newMode > kWorldOrigin && newMode - kFirstCustom >= static_cast<int64_t>(m_points.size())) return 0;
  mode = static_cast<int32_t>(newMode);
  show = showValue == 1 ? 1 : 0;
  return 1;
}

// "CENTER <x> <y> <z> <movable> "<name>"". Only a complete line replaces the default point, so a
// malformed one never leaves the model without a point.
int CRotationPoints::ParseCenter(std::string_view text) {
  size_t open = text.find('"');
  size_t close = open == std::string_view::npos ? open : text.find('"', open + 1);
  if (close == std::string_view::npos) return 0;
  RotationPoint p;
  p.name = std::string(text.substr(open + 1, std::min(close - open - 1, kMaxNameLength)));
  CTokenReader reader(text.substr(0, open));
  reader.NextWord();
  int32_t movable = 0;
  if (!reader.NextDouble(p.x) || !reader.NextDouble(p.y) || !reader.NextDouble(p.z) ||
      !reader.NextInt32(movable))
    return 0;
  p.movable = movable == 1 ? 1 : 0;
  if (m_defaultList) {
    m_points.clear();
    m_defaultList = false;
  }
  m_points.push_back(std::move(p));
  return 1;
}

int CRotationPoints::WriteMeta(CTextHandler& out) const {
  for (const RotationPoint& p : m_points)
    if (!TextHandlerPrintf(out, "0 ROTATION CENTER %s %s %s %d \"%s\" \n", FormatReal(p.x).c_str(),
                           FormatReal(p.y).c_str(), FormatReal(p.z).c_str(), p.movable ? 1 : 0, p.name.c_str()))
      return 0;
  int32_t written = mode < kFirstCustom ? -mode : mode - kFirstCustom + 1;
  return TextHandlerPrintf(out, "0 ROTATION CONFIG %d %d\n", written, show ? 1 : 0);
}
