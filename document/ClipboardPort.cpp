#include "document/ClipboardPort.h"

namespace {
IClipboardPort* g_clipboard = nullptr;
}

IClipboardPort* TheClipboardPort() { return g_clipboard; }
void SetClipboardPort(IClipboardPort* port) { g_clipboard = port; }
