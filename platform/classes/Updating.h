// Changes made between BeginUpdate and EndUpdate of a string list, a collection or anything with
// that pair of methods.
#pragma once

#include <utility>

// Runs work inside target's BeginUpdate/EndUpdate; EndUpdate runs whether work returns or raises.
// Not a guard object: EndUpdate may raise (from a change handler), which a destructor must not.
template <class T, class Work>
void WithUpdate(T& target, Work&& work) {
  target.BeginUpdate();
  try {
    std::forward<Work>(work)();
  } catch (...) {
    target.EndUpdate();
    throw;
  }
  target.EndUpdate();
}
