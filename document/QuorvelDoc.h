#pragma once
// The one document of a run: the project with its active model, edit and view mode, the shown
// building step, the undo ring of whole-project snapshots and one renderer per 3-D pane. Every
// file, step and editing command is a member; views learn about changes through the update hint
// word (UpdateHints.h). The document never calls the GUI: it reaches the frame and the dialogs
// through IDocumentHost and message boxes through the prompt.
//
// The members are spread over files by concern: QuorvelDoc.cpp (state and undo ring),
// DocSelection.cpp (selection notifications and mode switches), DocSteps.cpp (steps and
// navigation), DocFile.cpp (file and multipart commands), DocRender.cpp (the render road),
// DocInsert.cpp (adding elements, Paste and Modify), DocColor.cpp (recolouring), DocEdit*.cpp
// (the other selection and editing commands).
#include <array>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "document/DocumentHost.h"
#include "document/DocumentPorts.h"
#include "document/EditBaseRecord.h"
#include "document/ScenePicture.h"
#include "document/UpdateHints.h"
#include "model/LibraryContext.h"
#include "model/MpdFile.h"
#include "model/QvPart.h"
#include "render/C3DStub.h"
#include "render/PickId.h"

class CArrayTextHandler;
class CColorTable;
class CQvFile;

// The keys that change how a click selects. The caller reads them; the document has no keyboard.
struct SelectKeys {
  bool ctrlOrShift = false;
  bool tab = false;
};

// The Insert menu's element commands.
enum class InsertCommand { Step, Comment, RotStep, RotStepEnd, Background, Clear, BufExchg, Bfc, Line, Triangle, Quad, CondLine };

// Where a part dropped into a 3-D pane would lie: its extent under the pane's view matrix.
struct DropOutline {
  double left = 0, top = 0, right = 0, bottom = 0;
};

class CQuorvelDoc {
 public:
  static constexpr int kUndoSlots = 11;

  explicit CQuorvelDoc(const CLibraryContext& library = ProgramLibrary());
  virtual ~CQuorvelDoc();
  CQuorvelDoc(const CQuorvelDoc&) = delete;
  CQuorvelDoc& operator=(const CQuorvelDoc&) = delete;

  // --- the program around the document (QuorvelDoc.cpp) ---
  // null restores the null host (no frame, every dialog cancelled).
  void SetHost(IDocumentHost* host);
  IDocumentHost& Host() const { return *m_host; }
  const CLibraryContext& Library() const { return m_library; }
  void AddObserver(IDocObserver* observer);
  void RemoveObserver(IDocObserver* observer);
  // Tells every observer, in registration order.
  void UpdateAllViews(uint32_t hint);
  void SendModelChanged() { m_host->SendPrivateMessage(WM_MODEL_CHANGED, 0, 0); }

  // --- the dialogs and outside programs of the coming commands (DocPorts.cpp) ---
  // null restores the ports that offer nothing.
  void SetPorts(IDocumentPorts* ports);
  IDocumentPorts& Ports() const { return *m_ports; }
  // Enable rules: the document state the command needs, and its dialog offered.
  bool CanChooseColor() const;     // Colour...: drawable elements selected
  bool CanSort() const;            // Sort...: edit mode and part references in the model
  bool CanEnterByKeyboard() const; // Keyboard Entry...: edit mode and drawable elements selected
  bool CanExport() const;          // Export...: drawable elements in the model
  // Runs an outside program under a progress window with Cancel (when one can be shown).
  PortResult RunOutsideProgram(const ProgramRun& run, const std::string& title, ProgramResult& result);
  // Export...: the export sheet (its stored options, every model selected), then the session.
  // 1 when the session completed.
  int OnFileExport();
  ExportChoice MakeExportChoice() const;

  // --- the LSynth menu (DocLSynth.cpp) ---
  bool CanAddLSynthCommand() const;  // LSynth there and edit mode
  bool CanRunLSynth() const;         // LSynth there and the model's LSynth blocks well formed
  bool CanHideLSynthParts() const;   // the model's LSynth blocks well formed
  int OnAddLSynthCommand();
  // mode: 3 hide all, 1 the definitions, 2 the synthesized parts, 0 show all.
  int OnHideLSynthParts(int mode);
  // Runs LSynth on the whole project and takes its output as the project; 1 when taken.
  int OnRunLSynth();

