#include "app/DocumentHost.h"

#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/filehistory.h>

#include <cctype>
#include <vector>

#include "app/MainFrame.h"
#include "app/RecentFiles.h"
#include "config/StringUtils.h"
#include "dialogs/DlgAutosteps.h"
#include "dialogs/DlgNewModel.h"
#include "document/QuorvelDoc.h"
#include "platform/Profile.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {

std::vector<std::string> SplitFilter(const std::string& filter) {
  std::vector<std::string> fields;
  std::string field;
  for (char c : filter) {
    if (c == '|') {
      fields.push_back(field);
      field.clear();
    } else {
      field += c;
    }
  }
  fields.push_back(field);
  // "||" ends the list: the empty fields after the last pattern are not choices.
  while (!fields.empty() && fields.back().empty()) fields.pop_back();
  return fields;
}

// One pattern list ("*.ldr;*.dat") with the upper-case form beside each lower-case extension.
std::string ConvertPatterns(const std::string& patterns) {
  std::vector<std::string> out;
  auto add = [&](const std::string& p) {
    for (const std::string& q : out)
      if (q == p) return;
    out.push_back(p);
  };
  size_t start = 0;
  while (start <= patterns.size()) {
    size_t end = patterns.find(';', start);
    if (end == std::string::npos) end = patterns.size();
    std::string p = patterns.substr(start, end - start);
    TrimString(p);
    start = end + 1;
    if (p.empty()) continue;
    if (p == "*.*") {
      add("*");
      continue;
    }
    add(p);
    std::string lower = ToLowerAscii(p), upper = p;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    add(lower);
    add(upper);
  }
  std::string joined;
  for (const std::string& p : out) joined += (joined.empty() ? "" : ";") + p;
  return joined;
}
}  // namespace

std::string ConvertFileFilter(const std::string& filter) {
  std::vector<std::string> fields = SplitFilter(filter);
  std::string wildcard;
  for (size_t i = 0; i + 1 < fields.size(); i += 2) {
    if (!wildcard.empty()) wildcard += '|';
    wildcard += fields[i] + '|' + ConvertPatterns(fields[i + 1]);
  }
  return wildcard.empty() ? "All Files|*" : wildcard;
}

int CountFilterChoices(const std::string& filter) { return static_cast<int>(SplitFilter(filter).size() / 2); }

std::string ApplyDefaultExtension(const std::string& path, const std::string& extension) {
  if (extension.empty() || path.empty()) return path;
  size_t slash = path.rfind('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty() || name.find('.') != std::string::npos) return path;
  return path + "." + extension;
}

std::string MakeFrameTitle(const std::string& documentTitle, bool modified) {
  std::string app = LoadResString(kStringAppTitle);
  return documentTitle.empty() ? app : (modified ? "*" : "") + documentTitle + " - " + app;
}

CWxDocumentHost::CWxDocumentHost(CQuorvelDoc& document, wxFileHistory* history)
    : m_document(document), m_history(history) {
  m_document.AddObserver(this);
  m_titleTimer.Start(250);
}

CWxDocumentHost::~CWxDocumentHost() {
  m_titleTimer.Stop();
  m_document.RemoveObserver(this);
}

void CWxDocumentHost::SetFrame(CMainFrame* frame) { m_frame = frame; }

CMainFrame* CWxDocumentHost::Frame() const { return static_cast<CMainFrame*>(m_frame.get()); }

wxWindow* CWxDocumentHost::Parent() const { return Frame(); }

void CWxDocumentHost::SetEditMode(int mode) {
  if (CMainFrame* frame = Frame()) frame->SetEditMode(mode);
}

void CWxDocumentHost::SendPrivateMessage(unsigned message, long wParam, long lParam) {
  // The document sends these after it replaced the project or changed its models: the title may
  // have changed with them.
  UpdateFrameTitle();
  if (CMainFrame* frame = Frame()) frame->NotifyViews(false, message, wParam, lParam);
}

bool CWxDocumentHost::ChooseFile(const FileDialogRequest& request, std::string& path) {
  long style = request.save ? wxFD_SAVE | wxFD_OVERWRITE_PROMPT : wxFD_OPEN | wxFD_FILE_MUST_EXIST;
  wxFileDialog dialog(Parent(), wxString::FromUTF8(request.title), wxString::FromUTF8(request.initialFolder),
                      wxString::FromUTF8(request.initialName), wxString::FromUTF8(ConvertFileFilter(request.filter)),
                      style);
  int choices = CountFilterChoices(request.filter);
  if (request.filterIndex >= 1 && request.filterIndex <= choices) dialog.SetFilterIndex(request.filterIndex - 1);
  if (dialog.ShowModal() != wxID_OK) return false;
  path = dialog.GetPath().utf8_string();
  if (request.save) path = ApplyDefaultExtension(path, request.defaultExtension);
  return !path.empty();
}

bool CWxDocumentHost::ChooseFolder(const std::string& title, std::string& folder) {
  wxDirDialog dialog(Parent(), wxString::FromUTF8(title), wxString::FromUTF8(folder),
                     wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK) return false;
  folder = dialog.GetPath().utf8_string();
  return !folder.empty();
}

void CWxDocumentHost::AddToRecentFiles(const std::string& path) {
  // The title is set together with the path name.
  UpdateFrameTitle();
  if (!m_history) return;
  m_history->AddFileToHistory(wxString::FromUTF8(path));
  // Kept in the profile at once, so a later crash does not lose the list.
  std::vector<std::string> files;
  for (size_t i = 0; i < m_history->GetCount(); ++i) files.push_back(m_history->GetHistoryFile(i).utf8_string());
  SaveRecentFiles(TheProfile(), files);
  TheProfile().Flush();
}

bool CWxDocumentHost::NewModelDialog(std::string& name, std::string& description) {
  CDlgNewModel dialog(Parent(), m_document.Library());
  dialog.m_name = name;
  dialog.m_description = description;
  if (dialog.ShowModal() != wxID_OK) return false;
  name = dialog.m_name;
  description = dialog.m_description;
  return true;
}

bool CWxDocumentHost::AutostepsDialog(int& byHeight, int& count) {
  CDlgAutosteps dialog(Parent());
  dialog.m_mode = byHeight ? CDlgAutosteps::kByHeight : CDlgAutosteps::kByCount;
  dialog.m_partCount = count > 0 ? count : 1;
  if (dialog.ShowModal() != wxID_OK) return false;
  byHeight = dialog.m_mode == CDlgAutosteps::kByHeight ? 1 : 0;
  count = dialog.m_partCount;
  return true;
}

void CWxDocumentHost::OnUpdate(uint32_t) { UpdateFrameTitle(); }

void CWxDocumentHost::UpdateFrameTitle() {
  CMainFrame* frame = Frame();
  if (!frame) return;
  wxString title = wxString::FromUTF8(MakeFrameTitle(m_document.GetTitle(), m_document.IsModified()));
  if (frame->GetTitle() != title) frame->SetTitle(title);
}
