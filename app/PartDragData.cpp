#include "app/PartDragData.h"

#include <cstring>

const wxDataFormat& PartDragFormat() {
  static const wxDataFormat format("QuorvelClipboardFormat");
  return format;
}

CPartDragObject::CPartDragObject() : wxDataObjectSimple(PartDragFormat()) {}

CPartDragObject::CPartDragObject(PartDragData data) : wxDataObjectSimple(PartDragFormat()), m_data(data) {}

size_t CPartDragObject::GetDataSize() const { return 2 * sizeof(uint32_t); }

bool CPartDragObject::GetDataHere(void* buf) const {
  auto* out = static_cast<unsigned char*>(buf);
  std::memcpy(out, &m_data.kind, sizeof(uint32_t));
  std::memcpy(out + sizeof(uint32_t), &m_data.value, sizeof(uint32_t));
  return true;
}

bool CPartDragObject::SetData(size_t len, const void* buf) {
  m_data = PartDragData{};
  if (len != GetDataSize() || !buf) return false;
  const auto* in = static_cast<const unsigned char*>(buf);
  std::memcpy(&m_data.kind, in, sizeof(uint32_t));
  std::memcpy(&m_data.value, in + sizeof(uint32_t), sizeof(uint32_t));
  return true;
}

uint32_t GetDragSourceKind(const CPartDragObject& object) { return object.GetData().kind; }
