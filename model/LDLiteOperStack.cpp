#include "model/LDLiteOperStack.h"

#include <new>

#include "config/StringUtils.h"
#include "model/FloatField.h"

namespace {
// "END" anywhere in the text (any case) ends a transform; tested before the numbers.
bool IsEnd(std::string_view text) { return ContainsNoCase(text, "END") == 0; }  // 0: found

// Reads count single-precision numbers; false when the text holds fewer.
bool ReadNumbers(CTokenReader& reader, double* out, int count) {
  for (int i = 0; i < count; ++i)
    if (!NextFloatField(reader, out[i])) return false;
  return true;
}

std::string UpperAscii(std::string_view text) {
  std::string s(text);
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

// Replaces the record of the same name or appends one; 0 when memory runs out.
template <typename Record>
int Define(std::vector<Record>& list, Record record) {
  try {
    for (Record& r : list) {
      if (r.name == record.name) {
        r = std::move(record);
        return 1;
      }
    }
    list.push_back(std::move(record));
    return 1;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}
}  // namespace

CLDLiteOperStack::~CLDLiteOperStack() { Reset(); }

void CLDLiteOperStack::Reset() {
  m_offsets = {};
  m_matrices = {};
  m_points = {};
  m_namedMatrices = {};
}

CMatrix3 CLDLiteOperStack::GetMatrix() const {
  return m_matrices.empty() ? CMatrix3::Identity() : m_matrices.back();
}

CVector3 CLDLiteOperStack::GetOffset() const { return m_offsets.empty() ? CVector3() : m_offsets.back(); }

int CLDLiteOperStack::PushMatrix(const CMatrix3& r) {
  try {
    m_matrices.push_back(GetMatrix() * r);
    return 1;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

int CLDLiteOperStack::PushOffset(const CVector3& v) {
  try {
    m_offsets.push_back(GetMatrix() * v + GetOffset());
    return 1;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

int CLDLiteOperStack::Rotate(std::string_view text) {
  if (IsEnd(text)) {
    if (m_matrices.empty()) return 0;
    m_matrices.pop_back();
    return 1;
  }
  CTokenReader reader(text);
  double n[4];  // angle in degrees, then the axis
  if (!ReadNumbers(reader, n, 4)) return 0;
  CMatrix3 r;
  r.SetAxisAngle(CVector3(n[1], n[2], n[3]), n[0]);
  return PushMatrix(r);
}

int CLDLiteOperStack::Translate(std::string_view text) {
  if (IsEnd(text)) {
    if (m_offsets.empty()) return 0;
    m_offsets.pop_back();
    return 1;
  }
  CTokenReader reader(text);
  double n[3];
  if (!ReadNumbers(reader, n, 3)) return 0;
  return PushOffset(CVector3(n[0], n[1], n[2]));
}

int CLDLiteOperStack::Transform(std::string_view text) {
  if (IsEnd(text)) {
    // An END with only one kind in force still pops it, but is not taken.
    const bool both = !m_matrices.empty() && !m_offsets.empty();
    if (!m_matrices.empty()) m_matrices.pop_back();
    if (!m_offsets.empty()) m_offsets.pop_back();
    return both ? 1 : 0;
  }
  CTokenReader reader(text);
  double n[12];  // position, then the matrix in row order
  if (!ReadNumbers(reader, n, 12)) return 0;
  // The offset goes under the transform in force before this command.
  if (!PushOffset(CVector3(n[0], n[1], n[2]))) return 0;
  if (!PushMatrix(CMatrix3(n[3], n[4], n[5], n[6], n[7], n[8], n[9], n[10], n[11]))) {
    m_offsets.pop_back();
    return 0;
  }
  return 1;
}

int CLDLiteOperStack::Scale(std::string_view text) {
  if (IsEnd(text)) {
    if (m_matrices.empty()) return 0;
    m_matrices.pop_back();
    return 1;
  }
  CTokenReader reader(text);
  double s = 0;
  if (!ReadNumbers(reader, &s, 1)) return 0;
  return PushMatrix(CMatrix3(s, 0, 0, 0, s, 0, 0, 0, s));
}

int CLDLiteOperStack::DefinePoint(std::string_view text) {
  CTokenReader reader(text);
  std::string_view name = reader.NextWord();
  double n[3];
  if (name.empty() || !ReadNumbers(reader, n, 3)) return 0;
  return Define(m_points, NamedPoint{UpperAscii(name), n[0], n[1], n[2]});
}

int CLDLiteOperStack::DefineMatrix(std::string_view text) {
  CTokenReader reader(text);
  std::string_view name = reader.NextWord();
  NamedMatrix record{UpperAscii(name), {}};
  if (name.empty() || !ReadNumbers(reader, record.m, 9)) return 0;
  return Define(m_namedMatrices, std::move(record));
}
