#pragma once
// Settings > Parts Tree > Tree Configuration...: the user's part groups in their dialog; on OK the
// part list takes them (and saves them) and the tree and the browser hear of it (0x8003).
class CMainFrame;

void BindPartTreeCommands(CMainFrame& frame);
