// The program's entry point: the application object of the one GUI thread.
#include "app/QuorvelApp.h"

wxIMPLEMENT_APP(CQuorvelApp);
