#include "dialogs/MosaicGenDlg.h"

#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/filedlg.h>
#include <wx/image.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <sys/stat.h>

#include "config/DllContainer.h"
#include "config/Settings.h"
#include "dialogs/GeneratorProgress.h"
#include "dialogs/ModelPreview.h"
#include "model/GeneratorSink.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "render/PictureLoader.h"
#include "resources/StringIds.h"

namespace {
constexpr int kViewSide = 200;
const wxString kSizes[] = {"1 x 1", "1 x 2", "2 x 2", "4 x 2"};
const wxString kModes[] = {"None", "Fake", "Real"};

// Only a readable regular file of some bytes goes to the image library.
bool IsPictureFile(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0;
}
}  // namespace

CMosaicGenDlg::CMosaicGenDlg(wxWindow* parent, const ColorEntry* colors)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(LoadResString(kStringMosaicCaption))), m_colors(colors) {
  auto* pathRow = new wxBoxSizer(wxHORIZONTAL);
  m_path = new wxTextCtrl(this, 1181, "", wxDefaultPosition, wxSize(280, -1), wxTE_READONLY);
  pathRow->Add(m_path, 1, wxRIGHT, 6);
  pathRow->Add(new wxButton(this, 1182, "Browse..."));
  auto* grid = new wxFlexGridSizer(2, 4, 8);
  grid->Add(new wxStaticText(this, wxID_ANY, "Maximum brick size:"), 0, wxALIGN_CENTER_VERTICAL);
  m_size = new wxChoice(this, 1168, wxDefaultPosition, wxDefaultSize, 4, kSizes);
  m_size->SetSelection(0);
  grid->Add(m_size);
  grid->Add(new wxStaticText(this, wxID_ANY, "Height:"), 0, wxALIGN_CENTER_VERTICAL);
  m_height = new wxSlider(this, 1178, 5, 0, CMosaicBuilder::kMaxHeight, wxDefaultPosition, wxSize(160, -1),
                          wxSL_HORIZONTAL | wxSL_LABELS);
  grid->Add(m_height);
  grid->Add(new wxStaticText(this, wxID_ANY, "Color:"), 0, wxALIGN_CENTER_VERTICAL);
  m_mode = new wxChoice(this, 1190, wxDefaultPosition, wxDefaultSize, 3, kModes);
  m_mode->SetSelection(2);
  grid->Add(m_mode);
  m_plates = new wxCheckBox(this, 1172, "Use plates");
  m_view = new wxStaticBitmap(this, 1184, wxBitmap(kViewSide, kViewSide));
  m_modelView = new CModelPreview(this, 1185, wxSize(kViewSide, kViewSide));
  m_modelView->SetModel(&m_target);
  auto* views = new wxBoxSizer(wxHORIZONTAL);
  views->Add(m_view, 0, wxRIGHT | wxALIGN_CENTER_VERTICAL, 8);
  views->Add(m_modelView, 1, wxEXPAND);
  m_count = new wxStaticText(this, wxID_ANY, "");
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  m_preview = new wxButton(this, 1121, "Preview");
  m_preview->Disable();
  buttons->Add(m_preview);
  buttons->AddStretchSpacer();
  buttons->Add(new wxButton(this, wxID_OK, "OK"), 0, wxRIGHT, 6);
  buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"));
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(pathRow, 0, wxALL | wxEXPAND, 8);
  top->Add(grid, 0, wxLEFT | wxRIGHT, 8);
  top->Add(m_plates, 0, wxALL, 8);
  top->Add(views, 1, wxALL | wxEXPAND, 8);
  top->Add(m_count, 0, wxLEFT | wxRIGHT | wxEXPAND, 8);
  top->Add(buttons, 0, wxALL | wxEXPAND, 8);
  SetSizerAndFit(top);

  Bind(wxEVT_BUTTON, &CMosaicGenDlg::OnBrowse, this, 1182);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Generate(); }, 1121);
  Bind(wxEVT_BUTTON, &CMosaicGenDlg::OnOK, this, wxID_OK);
  m_plates->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnChanged(); });
  m_size->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { OnChanged(); });
  m_mode->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { OnChanged(); });
  m_height->Bind(wxEVT_SCROLL_CHANGED, [this](wxScrollEvent&) { OnChanged(); });
}

