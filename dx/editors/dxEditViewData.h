// What a host fills to have an editor class lay out and paint one cell without an editor instance,
// and the layout the class computes from it.
#pragma once

#include "dx/editors/dxEditStyles.h"
#include "platform/classes/ClassesTypes.h"
#include "platform/forms/Controls.h"
#include "platform/rtl/Variant.h"

class TBitmap;

// Vertical draw alignment of the view data.
constexpr Byte dxVertTop = 0;
constexpr Byte dxVertCenter = 1;
constexpr Byte dxVertBottom = 2;
constexpr Byte dxVertMultiLine = 3;

class TdxEditViewData : public TObject {
  TRENVIK_CLASS(TdxEditViewData, TObject);

 public:
  TdxEditViewData() = default;
  ~TdxEditViewData() override = default;

  bool Enabled = true;
  bool Focused = false;
  bool Selected = false;
  TColor BorderColor = clWindowFrame;
  TdxEditBorderStyle BorderStyle = xbsNone;
  TdxEditButtonViewStyle ButtonStyle = btsDefault;
  bool ButtonTransparent = false;
  bool FocusRectLook = false;
  TdxEditEdges Edges = dxAllEdges;
  bool Shadow = false;
  bool OpaqueText = false;
  bool Transparent = false;
  RECT TextOffsets{};
  RECT Bounds{};
  TAlignment Alignment = taLeftJustify;
  Byte VertAlignment = dxVertTop;
  HBRUSH Brush = nullptr;
  TColor BkColor = clWindow;
  HFONT Font = nullptr;
  TColor TextColor = clWindowText;
  bool IsEditClass = false;
  Variant Data;
  int DataLength = 0;
  TBitmap* WorkBitmap = nullptr;
  bool MeasureOnly = false;
  int MeasuredLineCount = 0;
  int MeasuredHeight = 0;
  int LineHeight = 0;
  TCursor Cursor = crDefault;
};

struct TdxEditViewInfo {
  int BorderWidth = 0;
  int ShadowSize = 0;
  RECT Bounds{};
  RECT Inner{};
  bool LeftEdge = false, TopEdge = false, RightEdge = false, BottomEdge = false;
  RECT BorderRect{};
  RECT ShadowRect{};
};
