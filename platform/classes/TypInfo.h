// Run-time type information of published properties: kinds, enumeration name tables, property
// records with getter, setter, default and stored-if, and the per-class method tables that events
// are bound through by name.
//
//   TRENVIK_ENUM(TAlign, alNone, alTop, alBottom);      // an enumeration with its value names
//
//   TRENVIK_PUBLISHED(TFoo) {                           // in the source, instead of
//     P.Property("Width", &TFoo::Width, &TFoo::SetWidth).Default(64);   // TRENVIK_IMPLEMENT_CLASS
//     P.Property("Align", &TFoo::Align, &TFoo::SetAlign).Default(alNone);
//     P.Property("Font", &TFoo::Font, &TFoo::SetFont);  // a sub-object (or a component reference)
//     P.Property("Items", &TFoo::Items);                // read-only: streamed into the existing object
//     P.Event("OnClick", &TFoo::OnClick);               // a std::function member
//     P.Method("Button1Click", &TFoo::Button1Click);    // a handler events bind to by name
//     P.Field("Button1", &TFoo::Button1);               // the member set to the component Button1
//   }
#pragma once

#include <any>
#include <concepts>
#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

#include "platform/classes/Set.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/Types.h"
#include "platform/rtl/Variant.h"

enum TTypeKind {
  tkUnknown,
  tkInteger,
  tkChar,
  tkEnumeration,
  tkFloat,
  tkString,
  tkSet,
  tkClass,
  tkMethod,
  tkVariant,
  tkInt64
};

// The value names of an enumeration, in value order from 0.
class TEnumInfo {
 public:
  // `names` is the comma-separated list as written in the declaration ("alNone, alTop"); the values
  // must be 0, 1, 2, ... (an explicit "= value" raises EInvalidOperation on first use).
  TEnumInfo(const char* typeName, const char* names);
  const String& TypeName() const { return typeName_; }
  int Count() const { return static_cast<int>(names_.size()); }
  int MaxValue() const { return Count() - 1; }
  // Empty for a value outside the enumeration.
  String Name(int value) const;
  // Case-insensitive; -1 for an unknown name.
  int Value(const String& name) const;

 private:
  String typeName_;
  std::vector<String> names_;
};

// Boolean is the enumeration False, True.
const TEnumInfo& BooleanEnumInfo();
inline const TEnumInfo& TrenvikEnumInfo(bool) { return BooleanEnumInfo(); }

String GetEnumName(const TEnumInfo& info, int value);
int GetEnumValue(const TEnumInfo& info, const String& name);

