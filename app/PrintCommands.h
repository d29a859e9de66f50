#pragma once
// Print..., Print Preview and Print Setup..., and the printing of the command line's -p and -pt
// flags. The page set-up chosen in Print Setup... is kept for the rest of the run.
#include <string>

class CCommandMap;
class CQuorvelDoc;

void BindPrintCommands(CCommandMap& commands, CQuorvelDoc& doc);

// Prints the open project without the print dialog: into a PDF file when the target ends in ".pdf"
// (no printer is needed then), else on the named printer (the default one when empty) through lp.
// False, logged, when nothing was printed.
bool PrintWithoutDialog(CQuorvelDoc& doc, const std::string& printer);
