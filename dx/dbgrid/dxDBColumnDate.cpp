#include "dx/dbgrid/dxDBColumnDate.h"

#include <cmath>

#include "dx/treelist/dxTL.h"
#include "dx/treelist/dxTLControl.h"

TRENVIK_PUBLISHED(TdxDBTreeListDateColumn) {
  PublishDropDownSettings(P);
  P.Property("DateButtons", &TdxDBTreeListDateColumn::DateButtons, &TdxDBTreeListDateColumn::SetDateButtons)
      .Default(TDateButtons{btnToday, btnClear});
  P.Property("DateOnError", &TdxDBTreeListDateColumn::DateOnError, &TdxDBTreeListDateColumn::SetDateOnError)
      .Default(deToday);
  P.Property("DateValidation", &TdxDBTreeListDateColumn::DateValidation,
             &TdxDBTreeListDateColumn::SetDateValidation)
      .Default(false);
  P.Property("SaveTime", &TdxDBTreeListDateColumn::SaveTime, &TdxDBTreeListDateColumn::SetSaveTime)
      .Default(true);
  P.Property("UseEditMask", &TdxDBTreeListDateColumn::UseEditMask, &TdxDBTreeListDateColumn::SetUseEditMask)
      .Default(false);
  P.Event("OnDateValidateInput", &TdxDBTreeListDateColumn::OnDateValidateInput);
}

TRENVIK_PUBLISHED(TdxDBTreeListTimeColumn) {
  P.Property("TimeEditFormat", &TdxDBTreeListTimeColumn::TimeEditFormat,
             &TdxDBTreeListTimeColumn::SetTimeEditFormat)
      .Default(tfHourMinSec);
  P.Property("UseCtrlIncrement", &TdxDBTreeListTimeColumn::UseCtrlIncrement,
             &TdxDBTreeListTimeColumn::SetUseCtrlIncrement)
      .Default(false);
}

double WholeDays(double Value) { return std::trunc(Value + (Value < 0 ? -1e-11 : 1e-11)); }

double TimeOfDay(double Value) {
  const double time = std::fabs(Value - WholeDays(Value));
  return time < 1e-11 ? 0 : time;
}

// --- Date ---

TRENVIK_COLUMN_KIND_ASSIGN(TdxDBTreeListDateColumn, date_)

void TdxDBTreeListDateColumn::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  auto* date = dynamic_cast<TdxInplaceDateEdit*>(Editor);
  if (!date) return;
  date->DateButtons = date_.DateButtons;
  date->DateOnError = date_.DateOnError;
  date->DateValidation = date_.DateValidation;
  date->SaveTime = date_.SaveTime;
  date->SetUseEditMask(date_.UseEditMask);
  date->OnDateValidateInput = [this](TObject*, const String& Text, TDateTime& Date, String& Message,
                                     bool& Error) {
    if (OnDateValidateInput) OnDateValidateInput(this, Text, Date, Message, Error);
  };
}

void TdxDBTreeListDateColumn::InitEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) {
  auto* date = dynamic_cast<TdxInplaceDateEdit*>(Editor);
  if (!date || !Field()) {
    inherited::InitEditValue(Node, Editor, Value);
    return;
  }
  date->SetDate(Field()->IsNull() ? dxNullDate : Field()->AsFloat());
  Value = Variant(static_cast<double>(date->GetDate()));
}

void TdxDBTreeListDateColumn::SaveEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) {
  auto* date = dynamic_cast<TdxInplaceDateEdit*>(Editor);
  if (!date || !Field()) {
    inherited::SaveEditValue(Node, Editor, Value);
    return;
  }
  if (date->GetDate() == dxNullDate)
    Field()->Clear();
  else
    Field()->SetAsFloat(date->GetDate());
  Value = GetNodeValue(Node);
}

bool TdxDBTreeListDateColumn::IsFieldValueEqual(const Variant& Value) {
  if (!Field()) return inherited::IsFieldValueEqual(Value);
  if (VarIsNull(Value) || VarIsEmpty(Value) || VarIsStr(Value)) return false;
  const double v = Value.AsDouble();
  if (Field()->IsNull()) return v == dxNullDate;
  return WholeDays(v) == WholeDays(Field()->AsFloat());
}

void TdxDBTreeListDateColumn::RestoreDefaults() {
  inherited::RestoreDefaults();
  date_ = TSettings();
}

// --- Time ---

TRENVIK_COLUMN_KIND_ASSIGN(TdxDBTreeListTimeColumn, time_)

void TdxDBTreeListTimeColumn::InitEditProperties(TdxInplaceEdit* Editor) {
  inherited::InitEditProperties(Editor);
  auto* time = dynamic_cast<TdxInplaceTimeEdit*>(Editor);
  if (!time) return;
  time->SetTimeEditFormat(time_.TimeEditFormat);
  time->UseCtrlIncrement = time_.UseCtrlIncrement;
}

void TdxDBTreeListTimeColumn::InitEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) {
  auto* time = dynamic_cast<TdxInplaceTimeEdit*>(Editor);
  if (!time || !Field()) {
    inherited::InitEditValue(Node, Editor, Value);
    return;
  }
  time->SetTime(Field()->IsNull() ? 0 : TimeOfDay(Field()->AsFloat()));
  Value = Variant(static_cast<double>(time->GetTime()));
}

void TdxDBTreeListTimeColumn::SaveEditValue(TdxTreeListNode* Node, TdxInplaceEdit* Editor, Variant& Value) {
  auto* time = dynamic_cast<TdxInplaceTimeEdit*>(Editor);
  if (!time || !Field()) {
    inherited::SaveEditValue(Node, Editor, Value);
    return;
  }
  const double days = Field()->IsNull() ? 0 : WholeDays(Field()->AsFloat());
  Field()->SetAsFloat(days + time->GetTime());
  Value = GetNodeValue(Node);
}

bool TdxDBTreeListTimeColumn::IsFieldValueEqual(const Variant& Value) {
  if (!Field()) return inherited::IsFieldValueEqual(Value);
  if (VarIsNull(Value) || VarIsEmpty(Value) || VarIsStr(Value)) return false;
  const double field = Field()->IsNull() ? 0 : TimeOfDay(Field()->AsFloat());
  return std::fabs(field - Value.AsDouble()) < 0.5 / 86400000.0;  // within half a millisecond
}

void TdxDBTreeListTimeColumn::RestoreDefaults() {
  inherited::RestoreDefaults();
  time_ = TSettings();
}
