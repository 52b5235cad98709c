// Atoms: one case-insensitive table of names (class names, registered messages, clipboard formats).
#include <map>
#include <mutex>

#include "platform/rtl/String.h"
#include "platform/win/WinInternal.h"
#include "platform/win/WindowTree.h"

namespace {

// One table for class names, registered messages and clipboard formats, as the platform shares it.
// Any thread may add and read atoms (registered messages, clipboard formats), so it is locked.
struct TAtomTable {
  std::mutex mutex;
  std::map<String, ATOM> byName;  // folded name
  std::map<ATOM, String> byAtom;
  ATOM next = 0xC000;
};
TAtomTable& Atoms() {
  static TAtomTable table;
  return table;
}

}  // namespace

String FoldCase(const String& s) {
  String r = s;
  for (auto& c : r)
    if (c >= u'a' && c <= u'z') c = static_cast<Char>(c - u'a' + u'A');
  return r;
}

String NameOf(LPCWSTR name) {
  if (!name) return String();
  if (IS_INTRESOURCE(name)) {
    ATOM a = static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(name));
    String known = AtomName(a);
    return !known.empty() ? known : u"#" + Utf8ToString(std::to_string(a));
  }
  return String(name);
}

ATOM GlobalAddAtom(LPCWSTR name) {
  if (!name) return 0;
  if (IS_INTRESOURCE(name)) return static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(name));
  TAtomTable& t = Atoms();
  String folded = FoldCase(name);
  std::lock_guard lock(t.mutex);
  auto it = t.byName.find(folded);
  if (it != t.byName.end()) return it->second;
  if (t.next == 0xFFFF) return 0;
  ATOM a = t.next++;
  t.byName.emplace(folded, a);
  t.byAtom.emplace(a, String(name));
  return a;
}

String AtomName(ATOM atom) {
  std::lock_guard lock(Atoms().mutex);
  auto it = Atoms().byAtom.find(atom);
  return it == Atoms().byAtom.end() ? String() : it->second;
}

ATOM GlobalFindAtom(LPCWSTR name) {
  if (!name) return 0;
  if (IS_INTRESOURCE(name)) return static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(name));
  String folded = FoldCase(name);
  std::lock_guard lock(Atoms().mutex);
  auto it = Atoms().byName.find(folded);
  return it == Atoms().byName.end() ? 0 : it->second;
}
