#include "dialogs/HelpDialog.h"

#include <wx/button.h>
#include <wx/filesys.h>
#include <wx/html/htmlfilt.h>
#include <wx/html/htmlwin.h>
#include <wx/log.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/stream.h>
#include <wx/utils.h>

#include <cerrno>

#include "config/HelpTopics.h"
#include "config/Tracer.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {

// The pages are HTML by their name, whatever the desktop's MIME database says of ".htm" (without
// a match the window would show their source as plain text).
class CHelpPageFilter : public wxHtmlFilter {
 public:
  bool CanRead(const wxFSFile& file) const override {
    wxString name = file.GetLocation().BeforeFirst('#').Lower();
    return name.EndsWith(".htm") || name.EndsWith(".html");
  }
  // The pages are written in UTF-8; other bytes are taken as Latin-1.
  wxString ReadFile(const wxFSFile& file) const override {
    wxInputStream* in = file.GetStream();
    if (!in) return {};
    std::string bytes;
    char buffer[4096];
    while (in->CanRead() && !in->Eof()) {
      in->Read(buffer, sizeof buffer);
      size_t n = in->LastRead();
      if (n == 0) break;
      bytes.append(buffer, n);
    }
    wxString text = wxString::FromUTF8(bytes);
    return text.empty() && !bytes.empty() ? wxString(bytes.data(), wxConvISO8859_1, bytes.size()) : text;
  }
};

void AddHelpPageFilter() {
  static bool added = false;
  if (added) return;
  added = true;
  wxHtmlWindow::AddFilter(new CHelpPageFilter);
}

bool LaunchDefaultBrowser(const std::string& address) {
  return wxLaunchDefaultBrowser(wxString::FromUTF8(address));
}

// The text as HTML: markup characters escaped, line breaks kept.
wxString HtmlText(const std::string& text) {
  wxString out;
  for (char c : text) {
    switch (c) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '&':
        out += "&amp;";
        break;
      case '\n':
        out += "<br>";
        break;
      default:
        out += c;
    }
  }
  return out;
}

bool IsOutsideAddress(const wxString& href) {
  return href.StartsWith("http:") || href.StartsWith("https:") || href.StartsWith("mailto:") ||
         href.StartsWith("ftp:");
}

}  // namespace

CHelpDialog::CHelpDialog(wxWindow* parent, CHelpPages pages, Launcher launcher, bool withBrowser)
    : wxDialog(parent, kDialogId, wxString::FromUTF8(LoadResString(kStringHelpCaption)), wxDefaultPosition,
               wxSize(720, 560), wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxMAXIMIZE_BOX | wxMINIMIZE_BOX,
               "HelpDialog"),
      m_pages(std::move(pages)),
      m_launcher(launcher ? std::move(launcher) : Launcher(LaunchDefaultBrowser)) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  AddHelpPageFilter();
  if (withBrowser) {
    m_browser = new wxHtmlWindow(this, 1, wxDefaultPosition, wxSize(100, 80), wxHW_DEFAULT_STYLE, "Explorer");
    top->Add(m_browser, 1, wxEXPAND | wxALL, 10);
  } else {
    m_notice = new wxStaticText(this, kNoticeId, wxString::FromUTF8(LoadResString(kStringHelpNoViewer)));
    top->Add(m_notice, 1, wxEXPAND | wxALL, 10);
  }
  auto* contents = new wxButton(this, kContentsId, "&Contents");
  auto* index = new wxButton(this, kIndexId, "&Index");
  m_back = new wxButton(this, kBackId, "&Back");
  auto* exit = new wxButton(this, kExitId, "E&xit");
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->Add(contents, 0, wxRIGHT, 10);
  buttons->Add(index, 0, wxRIGHT, 10);
  buttons->Add(m_back);
  buttons->AddStretchSpacer();
  buttons->Add(exit);
  top->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
  SetSizer(top);
  Layout();

  contents->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ShowPage(kHelpContentsPage); });
  index->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ShowPage(kHelpIndexPage); });
  m_back->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBack(); });
  exit->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndHelp(); });
  m_back->Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(CanGoBack()); });
  if (!m_browser) {
    contents->Disable();
    index->Disable();
  }
  Bind(wxEVT_CLOSE_WINDOW, &CHelpDialog::OnClose, this);
  Bind(wxEVT_HTML_LINK_CLICKED, &CHelpDialog::OnLinkClicked, this);
  // Context help asked inside the help window goes no further.
  Bind(wxEVT_HELP, [](wxHelpEvent&) {});
  ShowPage(kHelpContentsPage);
}

