#pragma once
// The value types of placements and views: a 3x3 matrix in row order applied to column vectors,
// and a 3-D vector; plus the pick tests of a screen ray against triangles and quadrilaterals.
#include <array>

// A value counts as zero when -kZeroTolerance < v < kZeroTolerance.
inline constexpr double kZeroTolerance = 0.00001;
inline bool CountsAsZero(double v) { return v > -kZeroTolerance && v < kZeroTolerance; }

class CMatrix3;

class CVector3 {
 public:
  double x = 0, y = 0, z = 0;

  CVector3() = default;
  CVector3(double ax, double ay, double az) : x(ax), y(ay), z(az) {}

  void Clear() { x = y = z = 0; }
  void Set(double ax, double ay, double az) { x = ax; y = ay; z = az; }
  double GetX() const { return x; }
  double GetY() const { return y; }
  double GetZ() const { return z; }

  // Rounds each coordinate to its grid step, halves away from zero. A step that is not a positive
  // finite number leaves its coordinate as it is.
  void Snap(double sx, double sy, double sz);
  // Coordinates that count as zero become 0.
  void Clean();
  // this = m * this.
  void Transform(const CMatrix3& m);

  CVector3 operator+(const CVector3& o) const { return {x + o.x, y + o.y, z + o.z}; }
  CVector3 operator-(const CVector3& o) const { return {x - o.x, y - o.y, z - o.z}; }
  CVector3 operator*(double s) const { return {x * s, y * s, z * s}; }
  bool operator==(const CVector3& o) const = default;
  double Dot(const CVector3& o) const { return x * o.x + y * o.y + z * o.z; }
  CVector3 Cross(const CVector3& o) const {
    return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x};
  }
};

class CMatrix3 {
 public:
  // m[row * 3 + column]; all zero when default-constructed.
  std::array<double, 9> m{};

  CMatrix3() = default;
  CMatrix3(double m00, double m01, double m02, double m10, double m11, double m12, double m20,
           double m21, double m22)
      : m{m00, m01, m02, m10, m11, m12, m20, m21, m22} {}

  static CMatrix3 Identity() { return {1, 0, 0, 0, 1, 0, 0, 0, 1}; }
  void SetIdentity() { *this = Identity(); }

  double& operator()(int row, int col) { return m[row * 3 + col]; }
  double operator()(int row, int col) const { return m[row * 3 + col]; }

  // Rotation about an axis by an angle in degrees; identity when the angle or the axis counts as zero.
  void SetAxisAngle(const CVector3& axis, double degrees);
  // Rx(ax) * Ry(ay) * Rz(az), angles in degrees.
  void SetEuler(double ax, double ay, double az);
  void Clean();
  // 1 and out = inverse; 0 (out untouched) when the determinant counts as zero.
  int Invert(CMatrix3& out) const;
  double Determinant() const;
  void Copy(const CMatrix3& other) { *this = other; }
  // this = this * other.
  void Multiply(const CMatrix3& other);
  void Scale(double s);
  // Non-zero when any entry differs bit for bit.
  int Differs(const CMatrix3& other) const;

  CMatrix3 operator*(const CMatrix3& o) const;
  CVector3 operator*(const CVector3& v) const {
    return {m[0] * v.x + m[1] * v.y + m[2] * v.z, m[3] * v.x + m[4] * v.y + m[5] * v.z,
            m[6] * v.x + m[7] * v.y + m[8] * v.z};
  }
  CMatrix3 Transposed() const;
};

// The ray through p along +z against triangle abc: 1 on a hit (edges and corners included, also
// behind p), with depth the signed distance from p to the hit point.
int IntersectRayTriangle(const CVector3& p, const CVector3& a, const CVector3& b, const CVector3& c,
                         double& depth);
// 1 when c lies on the "upper" side of the line through a and b in the x-y plane (see the .cpp).
int SideOfLine(const CVector3& a, const CVector3& b, const CVector3& c);
int IntersectRayQuad(const CVector3& p, const CVector3& a, const CVector3& b, const CVector3& c,
                     const CVector3& d, double& depth);
