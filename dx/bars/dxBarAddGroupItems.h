// The dialog that picks items and other groups to add to a group: groups first, then the items
// by category, each entry drawn as its caption beside its component name.
#pragma once

#include <vector>

#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"

class TdxBarGroup;

// Entries beginning with "~" are headings; the others carry their group or item as object.
class TdxBarGroupItemsListBox : public TCustomListBox {
  TRENVIK_CLASS(TdxBarGroupItemsListBox, TCustomListBox);

 public:
  TdxBarGroupItemsListBox(TComponent* AOwner, TdxBarGroup* Group);
  static bool IsHeading(const String& Entry) { return !Entry.empty() && Entry[0] == u'~'; }

 protected:
  void DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) override;
  void MeasureItem(int Index, int& Height) override;
  void WndProc(TMessage& Message) override;

 private:
  void DrawHeading(HDC DC, const RECT& Rect, const String& Entry);
  void DrawEntry(HDC DC, const RECT& Rect, TComponent* Entry, bool Selected);

  TdxBarGroup* group_;
  int lastWidth_ = -1;
};

class TfrmAddGroupItems : public TForm {
  TRENVIK_CLASS(TfrmAddGroupItems, TForm);

 public:
  TfrmAddGroupItems(TdxBarGroup* Group, TFont* Font);

  TdxBarGroupItemsListBox* lbGroupItems;
  TPanel* ButtonsPanel;
  TButton* btnOk;
  TButton* btnCancel;

  // The selected groups and items, in list order.
  std::vector<TComponent*> SelectedEntries();

 private:
  void Fill();

  TdxBarGroup* group_;
};

// True when confirmed; List then holds the chosen items and groups, in list order.
bool ExecuteAddGroupItems(TdxBarGroup* Group, std::vector<TComponent*>& List, TFont* Font = nullptr);
