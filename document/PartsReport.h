#pragma once
// The parts list of a project: which parts, in which colours, how many, per model and per step,
// as rows of text cells, sorted by a column and saved as fixed-width text or tab-separated values.
// The dialog around it only shows the rows and asks for the file name.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CMpdFile;
class CQvFile;
struct ColorEntry;

class CPartsReport {
 public:
  // The columns, numbered as the names in "Model|Step|No.|Color|Part no.|Part name".
  enum Column { kModel = 1, kStep, kCount, kColor, kPartNo, kPartName };

  struct Options {
    bool partsPerStep = false;
    bool ignoreColors = false;
    bool submodels = false;
  };
  struct Row {
    std::array<std::string, 7> cells;  // by column id; [0] unused
    size_t order = 0;                  // position at insertion
  };

  // Mode = 4 x submodels + 2 x parts per step + (1 when colours are kept); picks the columns.
  static int Mode(const Options& options);
  static std::vector<int> ColumnsOf(int mode);
  static const char* ColumnName(int column);

  // Counts the parts of the active model, or of every model, and makes the rows. The colour names
  // come from `colors` (the active colour table).
  void Fill(const CMpdFile& project, const Options& options, const ColorEntry* colors);
  // Sorts the rows by the texts of one column, byte by byte (so "10" comes before "9").
  void SortBy(int column);

  const std::vector<Row>& Rows() const { return m_rows; }
  const std::vector<int>& Columns() const { return m_columns; }
  uint64_t Total() const { return m_total; }
  int GetMode() const { return m_mode; }

  // A file ending in ".csv" (any case) is written tab-separated.
  static bool IsTabSeparated(const std::string& path);
  // The header line of the columns of mode % 4 and its line of dashes; returns the column count.
  static int WriteHeader(std::string& out, int mode, bool tabs);
  // The whole file's text in list order; with submodels one section per model of the project.
  std::string Format(const CMpdFile& project, bool tabs) const;

 private:
  void AddRows(const CQvFile& model, int32_t step, const ColorEntry* colors);
  void WriteRow(std::string& out, const Row& row, bool tabs, bool withModel) const;

  std::vector<Row> m_rows;
  std::vector<int> m_columns;
  uint64_t m_total = 0;
  int m_mode = 1;
  bool m_mergeColors = false;
};
