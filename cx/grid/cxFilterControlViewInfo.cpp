// The filter control's layout: row height from the part fonts and the value editor, each row's
// button, words and values placed left to right, the add-condition line, hit tests and the focus
// rectangle.
#include <algorithm>

#include "cx/editors/cxEditViewInfo.h"
#include "cx/grid/cxFilterControl.h"
#include "platform/rtl/StrUtils.h"

TcxFilterControlViewInfo::TcxFilterControlViewInfo(TcxCustomFilterControl* AControl)
    : control_(AControl), bitmap_(std::make_unique<TBitmap>()) {
  canvas_ = std::make_unique<TcxCanvas>(bitmap_->Canvas());
}

TcxFilterControlViewInfo::~TcxFilterControlViewInfo() = default;

SIZE TcxFilterControlViewInfo::TextSize(TFont* AFont, const String& AText) {
  canvas_->SetFont(AFont);
  return canvas_->TextExtent(AText);
}

RECT TcxFilterControlViewInfo::CenteredRect(const RECT& ARow, int ALeft, SIZE ASize) const {
  // An odd remainder goes below.
  const int top = ARow.top + (ARow.bottom - ARow.top - ASize.cy) / 2;
  return RECT{ALeft, top, ALeft + ASize.cx, top + ASize.cy};
}

TcxButtonState TcxFilterControlViewInfo::ButtonState(TcxCustomRowViewInfo* ARow, TcxFilterControlHitTest APart) const {
  if (!enabled_) return cxbsDisabled;
  if (control_->FocusedRow() == ARow && control_->FocusedPart() == APart) return cxbsDefault;
  const TcxFilterControlHitInfo& hot = control_->HotInfo();
  if (control_->HotTrackApplies() && hot.Row == ARow && hot.HitTest == APart) return cxbsHot;
  return cxbsNormal;
}

TcxButtonState TcxFilterControlViewInfo::CalculateAddConditionState() const {
  if (!enabled_) return cxbsDisabled;
  if (control_->FocusedPart() == fhtAddCondition) return cxbsDefault;
  if (control_->HotTrackApplies() && control_->HotInfo().HitTest == fhtAddCondition) return cxbsHot;
  return cxbsNormal;
}

void TcxFilterControlViewInfo::Calculate() {
  const RECT bounds = control_->GetBounds();
  bitmap_->SetSize(std::max<int>(bounds.right - bounds.left, 1), std::max<int>(bounds.bottom - bounds.top, 1));
  enabled_ = control_->HasUsableLink() && control_->Enabled();

  TFont* font = control_->Font();
  rowHeight_ = TextSize(font, u"Qq").cy;
  minValueWidth_ = 12 * TextSize(font, u"0").cx;
  for (TFont* partFont : {control_->FontBoolOperator(), control_->FontItem(), control_->FontCondition()})
    rowHeight_ = std::max<int>(rowHeight_, TextSize(partFont, u"Qq").cy);
  control_->ValueEditStyle()->SetFont(control_->FontValue());
  std::unique_ptr<TcxCustomEditViewData> data =
      control_->DefaultProperties()->CreateViewData(control_->ValueEditStyle(), true);
  TcxEditSizeProperties sizeProperties;
  const int editHeight = data->GetEditSize(canvas_.get(), Variant(String(u"Yy")), sizeProperties).cy;
  rowHeight_ = MulDiv(std::max(rowHeight_, editHeight), 3, 2);

  const RECT client = control_->GetClientBounds();
  RECT rect{client.left - control_->LeftOffset(), client.top, client.right, client.top + rowHeight_};
  OffsetRect(&rect, 0, -control_->TopRow() * rowHeight_);
  maxRowWidth_ = 0;
  for (int i = 0; i < control_->RowCount(); ++i) {
    TcxCustomRowViewInfo* row = control_->Rows(i);
    CalculateRow(row, rect);
    maxRowWidth_ = std::max(maxRowWidth_, RowWidth(row));
    OffsetRect(&rect, 0, rowHeight_);
  }

  addConditionCaption_ = cxGetResourceString(cxSFilterAddCondition);
  const int indent = control_->Rows(control_->RowCount() - 1)->Indent + 4;
  const SIZE caption{TextSize(font, addConditionCaption_ + u"00").cx, rowHeight_ - 4};
  addConditionRect_ = CenteredRect(rect, rect.left + indent, caption);
  maxRowWidth_ = std::max<int>(maxRowWidth_, caption.cx + indent);
  addConditionState_ = CalculateAddConditionState();
  CalculateFocusRect();
}

