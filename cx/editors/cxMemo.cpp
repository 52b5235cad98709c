// The memo editor, its properties and its inner multi-line control.
#include "cx/editors/cxMemo.h"

#include <algorithm>

#include "cx/data/cxVariants.h"
#include "cx/editors/cxEditPublishing.h"
#include "platform/win/Input.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomMemoProperties)
using MemoProps = TcxCustomMemoProperties;

TRENVIK_PUBLISHED(TcxMemoProperties) {
  P.Property("Alignment", &MemoProps::HorzAlignment, &MemoProps::SetHorzAlignment)
      .NoDefault()
      .Stored(&MemoProps::IsHorzAlignmentStored);
  PublishAutoSelect(P, false);
  PublishCharCase(P);
  PublishHideSelection(P);
  PublishMaxLength(P);
  PublishOEMConvert(P);
  PublishReadOnly(P);
  P.Property("ScrollBars", &MemoProps::ScrollBars, &MemoProps::SetScrollBars).Default(ssNone);
  P.Property("WantReturns", &MemoProps::WantReturns, &MemoProps::SetWantReturns).Default(true);
  P.Property("WantTabs", &MemoProps::WantTabs, &MemoProps::SetWantTabs).Default(false);
  P.Property("WordWrap", &MemoProps::WordWrap, &MemoProps::SetWordWrap).Default(true);
  PublishEditValueEvents(P);
}
TRENVIK_IMPLEMENT_CLASS(TcxCustomInnerMemo)
TRENVIK_IMPLEMENT_CLASS(TcxCustomMemo)
TRENVIK_PUBLISHED(TcxMemo) {
  PublishEditControl(P, false);
  P.Property("Lines", &TcxCustomMemo::Lines, &TcxCustomMemo::SetLines);
}

namespace {
constexpr size_t kMaxDisplayTextLength = 250;
}  // namespace

// --- Properties ---

TcxCustomMemoProperties::TcxCustomMemoProperties(TPersistent* AOwner) : TcxCustomTextEditProperties(AOwner) {
  Alignment()->SetVert(taTopJustify);
  SetAutoSelect(false);
}

void TcxCustomMemoProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomMemoProperties*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  BeginUpdate();
  inherited::Assign(Source);
  SetScrollBars(source->ScrollBars());
  SetWantReturns(source->WantReturns());
  SetWantTabs(source->WantTabs());
  SetWordWrap(source->WordWrap());
  EndUpdate();
}

TClass TcxCustomMemoProperties::GetContainerClass() { return TcxMemo::StaticClass(); }

String TcxCustomMemoProperties::GetDisplayText(const Variant& AEditValue, bool AFullText) {
  String text = inherited::GetDisplayText(AEditValue, AFullText);
  if (AFullText) return text;
  const String head = text.substr(0, kMaxDisplayTextLength);
  const size_t lineEnd = head.find_first_of(u"\r\n");
  return lineEnd == String::npos ? head : head.substr(0, lineEnd);
}

// --- Inner memo ---

TcxCustomInnerMemo::TcxCustomInnerMemo(TcxCustomTextEdit* AOwner) : inherited(AOwner) {
  SetTabStop(false);
  SetBorderStyle(bsNone);
  SetParentColor(true);
  SetParentFont(true);
}

TcxCustomMemo* TcxCustomInnerMemo::Memo() const { return static_cast<TcxCustomMemo*>(Owner()); }

void TcxCustomInnerMemo::KeyDown(WORD& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  // A key may have scrolled the text.
  if (TcxCustomMemo* memo = Memo()) memo->PostScrollBarsRefresh();
}

// A tab is dropped before the editor sees it unless the memo wants tabs; Enter always passes.
void TcxCustomInnerMemo::KeyPress(Char& Key) {
  if (Key == u'\t' && !Memo()->ActiveProperties()->WantTabs()) Key = 0;
  if (Key != 0) inherited::KeyPress(Key);
}

void TcxCustomInnerMemo::KeyUp(WORD& Key, TShiftState Shift) {
  if (Key == VK_TAB && !Memo()->ActiveProperties()->WantTabs()) Key = 0;
  if (Key != 0) inherited::KeyUp(Key, Shift);
}

// --- Editor ---

TcxCustomMemo::TcxCustomMemo(TComponent* AOwner)
    : TcxCustomTextEdit(AOwner, [](TcxCustomTextEdit* AEdit) -> TCustomEdit* {
        return new TcxCustomInnerMemo(AEdit);
      }) {
  CreateProperties();
  SetAutoSize(false);
  SetWidth(185);
  SetHeight(89);
  PropertiesChanged(Properties());
}

TClass TcxCustomMemo::GetPropertiesClass() { return TcxMemoProperties::StaticClass(); }

bool TcxCustomMemo::CanKeyDownModifyEdit(WORD Key, TShiftState Shift) {
  if (inherited::CanKeyDownModifyEdit(Key, Shift)) return true;
  TcxCustomMemoProperties* properties = ActiveProperties();
  if (Key == VK_RETURN) return properties->WantReturns() || Shift.Contains(ssCtrl);
  return Key == VK_TAB && properties->WantTabs();
}

void TcxCustomMemo::DoEditKeyDown(WORD& Key, TShiftState Shift) {
  inherited::DoEditKeyDown(Key, Shift);
  if (Key == 'A' && Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt) && Lines()->Count() > 0) {
    SelectAll();
    Key = 0;
  }
}

void TcxCustomMemo::PropertiesChanged(TObject* Sender) {
  if (InnerTextEdit() && Properties() && !IsDestroying()) {
    TcxCustomMemoProperties* properties = ActiveProperties();
    TcxCustomInnerMemo* memo = InnerMemo();
    memo->SetScrollBars(properties->ScrollBars());
    memo->SetWantReturns(properties->WantReturns());
    memo->SetWantTabs(properties->WantTabs());
    memo->SetWordWrap(properties->WordWrap());
  }
  inherited::PropertiesChanged(Sender);
  PostScrollBarsRefresh();
}

// In a grid cell, Enter is the memo's own key when it would make a new line.
void TcxCustomMemo::KeyDown(WORD& Key, TShiftState Shift) {
  if (IsInplace() && Key == VK_RETURN) {
    const bool ctrl = Shift.Contains(ssCtrl);
    if (ctrl != ActiveProperties()->WantReturns()) {
      DoEditKeyDown(Key, Shift);
      return;
    }
  }
  inherited::KeyDown(Key, Shift);
}
