#pragma once
// The colour bar: sixteen swatches for the user's favourite colours and a "More" button for the
// colour dialog. A left click recolours the selection (or, with nothing selected, makes the colour
// the default of new parts); a right click chooses another colour for the slot. The slots are the
// settings' ColorBarColors. Edit mode only: in view mode clicks do nothing.
#include <array>
#include <string>

#include "app/SizeableCtrlBar.h"
#include "dialogs/ColorButton.h"

class wxButton;
class CQuorvelDoc;
class CPrivateMessageEvent;

class CColorBar : public CDvSizeableCtrlBar, public IColorBarOwner {
 public:
  static constexpr int kFirstSwatchId = 1064;
  static constexpr int kMoreCommand = 32879;

  CColorBar() = default;
  // The bar's window, its swatches and the button.
  bool Create(wxWindow* parent, int id, const wxString& name, BarSize defaultSize, bool gripper);

  // Every swatch again from the settings and the active colour table.
  void RefreshButtons();
  // The status-bar text of a swatch id: its colour's name; empty for other ids.
  std::string GetButtonPrompt(int id) const;
  CColorButton* GetSwatch(int slot) const { return m_swatches[static_cast<size_t>(slot)]; }
  wxButton* GetMoreButton() const { return m_more; }
  // The document a picked swatch recolours (null: none; the bar then edits nothing).
  void SetDocument(CQuorvelDoc* doc) { m_document = doc; }

  bool CanEditColors() const override;
  void OnSwatchPicked(CColorButton& swatch) override;
  void OnSwatchChoose(CColorButton& swatch) override;

 protected:
  // A resized floating bar takes the shape whose size is nearest the length the user dragged.
  BarSize SnapFloatSize(BarSize wanted) const override;

 private:
  void OnSize(wxSizeEvent& event);
  void Layout2();
  void OnColorBarChanged(CPrivateMessageEvent& event);
  std::string SlotName(int slot) const;

  std::array<CColorButton*, 16> m_swatches{};
  wxButton* m_more = nullptr;
  bool m_tipsReady = false;
  CQuorvelDoc* m_document = nullptr;
};