void TcxFilterControlViewInfo::CalculateRow(TcxCustomRowViewInfo* ARow, const RECT& ARect) {
  ARow->RowRect = ARect;
  ARow->Indent = ARow->Level() * rowHeight_;
  const int zeroWidth = TextSize(control_->Font(), u"0").cx;
  const SIZE button{zeroWidth * static_cast<int>(ARow->ButtonText().size()), rowHeight_ - 4};
  ARow->ButtonRect = CenteredRect(ARect, ARect.left + ARow->Indent + 4, button);
  ARow->ButtonState = ButtonState(ARow, fhtRowButton);
  if (auto* group = dynamic_cast<TcxGroupViewInfo*>(ARow))
    CalculateGroup(group);
  else
    CalculateCondition(static_cast<TcxConditionViewInfo*>(ARow));
}

void TcxFilterControlViewInfo::CalculateGroup(TcxGroupViewInfo* AGroup) {
  SIZE size = TextSize(control_->FontBoolOperator(), AGroup->BoolOperatorText());
  AGroup->BoolOperatorRect = CenteredRect(AGroup->RowRect, AGroup->ButtonRect.right + 8, {size.cx + 2, size.cy + 2});
  size = TextSize(control_->Font(), AGroup->Caption);
  AGroup->CaptionRect = CenteredRect(AGroup->RowRect, AGroup->BoolOperatorRect.right + 8, {size.cx + 2, size.cy + 2});
}

void TcxFilterControlViewInfo::CalculateCondition(TcxConditionViewInfo* ACondition) {
  SIZE size = TextSize(control_->FontItem(), ACondition->ItemText());
  ACondition->ItemRect = CenteredRect(ACondition->RowRect, ACondition->ButtonRect.right + 8, {size.cx + 2, size.cy + 2});
  size = TextSize(control_->FontCondition(), ACondition->OperatorText());
  ACondition->OperatorRect =
      CenteredRect(ACondition->RowRect, ACondition->ItemRect.right + 8, {size.cx + 2, size.cy + 2});
  CalculateValues(ACondition);
}

void TcxFilterControlViewInfo::CalculateValues(TcxConditionViewInfo* ACondition) {
  ACondition->AddValueRect = RECT{};
  std::vector<TcxValueInfo>& values = ACondition->Values();
  if (!ACondition->HasValues()) {
    for (TcxValueInfo& value : values) {
      value.Rect = RECT{};
      value.ViewInfo.reset();
    }
    return;
  }
  String separator;
  int x = ACondition->OperatorRect.right + 8;
  if (ACondition->IsBetweenOperator()) separator = cxGetResourceString(cxSFilterBetweenSeparator);
  if (ACondition->IsListOperator()) {
    separator = u", ";
    x += TextSize(control_->FontValue(), u"(").cx;
  }
  const int separatorWidth = separator.empty() ? 0 : TextSize(control_->FontValue(), separator).cx + 4;
  TcxCustomEditStyle* style = control_->ValueEditStyle();
  style->SetFont(control_->FontValue());
  style->TextColor = control_->FontValue()->Color();
  const TcxFilterControlHitInfo& hot = control_->HotInfo();
  const bool focusInside = control_->HasFocusInside();
  for (int i = 0; i < static_cast<int>(values.size()); ++i) {
    TcxValueInfo& value = values[static_cast<size_t>(i)];
    const bool null = VarIsNull(value.Value);
    TcxCustomEditProperties* properties = null ? control_->DefaultProperties() : ACondition->EditorProperties();
    const Variant shown = null ? Variant(control_->NullString())
                               : ACondition->Helper()->UseDisplayText() ? Variant(value.ValueText) : value.Value;
    const bool active =
        (control_->HotTrackApplies() && control_->EditingMode() == femNone && hot.Row == ACondition &&
         hot.HitTest == fhtValue && hot.ValueIndex == i) ||
        (focusInside && control_->FocusedRow() == ACondition && control_->FocusedPart() == fhtValue &&
         control_->FocusedValueIndex() == i);
    style->SetButtonTransparency(active ? ebtNone : ebtHideInactive);
    std::unique_ptr<TcxCustomEditViewData> data = properties->CreateViewData(style, true);
    TcxEditSizeProperties sizeProperties;
    SIZE size = data->GetEditSize(canvas_.get(), shown, sizeProperties);
    if (active) size.cx = std::max<int>(size.cx, minValueWidth_);
    value.Rect = CenteredRect(ACondition->RowRect, x, size);
    style->SetColor(active ? clWindow : control_->Color());
    value.ViewInfo.reset(static_cast<TcxCustomEditViewInfo*>(properties->GetViewInfoClass()->NewInstance()));
    data->Calculate(canvas_.get(), value.Rect, {-1, -1}, 0, {}, value.ViewInfo.get(), false);
    data->PrepareViewInfoValue(canvas_.get(), shown, value.ViewInfo.get());
    x += size.cx + 4 + separatorWidth;
  }
  if (ACondition->IsListOperator()) {
    const int left = values.back().Rect.right + TextSize(control_->FontValue(), u")0").cx;
    ACondition->AddValueRect =
        CenteredRect(ACondition->RowRect, left, {TextSize(control_->FontValue(), u"000").cx, rowHeight_ - 4});
    ACondition->AddValueState = ButtonState(ACondition, fhtAddValue);
  }
}

