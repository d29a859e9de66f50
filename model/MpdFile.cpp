// The project of models: the multi-part text, the set of models, and undo snapshots.
#include "model/MpdFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <unordered_map>
#include <unordered_set>

#include "config/PartList.h"
#include "config/PathResolver.h"
#include "config/Settings.h"
#include "config/StringUtils.h"
#include "config/Tracer.h"
#include "model/CopyBuffer.h"
#include "model/FileCache.h"
#include "model/LibraryLoader.h"
#include "model/LineText.h"
#include "model/ModelLineReader.h"
#include "model/ParseContext.h"
#include "model/QvCommentPart.h"
#include "model/QvElement.h"
#include "model/QvFile.h"
#include "model/QvPart.h"
#include "model/TextHandler.h"
#include "platform/Numbers.h"
#include "platform/Prompt.h"
#include "resources/StringIds.h"

namespace {

IModelDialogs* theModelDialogs = nullptr;

// "0", any white space, "FILE" (case counts); name = the rest after white space.
bool IsFileLine(std::string_view line, std::string& name) {
  if (line.empty() || line[0] != '0') return false;
  std::string_view rest = SkipWhite(line.substr(1));
  if (!rest.starts_with("FILE")) return false;
  name = std::string(TrimWhitespace(rest.substr(4)));
  return true;
}

// The next whole line, trimmed; false at the end. tooLong when it is no model line (it is then
// kept as it was, untrimmed).
bool ReadWholeLine(CModelLineReader& in, std::string& line, bool& tooLong) {
  if (!in.Next(line)) return false;
  tooLong = IsOverlongModelLine(line);
  if (!tooLong) TrimWhitespace(line);
  return true;
}

std::unique_ptr<CQvFile> NewModel() {
  auto model = std::make_unique<CQvFile>();
  model->RemoveAll();
  return model;
}

// The sub-file references of a model, as elements with their file.
template <typename Fn>
void ForEachReference(const CQvFile& model, Fn fn) {
  for (size_t i = 0; i < model.GetCount(); ++i) {
    CQvPart* e = model.GetAt(i);
    if (e->GetType() != ElementType::Reference) continue;
    fn(static_cast<CQvElement*>(e));
  }
}

}  // namespace

void SetModelDialogs(IModelDialogs* dialogs) { theModelDialogs = dialogs; }

CMpdFile::CMpdFile(bool empty) {
  if (!empty) AddModel(nullptr, nullptr);
}

CMpdFile::~CMpdFile() {
  // A project set aside is registered nowhere: the registries belong to the project read since.
  if (!m_models.empty()) RemoveAll(m_setAside ? 0 : 1);
}

void CMpdFile::RemoveAll(int clearCopyBuffer) {
  if (clearCopyBuffer) {
    CCopyBuffer::Clear();
    theFileCache.DropModelEntries();
    thePartList.ClearDocumentModels();
  }
  if (m_models.size() >= 2) ReleaseAllReferences();
  while (!m_models.empty()) {
    m_current = m_models.back().get();
    m_models.pop_back();
  }
  m_current = nullptr;
}

CQvPart* CMpdFile::GetSelectedItem(int32_t i) const { return m_current ? m_current->GetSelectedMovable(i) : nullptr; }
int32_t CMpdFile::GetSelectedIndex(int32_t i) const { return m_current ? m_current->GetSelectedIndex(i) : -1; }
int32_t CMpdFile::GetSelectionCount() const { return m_current ? m_current->CountSelected(0) : 0; }

size_t CMpdFile::Insert(std::unique_ptr<CQvPart> element, int32_t position) {
  return m_current->Insert(std::move(element), position, 1);
}

int CMpdFile::MoveSelectedBefore(int32_t index) { return m_current ? m_current->MoveSelectionBefore(index) : 0; }

int CMpdFile::GetCurrentIndex() const {
  for (size_t i = 0; i < m_models.size(); ++i)
    if (m_models[i].get() == m_current) return static_cast<int>(i);
  return 0;
}

CQvFile* CMpdFile::GetModel(size_t i) const {
  if (m_models.size() < 2) return m_current;
  return i < m_models.size() ? m_models[i].get() : nullptr;
}

