// Combo items: an edit item with a drop-down window, either one the application supplies or the
// library's owner-drawn list of strings with incremental matching.
#pragma once

#include <memory>
#include <vector>

#include "dx/bars/dxBarEdit.h"
#include "platform/classes/StringList.h"
#include "platform/forms/StdCtrls.h"

class TdxBarDropDownListBox;

using TdxBarCheckKeyForDropDownWindowEvent =
    std::function<void(TObject* Sender, WORD Key, TShiftState Shift, bool& AcceptKey)>;
using TdxBarGetDropDownWindowEvent = std::function<void(TObject* Sender, HWND& Window)>;
using TdxBarDrawItemEvent = std::function<void(TObject* Sender, int AIndex, const RECT& ARect, TOwnerDrawState AState)>;
using TdxBarMeasureItemEvent = std::function<void(TObject* Sender, int AIndex, int& AHeight)>;

// Where a drop-down window of the given size opens for a control at Control (screen rectangle)
// from the drop point P, kept on the work area; Beside: it opens to the right of the control (menus,
// toolbars docked left or right) rather than below it.
POINT PlaceDropDownWindow(POINT P, SIZE Window, const RECT& Control, bool Beside, const RECT& WorkArea);

class TCustomdxBarCombo : public TdxBarEdit {
  TRENVIK_CLASS(TCustomdxBarCombo, TdxBarEdit);

 public:
  explicit TCustomdxBarCombo(TComponent* AOwner);

  bool ShowEditor() const { return !NoEditor(); }
  void SetShowEditor(bool Value);

  // Whether a key typed while the window is dropped down goes to that window.
  virtual bool CheckKeyForDropDownWindow(WORD Key, TShiftState Shift);
  virtual HWND GetDropDownWindow();
  // Shows the drop-down window at the screen point, kept on the work area.
  void DropDown(int X, int Y);
  virtual void CloseUp();
  // The link whose control is active or focused.
  TdxBarItemLink* CurItemLink() const;

  TdxBarCheckKeyForDropDownWindowEvent OnCheckKeyForDropDownWindow;
  TNotifyEvent OnCloseUp;
  TNotifyEvent OnDropDown;
  TdxBarGetDropDownWindowEvent OnGetDropDownWindow;

 protected:
  virtual void InitDropDownWindow() {}
  virtual void BeforeDropDown() {}
  virtual void AfterDropDown() {}
};

class TdxBarCustomCombo : public TCustomdxBarCombo {
  TRENVIK_CLASS(TdxBarCustomCombo, TCustomdxBarCombo);

 public:
  explicit TdxBarCustomCombo(TComponent* AOwner);
  ~TdxBarCustomCombo() override;

  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int Value) { dropDownCount_ = Value; }
  int DropDownWidth() const { return dropDownWidth_; }
  void SetDropDownWidth(int Value) { dropDownWidth_ = Value; }
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int Value) { itemHeight_ = Value; }
  int ItemIndex() const { return itemIndex_; }
  // Out of range is -1; the text follows the string.
  void SetItemIndex(int Value);
  TStringList* Items() const { return items_.get(); }
  void SetItems(TStrings* Value) { items_->Assign(Value); }
  bool Sorted() const { return items_->Sorted(); }
  void SetSorted(bool Value);
  TdxBarDropDownListBox* ListBox() const { return listBox_.get(); }

  // A text that names another string moves ItemIndex to it (ignoring case).
  void SetText(const String& Value) override;
  void CurChange() override;
  bool CheckKeyForDropDownWindow(WORD Key, TShiftState Shift) override;
  HWND GetDropDownWindow() override;
  void CloseUp() override;
  void DrawInterior(TCanvas* Canvas, RECT R, TdxBarItemLink* Link) override;

  // The first string beginning with the text, else the earliest sharing the longest beginning with
  // it; -1 for an empty text or when no string begins with its first character.
  int FindPrefix(const String& Text) const;
  virtual void DrawItem(int Index, RECT R, TOwnerDrawState State);
  virtual void MeasureItem(int Index, int& Height);
  virtual void MeasureItemWidth(int Index, int& Width);
  TCanvas* GetCanvas() const;
  int GetDropDownWidth();
  // The focused control's shown string and the open list follow the typed text.
  void SyncListWithText();

  TdxBarDrawItemEvent OnDrawItem;
  TdxBarMeasureItemEvent OnMeasureItem;

 protected:
  void InitDropDownWindow() override;
  void BeforeDropDown() override;
  void AfterDropDown() override;

 private:
  void ItemsChanged();

  // The strings upper-cased for FindPrefix, made again after the strings change.
  mutable std::vector<String> upperItems_;
  mutable bool upperItemsStale_ = true;
  int dropDownCount_ = 8;
  int dropDownWidth_ = 0;
  int itemHeight_ = 0;
  int itemIndex_ = -1;
  std::unique_ptr<TStringList> items_;
  std::unique_ptr<TdxBarDropDownListBox> listBox_;
  TCanvas* paintCanvas_ = nullptr;
  bool paintFlat_ = false;
};

class TdxBarCombo : public TdxBarCustomCombo {
  TRENVIK_CLASS(TdxBarCombo, TdxBarCustomCombo);

 public:
  explicit TdxBarCombo(TComponent* AOwner) : TdxBarCustomCombo(AOwner) {}
};