int TcxFilterControlViewInfo::RowWidth(TcxCustomRowViewInfo* ARow) const {
  int width = ARow->ButtonRect.right - ARow->ButtonRect.left + ARow->Indent + 5;
  if (auto* group = dynamic_cast<TcxGroupViewInfo*>(ARow))
    return width + (group->BoolOperatorRect.right - group->BoolOperatorRect.left) +
           (group->CaptionRect.right - group->CaptionRect.left) + 16;
  auto* condition = static_cast<TcxConditionViewInfo*>(ARow);
  width += condition->ItemRect.right - condition->ItemRect.left + condition->OperatorRect.right -
           condition->OperatorRect.left + 16;
  if (condition->HasValues()) {
    const int end = condition->IsListOperator() ? condition->AddValueRect.right : condition->Values().back().Rect.right;
    width += end - condition->OperatorRect.right;
  }
  return width;
}

void TcxFilterControlViewInfo::GetHitTest(TShiftState AShift, POINT P, TcxFilterControlHitInfo& AHitInfo) {
  AHitInfo = TcxFilterControlHitInfo{};
  AHitInfo.Mouse = P;
  AHitInfo.Shift = AShift;
  AHitInfo.Row = control_->FocusedRow() ? control_->FocusedRow() : control_->Root();
  const RECT client = control_->GetClientBounds();
  if (!PtInRect(&client, P)) return;
  if (PtInRect(&addConditionRect_, P)) {
    AHitInfo.HitTest = fhtAddCondition;
    return;
  }
  for (int i = control_->TopRow(); i < control_->RowCount(); ++i) {
    TcxCustomRowViewInfo* row = control_->Rows(i);
    if (!PtInRect(&row->RowRect, P)) continue;
    AHitInfo.Row = row;
    if (PtInRect(&row->ButtonRect, P)) {
      AHitInfo.HitTest = fhtRowButton;
    } else if (auto* group = dynamic_cast<TcxGroupViewInfo*>(row)) {
      if (PtInRect(&group->BoolOperatorRect, P)) AHitInfo.HitTest = fhtBoolOperator;
    } else {
      auto* condition = static_cast<TcxConditionViewInfo*>(row);
      if (PtInRect(&condition->ItemRect, P)) {
        AHitInfo.HitTest = fhtItem;
      } else if (PtInRect(&condition->OperatorRect, P)) {
        AHitInfo.HitTest = fhtOperator;
      } else if (PtInRect(&condition->AddValueRect, P)) {
        AHitInfo.HitTest = fhtAddValue;
      } else {
        for (int v = 0; v < static_cast<int>(condition->Values().size()); ++v)
          if (PtInRect(&condition->Values()[static_cast<size_t>(v)].Rect, P)) {
            AHitInfo.HitTest = fhtValue;
            AHitInfo.ValueIndex = v;
          }
      }
    }
    return;
  }
}

void TcxFilterControlViewInfo::CalculateFocusRect() {
  focusRect_ = RECT{};
  if (!control_->HasUsableLink()) {
    focusRect_ = control_->GetClientBounds();
    InflateRect(&focusRect_, -2, -2);
    return;
  }
  TcxCustomRowViewInfo* row = control_->FocusedRow();
  if (!row) return;
  switch (control_->FocusedPart()) {
    case fhtBoolOperator:
      if (auto* group = dynamic_cast<TcxGroupViewInfo*>(row)) focusRect_ = group->BoolOperatorRect;
      break;
    case fhtItem:
    case fhtOperator:
    case fhtValue:
      if (auto* condition = dynamic_cast<TcxConditionViewInfo*>(row)) {
        const int index = control_->FocusedValueIndex();
        if (control_->FocusedPart() == fhtItem)
          focusRect_ = condition->ItemRect;
        else if (control_->FocusedPart() == fhtOperator)
          focusRect_ = condition->OperatorRect;
        else if (index >= 0 && index < static_cast<int>(condition->Values().size()))
          focusRect_ = condition->Values()[static_cast<size_t>(index)].Rect;
      }
      break;
    default:
      return;
  }
  if (!IsRectEmpty(&focusRect_)) InflateRect(&focusRect_, 1, 1);
}
