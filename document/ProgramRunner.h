#pragma once
// Runs an outside program for the document with the platform's process runner: directly from an
// argument vector, or a command line through /bin/sh. While it runs the progress (may be null)
// keeps the windows alive; Cancel there is shown as "Aborting, please wait ..." and the program
// is waited for, since the step files it works on belong to it until it ends.
#include "document/DocumentPorts.h"

PortResult RunProgramNow(const ProgramRun& run, IProgress* progress, ProgramResult& result);
