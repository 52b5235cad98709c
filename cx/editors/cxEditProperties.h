// Editor settings: the properties object every cx editor type pairs with its control, shared by
// grid columns, repository items and in-place editors; it formats, validates and describes a value
// without a window. Also the defaults a data source lends it, its alignment and its buttons.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "cx/data/cxEditValueSource.h"
#include "platform/classes/ClassesTypes.h"
#include "platform/classes/Component.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Graphic.h"
#include "platform/rtl/Variant.h"

class TcxCustomEdit;
class TcxCustomEditProperties;

using TcxShortCut = Word;
// The platform's shortcut encoding: key code plus modifier bits.
constexpr TcxShortCut scCxShift = 0x2000;
constexpr TcxShortCut scCxCtrl = 0x4000;
constexpr TcxShortCut scCxAlt = 0x8000;
TcxShortCut cxShortCut(WORD AKey, TShiftState AShift);


enum TcxEditSupportedOperation {
  esoAlwaysHotTrack,
  esoAutoHeight,
  esoFiltering,
  esoEditingText,  // bit 3: set by the text editors; no container tests it
  esoHotTrack,
  esoIncSearch,
  esoSorting,
  esoSortingByDisplayText
};
using TcxEditSupportedOperations = Set<TcxEditSupportedOperation>;
// The set as the bit mask the containers store.
int cxSupportedOperationsMask(TcxEditSupportedOperations AOperations);

enum TcxEditDisplayFormatOption { dfoSupports, dfoNoCurrencyValue };
using TcxEditDisplayFormatOptions = Set<TcxEditDisplayFormatOption>;

TRENVIK_ENUM(TcxEditVertAlignment, taTopJustify, taBottomJustify, taVCenter);

// The defaults a data source lends the editors bound to it.
class IcxEditDefaultValuesProvider {
 public:
  virtual ~IcxEditDefaultValuesProvider() = default;
  virtual void Changed() = 0;
  virtual TAlignment DefaultAlignment() = 0;
  virtual Byte DefaultBlobKind() = 0;
  virtual bool DefaultCanModify() = 0;
  virtual void DefaultDisplayFormat(String& Result) = 0;
  virtual void DefaultEditMask(String& Result) = 0;
  virtual bool DefaultIsFloatValue() = 0;
  virtual int DefaultMaxLength() = 0;
  virtual double DefaultMaxValue() = 0;
  virtual double DefaultMinValue() = 0;
  virtual bool DefaultReadOnly() = 0;
  virtual bool DefaultRequired() = 0;
  virtual void GetOwnerName(String& Result) = 0;
  virtual TObject* GetInstance() = 0;
  virtual TNotifyEvent GetOnChanged() = 0;
  virtual bool IsDisplayFormatDefined(bool AIsCurrencyValueAccepted) = 0;
  virtual bool IsValidChar(Char AChar) = 0;
  virtual void SetOwnerName(const String& Value) = 0;
  virtual void SetOnChanged(TNotifyEvent Value) = 0;
};
// Counted references, as the interface is shared by its binding and every properties object.
using IcxEditDefaultValuesProviderRef = std::shared_ptr<IcxEditDefaultValuesProvider>;

// Plain defaults: the base of the providers of data sources.
class TcxCustomEditDefaultValuesProvider : public TObject, public IcxEditDefaultValuesProvider {
  TRENVIK_CLASS(TcxCustomEditDefaultValuesProvider, TObject);

 public:
  explicit TcxCustomEditDefaultValuesProvider(TPersistent* AOwner);

  void Changed() override;
  TAlignment DefaultAlignment() override { return taLeftJustify; }
  Byte DefaultBlobKind() override { return 3; }
  bool DefaultCanModify() override { return true; }
  void DefaultDisplayFormat(String& Result) override { Result.clear(); }
  void DefaultEditMask(String& Result) override { Result.clear(); }
  bool DefaultIsFloatValue() override { return false; }
  int DefaultMaxLength() override { return 0; }
  double DefaultMaxValue() override { return 0; }
  double DefaultMinValue() override { return 0; }
  bool DefaultReadOnly() override { return false; }
  bool DefaultRequired() override { return false; }
  void GetOwnerName(String& Result) override { Result = ownerName_; }
  TObject* GetInstance() override { return this; }
  TNotifyEvent GetOnChanged() override { return onChanged_; }
  bool IsDisplayFormatDefined(bool) override { return false; }
  bool IsValidChar(Char) override { return true; }
  void SetOwnerName(const String& Value) override { ownerName_ = Value; }
  void SetOnChanged(TNotifyEvent Value) override { onChanged_ = std::move(Value); }

  TPersistent* Owner() const { return owner_; }

 private:
  TPersistent* owner_;
  String ownerName_;
  TNotifyEvent onChanged_;
};
using TcxEditDefaultValuesProviderFactory = std::function<IcxEditDefaultValuesProviderRef()>;

// Horizontal and vertical alignment; Horz may be left to the data source until it is assigned.
class TcxEditAlignment : public TPersistent {
  TRENVIK_CLASS(TcxEditAlignment, TPersistent);

