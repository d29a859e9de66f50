#include "model/QvElement.h"

#include <cmath>
#include <cstring>
#include <utility>
#include <unordered_set>

#include "config/ColorTable.h"
#include "config/PartList.h"
#include "config/Settings.h"
#include "config/StringUtils.h"
#include "config/Tracer.h"
#include "model/ElementEditor.h"
#include "model/ElementEnvironment.h"
#include "model/FileCache.h"
#include "model/LibraryLoader.h"
#include "model/LineColor.h"
#include "model/LineText.h"
#include "model/NestingDepth.h"
#include "model/ParseContext.h"
#include "model/QvCommentPart.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"
#include "platform/Numbers.h"
#include "platform/Prompt.h"
#include "render/C3DStub.h"
#include "resources/StringIds.h"

namespace {

constexpr const char* kUnknownName = "Unknown";
// Longer "~Moved to" chains than this are taken as loops.
constexpr int kMaxMovedChain = 16;

// Half away from zero, to n decimals.
double RoundTo(double v, int decimals) {
  const double scale = std::pow(10.0, decimals);
  const double r = std::trunc(std::fabs(v) * scale + 0.5) / scale;
  return v < 0 ? -r : r;
}

CVector3 RoundTo(const CVector3& v, int decimals) {
  return {RoundTo(v.x, decimals), RoundTo(v.y, decimals), RoundTo(v.z, decimals)};
}

CVector3 Abs(const CVector3& v) { return {std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)}; }

bool SkippedInSubFiles(const CQvPart& e) {
  return e.ghost || e.GetType() == ElementType::Clear || e.GetType() == ElementType::BufExchg;
}

// The name a "~Moved to" stub points to, empty when the file is none.
std::string MovedTarget(const CQvFile* file) {
  if (!file || file->GetCount() == 0) return {};
  const CQvPart* first = file->GetAt(0);
  if (first->GetType() != ElementType::Comment) return {};
  const auto* comment = static_cast<const CQvCommentPart*>(first);
  if (comment->GetKind() != kCommentPlain) return {};
  CTokenReader reader(comment->GetText());
  if (!EqualsNoCase(reader.NextWord(), "~moved") || !EqualsNoCase(reader.NextWord(), "to")) return {};
  return std::string(reader.NextWord());
}

// Maps a point by the first two rows of the view, truncated to whole pixels.
ScreenPoint ToScreen(const CMatrix3& view, const CVector3& p) {
  const CVector3 s = view * p;
  return {static_cast<int32_t>(std::clamp(s.x, -2e9, 2e9)), static_cast<int32_t>(std::clamp(s.y, -2e9, 2e9))};
}

// The twelve edges of the file's extent box, as lines: the quick view of a referenced file.
void DrawExtentBox(C3DStub& renderer, const CQvFile& file, uint32_t color, PickId pickId) {
  static constexpr int kEdges[12][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6},
                                        {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
  CVector3 corner[8];
  for (int i = 0; i < 8; ++i) renderer.TransformPoint(corner[i], file.GetCorner(i), 0);
  for (const auto& e : kEdges) renderer.DrawLine(color, corner[e[0]], corner[e[1]], pickId);
}

}  // namespace

CQvElement::CQvElement() : CQvPart(ElementType::Reference) {
  movable = true;
  stepContent = true;
}

CQvElement::~CQvElement() { DropFile(); }

void CQvElement::DropFile() {
  if (m_file) ReleaseCachedFile(m_file->partKey);
  m_file = nullptr;
}

void CQvElement::ReleaseFileKeepingName() {
  if (m_name.empty() && m_file) m_name = m_file->GetName();
  DropFile();
}

std::string CQvElement::GetFileName() const {
  // The name as this line spelled it: the cache shares one file between spellings that differ in
  // case, but a model is written back as it was read.
  if (!m_name.empty()) return m_name;
  return m_file ? m_file->GetName() : std::string(kUnknownName);
}

bool CQvElement::IsFileMissing() const { return !m_file || m_file->missing; }

int CQvElement::Parse(const std::string& line) { return ParseIn(ParseContext{}, line); }

