#pragma once
// The rotation points of a model: the mode that chooses the centre of a rotation of the selection
// (part origin, part centre, part rotation point, world origin, or one of the model's named custom
// points), the show flag, and the custom points themselves, saved with the model as
// "0 ROTATION CENTER" and "0 ROTATION CONFIG" lines. The dialog that edits them lives with the
// dialogs and works on this object.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/Geometry.h"

class CTextHandler;

struct RotationPoint {
  double x = 0, y = 0, z = 0;
  std::string name;     // at most kMaxNameLength characters, no double quote
  int32_t movable = 0;  // 1: may be dragged in the 3-D view
};

class CRotationPoints {
 public:
  static constexpr size_t kMaxNameLength = 50;
  enum : int32_t {
    kPartOrigin = 0,
    kPartCenter = 1,
    kPartRotationPoint = 2,
    kWorldOrigin = 3,
    kFirstCustom = 4
  };

  // One movable point "Custom" at the origin, marked as the default list that the first
  // "CENTER" line read replaces; mode and show are kept. 1 (0 when memory runs out).
  int ResetPoints();
  // The origin for modes up to 3 (and for a custom mode whose point is missing), else the point.
  CVector3 GetPoint(int32_t mode = -1) const;
  // Switches a non-custom mode to the first custom point; the point moves only when movable.
  void SetCustomPoint(const CVector3& position);
  int IsPointMovable() const;
  // The text of a "0 ROTATION" line after the keyword; 1 when taken, 0 for a line error.
  int ParseMeta(std::string_view text);
  // One "CENTER" line per point, then the "CONFIG" line; 0 when a write failed.
  int WriteMeta(CTextHandler& out) const;

  const std::vector<RotationPoint>& GetPoints() const { return m_points; }
  // The dialog's OK: the edited list replaces the points.
  void SetPoints(std::vector<RotationPoint> points);
  bool IsDefaultList() const { return m_defaultList; }

  int32_t mode = kPartOrigin;  // 4 + n: custom point n
  int32_t show = 0;            // the views mark the rotation centre

 private:
  int ParseConfig(std::string_view text);
  int ParseCenter(std::string_view text);

  std::vector<RotationPoint> m_points;
  bool m_defaultList = false;
};
