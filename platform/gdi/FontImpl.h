// Internal: font objects, their realised instances, cached advances and glyph bitmaps.
#pragma once

#include <array>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gdi/Font.h"
#include "platform/gdi/GdiObject.h"

struct FT_FaceRec_;

// Metrics of a realised font, in pixels.
struct FontMetrics {
  int height = 0;
  int ascent = 0;
  int descent = 0;
  int internalLeading = 0;
  int externalLeading = 0;
  int aveCharWidth = 0;
  int maxCharWidth = 0;
  int underlinePosition = 0;  // below the baseline
  int underlineThickness = 1;
  int strikeoutPosition = 0;  // above the baseline
  int strikeoutThickness = 1;
  bool fixedPitch = false;
};

// An 8-bit coverage bitmap of one glyph; `left`/`top` place it relative to the pen on the baseline.
struct GlyphBitmap {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<unsigned char> coverage;
};

// A face at one pixel size, shared by all logical fonts that resolve to it.
class TFontInstance {
 public:
  // An outline font from a file.
  TFontInstance(const std::string& file, int faceIndex, int heightSpec, bool synthBold, bool synthItalic);
  // The fixed-metrics test font.
  TFontInstance(int cellWidth, int cellHeight);
  ~TFontInstance();

  const FontMetrics& Metrics() const { return metrics_; }
  bool IsTestFont() const { return face_ == nullptr; }
  int CellWidth() const { return cellWidth_; }
  // Advance of one UTF-32 character in pixels, cached. An instance is shared by every thread that
  // draws in its face and size, so its caches (and its FreeType face) are used under its lock.
  int Advance(char32_t c) {
    std::lock_guard lock(mutex_);
    if (c < 0x10000) {
      auto& page = pages_[c >> 8];
      if (page) {
        const short v = (*page)[c & 0xFF];
        if (v >= 0) return v;
      }
    }
    return LoadAdvance(c);
  }
  // Coverage of a character's glyph (nullptr when it draws nothing); cached, never freed, so the
  // pointer stays valid after the lock is let go.
  const GlyphBitmap* Glyph(char32_t c);
  std::string FamilyName() const;

 private:
  int LoadAdvance(char32_t c);
  unsigned GlyphIndex(char32_t c);

  std::mutex mutex_;
  FT_FaceRec_* face_ = nullptr;
  bool synthBold_ = false;
  bool synthItalic_ = false;
  int cellWidth_ = 0;
  FontMetrics metrics_;
  std::array<std::unique_ptr<std::array<short, 256>>, 256> pages_;
  std::unordered_map<char32_t, std::unique_ptr<GlyphBitmap>> glyphs_;
  std::unordered_map<char32_t, int> farAdvances_;
};

class TFontObject : public TGdiObject {
 public:
  explicit TFontObject(const LOGFONT& lf) : TGdiObject(GdiKind::Font), logFont(lf) {}
  LOGFONT logFont;
  // Realised on first use.
  TFontInstance& Instance();

 private:
  TFontInstance* instance_ = nullptr;
  int generation_ = -1;
};

TGdiObject* CreateStockFont(int index);
// Releases the font configuration at shut-down.
void FinalizeFonts();
int GetFontObject(TGdiObject* font, int size, void* buffer);
