// What one paint pass of the tree list shares between its painters: the device context, the region to
// repaint, the focus and the brushes made for the pass.
#pragma once

#include <map>
#include <vector>

#include "dx/treelist/dxTL.h"
#include "platform/gdi/Gdi.h"

namespace dxtlpaint {

inline bool Intersects(const RECT& A, const RECT& B) {
  return A.left < B.right && B.left < A.right && A.top < B.bottom && B.top < A.bottom;
}

// Grid segments are stored inclusive of both ends and drawn together at the end of an area.
inline void AddSegment(std::vector<POINT>& Segments, int X1, int Y1, int X2, int Y2) {
  Segments.push_back(POINT{X1, Y1});
  Segments.push_back(POINT{X2, Y2});
}

// Draws the collected segments with one poly-line call.
void DrawSegments(HDC DC, std::vector<POINT>& Segments, TColor Color);

// The brushes of one paint, deleted when the paint ends (also when a hook raises).
class TPaintBrushes {
 public:
  TPaintBrushes() = default;
  TPaintBrushes(const TPaintBrushes&) = delete;
  TPaintBrushes& operator=(const TPaintBrushes&) = delete;
  HBRUSH Make(TColor Color) {
    HBRUSH b = CreateSolidBrush(ColorToColorRef(Color));
    brushes_.push_back(b);
    return b;
  }
  ~TPaintBrushes() {
    for (HBRUSH b : brushes_) DeleteObject(b);
  }

 private:
  std::vector<HBRUSH> brushes_;
};

}  // namespace dxtlpaint

struct TCustomdxTreeList::TPaintContext {
  HDC DC = nullptr;
  RECT Update{};
  bool Focused = false;
  dxtlpaint::TPaintBrushes Brushes;
  HBRUSH Band = nullptr, Header = nullptr, Group = nullptr, Background = nullptr, Line = nullptr,
         Highlight = nullptr, HiddenSelection = nullptr, RowFooter = nullptr, FixedLine = nullptr;
  TColor LineColor = clBtnShadow;
  std::map<int, HBRUSH> ColumnBrushes;
  // The brush of a colour a custom-draw handler may have changed from Default.
  HBRUSH BrushFor(TColor Color, TColor Default, HBRUSH DefaultBrush) {
    return ColorToRGB(Color) != ColorToRGB(Default) ? Brushes.Make(Color) : DefaultBrush;
  }
  void CornerButton(const RECT& Corner, TdxLookAndFeel Look, HBRUSH Brush, bool Pressed);
};