// Names for an enumeration declared elsewhere; the names must be its values 0, 1, 2, ... in order.
#define TRENVIK_ENUM_INFO(Enum, ...)                  \
  inline const TEnumInfo& TrenvikEnumInfo(Enum) {     \
    static const TEnumInfo info(#Enum, #__VA_ARGS__); \
    return info;                                      \
  }                                                   \
  static_assert(true)

// Declares an enumeration together with its value names.
#define TRENVIK_ENUM(Enum, ...) \
  enum Enum { __VA_ARGS__ };    \
  TRENVIK_ENUM_INFO(Enum, __VA_ARGS__)

template <class E>
concept PublishedEnum = std::is_enum_v<E> && requires(E e) {
  { TrenvikEnumInfo(e) } -> std::same_as<const TEnumInfo&>;
};

template <class E>
const TEnumInfo& EnumInfo() {
  return TrenvikEnumInfo(E{});
}

// Integer values written by name (colours, cursors, charsets: "Color = clBtnFace").
struct TIdentMapEntry {
  Integer Value;
  const char* Name;
};
using TIdentToInt = bool (*)(const String& Ident, Integer& Int);
using TIntToIdent = bool (*)(Integer Int, String& Ident);
// Look-ups in a table of entries; names match case-insensitively.
bool IdentToInt(const String& Ident, Integer& Int, const TIdentMapEntry* Map, int Count);
bool IntToIdent(Integer Int, String& Ident, const TIdentMapEntry* Map, int Count);

// A published method of a class: the target of events bound by name.
struct TMethodInfo {
  String Name;
  // Makes a std::function<Sig> (wrapped in std::any) calling the method on `self`.
  std::function<std::any(TObject* self, const TMethodInfo* info)> Bind;
};

// An event's value as the streaming system sees it: the object and its named method.
struct TMethodRef {
  TObject* Data = nullptr;
  const TMethodInfo* Method = nullptr;
  explicit operator bool() const { return Method != nullptr; }
};

// The callable stored in an event bound through a method table, so that the writer can name it.
template <class Sig>
struct TMethodClosure;
template <class R, class... A>
struct TMethodClosure<R(A...)> {
  TObject* Data;
  const TMethodInfo* Method;
  std::function<R(A...)> Call;
  R operator()(A... args) const { return Call(std::forward<A>(args)...); }
};

class TPropInfo {
 public:
  String Name;
  TTypeKind Kind = tkUnknown;
  // The enumeration (tkEnumeration) or the element enumeration (tkSet).
  const TEnumInfo* Enum = nullptr;
  // The declared class of a tkClass property.
  TClass PropClass = nullptr;
  // The class that declared the property.
  TClass Owner = nullptr;
  // A tkFloat property of type Currency: streamed as an exact currency value.
  bool IsCurrency = false;

  // Accessors by kind; the object passed must be of the declaring class. A missing setter makes
  // the property read-only (a sub-object is then streamed into the existing object).
  std::function<Int64(TObject*)> GetOrd;  // integer, char, enumeration, set (its bits), Int64
  std::function<void(TObject*, Int64)> SetOrd;
  std::function<double(TObject*)> GetFloat;
  std::function<void(TObject*, double)> SetFloat;
  std::function<String(TObject*)> GetStr;
  std::function<void(TObject*, const String&)> SetStr;
  std::function<TObject*(TObject*)> GetObject;
  std::function<void(TObject*, TObject*)> SetObject;
  std::function<Variant(TObject*)> GetVariant;
  std::function<void(TObject*, const Variant&)> SetVariant;
  std::function<TMethodRef(TObject*)> GetMethod;
  // Raises EReadError "Invalid property value" when the method's signature does not fit the event.
  std::function<void(TObject*, const TMethodRef&)> SetMethod;

  // For an integer property whose values have names: the reader accepts the names, the writer
  // writes them.
  TIdentToInt IdentToIntProc = nullptr;
  TIntToIdent IntToIdentProc = nullptr;

  bool HasDefault = false;
  Int64 OrdDefault = 0;
  double FloatDefault = 0;
  std::function<bool(TObject*)> StoredProc;
  bool StoredFlag = true;

  bool ReadOnly() const;
  bool IsStored(TObject* instance) const;
  // True when the value equals the declared default (ordinal/set/float), is empty (string, variant),
  // zero (Int64, float without default), unassigned (event) or nil (object reference): the writer
  // then leaves it out.
  bool IsDefaultValue(TObject* instance) const;
};

// The published properties and methods of a class, its ancestors' first.
// A published field of a form: the member that points to the owned component of that name.
struct TFieldInfo {
  String Name;
  TClass FieldClass;
  // Stores the component (or nullptr) in the owner's member; EInvalidCast when it is not of the
  // field's class.
  std::function<void(TObject* owner, TObject* value)> Set;
};

// The published properties, methods and fields of a class, its ancestors' first.
class TPropList {
 public:
  const std::vector<std::shared_ptr<const TPropInfo>>& Properties() const { return props_; }
  int Count() const { return static_cast<int>(props_.size()); }
  const TPropInfo* Find(const String& name) const;
  const TMethodInfo* FindMethod(const String& name) const;
  const std::vector<std::shared_ptr<const TMethodInfo>>& Methods() const { return methods_; }
  const TFieldInfo* FindField(const String& name) const;
  const std::vector<std::shared_ptr<const TFieldInfo>>& Fields() const { return fields_; }

  // For TPublisher: adds or replaces (a descendant redeclaring a property) by name.
  TPropInfo& Add(TPropInfo info);
  void AddMethod(TMethodInfo info);
  void AddField(TFieldInfo info);

 private:
  friend const TPropList& GetPropList(TClass cls);
  std::vector<std::shared_ptr<const TPropInfo>> props_;
  std::vector<std::shared_ptr<const TMethodInfo>> methods_;
  std::vector<std::shared_ptr<const TFieldInfo>> fields_;
};

// The class's published properties and methods, built on first use.
const TPropList& GetPropList(TClass cls);
// Case-insensitive lookup; nullptr when the class has no such property.
const TPropInfo* GetPropInfo(TClass cls, const String& name);
const TPropInfo* GetPropInfo(const TObject* instance, const String& name);
bool IsPublishedProp(const TObject* instance, const String& name);
// The method `name` of the class or an ancestor, or nullptr.
const TMethodInfo* FindMethod(TClass cls, const String& name);
// The published field `name` of the class or an ancestor, or nullptr.
const TFieldInfo* FindField(TClass cls, const String& name);

// Value access by property name; an unknown name raises EPropertyError "Property %s does not
// exist", a value of the wrong kind EPropertyError "Invalid property type: %s".
Int64 GetOrdProp(TObject* instance, const String& name);
void SetOrdProp(TObject* instance, const String& name, Int64 value);
String GetEnumProp(TObject* instance, const String& name);
// Raises EPropertyError "Invalid property element: %s" for a name the enumeration lacks.
void SetEnumProp(TObject* instance, const String& name, const String& value);
// A set as "[a,b]" / from "a, b" with or without brackets.
String GetSetProp(TObject* instance, const String& name, bool brackets = true);
void SetSetProp(TObject* instance, const String& name, const String& value);
double GetFloatProp(TObject* instance, const String& name);
void SetFloatProp(TObject* instance, const String& name, double value);
String GetStrProp(TObject* instance, const String& name);
void SetStrProp(TObject* instance, const String& name, const String& value);
TObject* GetObjectProp(TObject* instance, const String& name);
void SetObjectProp(TObject* instance, const String& name, TObject* value);
Variant GetVariantProp(TObject* instance, const String& name);
void SetVariantProp(TObject* instance, const String& name, const Variant& value);
TMethodRef GetMethodProp(TObject* instance, const String& name);
void SetMethodProp(TObject* instance, const String& name, const TMethodRef& value);

// A handler of `instance`'s class found by name, as a callable of the event's type; empty when the
// class has no such method, EInvalidCast when its signature differs.
template <class Sig>
std::function<Sig> MethodAddress(TObject* instance, const String& name) {
  const TMethodInfo* m = FindMethod(instance->ClassType(), name);
  if (!m) return {};
  std::any bound = m->Bind(instance, m);
  auto* fn = std::any_cast<std::function<Sig>>(&bound);
  if (!fn) throw EInvalidCast("Method " + StringToUtf8(name) + " does not match the event");
  return *fn;
}

// The method an event is bound to when it was bound by name (MethodAddress or the form reader).
template <class Sig>
TMethodRef MethodOf(const std::function<Sig>& event) {
  if (auto* c = event.template target<TMethodClosure<Sig>>()) return {c->Data, c->Method};
  return {};
}

namespace published_detail {

template <class V>
constexpr TTypeKind KindOf() {
  if constexpr (std::is_same_v<V, bool> || PublishedEnum<V>)
    return tkEnumeration;
  else if constexpr (std::is_same_v<V, Char>)
    return tkChar;
  else if constexpr (std::is_same_v<V, Int64> || std::is_same_v<V, UInt64>)
    return tkInt64;
  else if constexpr (std::is_integral_v<V>)
    return tkInteger;
  else if constexpr (std::is_floating_point_v<V> || std::is_same_v<V, Currency>)
    return tkFloat;
  else if constexpr (std::is_same_v<V, String>)
    return tkString;
  else if constexpr (std::is_same_v<V, Variant>)
    return tkVariant;
  else if constexpr (IsSetType<V>)
    return tkSet;
  else if constexpr (std::is_pointer_v<V> && std::is_base_of_v<TObject, std::remove_pointer_t<V>>)
    return tkClass;
  else
    return tkUnknown;
}

template <class V>
Int64 ToOrd(const V& v) {
  if constexpr (IsSetType<V>)
    return static_cast<Int64>(v.Bits());
  else
    return static_cast<Int64>(v);
}

template <class V>
V FromOrd(Int64 v) {
  if constexpr (IsSetType<V>)
    return V::FromBits(static_cast<UInt64>(v));
  else if constexpr (std::is_same_v<V, bool>)
    return v != 0;
  else
    return static_cast<V>(v);
}

template <class F>
struct EventSig;
template <class Sig>
struct EventSig<std::function<Sig>> {
  using Type = Sig;
};

}  // namespace published_detail

// Chained settings of a property being published.
template <class T>
class TPropBuilder {
 public:
  explicit TPropBuilder(TPropInfo& info) : info_(info) {}
  // The value not written to streams. Ordinal, enumeration, set and float properties.
  template <class V>
  TPropBuilder& Default(const V& value) {
    info_.HasDefault = true;
    if constexpr (std::is_floating_point_v<V> || std::is_same_v<V, Currency>) {
      if (info_.Kind == tkFloat) {
        info_.FloatDefault = static_cast<double>(value);
        return *this;
      }
    }
    if (info_.Kind == tkFloat)
      info_.FloatDefault = static_cast<double>(published_detail::ToOrd(value));
    else
      info_.OrdDefault = published_detail::ToOrd(value);
    return *this;
  }
  // Always written, whatever the value.
  TPropBuilder& NoDefault() {
    info_.HasDefault = false;
    return *this;
  }
  // Names for the values of an integer property.
  TPropBuilder& Idents(TIdentToInt toInt, TIntToIdent toIdent) {
    info_.IdentToIntProc = toInt;
    info_.IntToIdentProc = toIdent;
    return *this;
  }
  TPropBuilder& Stored(bool stored) {
    info_.StoredFlag = stored;
    info_.StoredProc = nullptr;
    return *this;
  }
  template <class C>
  TPropBuilder& Stored(bool (C::*stored)() const) {
    static_assert(std::is_base_of_v<C, T>);
    info_.StoredFlag = true;
    info_.StoredProc = [stored](TObject* o) { return (static_cast<T*>(o)->*stored)(); };
    return *this;
  }

 private:
  TPropInfo& info_;
};

// Collects the published members of class T; used in the body that TRENVIK_PUBLISHED opens.
template <class T>
class TPublisher {
 public:
  explicit TPublisher(TPropList& list) : list_(list) {}

  // getter: V (T::*)() const or V (T::*)(); setter: void (T::*)(V), void (T::*)(const V&), or
  // nullptr for a read-only property.
  template <class G, class Setter = std::nullptr_t>
  TPropBuilder<T> Property(const char* name, G getter, Setter setter = nullptr) {
    using V = std::decay_t<std::invoke_result_t<G, T*>>;
    constexpr TTypeKind kind = published_detail::KindOf<V>();
    static_assert(kind != tkUnknown, "a published property needs a type the streaming system knows");
    TPropInfo info;
    info.Name = S(name);
    info.Kind = kind;
    info.Owner = T::StaticClass();
    constexpr bool writable = !std::is_same_v<Setter, std::nullptr_t>;
    auto self = [](TObject* o) { return static_cast<T*>(o); };
    if constexpr (kind == tkEnumeration) {
      info.Enum = &TrenvikEnumInfo(V{});
    } else if constexpr (kind == tkSet) {
      info.Enum = &TrenvikEnumInfo(typename V::Element{});
    }
    if constexpr (kind == tkFloat) {
      info.IsCurrency = std::is_same_v<V, Currency>;
      info.GetFloat = [getter, self](TObject* o) { return static_cast<double>((self(o)->*getter)()); };
      if constexpr (writable)
        info.SetFloat = [setter, self](TObject* o, double v) { (self(o)->*setter)(V(v)); };
    } else if constexpr (kind == tkString) {
      info.GetStr = [getter, self](TObject* o) { return String((self(o)->*getter)()); };
      if constexpr (writable)
        info.SetStr = [setter, self](TObject* o, const String& v) { (self(o)->*setter)(v); };
    } else if constexpr (kind == tkVariant) {
      info.GetVariant = [getter, self](TObject* o) { return Variant((self(o)->*getter)()); };
      if constexpr (writable)
        info.SetVariant = [setter, self](TObject* o, const Variant& v) { (self(o)->*setter)(v); };
    } else if constexpr (kind == tkClass) {
      info.PropClass = std::remove_pointer_t<V>::StaticClass();
      info.GetObject = [getter, self](TObject* o) -> TObject* { return (self(o)->*getter)(); };
      if constexpr (writable)
        info.SetObject = [setter, self](TObject* o, TObject* v) {
          using P = std::remove_pointer_t<V>;
          P* typed = v ? dynamic_cast<P*>(v) : nullptr;
          if (v && !typed) throw EInvalidCast("Invalid class typecast");
          (self(o)->*setter)(typed);
        };
    } else {
      info.GetOrd = [getter, self](TObject* o) { return published_detail::ToOrd<V>((self(o)->*getter)()); };
      if constexpr (writable)
        info.SetOrd = [setter, self](TObject* o, Int64 v) {
          (self(o)->*setter)(published_detail::FromOrd<V>(v));
        };
    }
    return TPropBuilder<T>(list_.Add(std::move(info)));
  }

  // An event: a public std::function member.
  template <class F, class C>
  TPropBuilder<T> Event(const char* name, F C::*member) {
    static_assert(std::is_base_of_v<C, T>);
    using Sig = typename published_detail::EventSig<F>::Type;
    TPropInfo info;
    info.Name = S(name);
    info.Kind = tkMethod;
    info.Owner = T::StaticClass();
    info.GetMethod = [member](TObject* o) { return MethodOf<Sig>(static_cast<T*>(o)->*member); };
    info.SetMethod = [member](TObject* o, const TMethodRef& m) {
      F& event = static_cast<T*>(o)->*member;
      if (!m) {
        event = nullptr;
        return;
      }
      std::any bound = m.Method->Bind(m.Data, m.Method);
      auto* fn = std::any_cast<F>(&bound);
      if (!fn) throw EReadError("Invalid property value");
      event = *fn;
    };
    return TPropBuilder<T>(list_.Add(std::move(info)));
  }

  // A member that points to the owned component of the same name: set when a component of that
  // name joins the owner (or is renamed to it), cleared when it leaves. The form reader also takes
  // the class of a component from here when the class is not registered.
  template <class P, class C>
  void Field(const char* name, P* C::*member) {
    static_assert(std::is_base_of_v<C, T> && std::is_base_of_v<TObject, P>);
    TFieldInfo info;
    info.Name = S(name);
    info.FieldClass = P::StaticClass();
    info.Set = [member](TObject* owner, TObject* value) {
      P* typed = value ? dynamic_cast<P*>(value) : nullptr;
      if (value && !typed) throw EInvalidCast("Invalid class typecast");
      static_cast<T*>(owner)->*member = typed;
    };
    list_.AddField(std::move(info));
  }

  // A handler that events of the class's components bind to by name (a form's OnClick handlers).
  template <class R, class C, class... A>
  void Method(const char* name, R (C::*method)(A...)) {
    static_assert(std::is_base_of_v<C, T>);
    TMethodInfo info;
    info.Name = S(name);
    info.Bind = [method](TObject* self, const TMethodInfo* m) -> std::any {
      C* target = static_cast<C*>(static_cast<T*>(self));
      return std::function<R(A...)>(TMethodClosure<R(A...)>{
          self, m, [target, method](A... args) -> R { return (target->*method)(std::forward<A>(args)...); }});
    };
    list_.AddMethod(std::move(info));
  }

 private:
  TPropList& list_;
};

template <class T>
void TrenvikPublish(TPropList& list) {
  TPublisher<T> publisher(list);
  T::Publish(publisher);
}

// In the source of a class with published members, instead of TRENVIK_IMPLEMENT_CLASS; the body
// that follows receives `P`, the class's TPublisher.
#define TRENVIK_PUBLISHED(Class)                              \
  TRENVIK_IMPLEMENT_CLASS_WITH(Class, &TrenvikPublish<Class>) \
  void Class::Publish(TPublisher<Class>& P)