  // --- state, modified flag and undo ring (QuorvelDoc.cpp) ---
  // Modified means the present state is not the one last saved or loaded: the ring position the
  // file was saved at differs from the current one, or the ring no longer holds that state.
  bool IsModified() const { return m_savedPosition != m_undoCurrent; }
  // What every change and every save call. Nonzero: a change happened, so the ring is trimmed and
  // a snapshot of the project pushed (PushUndoSnapshot). 0: the present state was written to the
  // file (MarkSaved).
  void SetModifiedFlag(int flag = 1);
  void PushUndoSnapshot();
  // The present state equals the file from now on; MarkUnsaved: the file holds no state the ring
  // can reach (a load that changed what it read).
  void MarkSaved() { m_savedPosition = m_undoCurrent; }
  void MarkUnsaved() { m_savedPosition = kSavedStateGone; }
  void TrimUndoRing(int reset);
  int OnNewDocument();
  void OnCloseDocument();
  void OnEditUndo();
  bool CanUndo() const { return m_undoCurrent > 0; }
  int GetUndoCount() const { return m_undoCount; }
  int GetUndoCurrent() const { return m_undoCurrent; }
  const CArrayTextHandler* GetUndoSnapshot(int i) const;

  const std::string& GetTitle() const { return m_title; }
  void SetTitle(const std::string& title) { m_title = title; }
  const std::string& GetPathName() const { return m_pathName; }
  // Sets the path and, with addToRecent, puts it on the recent-file list.
  void SetPathName(const std::string& path, bool addToRecent = true);

  CMpdFile& GetProject() { return m_project; }
  const CMpdFile& GetProject() const { return m_project; }
  CQvFile* GetActiveModel() const { return m_activeModel; }
  // Takes the active model from the project again (after anything that can change it).
  void RefreshActiveModel();

  int GetEditMode() const { return m_editMode; }
  int GetEditSubMode() const { return m_editSubMode; }
  int GetShownStep() const { return m_shownStep; }
  int GetPreviousDrawnStep() const { return m_prevDrawnStep; }
  int GetMultipartState() const { return m_multipartState; }
  bool AreStepUpdatesBlocked() const { return m_stepUpdatesBlocked != 0; }

  int GetStepCount(int withExtra) const;
  CColorTable* GetColorTable() const;
  bool IsModelEmpty() const;
  int32_t CountSelectedDrawables() const;
  int GetElementExtent(int32_t i, CVector3& min, CVector3& max, const CMatrix3& placement) const;
  int32_t FindElementIndex(PickId pickId) const;

  // --- selection notifications and mode switches (DocSelection.cpp) ---
  int SelectElement(int32_t index, int listFlag, SelectKeys keys);
  void FlushDeferredRedraw();
  void SelectFromList(int32_t index, SelectKeys keys);
  void DeselectFromList(int32_t index, int flag);
  int BuildSelection(int kind, int32_t index);
  void OnViewMode();
  void SetEditMode(int subMode);

  // --- steps and navigation (DocSteps.cpp) ---
  void SetPrintMode(int enter);
  void ActivateModel(int index);
  void SetStep(int n);
  int NextStep();
  void OnFirst();
  void OnPrevious();
  void OnNext();
  void OnLast();
  void OnFastBackward();
  void OnFastForward();
  void OnAutosteps();
  // Enable rules of the step commands, from the document state.
  bool CanGoForward() const;   // Next and Last
  bool CanGoBack() const;      // Previous and First
  bool CanFastForward() const;
  bool CanFastBackward() const;

