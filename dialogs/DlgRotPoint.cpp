#include "dialogs/DlgRotPoint.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "dialogs/EditCheckCtrl.h"

namespace {
constexpr int kDialogId = 218;
constexpr int kFirstChoiceId = 1340;
constexpr int kListId = 1345;
constexpr int kNameId = 1346;
constexpr int kFirstCoordId = 1347;  // x, y, z
constexpr int kMovableId = 1350;
constexpr int kShowId = 1351;
constexpr int kNewId = 1352;
constexpr int kDeleteId = 1353;
}  // namespace

int RotPointChoice(int32_t mode) { return mode >= CDlgRotPoint::kCustomChoice ? CDlgRotPoint::kCustomChoice : mode; }

RotationPoint NewCustomPoint() {
  RotationPoint p;
  p.name = "New Custom";
  p.movable = 1;
  return p;
}

CDlgRotPoint::CDlgRotPoint(wxWindow* parent, const RotationPointEdit& data)
    : wxDialog(parent, kDialogId, "Define Rotation Point", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE,
               "DlgRotPoint"),
      m_data(data) {
  const char* labels[] = {"Part origin", "Part center", "Part rotation point", "World origin [0/0/0]", "Custom point"};
  auto* choices = new wxBoxSizer(wxVERTICAL);
  for (int i = 0; i < 5; ++i) {
    m_choices[i] = new wxRadioButton(this, kFirstChoiceId + i, labels[i], wxDefaultPosition, wxDefaultSize,
                                     i == 0 ? wxRB_GROUP : 0, wxDefaultValidator, wxString::Format("Choice%d", i));
    choices->Add(m_choices[i], 0, wxBOTTOM, 4);
    m_choices[i]->Bind(wxEVT_RADIOBUTTON, [this, i](wxCommandEvent&) { Choose(i); });
  }
  m_list = new wxListBox(this, kListId, wxDefaultPosition, wxSize(200, 120), 0, nullptr, wxLB_SINGLE,
                         wxDefaultValidator, "Points");
  m_name = new wxTextCtrl(this, kNameId, wxEmptyString, wxDefaultPosition, wxSize(200, -1), 0, wxDefaultValidator,
                          "Name");
  m_name->SetMaxLength(static_cast<unsigned long>(CRotationPoints::kMaxNameLength));
  const char* coordNames[] = {"X", "Y", "Z"};
  auto* coords = new wxFlexGridSizer(2, 4, 6);
  coords->Add(new wxStaticText(this, wxID_ANY, "Name:"), 0, wxALIGN_CENTER_VERTICAL);
  coords->Add(m_name);
  for (int i = 0; i < 3; ++i) {
    m_coord[i] = new CEditCheckCtrl(this, kFirstCoordId + i, NumberFieldType::Real, wxSize(90, -1), coordNames[i]);
    coords->Add(new wxStaticText(this, wxID_ANY, wxString(coordNames[i]) + ":"), 0, wxALIGN_CENTER_VERTICAL);
    coords->Add(m_coord[i]);
    m_coord[i]->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
      StoreFields();
      e.Skip();
    });
  }
  m_name->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
    StoreFields();
    e.Skip();
  });
  m_movable = new wxCheckBox(this, kMovableId, "Movable", wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator,
                             "Movable");
  m_movable->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { StoreFields(); });
  m_show = new wxCheckBox(this, kShowId, "Show rotation point", wxDefaultPosition, wxDefaultSize, 0,
                          wxDefaultValidator, "Show");
  m_new = new wxButton(this, kNewId, "&New", wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "New");
  m_delete = new wxButton(this, kDeleteId, "&Delete", wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator,
                          "Delete");
  m_new->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnNew(); });
  m_delete->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnDelete(); });
  m_list->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { SelectPoint(m_list->GetSelection()); });

  auto* right = new wxBoxSizer(wxVERTICAL);
  right->Add(m_list, 1, wxEXPAND | wxBOTTOM, 6);
  right->Add(coords, 0, wxBOTTOM, 6);
  right->Add(m_movable, 0, wxBOTTOM, 6);
  auto* pointButtons = new wxBoxSizer(wxHORIZONTAL);
  pointButtons->Add(m_new, 0, wxRIGHT, 6);
  pointButtons->Add(m_delete);
  right->Add(pointButtons);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(choices, 0, wxRIGHT, 20);
  row->Add(right, 1, wxEXPAND);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(row, 1, wxALL | wxEXPAND, 10);
  top->Add(m_show, 0, wxLEFT | wxRIGHT, 10);
  top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxALL | wxEXPAND, 10);
  SetSizerAndFit(top);
  CentreOnParent();
}

int CDlgRotPoint::Choice() const {
  for (int i = 0; i < 5; ++i)
    if (m_choices[i]->GetValue()) return i;
  return 0;
}

