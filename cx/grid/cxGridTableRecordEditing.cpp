// Appending, inserting and deleting records from the keyboard.
#include "cx/grid/cxGridCustomTableController.h"
#include "cx/grid/cxGridEditingController.h"
#include "cx/grid/cxGridTableControllerStrs.h"
#include "cx/foundation/cxClasses.h"
#include "platform/forms/Forms.h"

bool TcxCustomGridTableController::CanAppend() {
  TcxCustomDataController* dc = DataController();
  return GridView()->OptionsData()->Appending() && (dc->GetEditOperations() & dceopAppend) != 0 &&
         (dc->GetEditState() & dceInsert) == 0;
}

bool TcxCustomGridTableController::CanDelete() { return (DataController()->GetEditOperations() & dceopDelete) != 0; }

bool TcxCustomGridTableController::CanInsert() { return (DataController()->GetEditOperations() & dceopInsert) != 0; }

bool TcxCustomGridTableController::CancelOnExitNeeded() {
  const int state = DataController()->GetEditState();
  return GridView()->OptionsData()->CancelOnExit() && (state & dceInsert) != 0 &&
         (state & (dceChanging | dceModified)) == 0;
}

void TcxCustomGridTableController::StartNewRecord(bool AAppend) {
  const bool editorWasOpen = IsEditing();
  TcxCustomDataController* dc = DataController();
  if (AAppend)
    dc->Append();
  else
    dc->Insert();
  if ((dc->GetEditState() & dceInsert) == 0 || !GridView()->OptionsBehavior()->FocusFirstCellOnNewRecord()) return;
  FocusFirstItem();
  if (editorWasOpen) EditingController()->ShowEditAndActivate();
}

void TcxCustomGridTableController::DeleteRecords() {
  if (!CanDelete()) return;
  TcxCustomDataController* dc = DataController();
  const int selected = SelectedRecordCount();
  const bool several =
      MultiSelect() && (selected > 1 || (selected == 1 && dc->GetSelectedRowIndex(0) != FocusedRecordIndex()));
  if (GridView()->OptionsData()->DeletingConfirmation()) {
    const String text = cxGetResourceString(several ? cxSGridDeletingSelectedConfirmationText
                                                    : cxSGridDeletingFocusedConfirmationText);
    HWND owner = Site()->HandleAllocated() ? Site()->Handle() : nullptr;
    if (MessageBox(owner, text, u"Confirm", MB_ICONQUESTION | MB_OKCANCEL) != IDOK) return;
  }
  if (several)
    dc->DeleteSelection();
  else
    dc->DeleteFocused();
}