int CQvElement::ParseIn(const ParseContext& ctx, const std::string& line) {
  CTokenReader reader(line);
  int32_t lineType = 0;
  if (!reader.NextInt32(lineType)) throw CParseError("the line type is not a number");
  ColorNumber color = kColorUnset;
  if (!ParseLineColor(reader.NextWord(), color))
    throw CParseError("the colour is missing or not a 32-bit number");
  double v[12];
  for (double& d : v)
    if (!reader.NextDouble(d)) throw CParseError("too few numbers for a sub-file reference");
  std::string name(reader.Rest());
  TrimWhitespace(name);
  if (name.empty()) throw CParseError("the sub-file name is missing");
  SetColor(color);
  m_position.Set(v[0], v[1], v[2]);
  m_matrix = CMatrix3(v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11]);
  if (!ctx.selfName.empty() && EqualsNoCase(name, ctx.selfName)) {
    // The model places itself: no file on disk or in the library is the one meant. The reference
    // keeps its name and stays without a file.
    DropFile();
    m_name = name;
    theTracer.Printf("ERROR: The model %s includes itself!\n", ctx.selfName.c_str());
    if (ctx.reportSelf && theSettings.ShowWarnings)
      ShowMessageId(kStringIncludesItself, PromptButtons::Ok, PromptIcon::Stop, ctx.selfName.c_str());
    return 0;
  }
  return SetFileByName(name, ctx.modelFolder);
}

int CQvElement::SetFileByName(const std::string& name, const std::string& modelFolder) {
  DropFile();
  m_name = name;
  m_file = theFileCache.GetFileByName(name, modelFolder);
  return m_file ? 1 : 0;
}

std::string CQvElement::FormatPlacement(uint32_t color, const CVector3& p, const CMatrix3& m) const {
  std::string text = "1 " + FormatU32(color);
  text.reserve(160);
  for (double d : {p.x, p.y, p.z}) {
    text += ' ';
    text += FormatReal(d);
  }
  for (int i = 0; i < 9; ++i) {
    text += ' ';
    text += FormatReal(m.m[i]);
  }
  return text;
}

int CQvElement::Write(CTextHandler& out) {
  if (!CQvPart::Write(out)) return 0;
  std::string text;
  if (ghost) text += "0 GHOST ";
  if (hidden) text += "0 TOLVO HIDE ";
  text += FormatPlacement(static_cast<uint32_t>(GetColor()), m_position, m_matrix);
  text += ' ';
  text += GetFileName();
  text += '\n';
  return out.WriteString(std::move(text));
}

void CQvElement::Move(double dx, double dy, double dz, int mode, double, double, double) {
  if (!m_file) return;
  const CVector3 delta(dx, dy, dz);
  switch (mode) {
    case kMoveGrid: {
      // The grid step is taken along the element's own axes.
      const CVector3 step = Abs(m_matrix * GetCurrentGridStep());
      m_position = RoundTo(m_position + CVector3(dx * step.x, dy * step.y, dz * step.z), 0);
      break;
    }
    case kMoveGridAlt: {
      const CVector3 step = GetCurrentGridStep();
      m_position = RoundTo(m_position + CVector3(dx * step.x, dy * step.y, dz * step.z), 6);
      break;
    }
    case kMoveSet:
      m_position = RoundTo(delta, 6);
      break;
    case kMoveAdd:
      m_position = RoundTo(m_position + delta, 3);
      break;
    default:
      m_position = RoundTo(m_position, 0);
      break;
  }
}

void CQvElement::Rotate(CMatrix3 matrix, const CVector3& center, int mode) {
  if (!m_file) return;
  if (mode == kRotateAboutCenter) {
    m_position = RoundTo(center + matrix * (m_position - center), 3);
    m_matrix = matrix * m_matrix;
  } else if (mode == kRotateSetOrientation) {
    m_matrix = matrix;
  }
  m_matrix.Clean();
}

void CQvElement::ApplyTransform(const CMatrix3& matrix, const CVector3& offset) {
  m_matrix = matrix * m_matrix;
  m_position = matrix * m_position + offset;
}

int CQvElement::Pick(const CMatrix4DStack& stack, const CVector3& point, double& depth, int nearest) {
  if (!m_file || hidden) return 0;
  CNestingLevel level;
  if (level.TooDeep()) return 0;
  // The walk pushes the placement and pops it again: the caller's stack is as it was afterwards.
  auto& s = const_cast<CMatrix4DStack&>(stack);
  if (!s.PushMultiply(CMatrix4D::FromPlacement(m_matrix, m_position))) return 0;
  double d = 0;
  // A point outside the placed box cannot meet anything inside it: no walk through the file.
  const int32_t px = static_cast<int32_t>(point.x), py = static_cast<int32_t>(point.y);
  const int hit =
      m_file->BoxIntersectsRect(s, ScreenRect{px, py, px, py}) && m_file->PickElements(s, point, d, nearest);
  s.Pop();
  if (hit) depth = d;
  return hit;
}

// The box of the referenced file is the test: a rubber band meets a part when it meets its box.
int CQvElement::IntersectsRect(const CMatrix4DStack& stack, const ScreenRect& rect) {
  if (!m_file || hidden) return 0;
  auto& s = const_cast<CMatrix4DStack&>(stack);
  if (!s.PushMultiply(CMatrix4D::FromPlacement(m_matrix, m_position))) return 0;
  const int hit = m_file->BoxIntersectsRect(s, rect);
  s.Pop();
  return hit;
}

