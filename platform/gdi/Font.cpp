#include "platform/gdi/Font.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <map>
#include <mutex>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include "platform/gdi/FontImpl.h"
#include "platform/gdi/Objects.h"
#include "platform/rtl/String.h"

namespace {

bool fixedForAll = false;
std::atomic<int> fontGeneration = 0;
// Guards the instance table, fontconfig and the FreeType library (faces are made and freed under it).
std::mutex g_realiseMutex;

FT_Library Library() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    FT_Init_FreeType(&l);
    return l;
  }();
  return lib;
}

String Lower(const String& s) {
  String r = s;
  for (auto& c : r)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  return r;
}

// The platform's UI faces map to an installed, metric-close family with Cyrillic.
std::string MappedFamily(const String& face) {
  static const std::map<String, std::string> table = {
      {u"", "Liberation Sans"},
      {u"ms sans serif", "Liberation Sans"},
      {u"microsoft sans serif", "Liberation Sans"},
      {u"ms shell dlg", "Liberation Sans"},
      {u"ms shell dlg 2", "Liberation Sans"},
      {u"tahoma", "Liberation Sans"},
      {u"arial", "Liberation Sans"},
      {u"segoe ui", "Liberation Sans"},
      {u"verdana", "DejaVu Sans"},
      {u"system", "Liberation Sans"},
      {u"small fonts", "Liberation Sans"},
      {u"times new roman", "Liberation Serif"},
      {u"ms serif", "Liberation Serif"},
      {u"courier new", "Liberation Mono"},
      {u"courier", "Liberation Mono"},
      {u"fixedsys", "Liberation Mono"},
      {u"terminal", "Liberation Mono"},
      {u"lucida console", "DejaVu Sans Mono"},
  };
  auto it = table.find(Lower(face));
  return it != table.end() ? it->second : StringToUtf8(face);
}

struct ResolvedFace {
  std::string file;
  int index = 0;
  bool synthBold = false;
  bool synthItalic = false;
};

ResolvedFace Resolve(const String& faceName, LONG weight, bool italic) {
  static auto& cache = *new std::map<std::string, ResolvedFace>;
  static bool fcReady = FcInit();
  (void)fcReady;
  const std::string family = MappedFamily(faceName);
  const bool bold = weight >= FW_SEMIBOLD;
  const std::string key = family + (bold ? "|b" : "|") + (italic ? "i" : "");
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  ResolvedFace result;
  auto match = [&](const std::string& fam) {
    FcPattern* pat = FcPatternCreate();
    FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(fam.c_str()));
    FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult res;
    FcPattern* found = FcFontMatch(nullptr, pat, &res);
    bool ok = false;
    if (found) {
      FcChar8* file = nullptr;
      int index = 0, w = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
      if (FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch) {
        FcPatternGetInteger(found, FC_INDEX, 0, &index);
        FcPatternGetInteger(found, FC_WEIGHT, 0, &w);
        FcPatternGetInteger(found, FC_SLANT, 0, &slant);
        result.file = reinterpret_cast<const char*>(file);
        result.index = index;
        result.synthBold = bold && w < FC_WEIGHT_DEMIBOLD;
        result.synthItalic = italic && slant == FC_SLANT_ROMAN;
        ok = true;
      }
      FcPatternDestroy(found);
    }
    FcPatternDestroy(pat);
    return ok;
  };
  if (!match(family)) match("Liberation Sans");
  cache[key] = result;
  return result;
}

bool IsTestFace(const LOGFONT& lf) {
  return fixedForAll || LogFontFaceName(lf) == String(kFixedTestFontName);
}

TFontInstance* Realise(const LOGFONT& lf) {
  std::lock_guard lock(g_realiseMutex);
  // Never destroyed: fonts may be used by other modules' shut-down.
  static auto& instances = *new std::map<std::string, std::unique_ptr<TFontInstance>>;
  if (IsTestFace(lf)) {
    const int h = lf.lfHeight == 0 ? 16 : std::max(2, std::abs(static_cast<int>(lf.lfHeight)));
    const int w = lf.lfWidth > 0 ? static_cast<int>(lf.lfWidth) : h / 2;
    auto& slot = instances["test|" + std::to_string(w) + "x" + std::to_string(h)];
    if (!slot) slot = std::make_unique<TFontInstance>(w, h);
    return slot.get();
  }
  const ResolvedFace face = Resolve(LogFontFaceName(lf), lf.lfWeight, lf.lfItalic != 0);
  // The default size is the UI font's 8 points at 96 dots per inch.
  const int heightSpec = lf.lfHeight == 0 ? -11 : static_cast<int>(lf.lfHeight);
  const std::string key = face.file + "|" + std::to_string(face.index) + "|" + std::to_string(heightSpec) +
                          (face.synthBold ? "b" : "") + (face.synthItalic ? "i" : "");
  auto& slot = instances[key];
  if (!slot)
    slot =
        std::make_unique<TFontInstance>(face.file, face.index, heightSpec, face.synthBold, face.synthItalic);
  return slot.get();
}