std::vector<std::string> CMpdFile::GetModelNames() const {
  std::vector<std::string> names;
  for (const auto& m : m_models) names.push_back(m->GetName());
  return names;
}

// Depth-first over the references between the project's models; a reference to a model still on
// the walk closes a cycle. Only those references are dropped (when drop is set): every other
// reference keeps drawing, and a dropped one keeps its name for saving. The walk keeps its own
// stack, so a chain of thousands of models cannot exhaust the program's.
static size_t WalkCycles(const std::vector<std::unique_ptr<CQvFile>>& models, bool drop) {
  std::unordered_map<const CQvFile*, int> state;  // 0 new, 1 on the walk, 2 done
  for (const auto& m : models) state[m.get()] = 0;
  size_t found = 0;
  struct Frame {
    CQvFile* model;
    size_t next;  // the element to look at next
  };
  std::vector<Frame> walk;
  for (const auto& root : models) {
    if (state[root.get()] != 0) continue;
    state[root.get()] = 1;
    walk.push_back({root.get(), 0});
    while (!walk.empty()) {
      Frame& top = walk.back();
      if (top.next >= top.model->GetCount()) {
        state[top.model] = 2;
        walk.pop_back();
        continue;
      }
      CQvPart* e = top.model->GetAt(top.next++);
      if (e->GetType() != ElementType::Reference) continue;
      auto* ref = static_cast<CQvElement*>(e);
      CQvFile* target = ref->GetFile();
      auto it = state.find(target);
      if (it == state.end()) continue;
      if (it->second == 1) {
        ++found;
        if (drop) ref->ReleaseModelRef(target);
      } else if (it->second == 0) {
        it->second = 1;
        walk.push_back({target, 0});
      }
    }
  }
  return found;
}

int CMpdFile::HasRecursion() const {
  if (m_models.size() < 2) return 0;
  return WalkCycles(m_models, false) ? 1 : 0;
}

size_t CMpdFile::BreakCycles() { return m_models.size() < 2 ? 0 : WalkCycles(m_models, true); }

int CMpdFile::IsModelReferenced(size_t index) const {
  if (m_models.size() < 2 || index >= m_models.size()) return 0;
  const CQvFile* target = m_models[index].get();
  for (size_t i = 0; i < m_models.size(); ++i) {
    if (i == index) continue;
    bool found = false;
    ForEachReference(*m_models[i], [&](CQvElement* ref) { found = found || ref->GetFile() == target; });
    if (found) return 1;
  }
  return 0;
}

void CMpdFile::ReleaseReferencesTo(size_t index) {
  if (m_models.size() < 2 || index >= m_models.size()) return;
  const CQvFile* target = m_models[index].get();
  for (size_t i = 0; i < m_models.size(); ++i)
    if (i != index) m_models[i]->ReleaseModelRefs(target);
  // The copy buffer's clones may place the model too; they must not outlive it.
  CCopyBuffer::ReleaseModelRefs(target);
}

// Every reference of one model to another lets go, in one pass over the models (not one pass per
// model, which made closing a project of many models quadratic).
void CMpdFile::ReleaseAllReferences() {
  std::unordered_set<const CQvFile*> models;
  for (const auto& m : m_models) models.insert(m.get());
  for (const auto& m : m_models)
    ForEachReference(*m, [&](CQvElement* ref) {
      const CQvFile* target = ref->GetFile();
      if (target != m.get() && models.count(target)) ref->ReleaseModelRef(target);
    });
  for (const auto& m : m_models) CCopyBuffer::ReleaseModelRefs(m.get());
}

CQvFile* CMpdFile::AppendModel() {
  m_models.push_back(NewModel());
  m_current = m_models.back().get();
  m_current->pictureFolder = m_modelFolder;
  return m_current;
}

int CMpdFile::AddModel(const std::string* name, const std::string* description) {
  CQvFile* added = AppendModel();
  if (description) {
    added->Append(std::make_unique<CQvCommentPart>(*description));
    added->Append(std::make_unique<CQvCommentPart>("Name: " + (name ? *name : std::string())));
    added->Append(std::make_unique<CQvCommentPart>("Author: " + theSettings.Author));
    added->Append(std::make_unique<CQvCommentPart>("Unofficial Model"));
  }
  if (name) added->SetName(*name);
  RegisterModels();
  return 1;
}

