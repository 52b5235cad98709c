// The benches' toolbar form: 1280 x 1024, a manager with 500 buttons (short cuts on function keys
// with Ctrl or Ctrl+Shift, none a plain character) on 20 toolbars, five in each of the four docks.
#pragma once

#include <memory>

#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarButton.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/NumberText.h"
#include "platform/win/Windows.h"

struct TToolbarsForm {
  // Without bars the form is the same plain form, for comparison.
  explicit TToolbarsForm(bool WithBars) : form(NewForm<TForm>(nullptr)) {
    form->SetBounds(0, 0, 1280, 1024);
    if (!WithBars) return;
    manager = new TdxBarManager(form.get());
    for (int b = 0; b < 20; ++b) {
      TdxBar* bar = manager->Bars()->Add();
      bar->SetCaption(u"Bar " + IntToStr(b));
      bar->SetDockingStyle(static_cast<TdxBarDockingStyle>(dsLeft + b % 4));
      for (int i = 0; i < 25; ++i) {
        auto* button = new TdxBarButton(form.get());
        button->SetCaption(u"B" + IntToStr(i));
        button->SetCategory(0);
        const int n = b * 25 + i;
        button->SetShortCut(ShortCut(static_cast<Word>(VK_F1 + n % 12),
                                     n % 2 ? TShiftState{ssCtrl} : TShiftState{ssCtrl, ssShift}));
        bar->ItemLinks()->Add()->SetItem(button);
      }
      bar->SetVisible(true);
    }
  }

  std::unique_ptr<TForm> form;
  TdxBarManager* manager = nullptr;
};