int Scale(long units, int ppem, int upem, bool up) {
  const double v = static_cast<double>(units) * ppem / upem;
  return static_cast<int>(up ? std::ceil(v - 1e-6) : std::lround(v));
}

}  // namespace

// --- TFontInstance ---

TFontInstance::TFontInstance(const std::string& file, int faceIndex, int heightSpec, bool synthBold,
                             bool synthItalic)
    : synthBold_(synthBold), synthItalic_(synthItalic) {
  FT_Face face = nullptr;
  if (file.empty() || FT_New_Face(Library(), file.c_str(), faceIndex, &face) != 0) {
    // No usable font file: fall back to the box font so drawing still measures consistently.
    cellWidth_ = std::max(2, std::abs(heightSpec) / 2);
    const int h = std::max(2, std::abs(heightSpec));
    metrics_ = FontMetrics{h, h * 13 / 16, h - h * 13 / 16, 0, 0,   cellWidth_, cellWidth_,
                           1, 1,           h * 13 / 32,     1, true};
    return;
  }
  face_ = face;
  const int upem = face->units_per_EM ? face->units_per_EM : 2048;
  long asc = face->ascender, desc = -face->descender, gap = 0;
  long avg = 0, strikePos = 0, strikeSize = 0;
  if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2)); os2 && os2->version != 0xFFFF) {
    asc = os2->usWinAscent;
    desc = os2->usWinDescent;
    avg = os2->xAvgCharWidth;
    strikePos = os2->yStrikeoutPosition;
    strikeSize = os2->yStrikeoutSize;
  }
  if (auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA)))
    gap = std::max<long>(0, hhea->Line_Gap - ((asc + desc) - (hhea->Ascender - hhea->Descender)));
  if (asc + desc <= 0) {
    asc = upem * 4 / 5;
    desc = upem - asc;
  }
  int ppem =
      heightSpec < 0 ? -heightSpec : static_cast<int>(std::lround(double(heightSpec) * upem / (asc + desc)));
  ppem = std::max(ppem, 1);
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(ppem));
  FontMetrics& m = metrics_;
  m.ascent = Scale(asc, ppem, upem, true);
  m.descent = Scale(desc, ppem, upem, true);
  m.height = m.ascent + m.descent;
  m.internalLeading = std::max(0, m.height - ppem);
  m.externalLeading = Scale(gap, ppem, upem, false);
  m.aveCharWidth = avg ? Scale(avg, ppem, upem, false) : Advance(U'x');
  m.maxCharWidth = Scale(face->max_advance_width, ppem, upem, true);
  m.underlinePosition = std::max(1, Scale(-face->underline_position, ppem, upem, false));
  m.underlineThickness = std::max(1, Scale(face->underline_thickness, ppem, upem, false));
  m.strikeoutPosition = strikePos ? Scale(strikePos, ppem, upem, false) : m.ascent / 3;
  m.strikeoutThickness =
      std::max(1, strikeSize ? Scale(strikeSize, ppem, upem, false) : m.underlineThickness);
  m.fixedPitch = FT_IS_FIXED_WIDTH(face);
  if (synthBold_) {
    m.aveCharWidth += 1;
    m.maxCharWidth += 1;
  }
}

TFontInstance::TFontInstance(int cellWidth, int cellHeight) : cellWidth_(cellWidth) {
  FontMetrics& m = metrics_;
  m.height = cellHeight;
  m.ascent = cellHeight * 13 / 16;
  m.descent = cellHeight - m.ascent;
  m.aveCharWidth = m.maxCharWidth = cellWidth;
  m.underlinePosition = 1;
  m.strikeoutPosition = m.ascent / 2;
  m.fixedPitch = true;
}

TFontInstance::~TFontInstance() {
  if (face_) FT_Done_Face(face_);
}

std::string TFontInstance::FamilyName() const {
  return face_ && face_->family_name ? face_->family_name : StringToUtf8(kFixedTestFontName);
}

unsigned TFontInstance::GlyphIndex(char32_t c) { return FT_Get_Char_Index(face_, c); }

int TFontInstance::LoadAdvance(char32_t c) {
  int advance = cellWidth_;
  if (face_) {
    if (c >= 0x10000)
      if (auto it = farAdvances_.find(c); it != farAdvances_.end()) return it->second;
    advance = 0;
    if (FT_Load_Glyph(face_, GlyphIndex(c), FT_LOAD_DEFAULT) == 0) {
      advance = static_cast<int>((face_->glyph->advance.x + 32) >> 6);
      if (synthBold_) advance += 1;
    }
  }
  if (c < 0x10000) {
    auto& page = pages_[c >> 8];
    if (!page) {
      page = std::make_unique<std::array<short, 256>>();
      page->fill(-1);
    }
    (*page)[c & 0xFF] = static_cast<short>(advance);
  } else {
    farAdvances_[c] = advance;
  }
  return advance;
}

