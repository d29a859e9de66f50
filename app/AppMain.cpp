// The program's entry point: the application object of the one GUI thread. A start-up that ends
// before the main window exits with its own status (wx would report every such end alike).
#include "app/QuorvelApp.h"
#include "app/ToolkitEnvironment.h"
#include "platform/PlatformInit.h"

wxIMPLEMENT_APP_NO_MAIN(CQuorvelApp);

int main(int argc, char** argv) {
  InitPlatform();
  LeaveOutToolkitGl();
  int status = wxEntry(argc, argv);
  return theStartUpExitCode >= 0 ? theStartUpExitCode : status;
}
