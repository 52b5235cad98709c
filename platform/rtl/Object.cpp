#include "platform/rtl/Object.h"

#include "platform/rtl/String.h"

TMetaClass::TMetaClass(const char* name, TClass parent, Factory factory, PublishProc publish)
    : name_(S(name)), parent_(parent), factory_(factory), publish_(publish) {}

bool TMetaClass::InheritsFrom(TClass ancestor) const {
  for (TClass c = this; c; c = c->parent_)
    if (c == ancestor) return true;
  return false;
}

TObject* TMetaClass::NewInstance(TObject* arg) const {
  if (!factory_) throw EAbstractError("Cannot create an instance of abstract class " + StringToUtf8(name_));
  return factory_(arg);
}

void RaiseInvalidCreateArg(TClass cls) {
  throw EInvalidCast("Invalid argument to the constructor of " + StringToUtf8(cls->ClassName()));
}

TObject::~TObject() = default;

TClass TObject::StaticClass() {
  static const TMetaClass meta("TObject", nullptr, TrenvikFactory<TObject>(), nullptr);
  return &meta;
}

TClass TObject::ClassType() const { return StaticClass(); }