int CQvElement::Edit(CQvFile&) {
  const std::string current = GetFileName();
  uint32_t handle = thePartList.FindByName(current, kAllCategories);
  const bool listed = handle != 0;
  if (!TheElementEditor().ChoosePart(handle)) return 0;
  const char* chosen = listed ? thePartList.GetFileName(handle) : nullptr;
  SetFileByName(chosen ? std::string(chosen) : current);
  return 2;
}

int CQvElement::Export(ExportContext& ctx, const CVector3& offset, const CMatrix3& matrix,
                       ColorNumber parentColor) {
  const ColorEntry* entries = ctx.colorEntries ? ctx.colorEntries : theDefaultColors;
  const auto own = static_cast<uint32_t>(GetColor());
  const uint32_t resolved = ResolveColorCode(own, static_cast<uint32_t>(parentColor), entries);
  const CVector3 placedPosition = matrix * m_position + offset;
  const CMatrix3 placedMatrix = matrix * m_matrix;
  const bool subModel =
      m_file && CPartList::GetCategory(m_file->partKey) == kDocumentModels && m_file->partKey != 0;
  if (ctx.format == ExportFormat::Normal && !subModel) {
    // A reference whose file is missing is still written, under its own name.
    if (!ctx.output) return 0;
    std::string text = FormatPlacement(ctx.keepColors ? own : resolved, placedPosition, placedMatrix);
    return ctx.output->WriteString(text + " " + GetFileName() + "\n");
  }
  if (!m_file) return 1;
  CNestingLevel level;
  if (level.TooDeep()) return 1;  // as deep as drawing goes, and no deeper
  // Flattened: the file's elements under the placement, in its own colours.
  const ColorEntry* saved = ctx.colorEntries;
  int result = 1;
  for (size_t i = 0; i < m_file->GetCount() && result; ++i) {
    CQvPart* e = m_file->GetAt(i);
    ctx.colorEntries = m_file->GetColorTable().GetEntries();
    if (SkippedInSubFiles(*e)) continue;
    result = e->Export(ctx, placedPosition, placedMatrix, static_cast<ColorNumber>(resolved));
  }
  ctx.colorEntries = saved;
  return result;
}

int CQvElement::Describe(ElementDescription& out) const {
  const ColorNumber color = GetColor();
  // Compared unsigned: a negative number read from a file names no table entry.
  if (static_cast<uint32_t>(color) < static_cast<uint32_t>(kColorCount)) {
    const ColorEntry& entry = GetActiveColorEntries()[color];
    out.colorName.assign(entry.name, strnlen(entry.name, sizeof entry.name));
  } else {
    out.colorName = "Custom Color";
  }
  out.position = StrPrintf("%.3f,%.3f,%.3f", m_position.x, m_position.y, m_position.z);
  const auto& m = m_matrix.m;
  out.matrix = StrPrintf("%.3f,%.3f,%.3f %.3f,%.3f,%.3f %.3f,%.3f,%.3f", m[0], m[1], m[2], m[3], m[4], m[5],
                         m[6], m[7], m[8]);
  out.text.clear();
  if (IsFileMissing()) {
    out.text = "FILE NOT FOUND!";
    out.typeFlags = GetTypeCode() | kDescribeNoFile;
    out.partKey = static_cast<int32_t>(m_file ? m_file->partKey
                                              : thePartList.FindByName(GetFileName(), kAllCategories));
    return 1;
  }
  DescribeFlags(out);
  out.partKey = static_cast<int32_t>(m_file->partKey);
  return 1;
}

std::unique_ptr<CQvPart> CQvElement::Clone() const {
  auto clone = std::make_unique<CQvElement>();
  CopyBase(*clone);
  clone->m_position = m_position;
  clone->m_matrix = m_matrix;
  clone->m_name = m_name;
  // One more use of the same cached file; a missing file is not looked up again.
  if (m_file && theFileCache.Find(m_file->partKey) >= 0)
    clone->m_file = theFileCache.GetFile(m_file->partKey);
  return clone;
}

void CQvElement::GetScreenExtent(ScreenPoint& point, ScreenRect& rect, const CMatrix3& view) {
  if (!m_file) return;
  const CMatrix3 placed = view * m_matrix;
  const CVector3 origin = view * m_position;
  point = ToScreen(CMatrix3::Identity(), origin + placed * m_file->GetCenter());
  rect = {32000, 32000, -32000, -32000};
  const CVector3 half = m_file->GetSize() * 0.5;
  for (int i = 0; i < 8; ++i) {
    const CVector3 corner = m_file->GetCenter() + CVector3(i & 1 ? half.x : -half.x, i & 2 ? half.y : -half.y,
                                                           i & 4 ? half.z : -half.z);
    const ScreenPoint p = ToScreen(CMatrix3::Identity(), origin + placed * corner);
    rect.left = std::min(rect.left, p.x);
    rect.top = std::min(rect.top, p.y);
    rect.right = std::max(rect.right, p.x);
    rect.bottom = std::max(rect.bottom, p.y);
  }
}

