#pragma once
// Test stand-ins around the document: a host that records what the document asked of the frame
// and answers its dialogs from queues, and an observer that records the hint words.
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "document/DocumentHost.h"
#include "document/UpdateHints.h"

class CRecordingObserver : public IDocObserver {
 public:
  void OnUpdate(uint32_t hint) override { hints.push_back(hint); }
  std::vector<uint32_t> hints;
};

class CScriptedDocumentHost : public IDocumentHost {
 public:
  void SetEditMode(int mode) override { editModes.push_back(mode); }
  void SendPrivateMessage(unsigned message, long, long) override { messages.push_back(message); }
  // An empty string in the queue (or an empty queue) cancels the dialog.
  bool ChooseFile(const FileDialogRequest& request, std::string& path) override {
    fileRequests.push_back(request);
    return Next(files, path);
  }
  bool ChooseFolder(const std::string&, std::string& folder) override { return Next(folders, folder); }
  void AddToRecentFiles(const std::string& path) override { recent.push_back(path); }
  bool NewModelDialog(std::string& name, std::string& description) override {
    if (newModels.empty()) return false;
    name = newModels.front().first;
    description = newModels.front().second;
    newModels.pop_front();
    return true;
  }
  bool AutostepsDialog(int& byHeight, int& count) override {
    if (autosteps.empty()) return false;
    byHeight = autosteps.front().first;
    count = autosteps.front().second;
    autosteps.pop_front();
    return true;
  }

  std::vector<int> editModes;
  std::vector<unsigned> messages;
  std::vector<FileDialogRequest> fileRequests;
  std::vector<std::string> recent;
  std::deque<std::string> files, folders;
  std::deque<std::pair<std::string, std::string>> newModels;
  std::deque<std::pair<int, int>> autosteps;

 private:
  static bool Next(std::deque<std::string>& queue, std::string& out) {
    if (queue.empty()) return false;
    out = queue.front();
    queue.pop_front();
    return !out.empty();
  }
};
