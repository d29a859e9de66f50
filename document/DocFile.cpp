// The file commands: open, save, revert, the save question and the Multipart menu.
//
// A read that replaces the project first sets the project it replaces aside: when the read fails,
// that project comes back (through an undo snapshot of it, as Undo brings a project back) with the
// document's path, title, undo ring and modified flag untouched, so Save can never write an empty
// model over the file that failed to load. A read that succeeds never writes the old project. Saving goes
// through the text handler's atomic write: the old file stays as it was unless every byte of the
// new one reached the disk.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "config/PathResolver.h"
#include "config/Settings.h"
#include "config/StringUtils.h"
#include "config/Tracer.h"
#include "document/QuorvelDoc.h"
#include "model/FileCache.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {

// Fields of string 1129.
constexpr int kTitleOpen = 0;
constexpr int kTitleSave = 1;
constexpr int kTitleSaveMultipart = 2;
constexpr int kTitleImport = 3;
constexpr int kTitleExport = 4;

constexpr char kOpenFilter[] =
    "All Ldraw Files (*.ldr, *.dat, *.mpd)|*.ldr;*.mpd;*.dat|Model Files (*.ldr,*.dat)|*.ldr;*.dat|"
    "Multipart Files (*.mpd)|*.mpd|All Files (*.*)|*.*||";
constexpr char kModelFilter[] = "Model Files (*.ldr,*.dat)|*.ldr;*.dat||";
constexpr char kMultipartFilter[] = "Multipart Files (*.mpd)|*.mpd||";

std::string DialogTitle(int field) { return GetSubString(LoadResString(kStringDialogTitles), field); }

// Paths from the file dialogs are split at '/' only: '\' is an ordinary file-name character here.
std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// The file's name with its extension; "Error" when the path names no file.
std::string FileTitle(const std::string& path) {
  const size_t slash = path.rfind('/');
  std::string title = slash == std::string::npos ? path : path.substr(slash + 1);
  return title.empty() ? std::string("Error") : title;
}

// Absolute, so that a later change of the current folder cannot make the path name another file.
std::string AbsolutePath(const std::string& path) {
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return ec ? path : absolute.lexically_normal().string();
}

// Only regular files: a folder or a device opens as a stream too, and would read as an empty model.
// On failure errno tells why.
std::FILE* OpenForReading(const std::string& path) {
  struct stat st {};
  if (path.empty()) {
    errno = ENOENT;
    return nullptr;
  }
  if (::stat(path.c_str(), &st) != 0) return nullptr;
  if (!S_ISREG(st.st_mode)) {
    errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    return nullptr;
  }
  return std::fopen(path.c_str(), "r");
}

// Names the file and the system's reason (errno of the failed open), so that a file given on the
// command line or picked from the recent files can be told apart and mended.
void ShowOpenFailed(const std::string& path, int error) {
  theTracer.Printf("ERROR: Cannot open '%s': %s\n", path.c_str(), std::strerror(error));
  ShowMessageId(kStringOpenFailedWhy, PromptButtons::Ok, PromptIcon::Exclamation, path.c_str(),
                std::strerror(error));
}

// A failed save names the file and says why: a read-only file in words of its own, any other
// failure with the system's reason under the general message.
void ShowSaveFailed(const CFileTextHandler& out, unsigned stringId, const std::string& path) {
  if (out.SaveFailure() == CAtomicFile::Failure::ReadOnly) {
    ShowMessageId(kStringReadOnlyFile, PromptButtons::Ok, PromptIcon::Exclamation, path.c_str());
    return;
  }
  std::string text = LoadResString(stringId) + "\n" + path;
  if (out.SaveErrno() != 0) text += ": " + std::string(std::strerror(out.SaveErrno()));
  ShowMessage(text, PromptButtons::Ok, PromptIcon::Exclamation);
}

