// Editor defaults taken from one dataset field: an editor bound to a field shows and checks its
// values as the field defines them, without settings of its own.
#pragma once

#include <memory>

#include "cx/editors/cxEditProperties.h"

class TField;
class TcxFreeNotificator;

class TcxCustomDBEditDefaultValuesProvider : public TcxCustomEditDefaultValuesProvider {
  TRENVIK_CLASS(TcxCustomDBEditDefaultValuesProvider, TcxCustomEditDefaultValuesProvider);

 public:
  explicit TcxCustomDBEditDefaultValuesProvider(TPersistent* AOwner);
  ~TcxCustomDBEditDefaultValuesProvider() override;

  TField* Field() const { return field_; }
  // Fires no change: a caller whose editors must re-read their defaults calls Changed itself.
  void SetField(TField* AField);

  TAlignment DefaultAlignment() override;
  Byte DefaultBlobKind() override;
  bool DefaultCanModify() override;
  void DefaultDisplayFormat(String& Result) override;
  void DefaultEditMask(String& Result) override;
  bool DefaultIsFloatValue() override;
  int DefaultMaxLength() override;
  double DefaultMaxValue() override;
  double DefaultMinValue() override;
  bool DefaultReadOnly() override;
  bool DefaultRequired() override;
  bool IsDisplayFormatDefined(bool AIsCurrencyValueAccepted) override;
  bool IsValidChar(Char AChar) override;

  // Asked afresh by every answer, so opening or closing the dataset needs no notification.
  virtual bool IsFieldAvailable();

 private:
  TField* field_ = nullptr;
  // Unbinds the field when it is freed before the provider.
  std::unique_ptr<TcxFreeNotificator> freeNotificator_;
};
