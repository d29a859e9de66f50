#pragma once
// The document's view of the program: the main frame's mode switch and private messages, the
// desktop's file and folder choosers, the recent-file list and the small dialogs of the file and
// step commands. It also keeps the frame's title in step with the document.
#include <wx/frame.h>
#include <wx/timer.h>
#include <wx/weakref.h>

#include <string>

#include "document/DocumentHost.h"
#include "document/UpdateHints.h"

class wxFileHistory;
class wxWindow;
class CMainFrame;
class CQuorvelDoc;

// A chooser filter of the commands ("Text|*.a;*.b|Text|*.c||") as a wx wildcard. GTK matches the
// patterns with case, so each "*.ext" also gets its upper-case form, and "*.*" (which would hide
// files without a dot) becomes "*".
std::string ConvertFileFilter(const std::string& filter);
// The number of choices in such a filter.
int CountFilterChoices(const std::string& filter);
// A saved file's name gets the default extension when its last component has none.
std::string ApplyDefaultExtension(const std::string& path, const std::string& extension);
// "model.ldr - Plandor", "*model.ldr - Plandor" while it has unsaved changes; the program's name
// alone without a document title.
std::string MakeFrameTitle(const std::string& documentTitle, bool modified = false);

class CWxDocumentHost : public IDocumentHost, public IDocObserver {
 public:
  // history (may be null) is the File menu's list of recent files.
  CWxDocumentHost(CQuorvelDoc& document, wxFileHistory* history);
  ~CWxDocumentHost() override;
  CWxDocumentHost(const CWxDocumentHost&) = delete;
  CWxDocumentHost& operator=(const CWxDocumentHost&) = delete;
  // The main window the dialogs sit on and the messages and the title go to; forgotten by itself
  // when the window goes. Until one is set, the document reaches no window.
  void SetFrame(CMainFrame* frame);

  void SetEditMode(int mode) override;
  void SendPrivateMessage(unsigned message, long wParam, long lParam) override;
  bool ChooseFile(const FileDialogRequest& request, std::string& path) override;
  bool ChooseFolder(const std::string& title, std::string& folder) override;
  void AddToRecentFiles(const std::string& path) override;
  bool NewModelDialog(std::string& name, std::string& description) override;
  bool AutostepsDialog(int& byHeight, int& count) override;

  void OnUpdate(uint32_t hint) override;
  // Puts the document's title and its modified mark into the main frame's caption.
  void UpdateFrameTitle();

 private:
  // A save or an undo back to the saved state changes the mark without any update to the views:
  // the caption is checked a few times a second.
  class CTitleTimer : public wxTimer {
   public:
    explicit CTitleTimer(CWxDocumentHost& host) : m_host(host) {}
    void Notify() override { m_host.UpdateFrameTitle(); }

   private:
    CWxDocumentHost& m_host;
  };

  wxWindow* Parent() const;
  CMainFrame* Frame() const;

  CQuorvelDoc& m_document;
  wxFileHistory* m_history;
  wxWeakRef<wxFrame> m_frame;
  CTitleTimer m_titleTimer{*this};
};