// The name a typed model name ends up with (CQvFile::SetName's rule).
std::string FinalModelName(const std::string& name) {
  const size_t dot = name.rfind('.');
  const std::string ext = dot == std::string::npos ? std::string() : name.substr(dot);
  return EqualsNoCase(ext, ".ldr") || EqualsNoCase(ext, ".dat") ? name : name + ".ldr";
}

}  // namespace

// --- reading ---

int CQuorvelDoc::LoadFromFile(std::FILE* stream, int replace, const std::string& name) {
  return LoadProject(stream, replace, name, {});
}

int CQuorvelDoc::LoadProject(std::FILE* stream, int replace, const std::string& name,
                             const std::string& singleName) {
  if (!stream) return 0;
  const std::string previousFolder = m_project.GetModelFolder();
  std::unique_ptr<CMpdFile> previous;
  if (replace) {
    previous = m_project.SetAside();
    m_project.AddModel(nullptr, nullptr);
    RefreshActiveModel();
    // Files beside the previous model must not stand in for this one's files of the same names.
    m_library.fileCache.FlushLocalFiles();
  }
  // The model's folder as it is now, not as it was listed at an earlier read.
  m_library.pathResolver.Invalidate();
  // Sub-files beside the model are found through its folder, whatever the current folder is.
  m_project.SetModelFolder(FolderOf(AbsolutePath(name)));
  CFileTextHandler in(stream);
  int ok = m_project.Transfer(in, 1, name);
  if (ok && std::ferror(stream)) ok = 0;  // a read error is no end of the text
  if (!ok) {
    if (!replace) {
      m_project.SetModelFolder(previousFolder);
      RefreshActiveModel();
      ShowMessageId(kStringIoError, PromptButtons::Ok, PromptIcon::Exclamation);
      return 0;
    }
    ShowMessageId(kStringLoadFailed, PromptButtons::Ok, PromptIcon::Exclamation);
    // The snapshot a successful read never needs; the old project's objects go with the new ones.
    std::unique_ptr<CArrayTextHandler> snapshot = previous->SaveUndo();
    previous.reset();
    // What the failed read found beside its file must not stand in for the previous model's files.
    m_project.RemoveAll(1);
    m_library.fileCache.FlushLocalFiles();
    m_project.AddModel(nullptr, nullptr);
    RefreshActiveModel();
    m_project.SetModelFolder(previousFolder);
    if (snapshot) {
      m_project.LoadUndo(snapshot.get());
      RefreshActiveModel();
      SendModelChanged();
    } else {
      OnNewDocument();  // the previous project could not be kept: a fresh untitled one
    }
    // The project's objects are new: no view may keep what it held of the old ones.
    UpdateAllViews(HINT_FULL);
    return 0;
  }
  if (!replace) {
    m_project.SetModelFolder(previousFolder);
    MarkSaved();
    m_multipartState = m_project.IsMultiPart();
    RefreshActiveModel();
    return 1;
  }
  // Named before the snapshot, so that Undo back to the loaded state keeps the name.
  if (!singleName.empty() && m_project.GetModelCount() == 1) m_project.GetCurrentFile()->SetName(singleName);
  const bool upgraded = m_project.UpgradeParts() != 0;
  m_multipartState = m_project.IsMultiPart();
  m_editMode = theSettings.EditOnLoad ? 1 : 0;
  m_editSubMode = 0;
  m_prevDrawnStep = 0;
  m_shownStep = m_editMode ? -1 : 1;
  RefreshActiveModel();
  if (m_activeModel) m_activeModel->ClearSelection();
  TrimUndoRing(1);
  PushUndoSnapshot();
  // Upgraded part names make the project differ from its file.
  if (upgraded)
    MarkUnsaved();
  else
    MarkSaved();
  return 1;
}

