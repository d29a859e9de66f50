// Reading LDraw text into a model file: one dispatcher recognises the line type and every type 0
// meta command, makes the element through the factory table and lets its class parse the line.
// A line whose class is not built into this program (yet) is kept as a comment, so that no line
// of a model is ever lost by reading and writing it back.
#include <filesystem>
#include <string_view>

#include "config/PathResolver.h"
#include "config/StringUtils.h"
#include "config/Tracer.h"
#include "model/ElementFactory.h"
#include "model/LineText.h"
#include "model/ModelLineReader.h"
#include "model/NestingDepth.h"
#include "model/QvCommentPart.h"
#include "model/QvFile.h"
#include "model/SelectionGroup.h"
#include "model/TextHandler.h"
#include "platform/Numbers.h"
#include "platform/Prompt.h"
#include "resources/StringIds.h"

std::unordered_set<std::string> theFilesInProgress;

namespace {

// The key of the recursion guard: the file's real path, so that spellings of one file that differ
// in case, separators or "./" and ".." parts are caught as the same file.
std::string GuardKey(const std::string& path) {
  if (path.empty()) return path;
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(ToForwardSlashes(path), ec);
  if (ec) return path;
  std::string normal = absolute.lexically_normal().string();
  std::string real = thePathResolver.ResolvePath("", normal);  // cached folder listings
  return real.empty() ? normal : real;
}

// Holds a path in theFilesInProgress for one read.
class CReadGuard {
 public:
  explicit CReadGuard(std::string key) : m_key(std::move(key)) { theFilesInProgress.insert(m_key); }
  ~CReadGuard() { theFilesInProgress.erase(m_key); }
  CReadGuard(const CReadGuard&) = delete;
  CReadGuard& operator=(const CReadGuard&) = delete;