int CMpdFile::RemoveModel(int n) {
  if (m_models.size() < 2) return 0;
  if (n == 0) {
    if (!theModelDialogs) return 0;
    n = theModelDialogs->ChooseModel(GetModelNames(), GetCurrentIndex() + 1);
    if (n <= 0) return 0;
  }
  if (n < 0 || static_cast<size_t>(n) > m_models.size()) return 0;
  const size_t index = static_cast<size_t>(n - 1);
  if (IsModelReferenced(index)) {
    if (ShowMessageId(kStringModelReferenced, PromptButtons::YesNo, PromptIcon::Question) != PromptAnswer::Yes)
      return 0;
  }
  ReleaseReferencesTo(index);
  const bool wasCurrent = m_models[index].get() == m_current;
  theFileCache.DropModelEntries();  // no cache entry may point at the model once it is gone
  thePartList.ClearDocumentModels();
  m_models.erase(m_models.begin() + static_cast<std::ptrdiff_t>(index));
  if (wasCurrent) m_current = m_models.front().get();
  RegisterModels();
  return 1;
}

int CMpdFile::ActivateModel(int n) {
  if (m_models.size() < 2) return 0;
  if (n == 0) {
    if (!theModelDialogs) return 0;
    n = theModelDialogs->ChooseModel(GetModelNames(), GetCurrentIndex() + 1);
    if (n <= 0) return 0;
  }
  if (n < 0 || static_cast<size_t>(n) > m_models.size()) n = 1;
  CQvFile* chosen = m_models[static_cast<size_t>(n - 1)].get();
  if (chosen == m_current) return 0;
  if (m_current) m_current->UpdateExtent();  // other models may place the one being left
  m_current = chosen;
  return 1;
}

int CMpdFile::EditModelSequence() {
  if (!theModelDialogs) return 0;
  std::vector<size_t> permutation;
  if (!theModelDialogs->EditSequence(GetModelNames(), permutation)) return 0;
  return Reorder(permutation);
}

int CMpdFile::Reorder(const std::vector<size_t>& permutation) {
  if (permutation.size() != m_models.size()) return 0;
  std::vector<bool> seen(m_models.size(), false);
  for (size_t p : permutation) {
    if (p >= m_models.size() || seen[p]) return 0;
    seen[p] = true;
  }
  std::vector<std::unique_ptr<CQvFile>> reordered;
  for (size_t p : permutation) reordered.push_back(std::move(m_models[p]));
  m_models = std::move(reordered);
  if (!m_models.empty()) m_current = m_models.front().get();
  // The handles follow the positions; registering again keeps the part list in project order.
  RegisterModels();
  return 1;
}

int CMpdFile::ChangeModelInfo() {
  if (!theModelDialogs || !m_current) return 0;
  std::string name = m_current->GetName(), description = m_current->GetDescription();
  if (!theModelDialogs->EditInfo(name, description)) return 0;
  return SetModelInfo(name, description);
}

int CMpdFile::SetModelInfo(const std::string& name, const std::string& description) {
  if (!m_current) return 0;
  const std::string oldName = m_current->GetName();
  m_current->SetName(name);
  m_current->SetDescription(description);
  // Models place each other by name: every line that named the model follows it, or the saved
  // project would place a model that is no longer there.
  if (const std::string& newName = m_current->GetName(); !oldName.empty() && newName != oldName) {
    auto rename = [&](CQvPart* e) {
      if (e->GetType() != ElementType::Reference) return;
      auto* ref = static_cast<CQvElement*>(e);
      if (EqualsNoCase(ref->GetFileName(), oldName)) ref->RenameFile(newName);
    };
    for (auto& m : m_models)
      for (size_t i = 0; i < m->GetCount(); ++i) rename(m->GetAt(i));
    for (CQvPart* e = CCopyBuffer::GetNext(1); e; e = CCopyBuffer::GetNext(0)) rename(e);
  }
  RegisterModels();
  return 1;
}

