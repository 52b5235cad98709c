// Drawing an editor without a window: a view data calculates, for bounds and a mouse state, a view
// info (border, client area, colours, the text of a value) that then paints itself. Grid cells and
// edit controls draw through the same two steps.
#pragma once

#include <memory>

#include "cx/editors/cxEditProperties.h"
#include "cx/editors/cxEditStyle.h"

// The border a view info draws.
enum TcxEditDrawnBorder : Byte { edbNone, edbSingle, edbThick, edbFlat, edb3D };

class TcxCustomEditViewInfo : public TcxContainerViewInfo {
  TRENVIK_CLASS(TcxCustomEditViewInfo, TcxContainerViewInfo);

 public:
  TcxCustomEditViewInfo() = default;

  void Assign(TObject* Source) override;
  void Paint(TcxCanvas* ACanvas) override;

  TcxEditDrawnBorder DrawnBorder = edbNone;
  bool IsInplace = false;
  bool Transparent = false;
  TColor TextColor = clWindowText;
  TFont* Font = nullptr;
  // What a value shows, put in by the view data's PrepareViewInfoValue.
  String Text;
  TAlignment TextAlignment = taLeftJustify;
  RECT TextRect{};

 protected:
  void PaintBorder(TcxCanvas* ACanvas);
};

class TcxCustomEditViewData : public TObject {
  TRENVIK_CLASS(TcxCustomEditViewData, TObject);

 public:
  TcxCustomEditViewData(TcxCustomEditProperties* AProperties, TcxCustomEditStyle* AStyle, bool AIsInplace);

  TcxCustomEditProperties* Properties() const { return properties_; }
  TcxCustomEditStyle* Style() const { return style_; }
  bool IsInplace() const { return isInplace_; }
  bool Enabled = true;
  bool Focused = false;
  bool Selected = false;

  // The border drawn for the style at a hot state (0 no hot tracking, 1 not hot, 2 hot or focused).
  virtual TcxEditDrawnBorder GetContainerBorderStyle(int AHotState);
  // AButton is the library's mouse-button code (0 none).
  virtual void Calculate(TcxCanvas* ACanvas, const RECT& ABounds, POINT P, int AButton, TShiftState AShift,
                         TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent);
  virtual void PrepareViewInfoValue(TcxCanvas* ACanvas, const Variant& AEditValue,
                                    TcxCustomEditViewInfo* AViewInfo);
  // The space between the bounds and the text.
  virtual RECT GetClientExtent(TcxCustomEditViewInfo* AViewInfo);

 private:
  TcxCustomEditProperties* properties_;
  TcxCustomEditStyle* style_;
  bool isInplace_;
};
