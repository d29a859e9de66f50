#pragma once
// Printing into a PDF file without a printer or the system's print service: the printout draws
// each page through a graphics context on a cairo PDF surface. Used by -pt with a ".pdf" target and
// by the benchmark; the print dialog's own "Print to File" goes through the print service instead.
#include <string>

class wxPrintData;
class wxPrintout;

// Dots per inch of the pages' logical units (pictures keep this resolution in the file).
inline constexpr int kPdfDotsPerInch = 300;

// Writes every page of the printout to path, on the paper and in the orientation of data. The
// file is replaced only once it is completely written. False, with the reason in error, when no
// page was written or the file could not be made.
bool PrintToPdf(wxPrintout& printout, const wxPrintData& data, const std::string& path, std::string& error);
