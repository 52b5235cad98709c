// Start-up of the controls, the mouse object, the cursor names, and what TControl publishes.
#include "platform/classes/BasicAction.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/ControlsInternal.h"
#include "platform/win/Windows.h"

TMouse* Mouse = nullptr;

forms_internal::TApplicationHooks& forms_internal::ApplicationHooks() {
  static TApplicationHooks hooks;
  return hooks;
}

namespace {
const TIdentMapEntry kCursors[] = {
    {crDefault, "crDefault"},
    {crArrow, "crArrow"},
    {crCross, "crCross"},
    {crIBeam, "crIBeam"},
    {crSizeNESW, "crSizeNESW"},
    {crSizeNS, "crSizeNS"},
    {crSizeNWSE, "crSizeNWSE"},
    {crSizeWE, "crSizeWE"},
    {crUpArrow, "crUpArrow"},
    {crHourGlass, "crHourGlass"},
    {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},
    {crHSplit, "crHSplit"},
    {crVSplit, "crVSplit"},
    {crMultiDrag, "crMultiDrag"},
    {crSQLWait, "crSQLWait"},
    {crNo, "crNo"},
    {crAppStart, "crAppStart"},
    {crHelp, "crHelp"},
    {crHandPoint, "crHandPoint"},
    {crSizeAll, "crSizeAll"},
    {crNone, "crNone"},
};
constexpr int kCursorCount = static_cast<int>(sizeof(kCursors) / sizeof(kCursors[0]));

bool ColorIdentToInt(const String& Ident, Integer& Int) {
  TColor c;
  if (!IdentToColor(Ident, c)) return false;
  Int = c;
  return true;
}
bool ColorIntToIdent(Integer Int, String& Ident) { return ColorToIdent(Int, Ident); }
}  // namespace

bool CursorToIdent(Integer Cursor, String& Ident) {
  return IntToIdent(Cursor, Ident, kCursors, kCursorCount);
}
bool IdentToCursor(const String& Ident, Integer& Cursor) {
  return IdentToInt(Ident, Cursor, kCursors, kCursorCount);
}

// --- What TControl publishes: the properties and events every control's form resource may hold ---

void PublishControlProperties(TPublisher<TControl>& P);
void PublishControlProperties(TPublisher<TControl>& P) {
  P.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
  P.Property("Anchors", &TControl::Anchors, &TControl::SetAnchors).Default(TAnchors{akLeft, akTop});
  P.Property("Constraints", &TControl::Constraints, &TControl::SetConstraints);
  P.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
  P.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
  P.Property("Color", &TControl::Color, &TControl::SetColor)
      .Idents(&ColorIdentToInt, &ColorIntToIdent)
      .Stored(&TControl::IsColorStored);
  P.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
  P.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TControl::IsFontStored);
  P.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
  P.Property("DesktopFont", &TControl::DesktopFont, &TControl::SetDesktopFont).Default(false);
  P.Property("Cursor", &TControl::Cursor, &TControl::SetCursor)
      .Default(crDefault)
      .Idents(&IdentToCursor, &CursorToIdent);
  P.Property("Hint", &TControl::Hint, &TControl::SetHint);
  P.Property("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).Stored(&TControl::IsShowHintStored);
  P.Property("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint).Default(true);
  P.Property("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
  P.Property("Action", &TControl::Action, &TControl::SetAction);
  P.Property("DragMode", &TControl::DragMode, &TControl::SetDragMode).Default(dmManual);
  P.Property("DragKind", &TControl::DragKind, &TControl::SetDragKind).Default(dkDrag);
  P.Property("DragCursor", &TControl::DragCursor, &TControl::SetDragCursor)
      .Default(crDrag)
      .Idents(&IdentToCursor, &CursorToIdent);
  P.Property("BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode).Default(bdLeftToRight);
  P.Property("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode).Default(true);
  P.Event("OnClick", &TControl::OnClick);
  P.Event("OnDblClick", &TControl::OnDblClick);
  P.Event("OnMouseDown", &TControl::OnMouseDown);
  P.Event("OnMouseMove", &TControl::OnMouseMove);
  P.Event("OnMouseUp", &TControl::OnMouseUp);
  P.Event("OnMouseWheel", &TControl::OnMouseWheel);
  P.Event("OnMouseWheelDown", &TControl::OnMouseWheelDown);
  P.Event("OnMouseWheelUp", &TControl::OnMouseWheelUp);
  P.Event("OnResize", &TControl::OnResize);
  P.Event("OnCanResize", &TControl::OnCanResize);
  P.Event("OnContextPopup", &TControl::OnContextPopup);
  P.Event("OnStartDrag", &TControl::OnStartDrag);
  P.Event("OnDragOver", &TControl::OnDragOver);
  P.Event("OnDragDrop", &TControl::OnDragDrop);
  P.Event("OnEndDrag", &TControl::OnEndDrag);
}

// --- TMouse ---

HWND TMouse::Capture() const { return GetCapture(); }

void TMouse::SetCapture(HWND Value) {
  if (Value)
    ::SetCapture(Value);
  else
    ReleaseCapture();
}

POINT TMouse::CursorPos() const {
  POINT p;
  GetCursorPos(&p);
  return p;
}

void TMouse::SetCursorPos(POINT Value) { ::SetCursorPos(Value.x, Value.y); }

int TMouse::WheelScrollLines() const {
  UINT lines = 3;
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  return static_cast<int>(lines);
}

void InitControlsModule() {
  Mouse = new TMouse;
  const int dx = GetSystemMetrics(SM_CXDRAG);
  if (dx > 0) Mouse->SetDragThreshold(dx);
  RegisterClasses({TControl::StaticClass(), TWinControl::StaticClass(), TCustomControl::StaticClass(),
                   TGraphicControl::StaticClass()});
}

void FinalizeControlsModule() {
  delete Mouse;
  Mouse = nullptr;
}
