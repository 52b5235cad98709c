// Radio glyphs drawn in the library's looks (one process-wide glyph set built from the measured
// shape of the system's own radio glyph) and the radio button's geometry and mouse state.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "cx/foundation/cxGraphics.h"
#include "cx/foundation/cxLookAndFeels.h"
#include "platform/forms/Graphic.h"
#include "platform/forms/ImgList.h"
#include "platform/forms/StdCtrls.h"
#include "platform/rtl/Variant.h"

TRENVIK_ENUM(TcxRadioButtonState, rbsDisabled, rbsHot, rbsNormal, rbsPressed);

// Image states of the glyph set: 0 disabled, 1 normal, 2 pressed, 3 hot.
int cxRadioImageState(TcxRadioButtonState AState);

// Where the system radio glyph lies in its cell and where its check dot lies (cell coordinates,
// right and bottom exclusive).
struct TcxRadioGlyphMetrics {
  int CircleLeft = 0;
  int CircleTop = 0;
  int Width = 0;
  int Height = 0;
  RECT Dot{};
};

// What each pixel of the glyph is painted as.
enum class TcxRadioPixelClass : unsigned char {
  Outside,
  OuterRingUpperLeft,
  OuterRingLowerRight,
  InnerRingUpperLeft,
  InnerRingLowerRight,
  Interior,
  Dot,
};

class TcxRadioButtonImageList : public TObject {
  TRENVIK_CLASS(TcxRadioButtonImageList, TObject);

 public:
  TcxRadioButtonImageList();
  ~TcxRadioButtonImageList() override;

  void Draw(TcxCanvas* ACanvas, int X, int Y, TcxLookAndFeelKind AKind, int AImageState, bool AChecked,
            bool AFocused, bool AIsDesigning);
  // Every glyph is rebuilt on its next use (the system colours changed).
  void Reset();

  const TcxRadioGlyphMetrics& Metrics() const { return metrics_; }
  SIZE GlyphSize() const { return {metrics_.Width, metrics_.Height}; }
  TcxRadioPixelClass PixelClass(int X, int Y) const { return classes_[Y * metrics_.Width + X]; }
  // Glyphs built since creation or the last Reset (a rebuild counts again).
  int BuildCount() const { return buildCount_; }

 private:
  // Look, highlighted border, check and image state: every input of the colour rule.
  static constexpr int kSlotCount = 3 * 2 * 2 * 4;

  void Classify();
  void Build(int ASlot, TcxLookAndFeelKind AKind, int AImageState, bool AChecked, bool AHighlighted);

  TcxRadioGlyphMetrics metrics_;
  std::vector<TcxRadioPixelClass> classes_;
  TBitmap mask_;
  std::unique_ptr<TImageList> images_;
  std::array<bool, kSlotCount> built_{};
  int buildCount_ = 0;
};

// The process-wide glyph set (exists while the module is started).
TcxRadioButtonImageList* cxRadioButtonImageList();
void InitializeRadioGroup();
void FinalizeRadioGroup();

// Where a radio button places a glyph of size AGlyph in a control of size AControl: vertically
// centred, at the left (caption to the right, one pixel in unless native or in place) or at the right.
RECT cxRadioGlyphRect(SIZE AControl, SIZE AGlyph, TLeftRight AAlignment, bool ANative, bool AInplace);
// How far the caption keeps from the glyph side and the other edges (left, top, right, bottom; a
// negative value moves that side outwards).
RECT cxRadioTextMargins(TLeftRight AAlignment, bool ANative, bool AWordWrap, bool AInplace);

// What a radio button shows for the mouse: pressed only while it holds the capture over itself.
struct TcxRadioMouseState {
  bool Enabled = true;
  bool Designing = false;
  bool Captured = false;
  bool AnyKeyOrButtonDown = false;
  bool Inside = false;
};
TcxRadioButtonState cxRadioButtonStateFor(const TcxRadioMouseState& AMouse);

// The radio group's items in columns: at most AColumns columns (at least 1, never more than the
// items), filled top to bottom. In place the rows start at the top; stand-alone the spare height is
// shared above and below.
std::vector<RECT> cxRadioGroupItemRects(const RECT& ABounds, const RECT& AExtent, int AItemCount, int AColumns,
                                        bool AInplace);

// Where an arrow key moves the focus from item AFrom. Left and right stay in the row; up and down
// wrap inside the column, and a wrap is deferred (Wraps) so that it happens after the key.
struct TcxRadioGroupFocusMove {
  int Target = -1;  // -1: the key does nothing
  bool Wraps = false;
};
TcxRadioGroupFocusMove cxRadioGroupFocusMove(int AFrom, Word AKey, int AItemCount, int AColumns);

// What an item of the group is matched by: its value, or, when the value is Null, its caption.
struct TcxRadioGroupItemKey {
  Variant Value;
  String Caption;
};
// The first item an edit value selects, or -1. A caption matches the value's text exactly (case too).
int cxRadioGroupItemIndexOf(const Variant& AEditValue, const std::vector<TcxRadioGroupItemKey>& AItems);