bool CHelpDialog::PageOfRequest(uint32_t helpId, int command, std::string& page) {
  page = kHelpContentsPage;
  if (command == kHelpContext) {
    if (helpId == kHelpIdDialog + kDialogId) return false;
    std::string found = GetHelpPage(helpId);
    if (found.empty())
      theTracer.Printf("ERROR: Can't locate help for ID = %08X\n", helpId);
    else
      page = found;
  } else if (command == kHelpQuit) {
    EndHelp();
    return false;
  }
  return true;
}

void CHelpDialog::ShowHelp(uint32_t helpId, int command) {
  std::string page;
  if (!PageOfRequest(helpId, command, page)) return;
  if (!IsShown()) Show();
  Raise();
  ShowPage(page);
}

void CHelpDialog::ShowHelpModal(uint32_t helpId, int command) {
  std::string page;
  if (!PageOfRequest(helpId, command, page) || IsModal()) return;
  ShowPage(page);
  if (IsShown()) Hide();
  ShowModal();
}

void CHelpDialog::EndHelp() {
  if (IsModal())
    EndModal(wxID_CANCEL);
  else
    Hide();
}

void CHelpDialog::ShowPage(const std::string& page) {
  HelpPageRef ref = SplitHelpPage(page);
  m_shownFile.clear();
  m_shownAnchor.clear();
  if (m_pages.GetFolder().empty()) {
    ShowText(FillTextArgs(LoadResString(kStringHelpNotInstalled), {m_pages.DescribeSearch()}));
    return;
  }
  std::string path = m_pages.FindPageFile(ref.file);
  if (path.empty()) {
    theTracer.Printf("Help page %s is missing in %s\n", ref.file.c_str(), m_pages.GetFolder().c_str());
    ShowText(FillTextArgs(LoadResString(kStringHelpPageMissing), {ref.file, m_pages.GetFolder()}));
    return;
  }
  if (m_browser) {
    wxString url = wxFileSystem::FileNameToURL(wxFileName(wxString::FromUTF8(path)));
    bool loaded;
    {
      // A page that cannot be read goes to the browser instead of wx's own error box.
      wxLogNull quiet;
      loaded = m_browser->LoadPage(ref.anchor.empty() ? url : url + "#" + wxString::FromUTF8(ref.anchor));
    }
    // A page without the anchor asked for is shown from its top.
    if (!loaded && !ref.anchor.empty() && m_browser->GetOpenedPage() == url) loaded = true;
    if (loaded) {
      m_lastUrl = ref.anchor.empty() ? url : url + "#" + wxString::FromUTF8(ref.anchor);
      m_textShown = false;
      m_shownFile = path;
      m_shownAnchor = ref.anchor;
      return;
    }
  }
  LaunchBrowser(MakeFileUrl(path, ref.anchor));
}

void CHelpDialog::LaunchBrowser(const std::string& address) {
  errno = 0;
  {
    wxLogNull quiet;  // the message below says it, once
    if (m_launcher(address)) return;
  }
  int error = errno;
  ShowMessage(FillTextArgs(LoadResString(kStringHelpLaunchFailed), {address, std::to_string(error)}),
              PromptButtons::Ok, PromptIcon::Exclamation);
}

void CHelpDialog::ShowText(const std::string& text) {
  m_textShown = true;
  if (m_browser)
    m_browser->SetPage("<html><body><p>" + HtmlText(text) + "</p></body></html>");
  else
    ShowMessage(text, PromptButtons::Ok, PromptIcon::Exclamation);
}

void CHelpDialog::OnLinkClicked(wxHtmlLinkEvent& event) {
  wxString href = event.GetLinkInfo().GetHref();
  if (IsOutsideAddress(href)) {
    LaunchBrowser(href.utf8_string());
    return;
  }
  // Another page of the folder: found without regard to case like the table's pages. An anchor of
  // the page on show stays with the window.
  if (href.StartsWith("#") || href.Contains(":") || href.Contains("/")) {
    event.Skip();
    return;
  }
  ShowPage(href.utf8_string());
}

bool CHelpDialog::CanGoBack() const {
  return m_browser && (m_browser->HistoryCanBack() || (m_textShown && !m_lastUrl.empty()));
}

void CHelpDialog::OnBack() {
  if (!m_browser) return;
  if (m_textShown && !m_lastUrl.empty()) {
    // Back from a message returns to the page it replaced.
    wxLogNull quiet;
    m_browser->LoadPage(m_lastUrl);
    m_textShown = false;
  } else if (!m_browser->HistoryBack()) {
    return;
  }
  wxFileName file = wxFileSystem::URLToFileName(m_browser->GetOpenedPage().BeforeFirst('#'));
  m_shownFile = file.GetFullPath().utf8_string();
  m_shownAnchor = m_browser->GetOpenedAnchor().utf8_string();
}

void CHelpDialog::OnClose(wxCloseEvent& event) {
  // The window stays for the next request; only the program's end destroys it.
  if (event.CanVeto()) {
    event.Veto();
    EndHelp();
    return;
  }
  event.Skip();
}