  // --- file and multipart commands (DocFile.cpp) ---
  // Open asks the save question, then for a file; 1 when a file was loaded.
  int OnFileOpen();
  // Opens path without the save question (recent files, command line, dropped files after the
  // caller's SaveModified; Revert). false, with the document as it was, when it could not be
  // opened or read.
  bool OnOpenDocument(const std::string& path);
  // Reads the project from the stream; name is the file's path: messages name it and sub-files
  // are looked for in its folder. With replace, a failed read brings the previous project back.
  int LoadFromFile(std::FILE* stream, int replace, const std::string& name);
  // 1 when written; 0 when cancelled or failed (the document then stays modified).
  int SaveProject(int ask);
  int OnFileSave() { return SaveProject(0); }
  int OnFileSaveAs() { return SaveProject(1); }
  void OnFileRevert();
  // The save question: false means stop (Cancel, or the save failed).
  bool SaveModified();
  // File New: the save question, then a new document.
  int OnFileNew();
  void OnNewModel();
  void OnActivateModel();
  void OnChangeModelInfo();
  void OnImportModel();
  void OnRemoveModel();
  void OnModelSequence();
  void OnExportModels();
  std::vector<std::string> GetModelNames() const;
  // index counted from 0, as the line list's model box lists the models.
  void SelectActiveModel(int index);
  // Enable rules of the file and multipart commands (New, Open and Save As are always enabled).
  bool CanSave() const { return IsModified(); }
  bool CanRevert() const { return IsModified() && !m_pathName.empty(); }
  bool CanAddModel() const { return m_editMode == 1 && m_editSubMode == 0; }  // New and Import Model
  bool CanActivateModel() const { return m_project.GetModelCount() > 1; }
  // Change Model Info, Remove Model, Model Sequence and Export Models.
  bool CanEditModels() const { return CanActivateModel() && CanAddModel(); }

  // --- render road (DocRender.cpp) ---
  // 1 when drawn; 0 when the renderer could not be reset (logged; the caller reports it) or the
  // size rounds down to nothing. Never ends the program.
  int Create3DStub(ScenePicture& picture, const RenderRequest& request);
  // The same for a renderer and edit-base record kept apart (a renderer of a derived class).
  int Create3DStub(C3DStub& renderer, std::optional<EditBaseRecord>& editBase, const RenderRequest& request);
  // The two halves of Create3DStub, for owners that draw several pictures at once: the shared
  // work that changes the document's caches (once, on one thread), then the drawing itself, which
  // only reads the document and the library and may run for different pictures at the same time.
  void PrepareSceneDrawing();
  int DrawScene(ScenePicture& picture, const RenderRequest& request) const;
  int DrawScene(C3DStub& renderer, std::optional<EditBaseRecord>& editBase, const RenderRequest& request) const;
  // After elements were added as the selection: announces them once (HINT_APPENDED when they
  // follow every other element in edit mode, else a full update).
  void DrawChangedIntoPanes();
  // Draws the appended selection over the picture's frame (seen under the view matrix) and keeps
  // the result as the frame to draw the selection over; false when the picture must be drawn
  // again instead.
  bool DrawAppended(ScenePicture& picture, const double viewMatrix[9]) const;
  bool DrawAppended(C3DStub& renderer, std::optional<EditBaseRecord>& editBase, const double viewMatrix[9]) const;

  // --- adding elements (DocInsert.cpp) ---
  // Each returns 1 when the model changed, 0 when nothing was added. Nothing that would make a
  // model place itself (directly or through other models) is ever added: it is refused with a
  // message before any undo snapshot is taken.
  int InsertElement(std::unique_ptr<CQvPart> element);
  int AddPartFromList(uint32_t partHandle, int32_t insertIndex, double x, double y, double z, int usePrevious,
                      double axisX, double axisY, double axisZ);
  int AddPartByName(const std::string& name);
  // The Add Part command: the part chooser (through the element editor), then the chosen part and
  // a second snapshot. AddChosenPart is the same for a chooser the caller ran (a typed name wins).
  int OnAddPart();
  int AddChosenPart(uint32_t partHandle, const std::string& typedName);
  // Paste (Ctrl+V) from the copy buffer after the last selected element.
  int OnEditPaste();
  // The copy-drop of a 3-D view: the selection copied, pasted and moved by the vector.
  int CopyAndMoveSelection(double x, double y, double z);
  // Modify (Ctrl+M, a double click in the line list): the edit dialog of the one selected element
  // or group.
  int EditSelectedElement();
  // Enable rules: Paste, Modify, and the commands that add elements.
  bool CanPaste() const;
  bool CanModify() const;
  bool CanAddElements() const { return m_editMode == 1 && m_editSubMode == 0; }
  // The Insert menu (DocInsertCommands.cpp): a new element, through its dialog where it has one.
  // A command whose dialog the element editor does not offer is disabled.
  int OnInsert(InsertCommand what);
  bool CanInsert(InsertCommand what) const;
  // The outline of a part about to be dropped and the matrix it will get; 0 for an unknown handle.
  int MeasureDropPart(uint32_t partHandle, const double viewMatrix[9], DropOutline& outline, CMatrix3& matrix);

