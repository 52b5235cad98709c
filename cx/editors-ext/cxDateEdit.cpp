// The date edit control: its value as a date, the kept time of day, and the drop-down calendar.
#include <algorithm>
#include <cmath>

#include "cx/editors-ext/cxDateEdit.h"
#include "cx/editors-ext/cxEditExtConsts.h"
#include "cx/foundation/cxClasses.h"
#include "cx/editors/cxEditPublishing.h"
#include "cx/editors/cxEditScopes.h"
#include "platform/rtl/Exceptions.h"

TRENVIK_IMPLEMENT_CLASS(TcxCustomDateEdit)
TRENVIK_PUBLISHED(TcxDateEdit) {
  PublishAutoSize(P);
  PublishBeepOnEnter(P);
  PublishEditControl(P, false);
}

TcxCustomDateEdit::TcxCustomDateEdit(TComponent* AOwner) : TcxCustomPopupEdit(AOwner) {
  CreateProperties();
  calendar_ = new TcxPopupCalendar(this);
  calendar_->SetVisible(false);
  calendar_->GetEditDate = [this] { return Date(); };
  calendar_->OnHidePopup = [this](TObject*) {
    if (PopupWindow()) PopupWindow()->PostClosePopup();
  };
  calendar_->TodayButton()->LookAndFeel()->SetMasterLookAndFeel(Style()->LookAndFeel());
  calendar_->ClearButton()->LookAndFeel()->SetMasterLookAndFeel(Style()->LookAndFeel());
  Properties()->SetPopupControl(calendar_);
  SetControlStyle(ControlStyle() - TControlStyle{csSetCaption});
  // The base made its popup window before this class's override could switch the loop off.
  if (PopupWindow()) PopupWindow()->SetOwnLoop(false);
  GetFormatController()->AddListener(this);
}

TcxCustomDateEdit::~TcxCustomDateEdit() {
  GetFormatController()->RemoveListener(this);
  if (HasPopupWindow()) RestorePopupControl();
  Properties()->SetPopupControl(nullptr);
  delete calendar_;
}

TDateTime TcxCustomDateEdit::Date() {
  const Variant& value = EditValue();
  if (VarIsNull(value) || VarIsEmpty(value) || (VarIsStr(value) && VarToStr(value).empty())) return cxNullDate;
  try {
    return value.AsDateTime();
  } catch (const EConvertError&) {
    return cxNullDate;
  } catch (const EVariantError&) {
    return cxNullDate;
  }
}

void TcxCustomDateEdit::SetDate(TDateTime Value) {
  if (Value == Date()) return;
  SetEditValue(Value == cxNullDate ? Null() : VarFromDateTime(Value));
}

void TcxCustomDateEdit::FitValueToBounds() {
  TcxCustomDateEditProperties* properties = ActiveProperties();
  const TDateTime date = Date();
  if (date == cxNullDate || properties->MinValue() == properties->MaxValue()) return;
  const TDateTime fitted = std::clamp<TDateTime>(date, properties->MinValue(), properties->MaxValue());
  if (fitted == date) return;
  if (Modified()) {
    TClearingScope userChange(this);
    SetDate(fitted);
  } else {
    SetDate(fitted);
  }
}

void TcxCustomDateEdit::DisplayToEditValue(const Variant& DisplayValue, Variant& EditValue, bool) {
  TcxCustomDateEditProperties* properties = ActiveProperties();
  const String text = VarToStr(DisplayValue);
  if (text == properties->EmptyDateText()) {
    EditValue = Null();
    return;
  }
  TDateTime date = cxNullDate;
  if (!TryTextToDate(text, !GetFormatController()->UsePlatformDateFormats(), date) &&
      !SmartTextToDate(text, date)) {
    EditValue = properties->DateOnError() == deToday ? VarFromDateTime(std::floor(::Date())) : Null();
    return;
  }
  if (properties->SaveTime() && TimeOfValue(date) == 0 && keptTime_ != 0)
    date += date < 0 ? -keptTime_ : keptTime_;
  EditValue = VarFromDateTime(date);
}

void TcxCustomDateEdit::InternalSetEditValue(const Variant& Value, bool AValidateEditValue) {
  if (IsDestroying()) return;
  Variant value = Value;
  if (value.Type() == varDate || VarIsNumeric(value)) {
    if (ActiveProperties()->SaveTime()) {
      keptTime_ = TimeOfValue(value.AsDateTime());
    } else {
      keptTime_ = 0;
      value = static_cast<int>(DateOfValue(value.AsDateTime()));
    }
  }
  inherited::InternalSetEditValue(value, AValidateEditValue);
}

void TcxCustomDateEdit::PropertiesChanged(TObject* Sender) {
  if (IsEditUnavailable()) return;
  TcxCustomDateEditProperties* properties = ActiveProperties();
  const Variant& value = EditValue();
  if (!properties->SaveTime() && (value.Type() == varDate || VarIsNumeric(value)) &&
      TimeOfValue(value.AsDateTime()) != 0)
    SetEditValue(static_cast<int>(DateOfValue(value.AsDateTime())));
  properties->UpdateEditMask();
  // The mask's mode works on the window: without one the change waits for CreateHandle.
  if (!HandleAllocated()) return;
  inherited::PropertiesChanged(Sender);
}

void TcxCustomDateEdit::CreateHandle() {
  inherited::CreateHandle();
  PropertiesChanged(nullptr);
}

void TcxCustomDateEdit::CreatePopupWindow() {
  inherited::CreatePopupWindow();
  // Opening the calendar returns at once; the calendar closes the popup itself.
  PopupWindow()->SetOwnLoop(false);
}

void TcxCustomDateEdit::DropDown() {
  ActiveProperties()->SetPopupControl(calendar_);
  inherited::DropDown();
}

void TcxCustomDateEdit::SetupPopupWindow() {
  inherited::SetupPopupWindow();
  TcxCustomDateEditProperties* properties = ActiveProperties();
  calendar_->HandleNeeded();
  calendar_->SetColor(Style()->Color());
  calendar_->SetFlat(Style()->LookAndFeel()->Kind() != lfStandard);
  calendar_->SetDateButtons(properties->DateButtons());
  calendar_->OnDateChanged = nullptr;
  const TDateTime date = Date();
  popupDate_ = date;
  const TDateTime shown = date == cxNullDate ? std::floor(::Date()) : DateOfValue(date);
  calendar_->SetFirstDate(shown);
  calendar_->SetSelectDate(shown);
  calendar_->UpdateButtonCaptions();
  calendar_->Font()->Assign(Style()->Font());
  calendar_->AdjustCalendarSize();
  calendar_->OnDateChanged = [this](TObject*) { CalendarDateChanged(); };
}

void TcxCustomDateEdit::CalendarDateChanged() {
  TDateTime date = calendar_->SelectDate();
  if (ActiveProperties()->SaveTime() && date != cxNullDate && popupDate_ != cxNullDate) {
    const TDateTime time = TimeOfValue(popupDate_);
    date += date < 0 ? -time : time;
  }
  if (date == Date() || !DoEditing()) return;
  SetDate(date);
  SetModifiedAfterEnter(true);
}

void InitializeDateEdit() {
  GetRegisteredEditProperties()->Register(TcxDateEditProperties::StaticClass(),
                                          cxGetResourceString(cxSEditDateEditDescription));
}

void FinalizeDateEdit() { GetRegisteredEditProperties()->Unregister(TcxDateEditProperties::StaticClass()); }
