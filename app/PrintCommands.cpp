#include "app/PrintCommands.h"

#include <wx/app.h>
#include <wx/cmndata.h>
#include <wx/printdlg.h>
#include <wx/print.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/CommandMap.h"
#include "app/PdfPrinter.h"
#include "app/QuorvelPrintout.h"
#include "config/Tracer.h"
#include "document/PrintJob.h"
#include "document/QuorvelDoc.h"
#include "platform/Process.h"
#include "platform/Prompt.h"
#include "resources/StringIds.h"

namespace {
namespace id {
constexpr int kPrint = 57607;
constexpr int kPrintPreview = 57609;
constexpr int kPrintSetup = 57606;
}  // namespace id

wxPrintData& ThePrintData() {
  static wxPrintData data;
  return data;
}

wxWindow* Parent() { return wxTheApp ? wxTheApp->GetTopWindow() : nullptr; }

// "Print to File" offers the model's own name with ".pdf" beside it.
void OfferFileName(const CQuorvelDoc& doc) {
  const std::string& path = doc.GetPathName();
  if (path.empty()) return;
  const std::string::size_type dot = path.rfind('.');
  const std::string::size_type slash = path.rfind('/');
  const std::string base = dot != std::string::npos && (slash == std::string::npos || dot > slash) ? path.substr(0, dot) : path;
  ThePrintData().SetFilename(wxString::FromUTF8(base + ".pdf"));
}

void Print(CQuorvelDoc& doc) {
  if (!CPrintJob::CanPrint(doc)) return;
  OfferFileName(doc);
  wxPrintDialogData dialogData(ThePrintData());
  wxPrinter printer(&dialogData);
  CQuorvelPrintout printout(doc);
  if (printer.Print(Parent(), &printout, true)) {
    ThePrintData() = printer.GetPrintDialogData().GetPrintData();
    if (printout.PictureFailed()) ShowMessageId(kStringPrintPicturesMissing, PromptButtons::Ok, PromptIcon::Exclamation);
  } else if (wxPrinter::GetLastError() == wxPRINTER_ERROR) {
    theTracer.Printf("ERROR: Printing failed.\n");
  }
}

void Preview(CQuorvelDoc& doc) {
  if (!CPrintJob::CanPrint(doc)) return;
  wxPrintDialogData dialogData(ThePrintData());
  // The preview owns both printouts: one for the screen, one for its Print button.
  auto* preview = new wxPrintPreview(new CQuorvelPrintout(doc), new CQuorvelPrintout(doc), &dialogData);
  if (!preview->IsOk()) {
    delete preview;
    theTracer.Printf("ERROR: The print preview could not be made.\n");
    return;
  }
  auto* frame = new wxPreviewFrame(preview, Parent(), "Print Preview", wxDefaultPosition, wxSize(800, 700));
  frame->Centre(wxBOTH);
  frame->InitializeWithModality(wxPreviewFrame_AppModal);
  frame->Show();
}

void PageSetup() {
  wxPageSetupDialogData data(ThePrintData());
  wxPageSetupDialog dialog(Parent(), &data);
  if (dialog.ShowModal() == wxID_OK) ThePrintData() = dialog.GetPageSetupDialogData().GetPrintData();
}
}  // namespace

void BindPrintCommands(CCommandMap& commands, CQuorvelDoc& doc) {
  auto canPrint = [&doc] { return EnabledIf(CPrintJob::CanPrint(doc)); };
  commands.Set(id::kPrint, [&doc] { Print(doc); }, canPrint);
  commands.Set(id::kPrintPreview, [&doc] { Preview(doc); }, canPrint);
  commands.Set(id::kPrintSetup, [] { PageSetup(); }, CCommandMap::Always);
}

bool PrintWithoutDialog(CQuorvelDoc& doc, const std::string& printer) {
  if (!CPrintJob::CanPrint(doc)) {
    theTracer.Printf("WARNING: Nothing to print!\n");
    return false;
  }
  const bool toFile = printer.size() > 4 && wxString::FromUTF8(printer).Lower().EndsWith(".pdf");
  // A printer gets the pages as a PDF through the print spooler's lp, which every CUPS system
  // has; the toolkit's own printing cannot print without its dialog when no printer answers.
  std::string folder;
  std::string target = printer;
  if (!toFile) {
    char pattern[] = "/tmp/plandor-print-XXXXXX";
    if (!mkdtemp(pattern)) {
      theTracer.Printf("ERROR: Printing failed: no temporary folder.\n");
      return false;
    }
    folder = pattern;
    target = folder + "/pages.pdf";
  }
  CQuorvelPrintout printout(doc);
  std::string error;
  bool ok = PrintToPdf(printout, ThePrintData(), target, error);
  if (ok && printout.PictureFailed()) theTracer.Printf("WARNING: Some pictures are missing from the printout.\n");
  if (!ok) theTracer.Printf("ERROR: Printing to '%s' failed: %s.\n", target.c_str(), error.c_str());
  if (ok && !toFile) {
    std::vector<std::string> argv = {"lp"};
    if (!printer.empty()) argv.insert(argv.end(), {"-d", printer});
    argv.insert(argv.end(), {"-t", doc.GetTitle(), "--", target});
    const ProcessResult result = SpawnAndPoll(argv);
    ok = result.Exited() && result.exitCode == 0;
    if (!ok)
      theTracer.Printf("ERROR: The print spooler did not take the pages (lp: %s).\n",
                       result.end == ProcessResult::End::NotStarted ? std::strerror(result.error)
                                                                      : std::to_string(result.Code()).c_str());
  }
  if (!folder.empty()) {
    std::remove(target.c_str());
    rmdir(folder.c_str());
  }
  return ok;
}
