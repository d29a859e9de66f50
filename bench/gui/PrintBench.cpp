// plandor_print_bench: for each shared model, every step printed into a PDF file (pages per second),
// as Print/<file>/Steps (run under Xvfb: xvfb-run -a). Not part of the tests.
//
//   plandor_print_bench [--keep DIR]   (--keep writes the PDF files into DIR)
// Models: the shared models, plus PLANDOR_BENCH_MODELS; library: LDRAWDIR or ../shared/ldraw.
#include <wx/app.h>
#include <wx/cmndata.h>
#include <wx/init.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "../BenchInputs.h"
#include "BenchDocument.h"
#include "app/PdfPrinter.h"
#include "app/QuorvelPrintout.h"
#include "config/ColorTable.h"
#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "document/QuorvelDoc.h"
#include "model/FileCache.h"
#include "platform/Folders.h"
#include "platform/Profile.h"

namespace {

using Clock = std::chrono::steady_clock;



}  // namespace

int main(int argc, char** argv) {
  std::string keep;
  for (int i = 1; i < argc; ++i)
    if (!std::strcmp(argv[i], "--keep") && i + 1 < argc) keep = argv[++i];
  if (!StartBenchApp(argv, "print_bench.conf")) return 1;
  theSettings.PrintSteps = 1;
  const std::string scratch = GetTempDirectory();

  std::printf("%-36s %8s %10s %10s %12s\n", "Print/<file>/Steps", "pages", "ms", "pages/s", "PDF bytes");
  for (const std::string& path : BenchModelFiles()) {
    theFileCache.Flush(0);
    auto doc = std::make_unique<CQuorvelDoc>();
    doc->OnNewDocument();
    if (!LoadBenchModel(*doc, path)) {
      std::printf("%-36s cannot be read\n", BenchFileName(path).c_str());
      continue;
    }
    const std::string target = (keep.empty() ? scratch : keep) + "/" + BenchFileName(path) + ".pdf";
    CQuorvelPrintout printout(*doc);
    std::string error;
    const Clock::time_point start = Clock::now();
    const bool ok = PrintToPdf(printout, wxPrintData(), target, error);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (!ok) {
      std::printf("%-36s failed: %s\n", BenchFileName(path).c_str(), error.c_str());
      continue;
    }
    FILE* f = std::fopen(target.c_str(), "rb");
    long bytes = 0;
    if (f) {
      std::fseek(f, 0, SEEK_END);
      bytes = std::ftell(f);
      std::fclose(f);
    }
    std::printf("%-36s %8u %10.0f %10.2f %12ld\n", BenchFileName(path).c_str(), printout.GetPageCount(), ms,
                printout.GetPageCount() * 1000.0 / ms, bytes);
    std::fflush(stdout);
    if (keep.empty()) std::remove(target.c_str());
  }
  SetProfile(nullptr);
  wxTheApp->OnExit();
  wxEntryCleanup();
  return 0;
}