 public:
  explicit TcxEditAlignment(TPersistent* AOwner);

  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override { return owner_; }

  TAlignment Horz() const { return horz_; }
  // Marks Horz assigned and reports even an unchanged value, so it is stored from then on.
  void SetHorz(TAlignment Value);
  TcxEditVertAlignment Vert() const { return vert_; }
  void SetVert(TcxEditVertAlignment Value);
  bool IsHorzAssigned() const { return isHorzAssigned_; }
  void SetHorzAssigned(bool Value) { isHorzAssigned_ = Value; }
  bool IsHorzStored() const { return isHorzAssigned_; }
  bool IsVertStored() const { return vert_ != taTopJustify; }

  TNotifyEvent OnChanged;

 private:
  void DoChanged();

  TPersistent* owner_;
  TAlignment horz_ = taLeftJustify;
  bool isHorzAssigned_ = false;
  TcxEditVertAlignment vert_ = taTopJustify;
};

enum TcxEditButtonKind { bkDown, bkEllipsis, bkGlyph, bkText };

// One button of an editor.
class TcxEditButton : public TObject {
  TRENVIK_CLASS(TcxEditButton, TObject);

 public:
  TcxEditButton();
  ~TcxEditButton() override;
  void Assign(const TcxEditButton& Source);

  // Made on first read.
  TBitmap* Glyph();
  // nullptr frees the glyph.
  void SetGlyph(TBitmap* Value);
  bool HasGlyph() const { return glyph_ != nullptr; }

  TcxEditButtonKind Kind = bkDown;
  String Caption;
  bool Default = false;
  bool Enabled = true;
  bool LeftAlignment = false;
  bool Visible = true;
  int Width = 0;

 private:
  std::unique_ptr<TBitmap> glyph_;
};

// The editor's buttons; every change reaches OnChanged.
class TcxEditButtons : public TObject {
  TRENVIK_CLASS(TcxEditButtons, TObject);

 public:
  TcxEditButtons() = default;
  ~TcxEditButtons() override;

  void Assign(const TcxEditButtons& Source);
  TcxEditButton* Add();
  void Delete(int AIndex);
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  TcxEditButton* Items(int AIndex) const;
  int VisibleCount() const;
  // The index in the list of the button shown at AVisibleIndex, or -1.
  int VisibleIndexToIndex(int AVisibleIndex) const;
  // A changed button tells its list through this.
  void Changed();

  TNotifyEvent OnChanged;

 private:
  std::vector<std::unique_ptr<TcxEditButton>> items_;
};

// Which optional settings were assigned rather than left to the data source.
class TcxCustomEditPropertiesValues : public TPersistent {
  TRENVIK_CLASS(TcxCustomEditPropertiesValues, TPersistent);

 public:
  using TCreateArg = TPersistent;
  explicit TcxCustomEditPropertiesValues(TPersistent* AOwner) : owner_(AOwner) {}

  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override { return owner_; }
  virtual void RestoreDefaults() { ReadOnly = false; }

  bool ReadOnly = false;

 private:
  TPersistent* owner_;
};

using TcxEditButtonClickEvent = std::function<void(TObject* Sender, int AButtonIndex)>;
using TcxEditValidateEvent =
    std::function<void(TObject* Sender, Variant& DisplayValue, String& ErrorText, bool& Error)>;

class TcxCustomEditStyle;
class TcxCustomEditViewData;

class TcxCustomEditProperties : public TPersistent {
  TRENVIK_CLASS(TcxCustomEditProperties, TPersistent);

 public:
  using TCreateArg = TPersistent;
  explicit TcxCustomEditProperties(TPersistent* AOwner);
  ~TcxCustomEditProperties() override;

  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override { return owner_; }

  void BeginUpdate() { ++updateCount_; }
  // Without a matching BeginUpdate nothing happens.
  void EndUpdate();
  bool IsChangedLocked() const { return changedLocked_; }
  void SetChangedLocked(bool Value) { changedLocked_ = Value; }

  // --- Settings ---
  // The published alignment, refreshed from the stored one; Horz comes from the data source until
  // assigned.
  TcxEditAlignment* Alignment();
  bool IsAlignmentStored() const;
  bool BeepOnError() const { return beepOnError_; }
  void SetBeepOnError(bool Value);
  TcxEditButtons* Buttons() const { return buttons_.get(); }
  TcxShortCut ClearKey() const { return clearKey_; }
  void SetClearKey(TcxShortCut Value) { clearKey_ = Value; }
  TcxShortCut ClickKey() const { return clickKey_; }
  void SetClickKey(TcxShortCut Value) { clickKey_ = Value; }
  bool ImmediatePost() const { return immediatePost_; }
  void SetImmediatePost(bool Value) { immediatePost_ = Value; }
  bool ReadOnly() const;
  void SetReadOnly(bool Value);
  bool IsReadOnlyStored() const { return assignedValues_->ReadOnly; }
  bool UseLeftAlignmentOnEditing() const { return useLeftAlignmentOnEditing_; }
  void SetUseLeftAlignmentOnEditing(bool Value);
  bool IsUseLeftAlignmentOnEditingStored() const;
  // The horizontal alignment alone, for editors that publish it as a plain value.
  TAlignment HorzAlignment() { return Alignment()->Horz(); }
  void SetHorzAlignment(TAlignment Value) { Alignment()->SetHorz(Value); }
  bool IsHorzAlignmentStored() const { return storedAlignment_->IsHorzAssigned(); }
  bool ValidateOnEnter() const { return validateOnEnter_; }
  void SetValidateOnEnter(bool Value) { validateOnEnter_ = Value; }
  TcxCustomEditPropertiesValues* AssignedValues() const { return assignedValues_.get(); }
  bool CanModify();
  bool IsValueFormattedByDataSource();

