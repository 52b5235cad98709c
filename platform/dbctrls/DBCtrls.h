// The framework's data-aware standard controls: TDBText (a field's display text as a label) and
// TDBNavigator (buttons that move through and edit a dataset, enabled by its state).
#pragma once

#include <array>
#include <memory>

#include "platform/data/DataLink.h"
#include "platform/data/DataSource.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/StdCtrls.h"

// The question the data-aware controls ask before deleting a record.
inline const char16_t kDeleteRecordQuestion[] = u"Delete record?";

class TDBText : public TCustomLabel {
  TRENVIK_CLASS(TDBText, TCustomLabel);

 public:
  explicit TDBText(TComponent* AOwner);
  ~TDBText() override;

  TDataSource* DataSource() const { return link_->DataSource(); }
  void SetDataSource(TDataSource* Value);
  const String& DataField() const { return link_->FieldName(); }
  void SetDataField(const String& Value) { link_->SetFieldName(Value); }
  TField* Field() const { return link_->Field(); }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  String GetLabelText() override;

 private:
  void DataChange(TObject* Sender);
  std::unique_ptr<TFieldDataLink> link_;
};

TRENVIK_ENUM(TNavigateBtn, nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel,
             nbRefresh);
using TButtonSet = Set<TNavigateBtn>;
using TNavClick = std::function<void(TObject* Sender, TNavigateBtn Button)>;

class TDBNavigator;

// The navigator's link: every change of the dataset's state or position re-enables the buttons.
class TNavDataLink : public TDataLink {
  TRENVIK_CLASS(TNavDataLink, TDataLink);

 public:
  explicit TNavDataLink(TDBNavigator* Navigator) : navigator_(Navigator) {}

 protected:
  void ActiveChanged() override;
  void DataSetChanged() override;
  void EditingChanged() override;

 private:
  TDBNavigator* navigator_;
};

class TDBNavigator : public TCustomControl {
  TRENVIK_CLASS(TDBNavigator, TCustomControl);

 public:
  explicit TDBNavigator(TComponent* AOwner);
  ~TDBNavigator() override;

  TDataSource* DataSource() const { return link_->DataSource(); }
  void SetDataSource(TDataSource* Value);
  TButtonSet VisibleButtons() const { return visibleButtons_; }
  void SetVisibleButtons(TButtonSet Value);
  bool ConfirmDelete() const { return confirmDelete_; }
  void SetConfirmDelete(bool Value) { confirmDelete_ = Value; }
  // The hint of each button, in button order; empty lines keep the default texts.
  TStrings* Hints() const { return hints_.get(); }
  void SetHints(TStrings* Value);
  bool Flat() const { return flat_; }
  void SetFlat(bool Value);
  // The button's control (for hints, state and tests).
  TSpeedButton* Buttons(TNavigateBtn Button) const { return buttons_[static_cast<size_t>(Button)]; }
  // Does what the button does, as a click on it would.
  void BtnClick(TNavigateBtn Index);

  TNavClick BeforeAction;
  TNavClick OnClick;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Resize() override;
  void Loaded() override;

 private:
  friend class TNavDataLink;
  void UpdateButtons();
  void ArrangeButtons();
  void ApplyHints();

  std::unique_ptr<TNavDataLink> link_;
  std::unique_ptr<TStringList> hints_;
  std::array<TSpeedButton*, 10> buttons_{};
  TButtonSet visibleButtons_;
  bool confirmDelete_ = true;
  bool flat_ = false;
};
