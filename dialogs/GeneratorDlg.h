#pragma once
// What the five part generator dialogs share: labelled number, text and check fields (with an
// up-down control where the field has one), the output choice, and the generator file rebuilt from
// the fields whenever one changes. Typing is lenient: a field that does not read as a whole number
// turns red and its numeric prefix counts. OK reads strictly and stays open (with a beep) on a bad
// field or on a parameter set outside the builders' bounds, so no geometry is built from it.
#include <wx/dialog.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "config/Geometry.h"
#include "model/GeneratorFile.h"

class CModelPreview;

class wxFlexGridSizer;
class wxSpinEvent;
class wxTextCtrl;

class CGeneratorDlg : public wxDialog {
 public:
  // 0 "Insert into current file", 1 "New submodel", 2 "New file", 3 the generated-part element.
  int m_output = 3;
  // When cleared before showing (editing an existing generated part), the choice is disabled.
  int m_outputEnabled = 1;
  // After OK: the built geometry, without the measuring grid.
  CGeneratorFile m_file;

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;
  bool IsInitialised() const { return m_initialised; }
  // The preview of the generator file (control 1121), with its measuring grid.
  CModelPreview* GetPreview() const { return m_preview; }

 protected:
  CGeneratorDlg(wxWindow* parent, int dialogId, const wxString& title);

  // What an up-down step does with the proposed value (old value given): the value to store.
  // Returning the old value refuses the change.
  using SpinRule = std::function<double(double proposed, double old)>;
  void AddReal(const wxString& label, int id, double& value, int spinId = 0, double step = 0, SpinRule rule = {});
  void AddInt(const wxString& label, int id, int32_t& value, int spinId = 0, double step = 0, SpinRule rule = {});
  void AddText(const wxString& label, int id, std::string& value);
  void AddCheck(const wxString& label, int id, int32_t& value);
  // A row of two cells placed by the dialog itself (choices, radio groups).
  wxFlexGridSizer* Grid() { return m_grid; }
  // Adds the output choice and the buttons and lays the dialog out; partLabel names choice 3.
  void Finish(const wxString& partLabel);

  // The builder with the current parameters.
  virtual void Build(CGeneratorFile& file) const = 0;
  // The builders' bounds and the dialog's own conditions.
  virtual bool ParamsValid() const = 0;
  // Called on a successful OK, before the dialog closes.
  virtual void Accepted() {}
  // Fields read leniently (strict false) or strictly; false when one is not a whole number.
  bool ReadFields(bool strict);
  void Rebuild();
  // Rebuilds after the dialog's own controls (choices, radio buttons) changed a parameter.
  void OnParamChanged();
  // The orientation the preview opens in; identity unless the dialog sets another before showing.
  void SetPreviewView(const CMatrix3& view) { m_previewView = view; }

 private:
  enum class Kind { Real, Int, Text, Check };
  struct Field {
    Kind kind;
    int id;
    double* real = nullptr;
    int32_t* integer = nullptr;
    std::string* text = nullptr;
    int spinId = 0;
    double step = 0;
    SpinRule rule;
  };
  void AddField(const wxString& label, Field field);
  void WriteField(const Field& f);
  void OnSpin(const Field& f, int direction);
  void OnOk(wxCommandEvent&);

  std::vector<Field> m_fields;
  wxFlexGridSizer* m_grid;
  CModelPreview* m_preview = nullptr;
  CMatrix3 m_previewView = CMatrix3::Identity();
  bool m_initialised = false;
};
