// The check and image column kinds: coded values shown as a check box state or as an image with a
// description.
#pragma once

#include <array>
#include <memory>

#include "dx/dbgrid/dxDBColumnDropDown.h"

using TdxColumnToggleClickEvent =
    std::function<void(TObject* Sender, const String& Text, TdxCheckBoxState State)>;
using TdxImageColumnCloseUpEvent = std::function<void(TObject* Sender, String& Value, bool& Accept)>;

// A check box over a field whose texts are ValueChecked, ValueUnchecked and, for any other text,
// ValueGrayed.
class TdxDBTreeListCheckColumn : public TdxDBTreeListColumn {
  TRENVIK_CLASS(TdxDBTreeListCheckColumn, TdxDBTreeListColumn);

 public:
  explicit TdxDBTreeListCheckColumn(TComponent* AOwner);
  ~TdxDBTreeListCheckColumn() override;

  TRENVIK_COLUMN_SETTING(check_, bool, AllowGrayed, false)
  TRENVIK_COLUMN_SETTING(check_, bool, Border3D, false)
  TRENVIK_COLUMN_SETTING(check_, int, GlyphCount, true)
  TRENVIK_COLUMN_SETTING(check_, TdxShowNullFieldStyle, ShowNullFieldStyle, false)
  TRENVIK_COLUMN_SETTING(check_, String, ValueChecked, true)
  TRENVIK_COLUMN_SETTING(check_, String, ValueGrayed, true)
  TRENVIK_COLUMN_SETTING(check_, String, ValueUnchecked, true)
  bool IsValueCheckedStored() const { return check_.ValueChecked != TSettings().ValueChecked; }
  bool IsValueUncheckedStored() const { return check_.ValueUnchecked != TSettings().ValueUnchecked; }
  // Made on first read; assigning an empty bitmap frees it.
  TBitmap* Glyph();
  void SetGlyph(TBitmap* Value);
  bool HasGlyph() const;
  TdxColumnToggleClickEvent OnToggleClick;

  TdxCheckBoxState StateOfText(const String& Text) const;
  const String& TextOfState(TdxCheckBoxState State) const;

  String ValueToText(const Variant& Value) override;
  String CellTextOfDisplayText(String Text) override { return ValueToText(Variant(std::move(Text))); }
  bool IsFieldValueEqual(const Variant& Value) override;
  void PrepareCellViewData(TdxEditViewData* ViewData, TdxTreeListNode* Node) override;
  int GetMinCellHeight(TCanvas* Canvas) override;

  // The custom filter dialog's value editor (dxDBColumnKindFilters.cpp).
  TdxInplaceEdit* NewFilterEdit(TComponent* Owner) override;
  void GetFilterEditValue(TdxInplaceEdit* Editor, Variant& Value, String& Text) override;
  void SetFilterEditValue(TdxInplaceEdit* Editor, const Variant& Value) override;
  void PrepareFilterEdit(TdxInplaceEdit* Editor) override;
  int GetFilterOperators() override { return kdxFilterOperatorsOfValues; }
  // The filter editor's descriptions of the grayed, unchecked and checked values.
  virtual std::array<String, 3> FilterDescriptions();
  // The state's value text.
  bool ConvertExportValue(Variant& Value, bool AsHtml) override;
  TRENVIK_COLUMN_KIND_OPERATIONS(TdxInplaceDBTreeListCheckEdit);
  TRENVIK_COLUMN_KIND_VALUE_OPERATIONS;

 private:
  struct TSettings {
    bool AllowGrayed = false;
    bool Border3D = false;
    int GlyphCount = 6;
    TdxShowNullFieldStyle ShowNullFieldStyle = nsUnchecked;
    String ValueChecked = u"True";
    String ValueGrayed;
    String ValueUnchecked = u"False";
  } check_;
  std::unique_ptr<TBitmap> glyph_;
  bool initializingEditor_ = false;
};

// A coded value looked up in Values: shown as its image and description, picked from a drop-down.
class TdxDBTreeListImageColumn : public TdxDBTreeListDropDownColumn {
  TRENVIK_CLASS(TdxDBTreeListImageColumn, TdxDBTreeListDropDownColumn);

 public:
  explicit TdxDBTreeListImageColumn(TComponent* AOwner);
  ~TdxDBTreeListImageColumn() override;

  TRENVIK_COLUMN_SETTING(image_, bool, DefaultImages, true)
  TRENVIK_COLUMN_SETTING(image_, bool, Incremental, false)
  TRENVIK_COLUMN_SETTING(image_, bool, MultiLineText, true)
  TRENVIK_COLUMN_SETTING(image_, bool, ShowDescription, true)
  TStrings* Descriptions() const { return descriptions_.get(); }
  void SetDescriptions(TStrings* Value);
  TStrings* ImageIndexes() const { return imageIndexes_.get(); }
  void SetImageIndexes(TStrings* Value);
  TStrings* Values() const { return values_.get(); }
  void SetValues(TStrings* Value);
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value);
  TCustomImageList* LargeImages() const { return largeImages_; }
  void SetLargeImages(TCustomImageList* Value);
  int ListWidth() const { return DropDownWidth(); }
  void SetListWidth(int Value) { SetDropDownWidth(Value); }
  TdxImageColumnCloseUpEvent OnCloseUp;

  // The description of a value text, the text itself when it has none.
  String DescriptionOf(const String& Value) const;

  bool StoresFieldValue() override { return true; }
  String ValueToText(const Variant& Value) override;
  String CellTextOfDisplayText(String Text) override { return ValueToText(Variant(std::move(Text))); }
  int GetBestFitWidth(TCanvas* Canvas, TdxTreeListNode* Node) override;
  int GetMinCellHeight(TCanvas* Canvas) override;
  void DoCloseUp(TdxInplaceEdit* Editor, Variant& Value, bool& Accept) override;
  void PrepareCellViewData(TdxEditViewData* ViewData, TdxTreeListNode* Node) override;

  // The custom filter dialog's value editor (dxDBColumnKindFilters.cpp).
  TdxInplaceEdit* NewFilterEdit(TComponent* Owner) override;
  void GetFilterEditValue(TdxInplaceEdit* Editor, Variant& Value, String& Text) override;
  void SetFilterEditValue(TdxInplaceEdit* Editor, const Variant& Value) override;
  int GetFilterOperators() override { return kdxFilterOperatorsOfValues; }
  // The value's description.
  bool ConvertExportValue(Variant& Value, bool AsHtml) override;
  TRENVIK_COLUMN_KIND_OPERATIONS(TdxInplaceDBTreeListImageEdit);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  struct TSettings {
    bool DefaultImages = true;
    bool Incremental = false;
    bool MultiLineText = false;
    bool ShowDescription = false;
  } image_;
  std::unique_ptr<TStringList> descriptions_, imageIndexes_, values_;
  TCustomImageList* images_ = nullptr;
  TCustomImageList* largeImages_ = nullptr;
};
