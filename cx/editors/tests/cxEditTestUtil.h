// A minimal value editor for the framework tests: its display value is a text kept in the edit,
// its properties answer the capability questions as each test sets them, and its binding stores
// posted values (or fails to, on request).
#pragma once

#include <stdexcept>
#include <vector>

#include "cx/editors/cxEdit.h"
#include "cx/foundation/tests/cxControlsTestUtil.h"

class TTestEditProperties : public TcxCustomEditProperties {
  TRENVIK_CLASS(TTestEditProperties, TcxCustomEditProperties);

 public:
  explicit TTestEditProperties(TPersistent* AOwner) : TcxCustomEditProperties(AOwner) {}

  bool Validates = true;
  bool ComparesValues = true;
  bool Reverts = true;
  bool SeparateChange = false;

  bool CanValidate() override { return Validates; }
  bool CanCompareEditValue() override { return ComparesValues; }
  bool CanRevertEditValue() override { return Reverts; }
  bool IsChangeEventSeparate() override { return SeparateChange; }
  TClass GetContainerClass() override;
  void Assign(TPersistent* Source) override {
    inherited::Assign(Source);
    if (auto* source = dynamic_cast<TTestEditProperties*>(Source)) {
      Validates = source->Validates;
      ComparesValues = source->ComparesValues;
      Reverts = source->Reverts;
      SeparateChange = source->SeparateChange;
    }
  }
};

class TTestEditDataBinding : public TcxEditDataBinding {
  TRENVIK_CLASS(TTestEditDataBinding, TcxEditDataBinding);

 public:
  explicit TTestEditDataBinding(TcxCustomEdit* AEdit) : TcxEditDataBinding(AEdit) {}

  bool FailWrites = false;
  std::vector<Variant> Stored;

  // A store outside the edit: the value is modified until it was posted.
  bool GetModified() override { return Edit()->Modified(); }

  void SetStoredValue(const Variant& Value) override {
    if (FailWrites) throw Exception(u"the record is locked");
    Stored.push_back(Value);
  }
};

class TTestEdit : public TcxCustomEdit {
  TRENVIK_CLASS(TTestEdit, TcxCustomEdit);

 public:
  explicit TTestEdit(TComponent* AOwner) : TcxCustomEdit(AOwner) {
    CreateProperties();
    CreateDataBinding();
  }

  TTestEditProperties* Props() { return static_cast<TTestEditProperties*>(GetActiveProperties()); }
  TTestEditDataBinding* Binding() { return static_cast<TTestEditDataBinding*>(DataBinding()); }

  // What the user typed, shown while the edit holds it.
  String Text;
  int SelectAllCount = 0;

  // Types a text as the user would: the value changes through the change handler.
  void UserTypes(const String& AText) {
    Text = AText;
    ChangeHandler(this);
  }

  TClass GetPropertiesClass() override { return TTestEditProperties::StaticClass(); }
  TcxEditDataBindingFactory GetDataBindingClass() override {
    return [](TcxCustomEdit* AEdit) { return std::make_unique<TTestEditDataBinding>(AEdit); };
  }
  void GetDisplayValue(Variant& Value) override { Value = Text; }
  void GetEditValue(Variant& Value) override { Value = Text.empty() ? Null() : Variant(Text); }
  void InternalSetDisplayValue(const Variant& Value) override { Text = VarToStr(Value); }
  void SynchronizeDisplayValue() override { Text = VarToStr(EditValue()); }
  void SelectAll() override { ++SelectAllCount; }
  bool CanKeyDownModifyEdit(WORD Key, TShiftState) override { return Key == VK_DELETE; }
  void Clear() override { SetEditValue(Null()); }
};

inline TClass TTestEditProperties::GetContainerClass() { return TTestEdit::StaticClass(); }
