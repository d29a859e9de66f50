#pragma once
// Process-wide settings the program makes once at start-up, before any file is written.
//
// SIGXFSZ is ignored: a write past the file-size limit then fails with EFBIG, so a save reports
// the failure and removes its temporary file instead of ending the program half-way through.
// Children started through the process runner get the default action back.
void InitPlatform();
