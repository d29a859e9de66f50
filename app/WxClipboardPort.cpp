#include "app/WxClipboardPort.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

bool CWxClipboardPort::PutText(const std::string& text) {
  if (!wxTheClipboard->Open()) return false;
  const bool put = wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(text)));
  wxTheClipboard->Close();
  return put;
}

bool CWxClipboardPort::GetText(std::string& text) {
  if (!wxTheClipboard->Open()) return false;
  bool got = false;
  if (wxTheClipboard->IsSupported(wxDF_UNICODETEXT) || wxTheClipboard->IsSupported(wxDF_TEXT)) {
    wxTextDataObject data;
    got = wxTheClipboard->GetData(data);
    if (got) text = data.GetText().utf8_string();
  }
  wxTheClipboard->Close();
  return got;
}

bool CWxClipboardPort::HasText() {
  if (!wxTheClipboard->Open()) return false;
  const bool has = wxTheClipboard->IsSupported(wxDF_UNICODETEXT) || wxTheClipboard->IsSupported(wxDF_TEXT);
  wxTheClipboard->Close();
  return has;
}