bool CQuorvelDoc::ReadProjectFile(const std::string& path) {
  CBusyCursor busy;
  std::FILE* stream = OpenForReading(path);
  if (!stream) {
    ShowOpenFailed(path, errno);
    return false;
  }
  const std::string title = FileTitle(path);
  const int ok = LoadProject(stream, 1, path, title);
  std::fclose(stream);
  if (!ok) return false;
  m_title = title;
  SetPathName(AbsolutePath(path));
  return true;
}

int CQuorvelDoc::OnFileOpen() {
  if (!SaveModified()) return 0;
  FileDialogRequest request;
  request.title = DialogTitle(kTitleOpen);
  request.filter = kOpenFilter;
  request.initialFolder = theSettings.SavePath;
  std::string path;
  if (!m_host->ChooseFile(request, path)) return 0;
  if (const std::string folder = FolderOf(path); !folder.empty()) theSettings.SavePath = folder;
  if (!ReadProjectFile(path)) return 0;
  m_host->SetEditMode(m_editMode);
  UpdateAllViews(HINT_REFIT);
  SendModelChanged();
  return 1;
}

bool CQuorvelDoc::OnOpenDocument(const std::string& path) {
  if (!ReadProjectFile(path)) return false;
  // Kept for whatever else expects the model's folder to be current; finding sub-files does not
  // depend on it.
  if (const std::string folder = FolderOf(m_pathName); !folder.empty() && ::chdir(folder.c_str()) != 0)
    theTracer.Printf("Cannot change into the folder %s\n", folder.c_str());
  m_host->SetEditMode(m_editMode);
  UpdateAllViews(HINT_REFIT);
  SendModelChanged();
  return true;
}

void CQuorvelDoc::OnFileRevert() {
  if (m_pathName.empty()) return;  // never saved: there is nothing to go back to
  if (IsModified() && ShowMessageId(kStringDiscard, PromptButtons::YesNo, PromptIcon::Question) != PromptAnswer::Yes)
    return;
  const std::string path = m_pathName;
  OnOpenDocument(path);
}

int CQuorvelDoc::OnFileNew() {
  if (!SaveModified()) return 0;
  m_project.SetModelFolder({});
  const int ok = OnNewDocument();
  UpdateAllViews(HINT_REFIT);
  return ok;
}

// --- writing ---

int CQuorvelDoc::SaveProject(int ask) {
  std::string name = m_pathName;
  const int multi = m_project.IsMultiPart();
  const bool dialog = name.empty() || ask || multi != m_multipartState;
  std::string title = m_title;
  if (dialog) {
    FileDialogRequest request;
    request.title = DialogTitle(multi ? kTitleSaveMultipart : kTitleSave);
    request.filter = multi ? kMultipartFilter : kModelFilter;
    request.defaultExtension = multi ? "mpd" : "ldr";
    request.filterIndex = 1;  // each save filter lists one kind of file
    request.initialName = m_title;
    request.initialFolder = theSettings.SavePath;
    request.save = true;
    if (!m_host->ChooseFile(request, name)) return 0;
    if (const std::string folder = FolderOf(name); !folder.empty()) theSettings.SavePath = folder;
    title = FileTitle(name);
    // The name comment of a single model follows the file it is saved as.
    if (!multi && m_activeModel) m_activeModel->SetName(title);
  }
  CFileTextHandler out;
  if (!out.OpenForWrite(name)) {
    ShowSaveFailed(out, kStringCreateFailed, name);
    return 0;
  }
  // Close commits the new file; after a failed write the handler drops it and the old file stays.
  if (!m_project.Transfer(out, 0, name) || !out.Close()) {
    ShowSaveFailed(out, kStringIoError, name);
    return 0;
  }
  SetModifiedFlag(0);
  m_multipartState = multi;
  if (dialog) {
    m_title = title;
    SetPathName(AbsolutePath(name));
    m_project.SetModelFolder(FolderOf(m_pathName));
    if (!multi) UpdateAllViews(HINT_LIST_ONLY);
  }
  return 1;
}