const GlyphBitmap* TFontInstance::Glyph(char32_t c) {
  std::lock_guard lock(mutex_);
  auto it = glyphs_.find(c);
  if (it != glyphs_.end()) return it->second.get();
  auto g = std::make_unique<GlyphBitmap>();
  // Spaces and control characters draw nothing.
  const bool blank = c <= U' ' || c == 0xA0 || c == 0x3000 || (c >= 0x7F && c < 0xA0);
  if (!face_) {
    if (!blank) {
      // A filled box from the cell's first eighth down to the baseline, one pixel in from each side.
      const int top = metrics_.height / 8;
      g->left = 1;
      g->top = metrics_.ascent - top;
      g->width = std::max(1, cellWidth_ - 2);
      g->height = metrics_.ascent - top;
      g->coverage.assign(static_cast<std::size_t>(g->width) * g->height, 255);
    }
  } else if (!blank && FT_Load_Glyph(face_, GlyphIndex(c), FT_LOAD_DEFAULT) == 0) {
    FT_GlyphSlot slot = face_->glyph;
    if (synthItalic_) FT_GlyphSlot_Oblique(slot);
    if (synthBold_) FT_GlyphSlot_Embolden(slot);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0 && slot->bitmap.width > 0 &&
        slot->bitmap.rows > 0) {
      const FT_Bitmap& bm = slot->bitmap;
      g->left = slot->bitmap_left;
      g->top = slot->bitmap_top;
      g->width = static_cast<int>(bm.width);
      g->height = static_cast<int>(bm.rows);
      g->coverage.resize(static_cast<std::size_t>(g->width) * g->height);
      for (int y = 0; y < g->height; ++y)
        std::memcpy(&g->coverage[static_cast<std::size_t>(y) * g->width], bm.buffer + y * bm.pitch, g->width);
    }
  }
  GlyphBitmap* result = g->coverage.empty() ? nullptr : g.get();
  glyphs_.emplace(c, std::move(g));
  return result;
}

// --- TFontObject ---

TFontInstance& TFontObject::Instance() {
  // The test switch may have remapped faces since this font was realised.
  if (!instance_ || generation_ != fontGeneration) {
    instance_ = Realise(logFont);
    generation_ = fontGeneration;
  }
  return *instance_;
}

// --- API ---

void SetLogFontFaceName(LOGFONT& font, const String& name) {
  const std::size_t n = std::min<std::size_t>(name.size(), LF_FACESIZE - 1);
  std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), 0);
  std::copy_n(name.begin(), n, font.lfFaceName);
}

String LogFontFaceName(const LOGFONT& font) {
  std::size_t n = 0;
  while (n < LF_FACESIZE && font.lfFaceName[n]) ++n;
  return String(font.lfFaceName, n);
}

void FinalizeFonts() { FcFini(); }

void SetFixedTestFontForAllFaces(bool on) {
  if (fixedForAll == on) return;
  fixedForAll = on;
  ++fontGeneration;
}

std::string ResolveFontFile(const String& faceName, LONG weight, bool italic) {
  if (faceName == String(kFixedTestFontName)) return {};
  std::lock_guard lock(g_realiseMutex);
  return Resolve(faceName, weight, italic).file;
}

HFONT CreateFontIndirect(const LOGFONT* lf) {
  if (!lf) return nullptr;
  return static_cast<HFONT>(RegisterGdiObject(new TFontObject(*lf)));
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                 DWORD quality, DWORD pitchAndFamily, const WCHAR* faceName) {
  LOGFONT lf;
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight;
  lf.lfItalic = static_cast<BYTE>(italic != 0);
  lf.lfUnderline = static_cast<BYTE>(underline != 0);
  lf.lfStrikeOut = static_cast<BYTE>(strikeOut != 0);
  lf.lfCharSet = static_cast<BYTE>(charSet);
  lf.lfOutPrecision = static_cast<BYTE>(outPrecision);
  lf.lfClipPrecision = static_cast<BYTE>(clipPrecision);
  lf.lfQuality = static_cast<BYTE>(quality);
  lf.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
  if (faceName) SetLogFontFaceName(lf, String(faceName));
  return CreateFontIndirect(&lf);
}

TGdiObject* CreateStockFont(int index) {
  LOGFONT lf;
  lf.lfCharSet = DEFAULT_CHARSET;
  switch (index) {
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
      lf.lfHeight = 16;
      lf.lfWeight = FW_BOLD;
      SetLogFontFaceName(lf, u"System");
      break;
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT:
      lf.lfHeight = 12;
      lf.lfWeight = FW_NORMAL;
      lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
      SetLogFontFaceName(lf, u"Courier");
      break;
    default:  // DEFAULT_GUI_FONT, ANSI_VAR_FONT
      lf.lfHeight = -11;
      lf.lfWeight = FW_NORMAL;
      SetLogFontFaceName(lf, u"MS Sans Serif");
      break;
  }
  auto* f = new TFontObject(lf);
  RegisterGdiObject(f);
  return f;
}

int GetFontObject(TGdiObject* font, int size, void* buffer) {
  const LOGFONT& lf = static_cast<TFontObject*>(font)->logFont;
  if (!buffer) return static_cast<int>(sizeof(LOGFONT));
  const int n = std::min<int>(size, static_cast<int>(sizeof(LOGFONT)));
  if (n <= 0) return 0;
  std::memcpy(buffer, &lf, n);
  return n;
}
