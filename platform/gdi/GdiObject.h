// Internal: the objects behind GDI handles, and the table of live handles (HandleTable.h: a stale
// handle is refused even when a newer object took its slot; any thread may make, look up and delete
// objects, each object itself being used by one thread at a time).
#pragma once

#include <cstdint>

#include "platform/rtl/WinDef.h"

enum class GdiKind : std::uint8_t { Pen, Brush, Font, Bitmap, Region, Palette, DC };

class TGdiObject {
 public:
  explicit TGdiObject(GdiKind kind) : kind_(kind) {}
  virtual ~TGdiObject() = default;
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;

  GdiKind Kind() const { return kind_; }
  bool Stock() const { return stock_; }
  void MarkStock() { stock_ = true; }

  // Selection keeps a deleted object alive until the last DC lets it go.
  void AddSelection() { ++selections_; }
  void ReleaseSelection();
  bool Selected() const { return selections_ > 0; }
  // Removes the handle; frees now or on the last release.
  void Delete();
  // The object's handle; nullptr before it is registered.
  HGDIOBJ Handle() const { return handle_; }

 private:
  friend HGDIOBJ RegisterGdiObject(TGdiObject* object);
  GdiKind kind_;
  HGDIOBJ handle_ = nullptr;
  bool stock_ = false;
  bool deleted_ = false;
  int selections_ = 0;
};

// Registers a new object and returns its handle.
HGDIOBJ RegisterGdiObject(TGdiObject* object);
// The live object behind a handle, nullptr when none (or of another kind).
TGdiObject* LookupGdiObject(HGDIOBJ handle);
template <class T>
T* LookupGdi(HGDIOBJ handle, GdiKind kind) {
  TGdiObject* o = LookupGdiObject(handle);
  return o && o->Kind() == kind ? static_cast<T*>(o) : nullptr;
}
inline HGDIOBJ HandleOf(const TGdiObject* o) { return o ? o->Handle() : nullptr; }
// Number of live objects (tests check for leaks with it).
std::size_t LiveGdiObjectCount();
