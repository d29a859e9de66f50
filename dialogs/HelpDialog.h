#pragma once
// "Plandor Help": the one help window, modeless, showing the program's HTML help pages with
// Contents, Index, Back and Exit. Exit and the close box only hide it; the next help request shows
// it again. A page that cannot be shown in the window goes to the desktop's web browser; a missing
// help folder or page is said in the window itself.
#include <wx/dialog.h>

#include <cstdint>
#include <functional>
#include <string>

#include "config/HelpPages.h"

class wxButton;
class wxHtmlWindow;
class wxHtmlLinkEvent;
class wxStaticText;

// What a help request asks for.
enum HelpCommand : int {
  kHelpContext = 1,   // the page of a help id
  kHelpQuit = 2,      // hide the window
  kHelpContents = 3,  // the contents page
  kHelpKey = 0x101,   // a key word: the contents page as well
};

class CHelpDialog : public wxDialog {
 public:
  // Opens the address in the desktop's browser; false when that failed.
  using Launcher = std::function<bool(const std::string& address)>;

  // pages: where the pages are. withBrowser false makes the window without its page view (every
  // page then goes to the launcher), as when the view cannot be made.
  CHelpDialog(wxWindow* parent, CHelpPages pages, Launcher launcher = {}, bool withBrowser = true);

  // Shows the window (but for a quit) and the page the request asks for; a request for the help
  // window's own page is ignored.
  void ShowHelp(uint32_t helpId, int command);
  // The same for a request from a modal dialog, whose modality would keep the window from taking
  // input: the window runs modal on top of it until Exit.
  void ShowHelpModal(uint32_t helpId, int command);
  // Shows a page of the help table ("view.htm#Step") or a link target of a page.
  void ShowPage(const std::string& page);
  // Hands the address to the browser; a failure is reported in a message box.
  void LaunchBrowser(const std::string& address);

  // The page file on show (empty when a message is shown instead) and its anchor.
  const std::string& GetShownFile() const { return m_shownFile; }
  const std::string& GetShownAnchor() const { return m_shownAnchor; }
  wxHtmlWindow* GetBrowser() const { return m_browser; }
  // Whether Back has a page to return to.
  bool CanGoBack() const;
  const CHelpPages& GetPages() const { return m_pages; }
  // Replaces where the pages are looked for (after the language changed).
  void SetPages(CHelpPages pages) { m_pages = std::move(pages); }

  static constexpr int kDialogId = 168;
  static constexpr int kExitId = 1158, kIndexId = 1159, kContentsId = 1160, kBackId = 1161, kNoticeId = 1157;

 private:
  // The page a request asks for; false when nothing is to be shown.
  bool PageOfRequest(uint32_t helpId, int command, std::string& page);
  // Exit: hides the window, or ends its modal run.
  void EndHelp();
  void ShowText(const std::string& text);
  void OnLinkClicked(wxHtmlLinkEvent& event);
  void OnBack();
  void OnClose(wxCloseEvent& event);

  CHelpPages m_pages;
  Launcher m_launcher;
  wxHtmlWindow* m_browser = nullptr;
  wxStaticText* m_notice = nullptr;
  wxButton* m_back = nullptr;
  std::string m_shownFile;
  std::string m_shownAnchor;
  wxString m_lastUrl;        // the last page shown, with its anchor
  bool m_textShown = false;  // a message stands in the window instead of a page
};
