#pragma once
// What every drag inside the program carries: an 8-byte block (kind, value; two 32-bit fields in
// the machine's byte order) in the private format "QuorvelClipboardFormat". The part tree and the
// part browser drag a part (kind 1, value = part handle), the line list drags its rows (kind 2),
// a 3-D pane drags its selection (kind 3).
#include <wx/dataobj.h>

#include <cstdint>

enum class PartDragKind : uint32_t { None = 0, Part = 1, ListRows = 2, Selection = 3 };

struct PartDragData {
  uint32_t kind = 0;
  uint32_t value = 0;
};

// The format, registered once (the application asks for it at start-up).
const wxDataFormat& PartDragFormat();

class CPartDragObject : public wxDataObjectSimple {
 public:
  CPartDragObject();
  explicit CPartDragObject(PartDragData data);

  const PartDragData& GetData() const { return m_data; }

  size_t GetDataSize() const override;
  bool GetDataHere(void* buf) const override;
  // A block of any other size is refused, so a foreign drop never reads past its end.
  bool SetData(size_t len, const void* buf) override;

 private:
  PartDragData m_data;
};

// The kind a dropped data object carries: 0 when it offers no payload of ours.
uint32_t GetDragSourceKind(const CPartDragObject& object);
