#include "model/ThreadPartImages.h"

namespace {
CThreadPartImages*& CurrentSet() {
  static thread_local CThreadPartImages* current = nullptr;
  return current;
}
}  // namespace

CThreadPartImages::CThreadPartImages() : m_previous(CurrentSet()) { CurrentSet() = this; }

CThreadPartImages::~CThreadPartImages() { CurrentSet() = m_previous; }

CThreadPartImages* CThreadPartImages::Current() { return CurrentSet(); }