  const IcxEditDefaultValuesProviderRef& DefaultValuesProvider() const { return defaultValuesProvider_; }
  void SetDefaultValuesProvider(IcxEditDefaultValuesProviderRef AProvider);
  // Clears the reference without a change notification (the source is going away).
  void ReleaseDefaultValuesProvider() { defaultValuesProvider_.reset(); }

  TcxEditButtonClickEvent OnButtonClick;
  TNotifyEvent OnChange;
  TNotifyEvent OnEditValueChanged;
  TcxEditValidateEvent OnValidate;
  // The owner's change handler; never copied by Assign.
  TNotifyEvent OnPropertiesChanged;

  // --- Virtual operations, in the family's slot order ---
  virtual void AlignmentChanged(TObject* Sender);
  virtual void SetAlignment(TcxEditAlignment* Value);
  virtual void ButtonsChanged(TObject*) { Changed(); }
  virtual bool CanValidate() { return false; }
  virtual void Changed();
  virtual bool CanCompareEditValue() { return false; }
  virtual bool GetDefaultUseLeftAlignmentOnEditing() { return true; }
  virtual void FreeNotification(TComponent*) {}
  virtual TClass GetAssignedValuesClass();
  virtual TAlignment GetDefaultHorzAlignment();
  virtual TcxEditDisplayFormatOptions GetDisplayFormatSupport() { return {}; }
  virtual void GetValidateErrorText(String& Text);
  virtual bool UsesDisplayFormat(bool AEditFocused);
  virtual bool IsChangeEventSeparate() { return false; }
  virtual bool AcceptsTabKey() { return false; }
  virtual bool AcceptsNavigationKeys() { return false; }
  // The control class of this editor type.
  virtual TClass GetContainerClass();
  // A view data of this editor type for a style (the caller frees it).
  virtual std::unique_ptr<TcxCustomEditViewData> CreateViewData(TcxCustomEditStyle* AStyle, bool AIsInplace);
  // The view info class of this editor type (a descendant of TcxCustomEditViewInfo).
  virtual TClass GetViewInfoClass();
  // Makes the style objects of this editor type.
  virtual std::function<TcxCustomEditStyle*(TPersistent* AOwner, bool ADirectAccessMode)> GetStyleClass();
  virtual String GetDisplayText(const Variant& AEditValue, bool AFullText = false);
  virtual TcxEditSupportedOperations GetSupportedOperations();
  virtual bool IsEditValueValid(Variant& EditValue, bool AEditFocused);
  virtual bool CanRevertEditValue() { return false; }
  virtual void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool AEditFocused);
  virtual void Update(TcxCustomEditProperties*) {}
  virtual void ValidateDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error,
                                    TcxCustomEdit* AEdit);
  virtual TcxEditValueSource GetEditValueSource(bool) { return evsValue; }

 protected:
  void DefaultValuesProviderChanged(TObject* Sender);
  bool IsOwnerDestroying();
  // Replaces the assigned-values object by one of GetAssignedValuesClass.
  void CreateAssignedValues();
  // Alignment as assigned, for descendants that copy it.
  TcxEditAlignment* StoredAlignment() const { return storedAlignment_.get(); }

 private:
  bool beepOnError_ = false;
  std::unique_ptr<TcxEditButtons> buttons_;
  TcxShortCut clearKey_ = 0;
  TcxShortCut clickKey_ = scCxCtrl | 13;
  bool immediatePost_ = false;
  std::unique_ptr<TcxEditAlignment> storedAlignment_;
  int updateCount_ = 0;
  bool useLeftAlignmentOnEditing_ = true;
  bool validateOnEnter_ = false;
  bool readOnly_ = false;
  std::unique_ptr<TcxEditAlignment> publishedAlignment_;
  std::unique_ptr<TcxCustomEditPropertiesValues> assignedValues_;
  bool changedLocked_ = false;
  IcxEditDefaultValuesProviderRef defaultValuesProvider_;
  TPersistent* owner_;
};

// A new properties object of AClass (a descendant of TcxCustomEditProperties) owned by AOwner.
std::unique_ptr<TcxCustomEditProperties> cxCreateEditProperties(TClass AClass, TPersistent* AOwner);