int CMpdFile::UpgradeParts() {
  if (theSettings.AutoPartUpgrade == 0 || m_models.empty()) return 0;
  bool any = false;
  for (const auto& m : m_models) any = any || m->UpgradeMovedParts(1);
  if (!any) return 0;
  if (theSettings.AutoPartUpgrade == 1 &&
      ShowMessageId(kStringUpgradeAsk, PromptButtons::YesNo, PromptIcon::Question) != PromptAnswer::Yes)
    return 0;
  bool failed = false;
  for (const auto& m : m_models)
    if (!m->UpgradeMovedParts(0)) failed = true;
  if (failed)
    ShowMessageId(kStringUpgradeFailed, PromptButtons::Ok, PromptIcon::Stop);
  else
    ShowMessageId(kStringUpgraded, PromptButtons::Ok, PromptIcon::Information);
  return 1;
}

void CMpdFile::RegisterModels() {
  theFileCache.DropModelEntries();
  thePartList.ClearDocumentModels();
  if (m_models.size() < 2) {
    for (auto& m : m_models) m->partKey = 0;
    return;
  }
  if (!thePartList.ReserveDocumentModels(static_cast<unsigned>(m_models.size()))) return;
  // Each model is measured as the cache takes it; models placed by several are measured once.
  CQvFile::CExtentPass pass;
  for (size_t i = 0; i < m_models.size(); ++i) {
    CQvFile& m = *m_models[i];
    const std::string description = m.GetDescription();
    PartHandle h = thePartList.AddDocumentModel(static_cast<unsigned>(i), m.GetName().c_str(), description.c_str());
    if (h == 0) continue;
    theFileCache.AddModel(h, &m);
    m.partKey = h;
  }
}

// --- text ---

int CMpdFile::WriteTo(CTextHandler& out, const std::string& name) {
  if (m_models.size() < 2) return m_current ? m_current->Transfer(out, 0, name) : 0;
  for (auto& m : m_models) {
    if (!TextHandlerPrintf(out, "0 FILE %s\n", m->GetName().c_str())) return 0;
    if (!m->Transfer(out, 0, m->GetName())) return 0;
  }
  return out.WriteString("0\n");
}

int CMpdFile::ScanFileNames(CTextHandler& in) {
  std::string line, name;
  bool tooLong = false, first = true;
  CModelLineReader lines(in);
  while (ReadWholeLine(lines, line, tooLong)) {
    if (tooLong || !IsFileLine(line, name)) continue;
    if (first) {
      // Names are kept exactly as the text gives them: a reference that names the section must
      // still find it, and saving must not rename it.
      if (m_current) m_current->SetLoadedName(name);
      first = false;
    } else {
      // Registered once below: registering at every section made reading many models cubic.
      AppendModel()->SetLoadedName(name);
    }
  }
  RegisterModels();
  in.Rewind();
  if (in.IsInMemory()) {
    std::string index;
    in.ReadLine(index, 100);
  }
  return 1;
}

int CMpdFile::LoadFromText(CTextHandler& in, const std::string& name) {
  if (!ScanFileNames(in)) return 0;
  if (m_models.empty()) return 0;
  m_current = m_models.front().get();
  m_lineErrors = 0;
  size_t model = 0;
  ParseContext ctx;
  ctx.modelFolder = m_modelFolder;
  if (m_models.size() == 1) {
    // A plain model is named after its file; a section line, when there is one, names it.
    ctx.selfName = GetFileNamePart(name);
    ctx.reportSelf = !in.IsInMemory();
  }
  // A background picture beside the project is looked for in its folder, as its sub-files are.
  for (auto& m : m_models) m->pictureFolder = m_modelFolder;
  bool suppress = theSettings.ShowWarnings == 0;
  bool firstFile = true;
  std::string line, sectionName;
  bool tooLong = false, overlongReported = false;
  unsigned long lineNumber = 0;
  CModelLineReader lines(in);
  while (ReadWholeLine(lines, line, tooLong)) {
    ++lineNumber;
    if (tooLong) {
      m_current->Append(MakeOverlongLineElement(line));
      ReportOverlongLine(name, lineNumber, theSettings.ShowWarnings && !overlongReported);
      overlongReported = true;
      continue;
    }
    if (IsFileLine(line, sectionName)) {
      if (firstFile) {
        firstFile = false;
        if (m_models.size() == 1) ctx.selfName = sectionName;
        continue;
      }
      m_current->ResolveGroups();
      if (model + 1 < m_models.size()) m_current = m_models[++model].get();
      ctx.ldlite.Reset();
      ctx.pendingGroupName.clear();
      ctx.skipping = false;
      continue;
    }
    if (m_current->ParseLine(ctx, line, 0)) continue;
    ++m_lineErrors;
    if (suppress) continue;
    if (ShowMessageId(kStringLineError, PromptButtons::YesNo, PromptIcon::Exclamation, name.c_str(),
                      lineNumber) == PromptAnswer::No)
      return 0;
    suppress = true;
  }
  // Every model ends with its own "0"; several models are closed by one more "0", which is no
  // line of the last model.
  if (m_models.size() >= 2 && m_current->GetCount() > 0) {
    const CQvPart* last = m_current->GetAt(m_current->GetCount() - 1);
    if (last->GetType() == ElementType::Comment) {
      const auto* c = static_cast<const CQvCommentPart*>(last);
      if (c->GetKind() == kCommentPlain && c->GetText().empty()) m_current->RemoveAt(m_current->GetCount() - 1);
    }
  }
  m_current->ResolveGroups();
  if (BreakCycles() && theSettings.ShowWarnings)
    ShowMessageId(kStringRecursiveModels, PromptButtons::Ok, PromptIcon::Stop);
  m_current = m_models.front().get();
  CQvFile::CExtentPass pass;
  m_current->UpdateExtent();
  RegisterModels();
  return 1;
}

