#include "cx/foundation/cxSolidBrushCache.h"

#include "cx/foundation/dxThemeManager.h"

TRENVIK_IMPLEMENT_CLASS(TcxSolidBrushCache)

namespace {

TcxSolidBrushCache* brushCache = nullptr;

}  // namespace

TcxSolidBrushCache::TcxSolidBrushCache() : notificator_(std::make_unique<TdxThemeChangedNotificator>()) {
  notificator_->OnThemeChanged = [this] { Clear(); };
}

TcxSolidBrushCache::~TcxSolidBrushCache() { Clear(); }

HBRUSH TcxSolidBrushCache::GetBrush(TColor AColor) {
  for (int i = 0; i < count_; ++i) {
    if (items_[i].Color != AColor) continue;
    const COLORREF rgb = ColorToColorRef(AColor);
    if (items_[i].BrushColor != rgb) {
      DeleteObject(items_[i].Brush);
      items_[i].Brush = CreateSolidBrush(rgb);
      items_[i].BrushColor = rgb;
    }
    const int usage = ++items_[i].UsageCount;
    // Up to just below the nearest entry above that is used at least as often.
    int target = i;
    while (target > 0 && items_[target - 1].UsageCount < usage) --target;
    const TcxSolidBrushData hit = items_[i];
    for (int j = i; j > target; --j) items_[j] = items_[j - 1];
    items_[target] = hit;
    return hit.Brush;
  }
  int index;
  if (count_ == cxSolidBrushCacheSize) {
    // The least used one makes room.
    index = count_ - 1;
    DeleteObject(items_[index].Brush);
  } else {
    index = count_++;
  }
  const COLORREF rgb = ColorToColorRef(AColor);
  items_[index] = {CreateSolidBrush(rgb), AColor, 1, rgb};
  return items_[index].Brush;
}

void TcxSolidBrushCache::Clear() {
  for (int i = 0; i < count_; ++i) {
    DeleteObject(items_[i].Brush);
    items_[i] = {};
  }
  count_ = 0;
}

TcxSolidBrushCache* cxSolidBrushCache() { return brushCache; }

HBRUSH cxGetCanvasSolidBrush(TCanvas* ACanvas, TColor AColor) {
  // A clear brush of the right colour would fill nothing.
  TBrush* brush = ACanvas->Brush();
  if (brush->Color() == AColor && brush->Style() == bsSolid) return brush->Handle();
  return brushCache->GetBrush(AColor);
}

HBRUSH cxGetSolidBrushFor(TcxCanvas* ACanvas, TColor AColor) {
  return cxGetCanvasSolidBrush(ACanvas->Canvas(), AColor);
}

void cxClearSolidBrushCache() {
  if (brushCache) brushCache->Clear();
}

void cxSolidBrushCacheInitialize() {
  if (!brushCache) brushCache = new TcxSolidBrushCache;
}

void cxSolidBrushCacheFinalize() { FreeAndNil(brushCache); }
