#pragma once
// What the document needs from the program around it: the main frame's mode switch and its
// private messages, the file and folder choosers, the recent-file list and the small dialogs of
// the file and step commands. The GUI installs an implementation over the main frame; tests
// install a scripted one. Message boxes go through the prompt (platform/Prompt.h).
#include <string>

// A file chooser's request; the filter is "Text|*.a;*.b|Text|*.c||" as the commands give it.
struct FileDialogRequest {
  std::string title;
  std::string filter;
  std::string defaultExtension;  // without the dot; empty for none
  int filterIndex = 1;           // 1-based, as the filter lists them
  std::string initialName;
  std::string initialFolder;
  bool save = false;             // save dialogs ask before overwriting
};

class IDocumentHost {
 public:
  virtual ~IDocumentHost() = default;
  // The frame's window layout for edit mode (1) or view mode (0).
  virtual void SetEditMode(int mode) = 0;
  // Sends (not posts) a private message 0x8000..0x8007 to the registered windows.
  virtual void SendPrivateMessage(unsigned message, long wParam, long lParam) = 0;
  // true with the chosen path on OK.
  virtual bool ChooseFile(const FileDialogRequest& request, std::string& path) = 0;
  virtual bool ChooseFolder(const std::string& title, std::string& folder) = 0;
  virtual void AddToRecentFiles(const std::string& path) = 0;
  // The new-model dialog: name and description, preset; true on OK.
  virtual bool NewModelDialog(std::string& name, std::string& description) = 0;
  // The autosteps dialog: by height or every count parts; true on OK.
  virtual bool AutostepsDialog(int& byHeight, int& count) = 0;
};

// Used when nothing is installed: no frame, every dialog cancelled.
class CNullDocumentHost : public IDocumentHost {
 public:
  void SetEditMode(int) override {}
  void SendPrivateMessage(unsigned, long, long) override {}
  bool ChooseFile(const FileDialogRequest&, std::string&) override { return false; }
  bool ChooseFolder(const std::string&, std::string&) override { return false; }
  void AddToRecentFiles(const std::string&) override {}
  bool NewModelDialog(std::string&, std::string&) override { return false; }
  bool AutostepsDialog(int&, int&) override { return false; }
};

// The private messages the document sends.
constexpr unsigned WM_MODEL_CHANGED = 0x8005;
constexpr unsigned WM_PART_LIST_INVALID = 0x8007;