int CDlgRotPoint::Selected() const {
  const int s = m_list->GetSelection();
  return s >= 0 && static_cast<size_t>(s) < m_data.points.size() ? s : -1;
}

bool CDlgRotPoint::TransferDataToWindow() {
  m_list->Clear();
  for (const RotationPoint& p : m_data.points) m_list->Append(wxString::FromUTF8(p.name));
  const int choice = RotPointChoice(m_data.mode);
  for (int i = 0; i < 5; ++i) m_choices[i]->SetValue(i == choice);
  m_show->SetValue(m_data.show != 0);
  const int point = m_data.mode - kCustomChoice;
  if (choice == kCustomChoice && point >= 0 && static_cast<size_t>(point) < m_data.points.size()) {
    m_list->SetSelection(point);
    ShowPoint(point);
  }
  EnableControls();
  return true;
}

void CDlgRotPoint::ShowPoint(int index) {
  if (index < 0 || static_cast<size_t>(index) >= m_data.points.size()) return;
  const RotationPoint& p = m_data.points[static_cast<size_t>(index)];
  m_name->ChangeValue(wxString::FromUTF8(p.name));
  m_coord[0]->SetReal(p.x);
  m_coord[1]->SetReal(p.y);
  m_coord[2]->SetReal(p.z);
  m_movable->SetValue(p.movable != 0);
}

void CDlgRotPoint::EnableControls() {
  const bool custom = Choice() == kCustomChoice;
  m_name->Enable(custom);
  for (auto* c : m_coord) c->Enable(custom);
  m_movable->Enable(custom);
  m_new->Enable(custom);
  m_list->Enable(custom);
  m_delete->Enable(custom && Selected() > 0);
}

void CDlgRotPoint::Choose(int choice) {
  StoreFields();
  for (int i = 0; i < 5; ++i) m_choices[i]->SetValue(i == choice);
  if (choice == kCustomChoice && Selected() < 0) {
    if (m_data.points.empty()) {
      m_data.points.push_back(NewCustomPoint());
      m_list->Append(wxString::FromUTF8(m_data.points.back().name));
    }
    m_list->SetSelection(0);
    ShowPoint(0);
  }
  EnableControls();
}

void CDlgRotPoint::SelectPoint(int index) {
  if (index < 0 || static_cast<size_t>(index) >= m_data.points.size()) index = m_data.points.empty() ? -1 : 0;
  if (index < 0) return;
  m_list->SetSelection(index);
  ShowPoint(index);
  EnableControls();
}

void CDlgRotPoint::StoreFields() {
  const int s = Selected();
  if (s < 0) return;
  RotationPoint& p = m_data.points[static_cast<size_t>(s)];
  // A half-typed coordinate keeps its numeric prefix; OK insists on whole numbers.
  p.x = m_coord[0]->LenientReal();
  p.y = m_coord[1]->LenientReal();
  p.z = m_coord[2]->LenientReal();
  std::string name = m_name->GetValue().utf8_string();
  // The name is written between double quotes, so it can hold none.
  for (char& c : name)
    if (c == '"') c = '\'';
  if (name.size() > CRotationPoints::kMaxNameLength) name.resize(CRotationPoints::kMaxNameLength);
  p.name = name;
  p.movable = m_movable->GetValue() ? 1 : 0;
  if (m_list->GetString(static_cast<unsigned>(s)).utf8_string() != name) {
    m_list->SetString(static_cast<unsigned>(s), wxString::FromUTF8(name));
    m_list->SetSelection(s);
  }
}

void CDlgRotPoint::OnNew() {
  StoreFields();
  m_data.points.push_back(NewCustomPoint());
  m_list->Append(wxString::FromUTF8(m_data.points.back().name));
  SelectPoint(static_cast<int>(m_data.points.size()) - 1);
}

void CDlgRotPoint::OnDelete() {
  // The first point stays, as the disabled button says.
  const int s = Selected();
  if (s <= 0) return;
  m_data.points.erase(m_data.points.begin() + s);
  m_list->Delete(static_cast<unsigned>(s));
  if (m_data.points.empty()) {
    Choose(0);
    return;
  }
  SelectPoint(s < static_cast<int>(m_data.points.size()) ? s : s - 1);
}

bool CDlgRotPoint::TransferDataFromWindow() {
  const int s = Selected();
  if (Choice() == kCustomChoice && s >= 0)
    for (auto* c : m_coord) {
      double v = 0;
      if (!c->ReadReal(v)) return false;
    }
  StoreFields();
  const int choice = Choice();
  if (choice == kCustomChoice) {
    if (s < 0) {
      // Nothing chosen yet: the first point is shown and the dialog stays open.
      SelectPoint(0);
      return false;
    }
    m_data.mode = kCustomChoice + s;
  } else {
    m_data.mode = choice;
  }
  m_data.show = m_show->GetValue() ? 1 : 0;
  return true;
}
