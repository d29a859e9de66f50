#pragma once
// Process-wide settings the program makes once at start-up, before any file is written.
//
// SIGXFSZ is ignored: a write past the file-size limit then fails with EFBIG, so a save reports
// the failure and removes its temporary file instead of ending the program half-way through.
// Children started through the process runner get the default action back.
//
// The main heap is grown once by 64 MB that it keeps, with the advice that the system may back it
// with large pages, and a thread of its own faults half of it in while the start goes on: a read
// of a big model otherwise faults in thousands of pages one by one, which is slow where page
// faults are dear (as in many virtual machines). Only the first call does this.
void InitPlatform();

// Returns once the heap InitPlatform prepares is ready (at once when it prepares none).
void AwaitMainHeap();
