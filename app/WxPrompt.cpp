#include "app/WxPrompt.h"

#include <wx/app.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include "app/SplashWnd.h"

long CWxPrompt::MessageStyle(PromptButtons buttons, PromptIcon icon) {
  long style = 0;
  switch (buttons) {
    case PromptButtons::Ok: style = wxOK; break;
    case PromptButtons::OkCancel: style = wxOK | wxCANCEL; break;
    case PromptButtons::YesNo: style = wxYES_NO; break;
    case PromptButtons::YesNoCancel: style = wxYES_NO | wxCANCEL; break;
  }
  switch (icon) {
    case PromptIcon::None: break;
    case PromptIcon::Stop: style |= wxICON_ERROR; break;
    case PromptIcon::Question: style |= wxICON_QUESTION; break;
    case PromptIcon::Exclamation: style |= wxICON_WARNING; break;
    case PromptIcon::Information: style |= wxICON_INFORMATION; break;
  }
  return style;
}

PromptAnswer CWxPrompt::AnswerOf(int code) {
  switch (code) {
    case wxYES: return PromptAnswer::Yes;
    case wxNO: return PromptAnswer::No;
    case wxOK: return PromptAnswer::Ok;
    default: return PromptAnswer::Cancel;
  }
}

PromptAnswer CWxPrompt::Message(const std::string& text, PromptButtons buttons, PromptIcon icon,
                                const std::string& caption) {
  // The splash window would take the first click on the box's buttons for itself.
  if (CSplashWnd* splash = CSplashWnd::Current()) splash->HideSplashScreen();
  wxWindow* parent = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
  // A message about a dialog's field belongs over that dialog, not behind it over the main window.
  if (wxWindow* focus = wxWindow::FindFocus())
    if (wxWindow* top = wxGetTopLevelParent(focus); top && top->IsShown()) parent = top;
  if (parent && !parent->IsShown()) parent = nullptr;
  wxString title = caption.empty() ? wxString("Plandor") : wxString::FromUTF8(caption);
  return AnswerOf(wxMessageBox(wxString::FromUTF8(text), title, MessageStyle(buttons, icon), parent));
}

void CWxPrompt::Beep() { wxBell(); }
void CWxPrompt::BeginBusy() { wxBeginBusyCursor(); }
void CWxPrompt::EndBusy() { wxEndBusyCursor(); }
