// The hyperlink edit: its settings, the drawn link, and what starts it.
#include <algorithm>

#include "cx/editors-ext/cxEditExtConsts.h"
#include "cx/editors-ext/cxHyperLinkEdit.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/editors/cxEditScopes.h"
#include "cx/editors/cxTextEditViewInfo.h"
#include "cx/foundation/cxClasses.h"
#include "platform/win/Shell.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomHyperLinkEditProperties)
using LinkProps = TcxCustomHyperLinkEditProperties;
TRENVIK_PUBLISHED(TcxHyperLinkEditProperties) {
  PublishAlignmentObject(P);
  PublishAutoSelect(P, false);
  P.Property("LinkColor", &LinkProps::LinkColor, &LinkProps::SetLinkColor).Default(clBlue);
  PublishReadOnly(P);
  P.Property("SingleClick", &LinkProps::SingleClick, &LinkProps::SetSingleClick).Default(false);
  P.Property("StartKey", &LinkProps::StartKey, &LinkProps::SetStartKey).Default(TcxShortCut(scCxCtrl | 13));
  PublishUseLeftAlignmentOnEditing(P);
  PublishEditValueEvents(P);
  P.Event("OnStartClick", &LinkProps::OnStartClick);
}
TRENVIK_IMPLEMENT_CLASS(TcxHyperLinkEditViewInfo)
TRENVIK_IMPLEMENT_CLASS(TcxCustomHyperLinkEdit)
TRENVIK_PUBLISHED(TcxHyperLinkEdit) { PublishTextEditControl(P); }

namespace {

// The view data hands the link colour and the focus to the view info.
class TcxHyperLinkEditViewData : public TcxCustomTextEditViewData {
 public:
  using TcxCustomTextEditViewData::TcxCustomTextEditViewData;
  void Calculate(TcxCanvas* ACanvas, const RECT& ABounds, POINT P, int AButton, TShiftState AShift,
                 TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override {
    if (auto* link = dynamic_cast<TcxHyperLinkEditViewInfo*>(AViewInfo)) {
      link->LinkColor = static_cast<TcxCustomHyperLinkEditProperties*>(Properties())->LinkColor();
      link->Focused = IsEditFocused();
    }
    TcxCustomTextEditViewData::Calculate(ACanvas, ABounds, P, AButton, AShift, AViewInfo, AIsMouseEvent);
  }
};

bool IsBlankLinkText(const String& AText) {
  return std::all_of(AText.begin(), AText.end(), [](Char c) { return c <= u' '; });
}

}  // namespace

// --- Properties ---

TcxCustomHyperLinkEditProperties::TcxCustomHyperLinkEditProperties(TPersistent* AOwner)
    : TcxCustomTextEditProperties(AOwner) {
  SetAutoSelect(false);
}

void TcxCustomHyperLinkEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomHyperLinkEditProperties*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  TcxUpdateScope update(this);
  inherited::Assign(Source);
  SetLinkColor(source->LinkColor());
  singleClick_ = source->SingleClick();
  startKey_ = source->StartKey();
  OnStartClick = source->OnStartClick;
}

void TcxCustomHyperLinkEditProperties::SetLinkColor(TColor Value) {
  if (linkColor_ == Value) return;
  linkColor_ = Value;
  Changed();
}

TcxEditSupportedOperations TcxCustomHyperLinkEditProperties::GetSupportedOperations() {
  TcxEditSupportedOperations result = inherited::GetSupportedOperations();
  if (singleClick_) result.Include(esoAlwaysHotTrack);
  return result;
}

TClass TcxCustomHyperLinkEditProperties::GetContainerClass() { return TcxHyperLinkEdit::StaticClass(); }

TClass TcxCustomHyperLinkEditProperties::GetViewInfoClass() { return TcxHyperLinkEditViewInfo::StaticClass(); }

std::unique_ptr<TcxCustomEditViewData> TcxCustomHyperLinkEditProperties::CreateViewData(TcxCustomEditStyle* AStyle,
                                                                                        bool AIsInplace) {
  return std::make_unique<TcxHyperLinkEditViewData>(this, AStyle, AIsInplace);
}

// --- View info ---

void TcxHyperLinkEditViewInfo::Assign(TObject* Source) {
  if (auto* source = dynamic_cast<TcxHyperLinkEditViewInfo*>(Source)) {
    LinkColor = source->LinkColor;
    Focused = source->Focused;
  }
  inherited::Assign(Source);
}

