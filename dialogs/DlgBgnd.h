#pragma once
// "Background Image": the picture file of a BACKGROUND line with a preview. A name that does not
// open as it is (a model made elsewhere may hold "C:\pics\x.bmp") is looked for as its file part
// alone, then in the library's "Bitmap" folder.
#include <wx/dialog.h>

#include <string>

#include "model/LibraryContext.h"
#include "render/Dib.h"

class CBmpView;
class wxTextCtrl;

// The name under which the picture opens: the name itself, else its part after the last '\' or
// '/', else that part in the base folder's Bitmap folder (letter case aside, through the resolver);
// empty when none opens.
std::string FindBackgroundFile(const std::string& name, const std::string& basePath,
                               CPathResolver& resolver = ProgramLibrary().pathResolver);

class CDlgBgnd : public wxDialog {
 public:
  // The library's Bitmap folder is looked in through its path resolver.
  CDlgBgnd(wxWindow* parent, const std::string& fileName, const CLibraryContext& library = ProgramLibrary());

  std::string m_fileName;
  CDib m_picture;

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;
  // Loads the named picture into the preview; messages when it cannot be opened or read.
  void LoadPreview();

 private:
  void OnBrowse();
  CPathResolver& m_resolver;
  CBmpView* m_preview;
  wxTextCtrl* m_name;
};
