#include "app/ColorBar.h"

#include <wx/button.h>
#include <wx/frame.h>

#include "app/CommandTable.h"
#include "app/DocumentHost.h"
#include "app/PrivateEvents.h"
#include "config/ColorBarLayout.h"
#include "config/ColorDlgState.h"
#include "config/ColorSource.h"
#include "config/Settings.h"
#include "dialogs/ColorDlg.h"
#include "document/QuorvelDoc.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

bool CColorBar::Create(wxWindow* parent, int id, const wxString& name, BarSize defaultSize, bool gripper) {
  if (!CDvSizeableCtrlBar::Create(parent, id, name, defaultSize, gripper)) return false;
  // One column docked at a side, two columns floating, never smaller than one swatch.
  SetVertSize(BarSize{27, 360});
  SetFloatSize(BarSize{46, 189});
  SetMinimumSize(BarSize{27, 26});
  for (int i = 0; i < kColorBarSwatches; ++i) {
    auto* swatch = new CColorButton(this, kFirstSwatchId + i, wxSize(kColorBarSwatchSize, kColorBarSwatchSize),
                                    wxString::Format("CBut_%d", i));
    m_swatches[static_cast<size_t>(i)] = swatch;
    swatch->SetColorBarMode(this);
    swatch->SetColor(static_cast<uint32_t>(theSettings.ColorBarColors[i]));
    swatch->SetToolTip(wxString::FromUTF8(SlotName(i)));
    // The frame's status bar names the colour under the pointer.
    swatch->Bind(wxEVT_ENTER_WINDOW, [this, i](wxMouseEvent& event) {
      event.Skip();
      if (auto* frame = dynamic_cast<wxFrame*>(wxGetTopLevelParent(this)))
        if (frame->GetStatusBar()) frame->SetStatusText(wxString::FromUTF8(GetButtonPrompt(kFirstSwatchId + i)));
    });
  }
  // The button carries the command's id, so it follows the command's enable rule.
  m_more = new wxButton(this, ToWxId(kMoreCommand), wxString::FromUTF8(LoadResString(kStringColorMore)),
                        wxDefaultPosition, wxSize(36, 16), wxBU_EXACTFIT);
  m_more->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    wxCommandEvent command(wxEVT_MENU, ToWxId(kMoreCommand));
    command.SetEventObject(this);
    if (wxWindow* top = wxGetTopLevelParent(this)) top->GetEventHandler()->ProcessEvent(command);
  });
  m_tipsReady = true;
  Bind(wxEVT_SIZE, &CColorBar::OnSize, this);
  Bind(EVT_PLANDOR_COLORBAR_CHANGED, &CColorBar::OnColorBarChanged, this);
  Bind(EVT_PLANDOR_MODEL_CHANGED, [this](CPrivateMessageEvent&) { RefreshButtons(); });
  Bind(EVT_PLANDOR_SETTINGS_CHANGED, [this](CPrivateMessageEvent&) { RefreshButtons(); });
  Layout2();
  return true;
}

std::string CColorBar::SlotName(int slot) const {
  return ColorBarName(GetActiveTableEntries(), theSettings.ColorBarColors[slot]);
}

std::string CColorBar::GetButtonPrompt(int id) const {
  int slot = id - kFirstSwatchId;
  if (slot < 0 || slot >= kColorBarSwatches) return {};
  return SlotName(slot);
}

void CColorBar::RefreshButtons() {
  if (!m_tipsReady) return;
  for (int i = 0; i < kColorBarSwatches; ++i) {
    m_swatches[static_cast<size_t>(i)]->SetToolTip(wxString::FromUTF8(SlotName(i)));
    m_swatches[static_cast<size_t>(i)]->SetColor(static_cast<uint32_t>(theSettings.ColorBarColors[i]));
  }
}

void CColorBar::OnColorBarChanged(CPrivateMessageEvent& event) {
  long slot = event.GetWParam();
  if (!m_tipsReady || slot < 0 || slot >= kColorBarSwatches) return;
  m_swatches[static_cast<size_t>(slot)]->SetToolTip(wxString::FromUTF8(SlotName(static_cast<int>(slot))));
}

bool CColorBar::CanEditColors() const { return m_document && m_document->GetEditMode() == 1; }

void CColorBar::OnSwatchPicked(CColorButton& swatch) {
  if (!m_document) return;
  if (m_document->CountSelectedDrawables() > 0) {
    m_document->SetSelectionColor(swatch.GetColor(), 0);
    return;
  }
  // Nothing to recolour: the colour becomes the one new parts get (kept with the settings at the
  // end of the run, as the bar's slots are).
  theSettings.DefaultColor = swatch.GetColor();
}

void CColorBar::OnSwatchChoose(CColorButton& swatch) {
  int slot = swatch.GetId() - kFirstSwatchId;
  if (slot < 0 || slot >= kColorBarSwatches) return;
  CColorDlg dialog(wxGetTopLevelParent(this));
  dialog.state.colour = static_cast<uint32_t>(theSettings.ColorBarColors[slot]);
  dialog.state.paletteEditable = 0;
  if (dialog.ShowModal() != wxID_OK) return;
  theSettings.ColorBarColors[slot] = static_cast<int32_t>(dialog.state.colour);
  swatch.SetColor(dialog.state.colour);
  wxQueueEvent(this, MakePrivateEvent(msg::kColorBarChanged, slot, 0).Clone());
}

BarSize CColorBar::SnapFloatSize(BarSize wanted) const {
  BarSize now = GetFloatSize();
  if (wanted == now) return wanted;
  int shape = wanted.cy != now.cy ? ColorBarShapeForDrag(wanted.cy, true) : ColorBarShapeForDrag(wanted.cx, false);
  const ColorBarShape& s = ColorBarShapes()[static_cast<size_t>(shape)];
  return BarSize{s.width, s.height};
}

void CColorBar::OnSize(wxSizeEvent& event) {
  event.Skip();
  Layout2();
}

void CColorBar::Layout2() {
  if (!m_more) return;
  wxSize client = GetClientSize();
  ColorBarLayout layout = LayoutColorBar(client.x, client.y);
  for (int i = 0; i < kColorBarSwatches; ++i) {
    const BarRect& r = layout.swatches[static_cast<size_t>(i)];
    m_swatches[static_cast<size_t>(i)]->SetSize(r.x, r.y, r.w, r.h);
  }
  m_more->SetSize(layout.more.x, layout.more.y, layout.more.w, layout.more.h);
  wxString caption = wxString::FromUTF8(LoadResString(kStringColorMore));
  m_more->SetLabel(layout.shortCaption ? caption.Left(1) : caption);
}