 private:
  std::string m_key;
};

// The keyword, then white space (or, with orEnd, the end of the text).
bool HasKeyword(std::string_view text, std::string_view keyword, bool orEnd = false) {
  if (!text.starts_with(keyword)) return false;
  if (text.size() == keyword.size()) return orEnd;
  return IsWhite(text[keyword.size()]);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The generated parts write their geometry between SKIP markers after their own line; the markers
// are honoured only when the program can make the geometry again, otherwise the lines are kept.
bool GeneratedPartsBuilt() {
  for (ElementClass c : {ElementClass::RubberBelt, ElementClass::Spring, ElementClass::Hose,
                         ElementClass::Arrow, ElementClass::Plate})
    if (CElementFactory::IsRegistered(c)) return true;
  return false;
}

}  // namespace

int CQvFile::ReadFrom(CTextHandler& in, const std::string& path, int showWarnings,
                      const std::string* modelFolder) {
  std::string key = GuardKey(path);
  if (theFilesInProgress.count(key)) {
    ShowMessageId(kStringLoadRecursion, PromptButtons::Ok, PromptIcon::Stop, path.c_str());
    return 0;
  }
  // A chain of sub-files that deep is broken or hostile: reading on would exhaust the stack.
  if (theFilesInProgress.size() > static_cast<size_t>(kMaxNestingDepth)) {
    theTracer.Printf("ERROR: File %s lies more than %d sub-files deep - Load aborted!\n", path.c_str(),
                     kMaxNestingDepth);
    ShowMessageId(kStringTooDeep, PromptButtons::Ok, PromptIcon::Stop, path.c_str(),
                  static_cast<unsigned long>(kMaxNestingDepth));
    return 0;
  }
  CReadGuard guard(key);
  if (!m_rotationPoints.ResetPoints()) {
    theTracer.Printf("ERROR: Couldn't initialize rotation points!\n");
    return 0;
  }
  m_lineErrors = 0;
  ParseContext ctx;
  if (modelFolder) {
    ctx.modelFolder = *modelFolder;
  } else if (!path.empty()) {
    ctx.modelFolder = std::filesystem::path(ToForwardSlashes(path)).parent_path().string();
  }
  pictureFolder = ctx.modelFolder;
  std::string line;
  unsigned long lineNumber = 0;
  bool reported = false, overlongReported = false;
  CModelLineReader source(in);
  while (source.Next(line)) {
    ++lineNumber;
    if (IsOverlongModelLine(line)) {
      // Kept whole and written back as read, though not read as a model line.
      m_elements.push_back(MakeOverlongLineElement(line));
      ReportOverlongLine(path, lineNumber, showWarnings && !overlongReported);
      overlongReported = true;
      continue;
    }
    TrimWhitespace(line);
    int ok = line.empty() ? 1 : ParseLine(ctx, line, 0);
    if (ok) continue;
    ++m_lineErrors;
    theTracer.Printf("ERROR: In file %s at line %lu!\n", path.c_str(), lineNumber);
    if (reported || !showWarnings) continue;
    reported = true;
    if (ShowMessageId(kStringLineError, PromptButtons::YesNo, PromptIcon::Exclamation, path.c_str(),
                      lineNumber) == PromptAnswer::No)
      return 0;
  }
  return 1;
}

int CQvFile::AddParsed(ParseContext& ctx, std::unique_ptr<CQvPart> element, const std::string& line,
                       int ghost) {
  if (ghost) element->ghost = true;
  try {
    element->ParseIn(ctx, line);
  } catch (const std::exception&) {
    return 0;  // a malformed line: the element goes
  }
  if (ctx.ldlite.IsActive()) element->ApplyTransform(ctx.ldlite.GetMatrix(), ctx.ldlite.GetOffset());
  if (!ctx.pendingGroupName.empty()) {
    element->SetPendingGroupName(std::move(ctx.pendingGroupName));
    ctx.pendingGroupName.clear();
  }
  if (element->IsLineOrPart()) {
    ColorNumber c = element->GetColor();
    if (c != -1 && c != 16 && c != 24) explicitColors = true;
  }
  m_elements.push_back(std::move(element));
  return 1;
}

int CQvFile::ParseLine(ParseContext& ctx, const std::string& line, int ghost) {
  if (line.empty() || line[0] == '\n')
    return AddParsed(ctx, std::make_unique<CQvCommentPart>(std::string(), kCommentEmptyLine), line, ghost);
  if (line == "0") {
    // The bare "0" that ends a written file: an empty comment, which ResolveGroups drops again.
    m_elements.push_back(std::make_unique<CQvCommentPart>());
    return 1;
  }
  std::string_view view(line);
  if (!IsDigit(view[0])) return 1;  // not an LDraw line
  if (view.size() > 1 && !IsWhite(view[1])) return 0;
  std::string_view rest = SkipWhite(view.substr(1));

  if (ctx.skipping) {
    if (view[0] == '0' && HasKeyword(rest, "TOLVO"))
      return ParseTolvoMeta(ctx, std::string(rest.substr(6)), ghost);
    return 1;
  }

  auto make = [&](ElementClass kind) -> int {
    std::unique_ptr<CQvPart> element = CElementFactory::Create(kind);
    if (!element) element = std::make_unique<CQvCommentPart>(line, kCommentVerbatim);
    return AddParsed(ctx, std::move(element), line, ghost);
  };

  switch (view[0]) {
    case '0':
      break;
    case '1':
    case '2':
    case '3':
    case '4':
    case '5': {
      static constexpr ElementClass kLineClasses[] = {ElementClass::Reference, ElementClass::Line,
                                                      ElementClass::Triangle, ElementClass::Quad,
                                                      ElementClass::CondLine};
      std::unique_ptr<CQvPart> element = CElementFactory::Create(kLineClasses[view[0] - '1']);
      if (!element) element = std::make_unique<CQvCommentPart>(line, kCommentVerbatim);
      return AddParsed(ctx, std::move(element), line, ghost);
    }
    default:
      return 0;  // types 6 to 9 do not exist
  }

  if (rest.empty()) return 1;  // "0" and white space only
  if (HasKeyword(rest, "WRITE")) return make(ElementClass::Comment);
  // LDLite transforms are applied to the following elements and not kept; a ROTATE that is no
  // transform command reads as a rotation step.
  if (HasKeyword(rest, "ROTATE"))
    return ctx.ldlite.Rotate(rest.substr(6)) ? 1 : make(ElementClass::RotateCmd);
  if (HasKeyword(rest, "TRANSLATE", true)) return ctx.ldlite.Translate(rest.substr(9));
  if (HasKeyword(rest, "TRANSFORM", true)) return ctx.ldlite.Transform(rest.substr(9));
  if (HasKeyword(rest, "SCALE", true)) return ctx.ldlite.Scale(rest.substr(5));
  if (HasKeyword(rest, "POINT", true)) return ctx.ldlite.DefinePoint(rest.substr(5));
  if (HasKeyword(rest, "MATRIX", true)) return ctx.ldlite.DefineMatrix(rest.substr(6));
  if (HasKeyword(rest, "ROTSTEP")) return make(ElementClass::RotateCmd);
  if (HasKeyword(rest, "STEP", true)) return make(ElementClass::Step);
  if (HasKeyword(rest, "CLEAR", true)) return make(ElementClass::Clear);
  if (HasKeyword(rest, "BFC")) return make(ElementClass::Bfc);
  if (HasKeyword(rest, "BACKGROUND", true)) return make(ElementClass::Background);
  if (HasKeyword(rest, "COLOR") || HasKeyword(rest, "COLOUR")) return m_colors.ParseColorMeta(line);
  if (HasKeyword(rest, "!COLOUR")) return ParseColourDefinitionLine(ctx, line, ghost);
  if (HasKeyword(rest, "BUFEXCHG")) return make(ElementClass::BufExchg);
  if (HasKeyword(rest, "GHOST")) return ParseLine(ctx, std::string(SkipWhite(rest.substr(5))), 1);
  if (HasKeyword(rest, "GROUP")) {
    auto group = std::make_unique<CSelectionGroup>();
    try {
      group->Parse(line);
    } catch (const std::exception&) {
      return 0;
    }
    if (ctx.pendingGroupName == group->GetName()) ctx.pendingGroupName.clear();
    if (ghost) group->ghost = true;
    if (!ctx.pendingGroupName.empty()) {
      group->SetPendingGroupName(std::move(ctx.pendingGroupName));
      ctx.pendingGroupName.clear();
    }
    m_elements.push_back(std::move(group));
    return 1;
  }
  if (HasKeyword(rest, "ROTATION")) return m_rotationPoints.ParseMeta(rest.substr(8));
  if (HasKeyword(rest, "TOLVO")) return ParseTolvoMeta(ctx, std::string(rest.substr(6)), ghost);
  // Everything else is a plain comment; so are the LDLite transforms as long as they are not
  // applied here.
  return make(ElementClass::Comment);
}

int CQvFile::ParseColourDefinitionLine(ParseContext& ctx, const std::string& line, int ghost) {
  if (m_colors.ParseLDConfigColour(line)) return 1;
  // Libraries define colour numbers beyond the 512 a table holds: such a line is no error, and
  // it stays in the file as it was.
  CTokenReader reader(line);
  for (std::string_view w = reader.NextWord(); !w.empty(); w = reader.NextWord()) {
    if (!EqualsNoCase(w, "CODE")) continue;
    uint32_t code = 0;
    if (ParseUInt32(reader.NextWord(), code) && code >= static_cast<uint32_t>(kColorCount))
      return AddParsed(ctx, std::make_unique<CQvCommentPart>(), line, ghost);
    break;
  }
  return 0;
}

int CQvFile::ParseTolvoMeta(ParseContext& ctx, const std::string& rawText, int ghost) {
  std::string text = rawText;
  TrimWhitespace(text);
  if (text.empty()) return 1;
  std::string_view view(text);
  if (ctx.skipping) {
    if (view.starts_with("SKIP_END")) ctx.skipping = false;
    return 1;
  }
  static constexpr struct {
    std::string_view keyword;
    ElementClass kind;
  } kGenerated[] = {{"RUBBER_BELT", ElementClass::RubberBelt},
                    {"SPRING", ElementClass::Spring},
                    {"ARROW", ElementClass::Arrow},
                    {"FLEXHOSE", ElementClass::Hose},
                    {"PLATE", ElementClass::Plate}};
  for (const auto& g : kGenerated) {
    if (!view.starts_with(g.keyword)) continue;
    std::unique_ptr<CQvPart> element = CElementFactory::Create(g.kind);
    if (!element)  // kept as the line it was
      return AddParsed(ctx, std::make_unique<CQvCommentPart>("0 TOLVO " + text, kCommentVerbatim), text,
                       ghost);
    if (ghost) element->ghost = true;
    int parsed = 0;
    try {
      parsed = element->Parse(text);
    } catch (const std::exception&) {
      parsed = 0;
    }
    ctx.keepSkipBlock = !parsed;
    if (!parsed) return 0;
    if (ctx.ldlite.IsActive()) element->ApplyTransform(ctx.ldlite.GetMatrix(), ctx.ldlite.GetOffset());
    if (!ctx.pendingGroupName.empty()) {
      element->SetPendingGroupName(std::move(ctx.pendingGroupName));
      ctx.pendingGroupName.clear();
    }
    m_elements.push_back(std::move(element));
    return 1;
  }
  if (view.starts_with("BTG")) {
    std::string_view name = SkipWhite(view.substr(3));
    if (name.empty()) return 0;
    ctx.pendingGroupName = std::string(name);
    return 1;
  }
  if (view.starts_with("SKIP_BEGIN") || view.starts_with("SKIP_END")) {
    if (!GeneratedPartsBuilt())
      return AddParsed(ctx, std::make_unique<CQvCommentPart>("0 TOLVO " + text, kCommentVerbatim), text,
                       ghost);
    if (view.starts_with("SKIP_BEGIN")) {
      ctx.skipping = !ctx.keepSkipBlock;
      ctx.keepSkipBlock = false;
    }
    return 1;
  }
  if (view.starts_with("HIDE")) {
    if (text.size() <= 5) return 1;  // nothing after "HIDE "
    std::string rest = text.substr(5);
    TrimWhitespace(rest);
    if (rest.empty()) return 1;
    // Only an element that this very line made is hidden: a hidden line that makes none (a meta
    // command, an ignored line) must not hide an unrelated earlier element.
    size_t before = m_elements.size();
    int ok = ParseLine(ctx, rest, ghost);
    if (ok && m_elements.size() > before) m_elements.back()->hidden = true;
    return ok;
  }
  return 1;  // other commands of the program's own are ignored
}

void CQvFile::ResolveGroups() {
  // The first group of a name takes every element that names it; a group never joins another.
  std::unordered_map<std::string, CSelectionGroup*> groups;
  for (auto& e : m_elements)
    if (e->GetType() == ElementType::Group) {
      auto* group = static_cast<CSelectionGroup*>(e.get());
      groups.emplace(group->GetName(), group);
    }
  if (!groups.empty())
    for (auto& e : m_elements) {
      if (e->GetPendingGroupName().empty() || e->GetType() == ElementType::Group) continue;
      auto it = groups.find(e->GetPendingGroupName());
      if (it == groups.end()) continue;
      it->second->AddMember(e.get());
      e->SetPendingGroupName({});
    }
  ClearSelection();
  if (!m_elements.empty() && m_elements.back()->GetType() == ElementType::Comment) {
    const auto* last = static_cast<const CQvCommentPart*>(m_elements.back().get());
    if (last->GetKind() == kCommentPlain && last->GetText().empty()) RemoveAt(m_elements.size() - 1);
  }
}
