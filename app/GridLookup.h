// The program's extended lookups: a combo whose list is a view of a hidden grid over a reference
// table, the key column hidden and the name column listed, through an edit repository item that
// clears the key on Ctrl+D. Only cx code includes the definition (GridLookup.cpp compiles on its
// own); this header names the classes only.
#pragma once

#include "platform/classes/Component.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/String.h"

class TDataSource;
class TcxEditRepository;
class TcxEditRepositoryExtLookupComboBoxItem;
class TcxExtLookupComboBox;
class TcxGrid;

struct TGridLookup {
  TcxExtLookupComboBox* Combo;
  TDataSource* Source;
  const char16_t* Key;
  const char16_t* List;
  const char16_t* Caption;
};

// Adds to Grid a level showing the view ViewName over Lookup's source, and to Repository the item
// ItemName that Lookup's combo then takes its settings from. The view belongs to Owner.
TcxEditRepositoryExtLookupComboBoxItem* MakeGridLookup(TComponent* Owner, TcxGrid* Grid, TcxEditRepository* Repository,
                                                       const TGridLookup& Lookup, const String& ViewName,
                                                       const String& ItemName);

// A cx editor of a window's layout, which the window's published fields cannot name.
template <class T>
T* LayoutEditor(TComponent* Window, const char16_t* Name) {
  auto* found = dynamic_cast<T*>(Window->FindComponent(Name));
  if (!found) throw Exception(u"The layout of " + Window->Name() + u" lacks " + String(Name));
  return found;
}
