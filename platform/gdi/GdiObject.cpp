#include "platform/gdi/GdiObject.h"

#include <unordered_set>

namespace {

std::unordered_set<const TGdiObject*>& LiveObjects() {
  static auto& live = *new std::unordered_set<const TGdiObject*>;
  return live;
}

}  // namespace

void TGdiObject::ReleaseSelection() {
  if (--selections_ == 0 && deleted_) delete this;
}

void TGdiObject::Delete() {
  if (deleted_) return;
  LiveObjects().erase(this);
  deleted_ = true;
  if (selections_ == 0) delete this;
}

HGDIOBJ RegisterGdiObject(TGdiObject* object) {
  LiveObjects().insert(object);
  return object;
}

TGdiObject* LookupGdiObject(HGDIOBJ handle) {
  auto* o = static_cast<const TGdiObject*>(handle);
  if (!o || !LiveObjects().contains(o)) return nullptr;
  return const_cast<TGdiObject*>(o);
}

std::size_t LiveGdiObjectCount() { return LiveObjects().size(); }
