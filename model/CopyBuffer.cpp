#include "model/CopyBuffer.h"

#include <new>

CCopyBuffer* theCopyBuffer = nullptr;

CCopyBuffer::~CCopyBuffer() {
  while (!m_items.empty()) m_items.pop_back();
}

CCopyBuffer* CCopyBuffer::Get() {
  if (!theCopyBuffer) theCopyBuffer = new (std::nothrow) CCopyBuffer;
  return theCopyBuffer;
}

void CCopyBuffer::Clear() {
  CCopyBuffer* b = Get();
  if (!b) return;
  while (!b->m_items.empty()) b->m_items.pop_back();
  b->m_readPosition = 0;
}

int CCopyBuffer::Add(std::unique_ptr<CQvPart> element) {
  CCopyBuffer* b = Get();
  if (!b || !element) return 0;
  try {
    // Room for a hundred more at a time, as the buffer always grew.
    if (b->m_items.size() == b->m_items.capacity()) b->m_items.reserve(b->m_items.size() + 100);
    b->m_items.push_back(std::move(element));
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return 1;
}

CQvPart* CCopyBuffer::GetNext(int first) {
  CCopyBuffer* b = Get();
  if (!b) return nullptr;
  if (first) b->m_readPosition = 0;
  if (b->m_readPosition >= b->m_items.size()) return nullptr;
  return b->m_items[b->m_readPosition++].get();
}

int CCopyBuffer::IsEmpty() {
  CCopyBuffer* b = Get();
  return !b || b->m_items.empty() ? 1 : 0;
}

size_t CCopyBuffer::GetCount() {
  CCopyBuffer* b = Get();
  return b ? b->m_items.size() : 0;
}

void CCopyBuffer::ReleaseModelRefs(const CQvFile* model) {
  if (!theCopyBuffer) return;  // a file going away never makes the buffer
  for (auto& e : theCopyBuffer->m_items)
    if (e->IsPartLike()) e->ReleaseModelRef(model);
}

void CCopyBuffer::Destroy() {
  delete theCopyBuffer;
  theCopyBuffer = nullptr;
}
