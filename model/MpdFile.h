#pragma once
// The project: an ordered list of models of which one is current. One model is read and written as
// a plain LDraw model; several as a multi-part file, each model in a section opened by "0 FILE name"
// and the whole closed by one more "0". With two or more models every model is registered in the
// part list and the file cache as a document model, so that models place each other by name.
//
// Undo snapshots are the project written into an in-memory line array, preceded by the index of the
// current model, and read back by the same code that reads files.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CArrayTextHandler;
class CQvFile;
class CQvPart;
class CTextHandler;

// The dialogs the project opens; the GUI installs the real ones, tests scripted ones. Without any,
// every dialog counts as cancelled.
class IModelDialogs {
 public:
  virtual ~IModelDialogs() = default;
  // The chosen model counted from 1; 0 for Cancel. current is the 1-based preselection.
  virtual int ChooseModel(const std::vector<std::string>& names, int current) = 0;
  // OK fills permutation: new position i holds the model that was at permutation[i].
  virtual bool EditSequence(const std::vector<std::string>& names, std::vector<size_t>& permutation) = 0;
  virtual bool EditInfo(std::string& name, std::string& description) = 0;
};
void SetModelDialogs(IModelDialogs* dialogs);

class CMpdFile {
 public:
  // empty = false starts with one empty current model.
  explicit CMpdFile(bool empty = false);
  virtual ~CMpdFile();
  CMpdFile(const CMpdFile&) = delete;
  CMpdFile& operator=(const CMpdFile&) = delete;

  // With clearCopyBuffer the copy buffer is emptied and the document models unregistered first.
  void RemoveAll(int clearCopyBuffer);

  CQvFile* GetCurrentFile() const { return m_current; }
  CQvPart* GetSelectedItem(int32_t i) const;
  int32_t GetSelectedIndex(int32_t i) const;
  int32_t GetSelectionCount() const;
  // Into the current model with the defaults of the insertion point; the list index.
  size_t Insert(std::unique_ptr<CQvPart> element, int32_t position);
  int MoveSelectedBefore(int32_t index);
  int IsMultiPart() const { return m_models.size() >= 2 ? 1 : 0; }
  size_t GetModelCount() const { return m_models.size(); }
  int GetCurrentIndex() const;
  // With fewer than two models the current model whatever i is; else model i or null.
  CQvFile* GetModel(size_t i) const;
  std::vector<std::string> GetModelNames() const;
  // Pages or pictures of all models: each model's steps, one more for a model with steps when the
  // setting APVT is on, and with even set one more whenever the running count is odd.
  int32_t CountAllSteps(int even) const;
  int HasRecursion() const;
  int IsModelReferenced(size_t index) const;
  void ReleaseReferencesTo(size_t index);

  // A name a user typed gets ".ldr" unless it ends in ".ldr" or ".dat".
  int AddModel(const std::string* name, const std::string* description);
  // n counted from 1; 0 asks the user.
  int RemoveModel(int n);
  int ActivateModel(int n);
  int EditModelSequence();
  // Puts the models in the given order (see IModelDialogs::EditSequence); 0 for a bad permutation.
  int Reorder(const std::vector<size_t>& permutation);
  int ChangeModelInfo();
  // Renames the current model (".ldr" added as for typed names) and sets its description.
  int SetModelInfo(const std::string& name, const std::string& description);
  int UpgradeParts();
  void RegisterModels();

  int WriteTo(CTextHandler& out, const std::string& name);
  int ScanFileNames(CTextHandler& in);
  int LoadFromText(CTextHandler& in, const std::string& name);
  int Transfer(CTextHandler& handler, int load, const std::string& name);
  int ImportModel(const std::string& path, const std::string& name);
  void ExportModels(const std::string& folder);
  // The file name a model is exported under inside the folder: never absolute, never "..", '\'
  // and '/' flattened; empty when nothing usable is left.
  static std::string SafeExportName(const std::string& modelName);

  std::unique_ptr<CArrayTextHandler> SaveUndo();
  void LoadUndo(CTextHandler* snapshot);

  // A read that replaces the project keeps the project it replaces until the read is over, for
  // the undo snapshot (SaveUndo) that brings it back when the read fails: an open that succeeds
  // never writes it. Set aside, the old project is in no registry and its references hold no
  // sub-file, so that the read finds what it would find with the old project gone (RemoveAll);
  // this project is left without models. Destroying the old project touches no registry.
  std::unique_ptr<CMpdFile> SetAside();

  // The folder in which reading the project (a file or an undo snapshot) looks for sub-files that
  // sit beside the model; never the process's current folder. Empty: only the library.
  void SetModelFolder(const std::string& folder) { m_modelFolder = folder; }
  const std::string& GetModelFolder() const { return m_modelFolder; }

  // Drops the references that close a cycle of models placing each other; the number dropped.
  size_t BreakCycles();
  // The bad lines of the last LoadFromText.
  uint32_t GetLineErrorCount() const { return m_lineErrors; }

 private:
  // A new empty model at the end, made current; not registered.
  CQvFile* AppendModel();
  void ReleaseAllReferences();

  std::vector<std::unique_ptr<CQvFile>> m_models;
  CQvFile* m_current = nullptr;
  uint32_t m_lineErrors = 0;
  std::string m_modelFolder;
  bool m_setAside = false;  // see SetAside
};
