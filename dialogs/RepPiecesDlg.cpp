#include "dialogs/RepPiecesDlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "config/Tracer.h"
#include "document/DocumentHost.h"
#include "model/MpdFile.h"
#include "platform/AtomicFile.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {
constexpr int kDialogId = 143;
constexpr int kListId = 1067;
constexpr int kTotalId = 1068;
constexpr int kPerStepId = 1106;
constexpr int kIgnoreColorsId = 1355;
constexpr int kSaveId = 1356;
constexpr int kSubmodelsId = 1362;

struct ColumnLook {
  wxListColumnFormat align;
  int width;
};
// By column id (1-6).
const ColumnLook kLooks[7] = {{wxLIST_FORMAT_LEFT, 0},   {wxLIST_FORMAT_LEFT, 80},  {wxLIST_FORMAT_RIGHT, 50},
                              {wxLIST_FORMAT_RIGHT, 50}, {wxLIST_FORMAT_LEFT, 60},  {wxLIST_FORMAT_LEFT, 100},
                              {wxLIST_FORMAT_LEFT, 300}};
}  // namespace

CRepPiecesDlg::CRepPiecesDlg(wxWindow* parent, const CMpdFile& project, const ColorEntry* colors,
                             IDocumentHost& host)
    : wxDialog(parent, kDialogId, "Save Parts List Options", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER, "RepPiecesDlg"),
      m_project(project),
      m_colors(colors),
      m_host(host) {
  m_list = new wxListCtrl(this, kListId, wxDefaultPosition, wxSize(660, 300), wxLC_REPORT, wxDefaultValidator,
                          "PartsList");
  m_total = new wxTextCtrl(this, kTotalId, "0", wxDefaultPosition, wxSize(80, -1), wxTE_READONLY | wxTE_RIGHT);
  m_perStep = new wxCheckBox(this, kPerStepId, "Parts per step");
  m_ignoreColors = new wxCheckBox(this, kIgnoreColorsId, "Ignore colors");
  m_submodels = new wxCheckBox(this, kSubmodelsId, "Submodels");
  m_save = new wxButton(this, kSaveId, "Save...");
  auto* cancel = new wxButton(this, wxID_CANCEL, "Cancel");

  auto* options = new wxBoxSizer(wxHORIZONTAL);
  options->Add(new wxStaticText(this, wxID_ANY, "Total number of parts:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
  options->Add(m_total, 0, wxALIGN_CENTER_VERTICAL);
  options->AddStretchSpacer();
  for (wxCheckBox* box : {m_perStep, m_ignoreColors, m_submodels})
    options->Add(box, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 10);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->Add(m_save, 0, wxRIGHT, 5);
  buttons->Add(cancel);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(m_list, 1, wxALL | wxEXPAND, 5);
  top->Add(options, 0, wxLEFT | wxRIGHT | wxEXPAND, 5);
  top->Add(buttons, 0, wxALL | wxALIGN_LEFT, 5);
  SetSizerAndFit(top);

  m_submodels->Enable(project.GetModelCount() > 1);
  for (wxCheckBox* box : {m_perStep, m_ignoreColors, m_submodels})
    box->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { FillList(); });
  m_list->Bind(wxEVT_LIST_COL_CLICK, [this](wxListEvent& event) { SortByListColumn(event.GetColumn()); });
  m_save->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { SaveList(); });
  FillList();
}

void CRepPiecesDlg::FillList() {
  CPartsReport::Options options;
  options.partsPerStep = m_perStep->GetValue();
  options.ignoreColors = m_ignoreColors->GetValue();
  options.submodels = m_submodels->IsEnabled() && m_submodels->GetValue();
  m_report.Fill(m_project, options, m_colors);
  m_list->ClearAll();
  long position = 0;
  for (int column : m_report.Columns())
    m_list->InsertColumn(position++, wxString::FromUTF8(CPartsReport::ColumnName(column)), kLooks[column].align,
                         kLooks[column].width);
  ShowRows();
  m_total->SetValue(wxString::Format("%llu", static_cast<unsigned long long>(m_report.Total())));
  m_save->Enable(m_report.Total() > 0);
}

void CRepPiecesDlg::ShowRows() {
  m_list->DeleteAllItems();
  const auto& columns = m_report.Columns();
  long index = 0;
  for (const CPartsReport::Row& row : m_report.Rows()) {
    const long item = m_list->InsertItem(index++, wxString::FromUTF8(row.cells[static_cast<size_t>(columns[0])]));
    for (size_t c = 1; c < columns.size(); ++c)
      m_list->SetItem(item, static_cast<long>(c), wxString::FromUTF8(row.cells[static_cast<size_t>(columns[c])]));
    m_list->SetItemData(item, static_cast<long>(row.order));
  }
}

void CRepPiecesDlg::SortByListColumn(int position) {
  const auto& columns = m_report.Columns();
  if (position < 0 || static_cast<size_t>(position) >= columns.size()) return;
  m_report.SortBy(columns[static_cast<size_t>(position)]);
  ShowRows();
}

bool CRepPiecesDlg::SaveList() {
  FileDialogRequest request;
  request.title = LoadResString(kStringFileNameColumn);
  request.filter = LoadResString(kStringTextFileFilter);
  request.defaultExtension = "txt";
  request.save = true;
  std::string path;
  if (!m_host.ChooseFile(request, path)) return false;
  const std::string text = m_report.Format(m_project, CPartsReport::IsTabSeparated(path));
  // Written beside the target and renamed over it, so a failed save keeps an older list whole;
  // and a list that could not be written is said to be so.
  CAtomicFile file;
  FILE* stream = file.Open(path);
  if (stream) std::fwrite(text.data(), 1, text.size(), stream);
  if (!stream || !file.Commit()) {
    theTracer.Printf("ERROR: the parts list could not be written to '%s'\n", path.c_str());
    ShowMessage(FillTextArgs(LoadResString(kStringReportSaveFailed), {path}), PromptButtons::Ok,
                PromptIcon::Exclamation);
    return false;
  }
  return true;
}
