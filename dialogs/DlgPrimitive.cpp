#include "dialogs/DlgPrimitive.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>
#include <utility>

#include "dialogs/EditCheckCtrl.h"

namespace {
constexpr int kDialogId = 185;
constexpr int kFirstFieldId = 1100;  // vertex v, axis a: kFirstFieldId + 3 v + a
constexpr int kSwapId = 1120;
constexpr int kConditionalLine = 5;

void SwapRows(PrimitiveEdit& d, int a, int b) {
  std::swap(d.x[a], d.x[b]);
  std::swap(d.y[a], d.y[b]);
  std::swap(d.z[a], d.z[b]);
}
}  // namespace

int PrimitiveRows(int vertexCount) { return std::clamp(vertexCount == kConditionalLine ? 4 : vertexCount, 2, 4); }

void SwapVertices(PrimitiveEdit& data) {
  switch (data.vertexCount) {
    case 2:
      SwapRows(data, 0, 1);
      break;
    case 3:
      SwapRows(data, 0, 2);
      break;
    case 4:
      SwapRows(data, 0, 3);
      SwapRows(data, 1, 2);
      break;
    default:
      break;
  }
}

CDlgPrimitive::CDlgPrimitive(wxWindow* parent, const PrimitiveEdit& data)
    : wxDialog(parent, kDialogId, data.caption.empty() ? wxString("Primitive") : wxString::FromUTF8(data.caption),
               wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE, "DlgPrimitive"),
      m_data(data) {
  const int rows = PrimitiveRows(m_data.vertexCount);
  auto* grid = new wxFlexGridSizer(4, 4, 6);
  grid->AddSpacer(0);
  for (const char* axis : {"X", "Y", "Z"}) grid->Add(new wxStaticText(this, wxID_ANY, axis), 0, wxALIGN_CENTER);
  for (int v = 0; v < rows; ++v) {
    grid->Add(new wxStaticText(this, wxID_ANY, wxString::Format("Vertex %d:", v + 1)), 0, wxALIGN_CENTER_VERTICAL);
    for (int a = 0; a < 3; ++a) {
      m_fields[v][a] = new CEditCheckCtrl(this, kFirstFieldId + 3 * v + a, NumberFieldType::Real, wxSize(90, -1),
                                          wxString::Format("V%d%c", v + 1, "XYZ"[a]));
      grid->Add(m_fields[v][a]);
    }
  }
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(grid, 0, wxALL, 10);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  if (m_data.vertexCount <= 4) {
    m_swap = new wxButton(this, kSwapId, "&Swap", wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "Swap");
    m_swap->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnSwap(); });
    buttons->Add(m_swap, 0, wxRIGHT, 20);
  }
  buttons->AddStretchSpacer();
  buttons->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL));
  top->Add(buttons, 0, wxALL | wxEXPAND, 10);
  SetSizerAndFit(top);
  CentreOnParent();
}

bool CDlgPrimitive::TransferDataToWindow() {
  for (int v = 0; v < 4; ++v) {
    if (!m_fields[v][0]) continue;
    m_fields[v][0]->SetFloat(m_data.x[v]);
    m_fields[v][1]->SetFloat(m_data.y[v]);
    m_fields[v][2]->SetFloat(m_data.z[v]);
  }
  return true;
}

bool CDlgPrimitive::TransferDataFromWindow() {
  PrimitiveEdit read = m_data;
  for (int v = 0; v < 4; ++v) {
    if (!m_fields[v][0]) continue;
    if (!m_fields[v][0]->ReadFloat(read.x[v]) || !m_fields[v][1]->ReadFloat(read.y[v]) ||
        !m_fields[v][2]->ReadFloat(read.z[v]))
      return false;
  }
  m_data = read;
  return true;
}

void CDlgPrimitive::OnSwap() {
  if (!TransferDataFromWindow()) return;
  SwapVertices(m_data);
  TransferDataToWindow();
}
