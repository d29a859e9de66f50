#include "dialogs/DimensionsDlg.h"

#include <wx/listctrl.h>
#include <wx/sizer.h>

#include <cmath>

#include "config/StringUtils.h"
#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {
constexpr int kDialogId = 144;
constexpr int kListId = 1069;
constexpr double kLduPerModule = 32;  // 20 LDU a stud, 32 in the 1.27 cm grid of a module
constexpr double kCmPerModule = 1.27;
constexpr double kCmPerInch = 2.54;
}  // namespace

std::string FormatDimension(int row, double v) {
  switch (row) {
    case 0: {
      // Whole modules: 33 LDU need two.
      const double modules = std::floor((v + 31) / kLduPerModule);
      return std::to_string(static_cast<long long>(modules));
    }
    case 1:
      return StrPrintf("%.2f", v / kLduPerModule * kCmPerModule);
    default:
      return StrPrintf("%.2f", v / kLduPerModule * kCmPerModule / kCmPerInch);
  }
}

CDimensionsDlg::CDimensionsDlg(wxWindow* parent, double width, double height, double depth)
    : wxDialog(parent, kDialogId, "Dimensions", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE,
               "DimensionsDlg") {
  // The first column is wider than the others so that "Metric [cm]" shows whole in GTK's font; the
  // list is as wide as its columns and a scroll bar's room, so that Height shows too.
  const int widths[] = {95, 70, 70, 70};
  const int listWidth = widths[0] + widths[1] + widths[2] + widths[3] + 30;
  auto* list = new wxListCtrl(this, kListId, wxDefaultPosition, wxSize(listWidth, 110),
                              wxLC_REPORT | wxLC_SINGLE_SEL, wxDefaultValidator, "Dimensions");
  const std::string columns = LoadResString(kStringDimensionColumns);
  for (int c = 0; c < 4; ++c)
    list->AppendColumn(wxString::FromUTF8(GetSubString(columns, c)), c ? wxLIST_FORMAT_RIGHT : wxLIST_FORMAT_LEFT,
                       widths[c]);
  const char* units[] = {"Module", "Metric [cm]", "Imperial"};
  const double values[] = {width, depth, height};  // the columns' order: width, depth, height
  for (int r = 0; r < 3; ++r) {
    const long item = list->InsertItem(r, units[r]);
    for (int c = 0; c < 3; ++c) list->SetItem(item, c + 1, wxString::FromUTF8(FormatDimension(r, values[c])));
  }
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(list, 1, wxALL | wxEXPAND, 10);
  top->Add(CreateStdDialogButtonSizer(wxOK), 0, wxALL | wxEXPAND, 10);
  SetSizerAndFit(top);
  CentreOnParent();
}
