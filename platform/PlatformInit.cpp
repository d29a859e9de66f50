#include "platform/PlatformInit.h"

#include <csignal>

void InitPlatform() { std::signal(SIGXFSZ, SIG_IGN); }
