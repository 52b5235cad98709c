// A column's filter drop-down: the sorted distinct values of the column under the fixed entries
// "(All)", "(Custom...)" and, when blanks were seen, "(Blanks)" and "(NonBlanks)". Choosing an entry
// rewrites the column's conditions.
#pragma once

#include <memory>
#include <vector>

#include "dx/editors/dxPopupListBox.h"
#include "platform/classes/StringList.h"
#include "platform/rtl/Variant.h"

class TCustomdxDBGrid;
class TdxDBTreeListColumn;

// The value an entry of the list carries.
class TdxFilterValueObject : public TObject {
  TRENVIK_CLASS(TdxFilterValueObject, TObject);

 public:
  explicit TdxFilterValueObject(const Variant& AValue) : Value(AValue) {}
  Variant Value;
};

class TdxDBGridFilterValues : public TStringList {
  TRENVIK_CLASS(TdxDBGridFilterValues, TStringList);

 public:
  ~TdxDBGridFilterValues() override;
  // Append keeps order and duplicates; otherwise the value goes to its sorted place unless it is
  // there already or the list holds MaxCount entries.
  void AddValue(const String& DisplayText, const Variant& Value, bool Append);
  const Variant& Value(int Index) const { return static_cast<TdxFilterValueObject*>(Objects(Index))->Value; }
  void Clear() override;

  bool AnsiSort = false;
  bool CaseInsensitive = false;
  int MaxCount = 0;

 private:
  int CompareValues(const Variant& A, const Variant& B) const;
  std::vector<std::unique_ptr<TdxFilterValueObject>> owned_;
};

class TdxDBGridFilterPopupListBox : public TCustomdxPopupPickListBox {
  TRENVIK_CLASS(TdxDBGridFilterPopupListBox, TCustomdxPopupPickListBox);

 public:
  TdxDBGridFilterPopupListBox(TComponent* AOwner, TCustomdxDBGrid* Grid);
  ~TdxDBGridFilterPopupListBox() override;

  TdxDBTreeListColumn* Column() const { return column_; }
  void SetColumn(TdxDBTreeListColumn* Value) { column_ = Value; }
  TdxDBGridFilterValues* FilterValues() const { return values_.get(); }
  // The entries for the column: the fixed ones, then the gathered values; the current choice selected.
  void Fill();
  bool HasBlanks() const { return hasBlanks_; }
  // Index of the first value entry.
  int FirstValueIndex() const { return hasBlanks_ ? 4 : 2; }
  void CloseUp(bool Accept);

 protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void GatherValues();
  void Preselect();
  void Choose(int Index);

  TCustomdxDBGrid* grid_;
  TdxDBTreeListColumn* column_ = nullptr;
  std::unique_ptr<TdxDBGridFilterValues> values_;
  bool hasBlanks_ = false;
};