void TcxHyperLinkEditViewInfo::PaintText(TcxCanvas* ACanvas) {
  if (Text.empty()) return;
  if (Font) ACanvas->SetFont(Font);
  ACanvas->Font()->SetStyle(ACanvas->Font()->Style() + TFontStyles{fsUnderline});
  // A selected grid cell keeps its text colour, or the link would vanish on the selection.
  ACanvas->Font()->SetColor(!Focused && IsInplace && Selected ? TextColor : LinkColor);
  ACanvas->Brush()->SetStyle(bsClear);
  const int horz = TextAlignment == taRightJustify ? cxtfRight : TextAlignment == taCenter ? cxtfHorzCenter : cxtfLeft;
  ACanvas->DrawText(Text, TextRect, horz | cxtfVertCenter | cxtfSingleLine);
  ACanvas->Brush()->SetStyle(bsSolid);
}

// --- Edit ---

TcxCustomHyperLinkEdit::TcxCustomHyperLinkEdit(TComponent* AOwner) : TcxCustomTextEdit(AOwner) {
  CreateProperties();
  UpdateLinkFont();
  // Clicks on the text reach the inner control: they count as clicks on the edit.
  if (TWinControl* inner = InnerControl()) {
    auto toEdit = [this, inner](int& X, int& Y) {
      const POINT p = ScreenToClient(inner->ClientToScreen(POINT{X, Y}));
      X = p.x;
      Y = p.y;
    };
    inner->OnMouseDown = [this, toEdit](TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
      toEdit(X, Y);
      LinkMouseDown(Button, Shift, X, Y);
    };
    inner->OnMouseUp = [this, toEdit](TObject*, TMouseButton Button, TShiftState, int X, int Y) {
      toEdit(X, Y);
      LinkMouseUp(Button, X, Y);
    };
  }
}

void TcxCustomHyperLinkEdit::StartLink() {
  TcxCustomHyperLinkEditProperties* properties = ActiveProperties();
  if (properties->OnStartClick) {
    properties->OnStartClick(this);
    return;
  }
  const String text = Text();
  if (IsBlankLinkText(text)) return;
  // The whole text, untrimmed, goes to the opener as one argument.
  ShellExecute(nullptr, u"OPEN", text.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

void TcxCustomHyperLinkEdit::DoEditKeyDown(WORD& Key, TShiftState Shift) {
  const TcxShortCut shortCut = cxShortCut(Key, Shift);
  if (shortCut != 0 && shortCut == ActiveProperties()->StartKey()) {
    StartLink();
    Key = 0;
    return;
  }
  inherited::DoEditKeyDown(Key, Shift);
}

bool TcxCustomHyperLinkEdit::InClient(int X, int Y) {
  const RECT& client = EditViewInfo()->ClientRect;
  return PtInRect(&client, POINT{X, Y});
}

void TcxCustomHyperLinkEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  LinkMouseDown(Button, Shift, X, Y);
}

void TcxCustomHyperLinkEdit::LinkMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && InClient(X, Y) && !ActiveProperties()->SingleClick() && Shift.Contains(ssDouble))
    StartLink();
}

void TcxCustomHyperLinkEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  LinkMouseUp(Button, X, Y);
}

void TcxCustomHyperLinkEdit::LinkMouseUp(TMouseButton Button, int X, int Y) {
  if (Button == mbLeft && InClient(X, Y) && ActiveProperties()->SingleClick() && SelLength() == 0) StartLink();
}

void TcxCustomHyperLinkEdit::MouseEnter(TControl* AControl) {
  inherited::MouseEnter(AControl);
  if (!ActiveProperties()->SingleClick() || Cursor() == crHandPoint) return;
  rememberedCursor_ = Cursor();
  if (InnerControl()) InnerControl()->SetCursor(crHandPoint);
  SetCursor(crHandPoint);
}

void TcxCustomHyperLinkEdit::MouseLeave(TControl* AControl) {
  inherited::MouseLeave(AControl);
  if (!ActiveProperties()->SingleClick()) return;
  if (InnerControl()) InnerControl()->SetCursor(rememberedCursor_);
  SetCursor(rememberedCursor_);
}

void TcxCustomHyperLinkEdit::SelectAll() {
  if (IsInplace() && ActiveProperties()->SingleClick()) return;
  inherited::SelectAll();
}

void TcxCustomHyperLinkEdit::UpdateLinkFont() {
  TWinControl* inner = InnerControl();
  if (!inner || !Properties()) return;
  inner->Font()->SetStyle(inner->Font()->Style() + TFontStyles{fsUnderline});
  inner->Font()->SetColor(ActiveProperties()->LinkColor());
}

void TcxCustomHyperLinkEdit::PropertiesChanged(TObject* Sender) {
  inherited::PropertiesChanged(Sender);
  UpdateLinkFont();
}

void TcxCustomHyperLinkEdit::ContainerStyleChanged(TObject* Sender) {
  inherited::ContainerStyleChanged(Sender);
  UpdateLinkFont();
}

void InitializeHyperLinkEdit() {
  GetRegisteredEditProperties()->Register(TcxHyperLinkEditProperties::StaticClass(),
                                          cxGetResourceString(cxSEditHyperLinkEditDescription));
}
