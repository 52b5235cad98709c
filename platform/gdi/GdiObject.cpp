#include "platform/gdi/GdiObject.h"

#include "platform/gdi/HandleTable.h"

namespace {

THandleTable<TGdiObject, kGdiHandleTag>& Handles() {
  static auto& table = *new THandleTable<TGdiObject, kGdiHandleTag>;  // outlives other modules' shut-down
  return table;
}

}  // namespace

void TGdiObject::ReleaseSelection() {
  if (--selections_ == 0 && deleted_) delete this;
}

void TGdiObject::Delete() {
  if (deleted_) return;
  Handles().Remove(handle_);
  deleted_ = true;
  if (selections_ == 0) delete this;
}

HGDIOBJ RegisterGdiObject(TGdiObject* object) {
  object->handle_ = Handles().Add(object);
  return object->handle_;
}

TGdiObject* LookupGdiObject(HGDIOBJ handle) { return handle ? Handles().Find(handle) : nullptr; }

std::size_t LiveGdiObjectCount() { return Handles().Live(); }
