#pragma once
// The environment the GUI toolkit starts in. Every pane is drawn in software and no window uses
// OpenGL, yet GTK loads the system's GL driver while it opens the display, only to choose a visual
// a GL window could use: tens of megabytes and a noticeable part of the start for nothing. The
// program asks GTK to leave GL out, unless the user chose a GDK_GL setting of their own, and puts
// the environment back once the toolkit is up, so that programs it starts (a browser, a viewer)
// get the user's environment unchanged.
void LeaveOutToolkitGl();
void RestoreToolkitEnvironment();
