#include "model/SharedDrawLock.h"

std::mutex& SharedDrawMutex() {
  static std::mutex mutex;
  return mutex;
}