int CQvElement::GetRotationCenter(CVector3& center) {
  if (!m_file) return 0;
  center = m_file->GetCenter();
  return 1;
}

CVector3 CQvElement::GetPartRotationPoint() const {
  if (!m_file) return CVector3();
  return m_matrix * m_file->GetRotationPoints().GetPoint(-1);
}

void CQvElement::CollectComments(std::vector<std::string>& list, uint32_t flags) {
  if (!(flags & 2) || !m_file) return;
  CNestingLevel level;
  if (level.TooDeep()) return;
  for (size_t i = 0; i < m_file->GetCount(); ++i) m_file->GetAt(i)->CollectComments(list, flags);
}

void CQvElement::ExtendBoundingBox(const CVector3& offset, const CMatrix3& matrix, CVector3& min,
                                   CVector3& max, int noCache) {
  if (hidden || !m_file) return;
  CNestingLevel level;
  if (level.TooDeep()) return;
  m_file->ExtendBoundingBox(matrix * m_position + offset, matrix * m_matrix, min, max, noCache);
}

void CQvElement::CollectExtentPoints(const CMatrix3& matrix, const CVector3& offset, std::vector<CVector3>& out) {
  if (hidden || !m_file) return;
  m_file->CollectExtentPoints(matrix * m_matrix, matrix * m_position + offset, out);
}

void CQvElement::Draw(C3DStub& renderer, PickId pickId, const DrawContext& ctx) {
  if (hidden || !m_file) return;
  CNestingLevel level;
  if (level.TooDeep()) return;
  CMatrix4DStack& stack = renderer.GetMatrixStack();
  if (!stack.PushMultiply(CMatrix4D::FromPlacement(m_matrix, m_position))) return;
  const ColorEntry* entries = ctx.colorEntries ? ctx.colorEntries : theDefaultColors;
  const uint32_t color =
      ResolveColorCode(static_cast<uint32_t>(GetColor()), static_cast<uint32_t>(ctx.parentColor), entries);
  if (renderer.GetBoundingBoxMode()) {
    DrawExtentBox(renderer, *m_file, color, pickId);
  } else {
    DrawContext inner = ctx;
    inner.parentColor = static_cast<ColorNumber>(color);
    m_file->DrawParts(renderer, pickId, inner);
  }
  stack.Pop();
}

void CQvElement::ReleaseModelRef(const CQvFile* model) {
  if (!m_file) return;
  const bool drop = model ? m_file == model : CPartList::GetCategory(m_file->partKey) == kDocumentModels;
  if (!drop) return;
  if (m_name.empty()) m_name = m_file->GetName();
  DropFile();
}

int CQvElement::SetPart(const std::string& name, const CVector3& point, int snap) {
  SetColor(0);
  const int found = SetFileByName(name);
  const CVector3 grid = GetCurrentGridStep();
  if (!found || snap) {
    m_position = point;
    m_position.Snap(grid.x, grid.y, grid.z);
    return found;
  }
  const CVector3 corner = point - (m_file->GetCenter() - m_file->GetSize() * 0.5);
  m_position.Set(std::trunc(corner.x), std::trunc(corner.y), std::trunc(corner.z));
  return 1;
}

void CQvElement::SnapToGrid() {
  const CVector3 step = Abs(m_matrix * GetCurrentGridStep());
  m_position.Snap(step.x, step.y, step.z);
}

int CQvElement::UpgradeMovedPart(int checkOnly) {
  std::string target = MovedTarget(m_file);
  if (checkOnly) return target.empty() ? 0 : 1;
  std::unordered_set<const CQvFile*> seen;
  for (int hops = 0; !target.empty(); ++hops) {
    // A stub that leads back to itself would otherwise be followed for ever.
    if (hops >= kMaxMovedChain || !seen.insert(m_file).second) return 0;
    CQvFile* next = nullptr;
    std::string nextName;
    for (const char* ext : {".dat", ".ldr"}) {
      nextName = target + ext;
      // Only a file that exists: a not-found stand-in must not stop the search at ".dat".
      bool library = false;
      const bool subModel =
          CPartList::GetCategory(thePartList.FindByName(nextName, kAllCategories)) == kDocumentModels;
      if (!subModel && FindSubFile(nextName, {}, library).empty()) continue;
      if ((next = theFileCache.GetFileByName(nextName))) break;
    }
    if (!next) return 0;
    DropFile();
    m_file = next;
    m_name = nextName;
    target = MovedTarget(m_file);
  }
  return 1;
}
