// The glyph of a look-and-feel button: a strip of up to four images (up, disabled, down, a fourth)
// cut into per-state images kept in shared image lists, with a generated disabled look, and the
// layout of glyph and caption inside the button.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "cx/foundation/cxLookAndFeelPainters.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/ImgList.h"

// An image list of one image size whose freed slots are reused.
class TcxGlyphList : public TImageList {
  TRENVIK_CLASS(TcxGlyphList, TImageList);

 public:
  TcxGlyphList(int AWidth, int AHeight);

  // The first free slot (or a new one) gets the image; returns the slot.
  int AddMasked(TBitmap* AImage, TColor AMaskColor);
  // Frees a slot in use; the image stays for reuse.
  void Delete(int AIndex);
  // Slots in use.
  int UsedCount() const { return usedCount_; }
  bool IsUsed(int AIndex) const {
    return AIndex >= 0 && AIndex < static_cast<int>(used_.size()) && used_[AIndex];
  }

 private:
  std::vector<bool> used_;
  int usedCount_ = 0;
};

// The process-wide glyph lists, one per image size.
class TcxGlyphCache : public TObject {
  TRENVIK_CLASS(TcxGlyphCache, TObject);

 public:
  TcxGlyphCache() = default;
  ~TcxGlyphCache() override;

  // The list of that size (searched from the last), made when there is none.
  TcxGlyphList* GetList(int AWidth, int AHeight);
  // Frees the list when no slot of it is in use.
  void ReturnList(TcxGlyphList* AList);
  bool Empty() const { return lists_.empty(); }
  int Count() const { return static_cast<int>(lists_.size()); }

 private:
  std::vector<std::unique_ptr<TcxGlyphList>> lists_;
};

// The cache while any glyph object or list exists; nullptr otherwise.
TcxGlyphCache* cxGlyphCache();

class TcxButtonGlyph : public TObject {
  TRENVIK_CLASS(TcxButtonGlyph, TObject);

 public:
  TcxButtonGlyph();
  ~TcxButtonGlyph() override;

  TBitmap* Glyph() const { return strip_.get(); }
  // Copies the bitmap (nullptr empties the strip); a strip whose width is a whole multiple of its
  // height gives the image count, when below 5.
  void SetGlyph(TBitmap* Value);
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int Value);
  TColor TransparentColor() const { return transparentColor_; }
  void SetTransparentColor(TColor Value) { transparentColor_ = Value; }
  TcxGlyphList* GlyphList() const { return glyphList_; }

  // The slot of the state's image in GlyphList, prepared on first use; -1 for an empty strip.
  int GetGlyphIndex(TcxButtonState AState);
  // Gives the prepared images back to the cache.
  void Release();

  // The glyph's top-left corner and the caption rectangle. Margin and Spacing -1 mean spread
  // evenly; ABiDiFlags with DT_RIGHT swap left and right layouts.
  void CalcLayout(TcxCanvas* ACanvas, const RECT& AClient, POINT AOffset, const String& ACaption,
                  TButtonLayout ALayout, int AMargin, int ASpacing, POINT& AGlyphPos, RECT& ATextBounds,
                  UINT ABiDiFlags);
  void PaintContent(TcxCanvas* ACanvas, const RECT& AClient, POINT AOffset, const String& ACaption,
                    TButtonLayout ALayout, int AMargin, int ASpacing, TcxButtonState AState, UINT ABiDiFlags);

  TNotifyEvent OnChange;

 private:
  void GlyphChanged(TObject* Sender);
  void MakeDisabledImage(TBitmap* AImage, const RECT& ASource);

  std::unique_ptr<TBitmap> strip_;
  TcxGlyphList* glyphList_ = nullptr;
  int indexes_[4] = {-1, -1, -1, -1};
  TColor transparentColor_ = clOlive;
  int numGlyphs_ = 1;
};

void FinalizeButtonGlyphs();
