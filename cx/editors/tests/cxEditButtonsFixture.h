// Properties with buttons and a style, laid out on a bitmap without any window.
#pragma once

#include "cx/editors/cxEditUtils.h"
#include "cx/editors/tests/cxEditTestUtil.h"
#include "cx/foundation/tests/cxFoundationTestUtil.h"

struct TButtonsFixture {
  TcxCustomEditProperties properties{nullptr};
  TcxEditStyle style{nullptr, false};
  TcxCustomEditViewInfo viewInfo;
  TTestCanvas canvas{220, 60, clFuchsia};

  TcxEditButton* AddButton(TcxEditButtonKind AKind, bool ALeft = false, int AWidth = 0) {
    TcxEditButton* button = properties.Buttons()->Add();
    button->Kind = AKind;
    button->LeftAlignment = ALeft;
    button->Width = AWidth;
    return button;
  }

  void Calculate(const RECT& ABounds, POINT P = {-1, -1}, int AButton = 0, TShiftState AShift = {},
                 bool AFocused = false, bool AInplace = false) {
    auto data = properties.CreateViewData(&style, AInplace);
    data->Focused = AFocused;
    data->Calculate(canvas.Cx(), ABounds, P, AButton, AShift, &viewInfo, true);
  }
};
