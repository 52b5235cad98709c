// The root of the class hierarchy and class references (metaclasses).
//
// A class declares itself with one line in its header and one in its source:
//
//   class TFoo : public TPersistent {
//     TRENVIK_CLASS(TFoo, TPersistent);
//    public:
//     ...
//   };
//
//   TRENVIK_IMPLEMENT_CLASS(TFoo)          // or TRENVIK_PUBLISHED(TFoo) { ... } (platform/classes)
//
// `TFoo::StaticClass()` is the class reference, `obj->ClassType()` the object's; `inherited` names
// the parent. The metaclass records are function-local statics: nothing runs before main.
#pragma once

#include <type_traits>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Types.h"

class TObject;
class TMetaClass;
class TPropList;
template <class T>
class TPublisher;

// A class reference: `TFoo::StaticClass()`, `obj->ClassType()`, `FindClass(S("TFoo"))`.
using TClass = const TMetaClass*;

class TMetaClass {
 public:
  // Virtual constructor: the argument is the owner of a component, the collection of a collection
  // item, and unused for other classes.
  using Factory = TObject* (*)(TObject* arg);
  // Adds the class's own published properties and methods (platform/classes).
  using PublishProc = void (*)(TPropList& list);

  TMetaClass(const char* name, TClass parent, Factory factory, PublishProc publish);
  TMetaClass(const TMetaClass&) = delete;
  TMetaClass& operator=(const TMetaClass&) = delete;

  const String& ClassName() const { return name_; }
  TClass ClassParent() const { return parent_; }
  // True for the class itself and for every descendant of `ancestor`.
  bool InheritsFrom(TClass ancestor) const;
  // False for abstract classes and classes without a suitable constructor.
  bool CanCreate() const { return factory_ != nullptr; }
  // Raises EAbstractError for a class that cannot be constructed, EInvalidCast when `arg` is not of
  // the kind the class's constructor takes.
  TObject* NewInstance(TObject* arg = nullptr) const;
  PublishProc Publisher() const { return publish_; }

 private:
  String name_;
  TClass parent_;
  Factory factory_;
  PublishProc publish_;
};

class TObject {
 public:
  // What the virtual constructor passes to the class's constructor: nothing here; a component
  // takes its owner (TComponent*), a collection item its collection.
  using TCreateArg = void;

  TObject() = default;
  virtual ~TObject();
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;

  static TClass StaticClass();
  virtual TClass ClassType() const;
  const String& ClassName() const { return ClassType()->ClassName(); }
  TClass ClassParent() const { return ClassType()->ClassParent(); }
  bool InheritsFrom(TClass ancestor) const { return ClassType()->InheritsFrom(ancestor); }
};

// Deletes the object and clears the reference first, so a destructor that looks back finds none.
template <class T>
void FreeAndNil(T*& object) {
  T* doomed = object;
  object = nullptr;
  delete doomed;
}

[[noreturn]] void RaiseInvalidCreateArg(TClass cls);

// The virtual constructor of T, or nullptr when T cannot be constructed that way.
template <class T>
constexpr TMetaClass::Factory TrenvikFactory() {
  using Arg = typename T::TCreateArg;
  if constexpr (std::is_abstract_v<T>) {
    return nullptr;
  } else if constexpr (std::is_void_v<Arg>) {
    if constexpr (std::is_default_constructible_v<T>)
      return [](TObject*) -> TObject* { return new T(); };
    else
      return nullptr;
  } else if constexpr (std::is_constructible_v<T, Arg*>) {
    return [](TObject* arg) -> TObject* {
      Arg* typed = nullptr;
      if (arg) {
        typed = dynamic_cast<Arg*>(arg);
        if (!typed) RaiseInvalidCreateArg(T::StaticClass());
      }
      return new T(typed);
    };
  } else {
    return nullptr;
  }
}

// In the class body, first. Leaves the access at private, the default of `class`.
#define TRENVIK_CLASS(Class, Parent)         \
 public:                                     \
  using inherited = Parent;                  \
  static TClass StaticClass();               \
  TClass ClassType() const override;         \
  static void Publish(TPublisher<Class>& P); \
                                             \
 private:                                    \
  static_assert(true)

#define TRENVIK_IMPLEMENT_CLASS_WITH(Class, PublishProc)                                           \
  TClass Class::StaticClass() {                                                                    \
    static const TMetaClass meta(#Class, Class::inherited::StaticClass(), TrenvikFactory<Class>(), \
                                 PublishProc);                                                     \
    return &meta;                                                                                  \
  }                                                                                                \
  TClass Class::ClassType() const { return StaticClass(); }

// In the source of a class without published properties of its own.
#define TRENVIK_IMPLEMENT_CLASS(Class) TRENVIK_IMPLEMENT_CLASS_WITH(Class, nullptr)
