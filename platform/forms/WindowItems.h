// The items of a list window (a list box's, a combo box's), read and written through the window's
// messages: the strings class the framework's list controls offer as Items, and the items kept
// aside while the window is made again.
#pragma once

#include <vector>

#include "platform/classes/StringList.h"
#include "platform/forms/native/NativeControls.h"

// The messages a list window answers for its items.
struct TItemMessages {
  UINT GetCount, GetTextLen, GetText, AddString, InsertString, DeleteString, GetItemData, SetItemData;
  LRESULT Err;
};
inline constexpr TItemMessages kListBoxItems{LB_GETCOUNT,     LB_GETTEXTLEN,  LB_GETTEXT,     LB_ADDSTRING, LB_INSERTSTRING,
                                             LB_DELETESTRING, LB_GETITEMDATA, LB_SETITEMDATA, LB_ERR};
inline constexpr TItemMessages kComboBoxItems{CB_GETCOUNT,     CB_GETLBTEXTLEN, CB_GETLBTEXT,    CB_ADDSTRING, CB_INSERTSTRING,
                                              CB_DELETESTRING, CB_GETITEMDATA,  CB_SETITEMDATA,  CB_ERR};

// Items held by a window that the owning control hands out (creating it on first use).
class TWindowStrings : public TStrings {
  TRENVIK_CLASS(TWindowStrings, TStrings);

 public:
  explicit TWindowStrings(const TItemMessages& Messages) : messages_(&Messages) {}
  int Add(const String& S) override;
  void Delete(int Index) override;
  void Insert(int Index, const String& S) override;

 protected:
  virtual HWND Wnd() const = 0;
  String Get(int Index) const override;
  int GetCount() const override;
  void SetUpdating(bool Updating) override;
  void CheckIndex(int Index) const;

 private:
  const TItemMessages* messages_;
};

// A window's items (texts and raw item data) kept while the window is made again.
class TSavedItems {
 public:
  void Save(HWND Wnd, const TItemMessages& Messages);
  // Puts the items into the new window and forgets them.
  void Restore(HWND Wnd, const TItemMessages& Messages);
  bool Empty() const { return texts_.empty(); }

 private:
  std::vector<String> texts_;
  std::vector<LRESULT> data_;
};