  // --- generated models (DocGenerate.cpp) ---
  // kind 0 appends the model's elements to the active model, 1 puts them into a new model of the
  // project, 2 into a new untitled project. 1 when they were added.
  int InsertGeneratedModel(int kind, CQvFile& model, const std::string& name);
  // The save question, then a new untitled project of one empty model for a generator to build in;
  // 0 when the user cancelled. Undo goes back to the previous project with its path and title.
  int NewProjectForGenerator();
  void EndGeneratorProject(bool accepted);

  // --- recolouring (DocColor.cpp) ---
  // Gives every selected element the colour (the colour bar, Colour...); tableChanged: the colour
  // table changed as well, so everything is redrawn.
  int SetSelectionColor(uint32_t color, int tableChanged);
  // Colour...: the colour dialog on the colour of the one selected element (else 0), then the
  // selection recoloured; 1 when it was. A colour table the dialog replaced redraws everything,
  // even after Cancel.
  int OnEditColor();

  // --- selection and editing commands (DocEditClipboard.cpp, DocEditTransform.cpp, DocEditFlags.cpp) ---
  // Each returns 1 when it did something. A change pushes one snapshot and sends its hint; a
  // command whose dialog is not offered is disabled by its rule, never run as a silent Cancel.
  bool HasSelection() const;
  bool CanPasteAny() const;  // the copy buffer, or text on the desktop clipboard
  int OnEditCopy();
  int OnEditCut();
  int OnEditErase();
  int OnEditDuplicate();
  // Paste, taking LDraw lines another program put on the desktop clipboard into the copy buffer
  // first.
  int OnEditPasteAny();
  bool CanSnapToGrid() const;
  int OnSnapToGrid();
  // Edit mode and drawable elements selected: the moves and turns by the grid.
  bool CanMoveByGrid() const;
  // command: 32792-32797 (X ->, <- X, Y ->, <- Y, Z ->, <- Z); one grid step of the current grid.
  int MoveByGrid(int command);
  // command: 32816-32821; the angle of the current grid about the rotation centre.
  int RotateByGrid(int command);
  int OnKeyboardEntry();
  int OnChooseColor();
  int OnSort();
  // The drop of a selection moved with the mouse: a model-space vector.
  int MoveSelection(double x, double y, double z);
  // Lines dropped in the line list go before the list index.
  int MoveSelectedLines(int32_t index);
  // The drop of a selection handle: with copy the selection is copied and pasted first; then the
  // vertex (0-based) of a single selected element moves by the vector.
  int DragHandle(int vertex, double x, double y, double z, int copy);
  bool CanHide() const;
  bool CanUnhide() const;
  bool CanUnhideAll() const;
  bool CanGhost() const;
  bool CanUnghost() const;
  bool CanGroup() const;
  bool CanUngroup() const;
  int OnHide();
  int OnUnhide();
  int OnUnhideAll();
  int OnGhost();
  int OnUnghost();
  int OnGroup();
  int OnUngroup();
  bool CanSelectAll() const;
  bool CanSelectSameType() const;
  bool CanSelectSameColor() const;
  int OnSelectAll();
  int OnSelectSameType();
  int OnSelectSameColor();
  bool CanChangeEditSettings() const { return m_editMode == 1; }  // grid presets
  void SetGridType(int type);
  bool CanEditRotationPoint() const;
  int OnEditRotationPoint();
  bool CanToggleDrawToSelection() const { return m_editMode == 1 && m_editSubMode == 0; }
  void OnToggleDrawToSelection();
  bool CanRefresh() const { return CountSelectedDrawables() > 0; }
  void OnRefresh();
  void OnTogglePaneCoordinates();

