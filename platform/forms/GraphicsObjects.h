// Fonts, pens and brushes: descriptions of drawing objects whose handles are made on first use.
#pragma once

#include <functional>

#include "platform/classes/Component.h"
#include "platform/classes/Set.h"
#include "platform/classes/TypInfo.h"
#include "platform/forms/Colors.h"
#include "platform/gdi/Font.h"
#include "platform/rtl/WinDef.h"

class TBitmap;

// The base of TFont, TPen and TBrush: OnChange after every change of the description.
class TGraphicsObject : public TPersistent {
  TRENVIK_CLASS(TGraphicsObject, TPersistent);

 public:
  TNotifyEvent OnChange;

 protected:
  virtual void Changed();
};

TRENVIK_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut);
using TFontStyles = Set<TFontStyle>;
TRENVIK_ENUM(TFontPitch, fpDefault, fpVariable, fpFixed);
using TFontCharset = Byte;
// The charset constants' names, as form resources store them ("RUSSIAN_CHARSET").
bool CharsetToIdent(Integer Charset, String& Ident);
bool IdentToCharset(const String& Ident, Integer& Charset);
using TFontName = String;

// The screen resolution the framework's font sizes are counted in.
constexpr int ScreenPixelsPerInch = 96;

class TFont : public TGraphicsObject {
  TRENVIK_CLASS(TFont, TGraphicsObject);

 public:
  // "MS Sans Serif", Height -11 (8 points), default charset, clWindowText.
  TFont();
  ~TFont() override;

  void Assign(TPersistent* Source) override;

  // The font's handle, made from the description on first use and owned by the font.
  HFONT Handle();
  // Takes over `Value` (freed when the font lets it go) and reads the description from it.
  void SetHandle(HFONT Value);
  bool HandleAllocated() const { return handle_ != nullptr; }

  const TFontName& Name() const { return name_; }
  void SetName(const TFontName& Value);
  // Negative: character height in pixels; positive: cell height.
  Integer Height() const { return height_; }
  void SetHeight(Integer Value);
  // Points at ScreenPixelsPerInch: Height = -MulDiv(Size, 96, 72).
  Integer Size() const;
  void SetSize(Integer Value);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles Value);
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  TFontCharset Charset() const { return charset_; }
  void SetCharset(TFontCharset Value);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch Value);
  Integer PixelsPerInch() const { return ScreenPixelsPerInch; }

  // The description as a LOGFONT (what Handle is made from).
  LOGFONT LogFont() const;

 private:
  void DescriptionChanged();
  void ReleaseHandle();

  TFontName name_;
  Integer height_ = -11;
  TFontStyles style_;
  TColor color_ = clWindowText;
  TFontCharset charset_ = DEFAULT_CHARSET;
  TFontPitch pitch_ = fpDefault;
  HFONT handle_ = nullptr;
};

TRENVIK_ENUM(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame);
TRENVIK_ENUM(TPenMode, pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
             pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor);

// The SetROP2 code of a pen mode.
int PenModeToRop2(TPenMode Mode);

class TPen : public TGraphicsObject {
  TRENVIK_CLASS(TPen, TGraphicsObject);

 public:
  // Black, solid, one pixel wide, pmCopy.
  TPen() = default;
  ~TPen() override;

  void Assign(TPersistent* Source) override;

  HPEN Handle();
  // Takes over `Value` and reads colour, style and width from it.
  void SetHandle(HPEN Value);
  bool HandleAllocated() const { return handle_ != nullptr; }

  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle Value);
  Integer Width() const { return width_; }
  void SetWidth(Integer Value);
  // Not part of the handle: the canvas sets it with SetROP2.
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode Value);

 private:
  void DescriptionChanged();
  void ReleaseHandle();

  TColor color_ = clBlack;
  TPenStyle style_ = psSolid;
  Integer width_ = 1;
  TPenMode mode_ = pmCopy;
  HPEN handle_ = nullptr;
};

TRENVIK_ENUM(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross,
             bsDiagCross);

class TBrush : public TGraphicsObject {
  TRENVIK_CLASS(TBrush, TGraphicsObject);

 public:
  // White, solid.
  TBrush() = default;
  ~TBrush() override;

  void Assign(TPersistent* Source) override;

  HBRUSH Handle();
  // Takes over `Value` and reads colour and style from it.
  void SetHandle(HBRUSH Value);
  bool HandleAllocated() const { return handle_ != nullptr; }

  TColor Color() const { return color_; }
  // A colour other than the current one turns a clear brush solid.
  void SetColor(TColor Value);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle Value);
  // A pattern: the brush is made from a copy of the bitmap's pixels. The bitmap is not owned and
  // must stay alive while the brush refers to it.
  TBitmap* Bitmap() const { return bitmap_; }
  void SetBitmap(TBitmap* Value);

 private:
  void DescriptionChanged();
  void ReleaseHandle();

  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  TBitmap* bitmap_ = nullptr;
  HBRUSH handle_ = nullptr;
};

// Drawing-object handles shared between graphics objects (a font assigned from another shares its
// handle): the last one to let a handle go deletes it.
void AcquireGraphicsHandle(HGDIOBJ Handle);
void ReleaseGraphicsHandle(HGDIOBJ Handle);
