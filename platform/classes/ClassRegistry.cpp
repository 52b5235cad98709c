#include "platform/classes/ClassRegistry.h"

#include <map>
#include <mutex>

#include "platform/classes/Persistent.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/String.h"

namespace {

struct Registry {
  std::mutex mutex;
  std::map<String, TClass> byName;  // keyed by the upper-case name
  std::map<TClass, TClass> groupRoots;  // a grouped class and the root of its group
};

TClass GroupRootLocked(const Registry& r, TClass AClass) {
  for (TClass c = AClass; c; c = c->ClassParent()) {
    auto it = r.groupRoots.find(c);
    if (it != r.groupRoots.end()) return it->second;
  }
  return nullptr;
}

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

void RegisterClass(TClass AClass) {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.mutex);
  for (TClass c = AClass; c; c = c->ClassParent()) {
    auto [it, added] = r.byName.emplace(UpperCase(c->ClassName()), c);
    if (!added && it->second != c)
      throw EFilerError("A class named " + StringToUtf8(c->ClassName()) + " already exists");
    if (c == TPersistent::StaticClass()) break;
  }
}

void RegisterClasses(std::initializer_list<TClass> Classes) {
  for (TClass c : Classes) RegisterClass(c);
}

void UnRegisterClass(TClass AClass) {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.mutex);
  auto it = r.byName.find(UpperCase(AClass->ClassName()));
  if (it != r.byName.end() && it->second == AClass) r.byName.erase(it);
}

TClass GetClass(const String& ClassName) {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.mutex);
  auto it = r.byName.find(UpperCase(ClassName));
  return it == r.byName.end() ? nullptr : it->second;
}

TClass FindClass(const String& ClassName) {
  TClass c = GetClass(ClassName);
  if (!c) throw EClassNotFound("Class " + StringToUtf8(ClassName) + " not found");
  return c;
}

void StartClassGroup(TClass AClass) {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.mutex);
  r.groupRoots.emplace(AClass, AClass);
}

void GroupDescendentsWith(TClass AClass, TClass AClassGroup) {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.mutex);
  TClass root = GroupRootLocked(r, AClassGroup);
  if (!root) throw EFilerError("Class " + StringToUtf8(AClassGroup->ClassName()) + " is in no class group");
  r.groupRoots[AClass] = root;
}

TClass ClassGroupOf(TClass AClass) {
  Registry& r = TheRegistry();
  std::lock_guard lock(r.mutex);
  return GroupRootLocked(r, AClass);
}
