#pragma once
// The minifigure dialog: for each body slot a part list, an angle and a colour, the figure in a
// model preview, and where OK puts it (current file, new submodel, new file). The figure is
// rebuilt on every change; the caller takes its parts after OK.
#include <wx/dialog.h>

#include "model/MinifigCreator.h"

class wxChoice;
class wxRadioBox;
class wxSpinCtrl;
class wxSpinEvent;
class wxStaticText;
class CColorButton;
class CIniFile;
class CModelPreview;

class CMinifigDlg : public wxDialog {
 public:
  enum { kDialogId = 224, kPreview = 1121, kOutputBox = 1407 };

  // Reads the slot lists from the ini file (a closed one keeps the built-in lists, and says so).
  CMinifigDlg(wxWindow* parent, CIniFile& ini);
  ~CMinifigDlg() override;

  CMinifigCreator& GetCreator() { return m_creator; }
  // 0 insert into the current file, 1 new submodel, 2 new file; kept for the run.
  int GetOutputKind() const;
  // The message line: the missing ini file and the parts the library does not have.
  wxString GetMessage() const;

  // What a change of a control does, callable without the mouse: read every control, rebuild the
  // figure, refresh the preview and the message.
  void ReadControlsAndBuild();
  // Takes a colour for the slot (as the colour dialog's OK does) and rebuilds.
  void SetSlotColor(int slot, uint32_t color);
  wxChoice* GetChoice(int slot) const { return m_choices[slot]; }
  wxSpinCtrl* GetAngle(int slot) const { return m_angles[slot]; }

 private:
  void OnColorButton(int slot);
  void OnOK(wxCommandEvent& event);
  void ShowMessage();

  CMinifigCreator m_creator;
  wxString m_iniMessage;
  wxChoice* m_choices[kMinifigSlotCount] = {};
  wxSpinCtrl* m_angles[kMinifigSlotCount] = {};
  CColorButton* m_colors[kMinifigSlotCount] = {};
  CModelPreview* m_preview = nullptr;
  wxRadioBox* m_output = nullptr;
  wxStaticText* m_message = nullptr;
};