void CMosaicGenDlg::ReadControls() {
  m_builder.SetOptions({m_plates->GetValue(), m_size->GetSelection(), m_height->GetValue(), m_mode->GetSelection()});
}

void CMosaicGenDlg::OnChanged() {
  m_preview->Enable(!m_path->GetValue().empty());
  m_changed = true;
}

void CMosaicGenDlg::OnBrowse(wxCommandEvent&) {
  wxFileDialog dialog(this, wxString::FromUTF8(LoadResString(kStringOpenPictureTitle)), "", "",
                      "All images|*.jpg;*.JPG;*.jpeg;*.JPEG;*.bmp;*.BMP;*.gif;*.GIF|Bitmap Files (*.bmp)|*.bmp;*.BMP|"
                      "Jpeg files (*.jpg)|*.jpg;*.JPG;*.jpeg;*.JPEG|Gif files (*.gif)|*.gif;*.GIF|All files (*.*)|*",
                      wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK) return;
  LoadPicture(dialog.GetPath().utf8_string());
}

bool CMosaicGenDlg::LoadPicture(const std::string& path) {
  m_path->SetValue(wxString::FromUTF8(path));
  m_picture.reset();
  m_view->SetBitmap(wxBitmap(kViewSide, kViewSide));
  std::unique_ptr<CDib> picture;
  if (IsPictureFile(path)) {
    CDllContainer dll;
    picture = ::LoadPicture(dll, path);
  }
  if (!picture) {
    ShowMessageId(kStringInvalidImage, PromptButtons::Ok, PromptIcon::Exclamation);
    return false;
  }
  m_picture = CMosaicBuilder::FitPicture(*picture, CMosaicBuilder::kMaxSide);
  if (!m_picture) {
    ShowMessageId(kStringOutOfMemory, PromptButtons::Ok, PromptIcon::Stop);
    return false;
  }
  const int w = m_picture->GetWidth(), h = m_picture->GetHeight();
  wxImage image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint8_t* p = m_picture->GetRow(y) + x * 3;
      image.SetRGB(x, y, p[2], p[1], p[0]);
    }
  const double scale = static_cast<double>(kViewSide) / std::max(w, h);
  image.Rescale(std::max(1, static_cast<int>(w * scale)), std::max(1, static_cast<int>(h * scale)));
  m_view->SetBitmap(wxBitmap(image));
  Layout();
  return Generate();
}

bool CMosaicGenDlg::Generate() {
  if (m_path->GetValue().empty() || !m_picture) return false;
  wxBusyCursor wait;
  ReadControls();
  CModelGeneratorSink sink(m_target);
  CMosaicBuilder::Result result;
  {
    CGeneratorProgress progress(this, m_builder.GetOptions().height + 1);
    result = m_builder.Generate(*m_picture, m_colors, sink, progress.Callback());
  }
  if (result == CMosaicBuilder::kOutOfMemory) ShowMessageId(kStringOutOfMemory, PromptButtons::Ok, PromptIcon::Stop);
  m_count->SetLabel(wxString::Format("%d x %d studs, %d parts", m_picture->GetWidth(), m_picture->GetHeight(),
                                     m_builder.GetPlacedCount()));
  const bool ok = result == CMosaicBuilder::kDone;
  if (ok) {
    m_modelView->SetAngles(0, 0, 0);
    m_modelView->SetView(theDefaultViewMatrix, theDefaultViewMatrix);
    m_preview->Disable();
    m_changed = false;
  } else {
    // The target was emptied: an old picture would show a model that is gone.
    m_modelView->Invalidate();
  }
  return ok;
}

void CMosaicGenDlg::OnOK(wxCommandEvent&) {
  if (m_changed && !Generate()) return;
  EndModal(wxID_OK);
}
