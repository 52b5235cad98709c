// One program-wide cache of solid brushes, the most used first, emptied on theme changes.
#pragma once

#include <memory>

#include "cx/foundation/cxGraphics.h"

class TdxThemeChangedNotificator;

class TcxSolidBrushCache : public TObject {
  TRENVIK_CLASS(TcxSolidBrushCache, TObject);

 public:
  static constexpr int cxSolidBrushCacheSize = 32;

  struct TcxSolidBrushData {
    HBRUSH Brush = nullptr;
    // The colour asked for, not converted.
    TColor Color = clNone;
    int UsageCount = 0;
    // The RGB value the brush was made with (a system colour may change later).
    COLORREF BrushColor = 0;
  };

  TcxSolidBrushCache();
  ~TcxSolidBrushCache() override;

  // The cache's brush of the colour (the cache keeps it; callers never delete it). A system colour
  // whose value changed since its brush was made gets a new brush.
  HBRUSH GetBrush(TColor AColor);
  // Deletes every brush.
  void Clear();
  int Count() const { return count_; }
  const TcxSolidBrushData& Items(int AIndex) const { return items_[AIndex]; }

 private:
  TcxSolidBrushData items_[cxSolidBrushCacheSize];
  int count_ = 0;
  std::unique_ptr<TdxThemeChangedNotificator> notificator_;
};

// The program's cache (made at start-up).
TcxSolidBrushCache* cxSolidBrushCache();
// The canvas's own brush when it already has the colour, else the cache's.
HBRUSH cxGetSolidBrushFor(TcxCanvas* ACanvas, TColor AColor);
HBRUSH cxGetCanvasSolidBrush(TCanvas* ACanvas, TColor AColor);
void cxClearSolidBrushCache();

void cxSolidBrushCacheInitialize();
void cxSolidBrushCacheFinalize();
