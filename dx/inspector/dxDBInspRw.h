// Data-bound row kinds: the mask and memo kinds reading and writing a dataset field.
#pragma once

#include "dx/inspector/dxDBInsp.h"
#include "dx/inspector/dxInspRw.h"

class TdxInspectorDBMaskRow : public TdxFieldBoundRow<TdxInspectorMaskRow> {
  TRENVIK_CLASS(TdxInspectorDBMaskRow, TdxFieldBoundRow<TdxInspectorMaskRow>);

 public:
  using TdxFieldBoundRow::TdxFieldBoundRow;
  String GetDefaultEditMask() override { return Field() ? Field()->EditMask() : String(); }
};

class TdxInspectorDBMemoRow : public TdxFieldBoundRow<TdxInspectorMemoRow> {
  TRENVIK_CLASS(TdxInspectorDBMemoRow, TdxFieldBoundRow<TdxInspectorMemoRow>);

 public:
  using TdxFieldBoundRow::TdxFieldBoundRow;
  // The whole field text, not its display text.
  String GetEditText() override { return IsLinkActive() ? Field()->AsString() : String(); }
  String GetMemoText() override { return Field() ? GetEditText() : String(); }
  String GetEditMask() override { return String(); }

 protected:
  bool AllowsBlobs() override { return true; }
};

// Fills the default row classes per field type with the kinds built so far (priority 1).
void RegisterDefaultDBRowKinds();
