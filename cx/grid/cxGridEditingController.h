// The in-place editor of the focused cell of a record-based view: opens it (at once, by a key, by
// the mouse, or after the double-click time), places it, moves values between it and the data
// controller through the item, and closes it on Enter, Esc and focus loss.
#pragma once

#include <memory>

#include "cx/editors/cxEdit.h"
#include "platform/forms/Timers.h"

class TcxCustomGridTableController;
class TcxCustomGridTableItem;

class TcxGridEditingController : public TObject {
  TRENVIK_CLASS(TcxGridEditingController, TObject);

 public:
  explicit TcxGridEditingController(TcxCustomGridTableController* AController);
  ~TcxGridEditingController() override;

  TcxCustomGridTableController* Controller() const { return controller_; }
  TcxInplaceEditList* EditList() const { return editList_.get(); }
  TcxCustomGridTableItem* EditingItem() const { return editingItem_; }
  TcxCustomEdit* Edit() const { return edit_; }
  bool IsEditing() const { return editingItem_ != nullptr; }
  TcxCustomEditProperties* EditingProperties() const;
  // Closing the editor when the focus left it failed: the editor keeps the focus.
  bool IsErrorOnEditExit() const { return errorOnEditExit_; }
  bool IsShowTimerRunning() const { return showTimer_ != nullptr; }

  virtual void UpdateEditorAfterLayout();
  virtual void ResetEditPlaced() { placed_ = false; }
  virtual bool CanHideEditOnFocusGained();
  virtual bool CanUpdateEditOnExit();
  // With AlwaysShowEditor the open editor may stay across records and only reload its value.
  virtual bool MustHideEditOnRecordChange();
  virtual bool ShowEditor(TcxCustomGridTableItem* AItem, bool AByMouse);
  virtual void HideEditor(bool AAccept);
  virtual void PropertiesRemoved(TcxCustomEditProperties* AProperties);

  // The item's Editing property goes here.
  void SetActiveItem(TcxCustomGridTableItem* AItem);
  void PlaceEditor();
  void PlaceEditorIfPending();
  void LoadEditorValue();
  void StoreEditorValue();
  void ShowEditAndActivate(TcxCustomGridTableItem* AItem = nullptr);
  void ShowEditByKey(TcxCustomGridTableItem* AItem, Char AKey);
  void ShowEditByMouse(TcxCustomGridTableItem* AItem, TShiftState AShift, int X, int Y);
  // Opens AItem's editor after the double-click time, unless a press stops the timer first.
  void StartShowTimer(TcxCustomGridTableItem* AItem);
  void StopShowTimer();

 protected:
  virtual void AttachEditor();
  void EditAfterKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void EditChanged(TObject* Sender);
  void EditCanModify(TObject* Sender, bool& AAllow);
  void EditorExit(TObject* Sender);
  void EditFocusChanged(TObject* Sender);
  void EditorKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void EditPostEditValue(TObject* Sender);
  void EditValueChanged(TObject* Sender);

 private:
  void DetachEditorHooks();
  // Closing the editor as the focus left it failed: it stays open and takes the focus back.
  void KeepEditorAfterRefusal();
  void ShowTimerTick(TObject* Sender);

  TcxCustomGridTableController* controller_;
  std::unique_ptr<TcxInplaceEditList> editList_;
  TcxCustomGridTableItem* editingItem_ = nullptr;
  TcxCustomEdit* edit_ = nullptr;
  bool preparing_ = false;
  bool hiding_ = false;
  bool settingItem_ = false;
  bool initiating_ = false;
  bool placed_ = false;
  bool placementPending_ = false;
  bool errorOnEditExit_ = false;
  TNotifyEvent savedOnChange_;
  TNotifyEvent savedOnEditValueChanged_;
  std::unique_ptr<TTimer> showTimer_;
  TcxCustomGridTableItem* showTimerItem_ = nullptr;
};