int CMpdFile::Transfer(CTextHandler& handler, int load, const std::string& name) {
  return load ? LoadFromText(handler, name) : WriteTo(handler, name);
}

int CMpdFile::ImportModel(const std::string& path, const std::string& name) {
  CFileTextHandler in;
  if (!in.Open(path, "r")) return 0;
  CQvFile* const before = m_current;
  // The new model joins the project before its lines are read, so that the project's models are
  // registered and the imported references to them resolve; a refused import takes it out again.
  m_models.push_back(NewModel());
  CQvFile* model = m_models.back().get();
  model->SetName(name);
  RegisterModels();
  auto refuse = [&]() {
    ReleaseReferencesTo(m_models.size() - 1);
    theFileCache.DropModelEntries();
    thePartList.ClearDocumentModels();
    m_models.pop_back();
    m_current = before;
    RegisterModels();
    return 0;
  };
  ParseContext ctx;
  ctx.modelFolder = std::filesystem::path(ToForwardSlashes(path)).parent_path().string();
  model->pictureFolder = ctx.modelFolder;
  std::string line, sectionName;
  bool tooLong = false, reported = false, overlongReported = false;
  unsigned long lineNumber = 0;
  CModelLineReader lines(in);
  while (ReadWholeLine(lines, line, tooLong)) {
    ++lineNumber;
    if (line.empty()) continue;
    if (tooLong) {
      model->Append(MakeOverlongLineElement(line));
      ReportOverlongLine(path, lineNumber, !overlongReported);
      overlongReported = true;
      continue;
    }
    if (IsFileLine(line, sectionName)) {
      // A multi-part file is a project of its own; say so instead of doing nothing.
      ShowMessageId(kStringImportMultiPart, PromptButtons::Ok, PromptIcon::Exclamation, path.c_str());
      return refuse();
    }
    if (model->ParseLine(ctx, line, 0)) continue;
    theTracer.Printf("Error in imported LDraw file, Line %lu!\n", lineNumber);
    if (reported) continue;
    reported = true;
    if (ShowMessageId(kStringLineError, PromptButtons::YesNo, PromptIcon::Exclamation, path.c_str(),
                      lineNumber) == PromptAnswer::No)
      return refuse();
  }
  in.Close();
  model->ResolveGroups();
  if (BreakCycles()) ShowMessageId(kStringRecursiveModels, PromptButtons::Ok, PromptIcon::Stop);
  m_current = model;
  RegisterModels();
  return 1;
}

std::string CMpdFile::SafeExportName(const std::string& modelName) {
  std::string name;
  for (char c : modelName) name += (c == '/' || c == '\\' || c == '\0') ? '_' : c;
  // Only the folder's own files: no parent, no hidden "." or ".." entries, no absolute path.
  while (!name.empty() && (name.front() == '.' || name.front() == '_' || name.front() == ' ')) name.erase(0, 1);
  return name;
}

