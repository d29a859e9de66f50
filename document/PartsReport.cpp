#include "document/PartsReport.h"

#include <algorithm>
#include <cstdio>

#include "config/ColorEntry.h"
#include "config/PartList.h"
#include "model/MpdFile.h"
#include "model/QvFile.h"
#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {

// The fixed-width form of each column, by column id.
std::string FixedCell(int column, const std::string& text) {
  static const char* const kFormats[7] = {"%s", "%10s", "%5s ", "%5s ", "%-10s ", "%-12s ", "%s"};
  const int width = std::snprintf(nullptr, 0, kFormats[column], text.c_str());
  std::string out(static_cast<size_t>(width < 0 ? 0 : width) + 1, '\0');
  std::snprintf(out.data(), out.size(), kFormats[column], text.c_str());
  out.pop_back();
  return out;
}

std::vector<std::string> SplitNames() {
  std::string names = LoadResString(kStringReportColumns);
  if (names.empty()) names = "Model|Step|No.|Color|Part no.|Part name";
  std::vector<std::string> out;
  size_t start = 0;
  for (size_t bar; (bar = names.find('|', start)) != std::string::npos; start = bar + 1)
    out.push_back(names.substr(start, bar - start));
  out.push_back(names.substr(start));
  out.resize(6);
  return out;
}

}  // namespace

int CPartsReport::Mode(const Options& options) {
  return 4 * options.submodels + 2 * options.partsPerStep + (options.ignoreColors ? 0 : 1);
}

std::vector<int> CPartsReport::ColumnsOf(int mode) {
  static const std::vector<int> kColumns[4] = {
      {kCount, kPartNo, kPartName},
      {kCount, kColor, kPartNo, kPartName},
      {kStep, kCount, kPartNo, kPartName},
      {kStep, kCount, kColor, kPartNo, kPartName},
  };
  std::vector<int> columns = kColumns[mode & 3];
  if (mode >= 4) columns.insert(columns.begin(), kModel);
  return columns;
}

const char* CPartsReport::ColumnName(int column) {
  static const std::vector<std::string> names = SplitNames();
  return column >= 1 && column <= 6 ? names[static_cast<size_t>(column - 1)].c_str() : "";
}

void CPartsReport::Fill(const CMpdFile& project, const Options& options, const ColorEntry* colors) {
  m_rows.clear();
  m_total = 0;
  m_mode = Mode(options);
  m_columns = ColumnsOf(m_mode);
  m_mergeColors = options.ignoreColors;
  std::vector<const CQvFile*> models;
  if (options.submodels) {
    for (size_t i = 0; i < project.GetModelCount(); ++i)
      if (const CQvFile* model = project.GetModel(i)) models.push_back(model);
  } else if (const CQvFile* active = project.GetCurrentFile()) {
    models.push_back(active);
  }
  for (const CQvFile* model : models) {
    if (!options.partsPerStep) {
      AddRows(*model, 0, colors);
      continue;
    }
    const int32_t steps = model->CountSteps();
    for (int32_t i = 1; i <= steps; ++i) AddRows(*model, i, colors);
  }
}

void CPartsReport::AddRows(const CQvFile& model, int32_t step, const ColorEntry* colors) {
  if (step > 0)
    model.CollectPartUsage(step, step - 1, m_mergeColors);
  else
    model.CollectPartUsage(-1, 0, m_mergeColors);
  const std::string description = model.GetDescription();
  uint32_t it = 0, count = 0, colour = 0;
  PartHandle handle = 0;
  while (thePartList.NextUsage(it, handle, count, colour)) {
    if (count == 0) continue;
    Row row;
    row.order = m_rows.size();
    row.cells[kModel] = description;
    row.cells[kStep] = FormatU32(static_cast<uint32_t>(step));
    row.cells[kCount] = FormatU32(count);
    row.cells[kColor] = colour < 512 && colors ? std::string(colors[colour].name) : std::string("Custom");
    const char* file = thePartList.GetFileName(handle);
    const char* name = thePartList.GetDescription(handle);
    row.cells[kPartNo] = file ? file : "UNKNOWN";
    row.cells[kPartName] = file && name ? name : "Unknown part";
    m_total += count;
    m_rows.push_back(std::move(row));
  }
  thePartList.ResetUsage();
}

void CPartsReport::SortBy(int column) {
  if (column < 1 || column > 6) return;
  std::stable_sort(m_rows.begin(), m_rows.end(), [column](const Row& a, const Row& b) {
    const std::string& x = a.cells[static_cast<size_t>(column)];
    const std::string& y = b.cells[static_cast<size_t>(column)];
    // std::string compares chars, which may be signed: compare as unsigned bytes.
    return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(), [](char c, char d) {
      return static_cast<unsigned char>(c) < static_cast<unsigned char>(d);
    });
  });
}

bool CPartsReport::IsTabSeparated(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
  std::string ext = path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return ext == "csv";
}

int CPartsReport::WriteHeader(std::string& out, int mode, bool tabs) {
  const std::vector<int> columns = ColumnsOf(mode & 3);
  for (size_t i = 0; i < columns.size(); ++i) {
    if (tabs)
      out += (i ? "\t" : "") + std::string(ColumnName(columns[i]));
    else
      out += FixedCell(columns[i], ColumnName(columns[i]));
  }
  out += "\n" + std::string(79, '-') + "\n";
  return static_cast<int>(columns.size());
}

void CPartsReport::WriteRow(std::string& out, const Row& row, bool tabs, bool withModel) const {
  bool first = true;
  for (int column : m_columns) {
    if (column == kModel && !withModel) continue;
    const std::string& text = row.cells[static_cast<size_t>(column)];
    if (tabs)
      out += (first ? "" : "\t") + text;
    else
      out += FixedCell(column, text);
    first = false;
  }
  out += "\n";
}

std::string CPartsReport::Format(const CMpdFile& project, bool tabs) const {
  std::string out;
  if (m_mode < 4) {
    WriteHeader(out, m_mode, tabs);
    for (const Row& row : m_rows) WriteRow(out, row, tabs, true);
    return out;
  }
  const std::string caption = LoadResString(kStringModelCaption);
  for (size_t i = 0; i < project.GetModelCount(); ++i) {
    const CQvFile* model = project.GetModel(i);
    if (!model) continue;
    const std::string description = model->GetDescription();
    const std::string name = model->GetName();
    const std::string line = FillTextArgs(caption, {description, name});
    out += line + "\n";
    WriteHeader(out, m_mode, tabs);
    for (const Row& row : m_rows)
      if (row.cells[kModel] == description) WriteRow(out, row, tabs, false);
    out += "\n";
  }
  return out;
}
