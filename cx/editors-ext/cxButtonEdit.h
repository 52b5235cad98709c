// The button edit: the mask edit with embedded buttons, one ellipsis button to start with; a click
// on a button (or the click key on the default one) raises the properties' OnButtonClick.
#pragma once

#include "cx/editors/cxMaskEdit.h"

class TcxCustomButtonEditProperties : public TcxCustomMaskEditProperties {
  TRENVIK_CLASS(TcxCustomButtonEditProperties, TcxCustomMaskEditProperties);

 public:
  explicit TcxCustomButtonEditProperties(TPersistent* AOwner);
  TClass GetContainerClass() override;
};

class TcxButtonEditProperties : public TcxCustomButtonEditProperties {
  TRENVIK_CLASS(TcxButtonEditProperties, TcxCustomButtonEditProperties);

 public:
  explicit TcxButtonEditProperties(TPersistent* AOwner) : TcxCustomButtonEditProperties(AOwner) {}
};

class TcxCustomButtonEdit : public TcxCustomMaskEdit {
  TRENVIK_CLASS(TcxCustomButtonEdit, TcxCustomMaskEdit);

 public:
  explicit TcxCustomButtonEdit(TComponent* AOwner) : TcxCustomMaskEdit(AOwner) { CreateProperties(); }
  TClass GetPropertiesClass() override { return TcxButtonEditProperties::StaticClass(); }
};

class TcxButtonEdit : public TcxCustomButtonEdit {
  TRENVIK_CLASS(TcxButtonEdit, TcxCustomButtonEdit);

 public:
  explicit TcxButtonEdit(TComponent* AOwner) : TcxCustomButtonEdit(AOwner) {}
};

void InitializeButtonEdit();