bool CQuorvelDoc::SaveModified() {
  if (!IsModified()) return true;
  switch (ShowMessageId(kStringAskSave, PromptButtons::YesNoCancel, PromptIcon::Question)) {
    case PromptAnswer::No:
      return true;
    case PromptAnswer::Yes:
      return SaveProject(0) != 0;
    default:
      return false;
  }
}

// --- the Multipart menu ---

void CQuorvelDoc::ResetStepsForModel() {
  m_prevDrawnStep = 0;
  m_shownStep = m_editMode ? -1 : 1;
}

void CQuorvelDoc::OnNewModel() {
  if (!CanAddModel()) return;
  std::string name = "New Model", description;
  if (!m_host->NewModelDialog(name, description)) return;
  // Models place each other by name: a second model of the same name could never be reached.
  for (const std::string& taken : m_project.GetModelNames())
    if (EqualsNoCase(taken, FinalModelName(name))) {
      ShowMessageId(kStringModelNameTaken, PromptButtons::Ok, PromptIcon::Exclamation);
      return;
    }
  m_project.AddModel(&name, &description);
  RefreshActiveModel();
  SetModifiedFlag(1);
  UpdateAllViews(HINT_REFIT);
  SendModelChanged();
}

void CQuorvelDoc::OnActivateModel() {
  if (!CanActivateModel() || !m_project.ActivateModel(0)) return;
  RefreshActiveModel();
  ResetStepsForModel();
  UpdateAllViews(HINT_REFIT);
  SendModelChanged();
}

void CQuorvelDoc::OnChangeModelInfo() {
  if (!CanEditModels() || !m_project.ChangeModelInfo()) return;
  RefreshActiveModel();
  SetModifiedFlag(1);
  UpdateAllViews(HINT_LIST_ONLY | HINT_MODEL_INFO);
  SendModelChanged();
}

void CQuorvelDoc::OnImportModel() {
  if (!CanAddModel()) return;
  FileDialogRequest request;
  request.title = DialogTitle(kTitleImport);
  request.filter = kModelFilter;
  request.initialFolder = theSettings.SavePath;
  std::string path;
  if (!m_host->ChooseFile(request, path)) return;
  if (std::FILE* probe = OpenForReading(path)) {
    std::fclose(probe);
  } else {
    ShowOpenFailed(path, errno);
    return;
  }
  m_library.pathResolver.Invalidate();
  const int ok = m_project.ImportModel(path, FileTitle(path));
  RefreshActiveModel();
  if (!ok) return;
  SetModifiedFlag(1);
  ResetStepsForModel();
  UpdateAllViews(HINT_REFIT);
  SendModelChanged();
}

void CQuorvelDoc::OnRemoveModel() {
  if (!CanEditModels() || !m_project.RemoveModel(0)) return;
  RefreshActiveModel();
  ResetStepsForModel();
  SetModifiedFlag(1);
  UpdateAllViews(HINT_REFIT);
  SendModelChanged();
}

void CQuorvelDoc::OnModelSequence() {
  if (!CanEditModels() || !m_project.EditModelSequence()) return;
  RefreshActiveModel();
  ResetStepsForModel();
  SetModifiedFlag(1);
  UpdateAllViews(HINT_REFIT);
  SendModelChanged();
}

void CQuorvelDoc::OnExportModels() {
  if (!CanEditModels()) return;
  std::string folder;
  if (!m_host->ChooseFolder(DialogTitle(kTitleExport), folder) || folder.empty()) return;
  m_project.ExportModels(folder);
}

std::vector<std::string> CQuorvelDoc::GetModelNames() const { return m_project.GetModelNames(); }

void CQuorvelDoc::SelectActiveModel(int index) {
  if (index < 0 || static_cast<size_t>(index) >= m_project.GetModelCount()) return;
  if (!m_project.ActivateModel(index + 1)) return;
  RefreshActiveModel();
  ResetStepsForModel();
  UpdateAllViews(HINT_REFIT);
  SendModelChanged();
}