  // --- reports and library maintenance (DocReports.cpp) ---
  bool CanReportParts() const;   // Parts..., Save Parts List...: part references in the model
  bool CanMeasure() const;       // Dimensions...: drawable elements in the model
  bool CanListComments() const;  // Comments...: any element in the model
  // The active model's size along x, y and z in LDraw units, ghosts included; 0 without extent.
  int GetModelDimensions(double size[3]) const;
  // Scan Parts: the save question, a scan of the library's parts, the offer to write Parts.lst,
  // then a new part list and an empty document. 0 when stopped before anything changed.
  int OnScanParts();
  void OnFileCacheFlush();
  // The save question, then an empty document and an empty part-file cache.
  int OnFileCacheReset();

 private:
  friend class CDocTestAccess;

  void ResetToEmptyProject();
  // The two halves of the render road (DocRender.cpp).
  int DrawEditMode(C3DStub& renderer, std::optional<EditBaseRecord>& editBase, int width, int height,
                   const int offset[2], const CMatrix3& view, int reRender, double zoom) const;
  int DrawViewMode(C3DStub& renderer, std::optional<EditBaseRecord>& editBase, int width, int height,
                   const CMatrix3& view, int reRender, int rotating, int perspective) const;
  bool CanDrawOverBase(const C3DStub& renderer, const std::optional<EditBaseRecord>& editBase, const CQvFile& model,
                       const EditBaseRecord& wanted) const;
  bool CanDrawAppended() const;
  bool DrawOverBase(C3DStub& renderer, std::optional<EditBaseRecord>& editBase, CQvFile& model) const;
  // LoadFromFile's work; a non-empty singleName renames a single model before its snapshot.
  int LoadProject(std::FILE* stream, int replace, const std::string& name, const std::string& singleName);
  // Opens, checks and reads the file at path with the save-free part of Open: title and path on
  // success; the previous document, and a message, on failure.
  bool ReadProjectFile(const std::string& path);
  // The shown step and the previously drawn one after another model became active.
  void ResetStepsForModel();
  // The end of a part scan and of a cache reset: the part-list holders warned, a new document,
  // the cache emptied and, for a scan, the part list read again.
  void ReplaceLibraryState(bool reloadPartList);

  CLibraryContext m_library;
  IDocumentHost* m_host;
  IDocumentPorts* m_ports;
  std::vector<IDocObserver*> m_observers;
  std::string m_title = "Untitled";
  std::string m_pathName;

  int m_multipartState = 0;
  int m_editSubMode = 0;
  int m_prevDrawnStep = -1;
  int m_shownStep = -1;
  int m_editMode = 0;
  CMpdFile m_project;
  CQvFile* m_activeModel = nullptr;
  std::array<std::unique_ptr<CArrayTextHandler>, kUndoSlots> m_undo;
  int m_undoCount = 0;
  int m_undoCurrent = -1;
  // The ring position of the saved state; equal to m_undoCurrent when unmodified. kSavedStateGone
  // once the ring dropped that snapshot or the present state never had one.
  static constexpr int kSavedStateGone = -2;
  int m_savedPosition = -1;
  // Which project each snapshot belongs to: a generator's new project is a project of its own,
  // and Undo back into an older one takes that one's path, title and multipart state again.
  struct ProjectIdentity {
    std::string title, pathName;
    int multipartState = 0;  // how the file was read, which decides whether Save must ask
  };
  std::array<int, kUndoSlots> m_undoProject{};
  int m_projectSerial = 0;
  int m_lastProjectSerial = 0;
  std::map<int, ProjectIdentity> m_projectIdentity;
  // Empties the project to one empty model named after the title (DocGenerate.cpp).
  void ResetGeneratorState();
  int m_deferredRedraw = 0;
  int m_stepUpdatesBlocked = 0;
  // What print mode goes back to (one document per run, so one set per process).
  struct PrintSaved {
    int editMode = 1;
    int shownStep = -1;
    int prevDrawnStep = -1;
  } m_printSaved;
  int m_printDepth = 0;  // enters of print mode not yet left
};