void CMpdFile::ExportModels(const std::string& folder) {
  // One file name per model, unique without regard to case, decided before anything is written.
  std::vector<std::string> paths;
  std::unordered_set<std::string> taken;
  for (const auto& m : m_models) {
    std::string base = SafeExportName(m->GetName());
    if (base.empty()) base = "model.ldr";
    std::string candidate = base;
    for (int n = 2; taken.count(ToLowerAscii(candidate)); ++n) candidate = std::to_string(n) + "_" + base;
    taken.insert(ToLowerAscii(candidate));
    if (candidate != m->GetName())
      ShowMessageId(kStringExportRenamed, PromptButtons::Ok, PromptIcon::Information, m->GetName().c_str(),
                    candidate.c_str());
    paths.push_back((std::filesystem::path(folder) / candidate).string());
  }
  for (const std::string& path : paths) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec) &&
        ShowMessageId(kStringFileExists, PromptButtons::YesNo, PromptIcon::Question, path.c_str()) != PromptAnswer::Yes)
      return;
  }
  for (size_t i = 0; i < m_models.size(); ++i) {
    CFileTextHandler out;
    if (!out.OpenForWrite(paths[i])) {
      ShowMessageId(kStringExportCreateFailed, PromptButtons::Ok, PromptIcon::Stop);
      return;
    }
    int ok = m_models[i]->Transfer(out, 0, paths[i]);
    if (!out.Close()) ok = 0;
    if (!ok) ShowMessageId(kStringIoError, PromptButtons::Ok, PromptIcon::Stop);
  }
}

// --- undo snapshots ---

std::unique_ptr<CArrayTextHandler> CMpdFile::SaveUndo() {
  auto snapshot = std::make_unique<CArrayTextHandler>();
  if (!TextHandlerPrintf(*snapshot, "%d\n", m_models.size() >= 2 ? GetCurrentIndex() : 0)) return nullptr;
  // A single model is written with its name in a section line, so that restoring keeps the name.
  if (m_models.size() == 1 && !m_current->GetName().empty() &&
      !TextHandlerPrintf(*snapshot, "0 FILE %s\n", m_current->GetName().c_str()))
    return nullptr;
  if (!WriteTo(*snapshot, "UNDO")) return nullptr;
  return snapshot;
}

std::unique_ptr<CMpdFile> CMpdFile::SetAside() {
  auto aside = std::make_unique<CMpdFile>(true);
  // What RemoveAll(1) lets go of before the models go.
  CCopyBuffer::Clear();
  theFileCache.DropModelEntries();
  thePartList.ClearDocumentModels();
  aside->m_models = std::move(m_models);
  aside->m_current = m_current;
  aside->m_modelFolder = m_modelFolder;
  aside->m_setAside = true;
  m_models.clear();
  m_current = nullptr;
  // Every reference lets go of its file, also of a sibling model, as if its element were deleted:
  // a file found beside the old model must become unused, so that the read's flush of local files
  // takes it out and the new model's file of that name is read from the new folder.
  for (const auto& m : aside->m_models)
    for (size_t i = 0; i < m->GetCount(); ++i) {
      CQvPart* e = m->GetAt(i);
      if (e->GetType() == ElementType::Reference) static_cast<CQvElement*>(e)->ReleaseFileKeepingName();
    }
  return aside;
}

void CMpdFile::LoadUndo(CTextHandler* snapshot) {
  if (!snapshot) return;
  RemoveAll(1);
  AddModel(nullptr, nullptr);
  snapshot->Rewind();
  std::string first;
  if (snapshot->ReadLine(first, 100)) {
    int32_t index = 0;
    if (!ParseInt32(TrimWhitespace(std::string_view(first)), index)) index = 0;
    LoadFromText(*snapshot, "undo");
    m_current = (index >= 0 && static_cast<size_t>(index) < m_models.size()) ? m_models[static_cast<size_t>(index)].get()
                                                                              : m_models.front().get();
  } else {
    m_current = m_models.front().get();
  }
  m_current->UpdateExtent();
}

int32_t CMpdFile::CountAllSteps(int even) const {
  int32_t total = 0;
  for (const auto& model : m_models) {
    int32_t n = model->CountSteps();
    total += n;
    if (theSettings.APVT != 0 && n > 0) ++total;
    if (even && total % 2 != 0) ++total;
  }
  return total;
}
