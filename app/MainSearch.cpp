// The main window's surname search box.
#include "app/Main.h"
#include "platform/data/DB.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/Windows.h"

void TMainForm::Edit1Enter(TObject*) {
  Edit1->SetText(String());
  Edit1->Font()->SetColor(clBlack);
}

void TMainForm::Edit1Exit(TObject*) {
  Edit1->SetText(u"Поиск");
  Edit1->Font()->SetColor(clBlue);
}

// Enter finds the first surname the box's text begins with, in the list's current order; the
// animation runs while the search does.
void TMainForm::Edit1KeyDown(TObject*, WORD& Key, TShiftState) {
  TScopeExit stopAnimation([this] {
    Animate1->SetActive(false);
    Animate1->SetVisible(false);
  });
  TDataSet* list = dxDBGrid1->DataSource() ? dxDBGrid1->DataSource()->DataSet() : nullptr;
  if (Key == VK_RETURN && list) {
    Animate1->SetVisible(true);
    Animate1->SetActive(true);
    const bool found =
        list->Locate(u"FSTNAME", Variant(Edit1->Text()), TLocateOptions{loCaseInsensitive, loPartialKey});
    Edit1->Font()->SetColor(found ? clLime : clRed);
  }
  if (Key == VK_BACK) Edit1->Font()->SetColor(clBlack);
}
