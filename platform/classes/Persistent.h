// Objects that can be assigned to one another and streamed.
#pragma once

#include <functional>

#include "platform/rtl/Object.h"

class TFiler;

// The handler of an event that only says who sent it.
using TNotifyEvent = std::function<void(TObject* Sender)>;

class TPersistent : public TObject {
  TRENVIK_CLASS(TPersistent, TObject);

 public:
  TPersistent() = default;
  // Copies Source into this object. The default asks Source to assign itself (AssignTo) and
  // raises EConvertError "Cannot assign a <source class> to a <this class>" when neither can.
  virtual void Assign(TPersistent* Source);
  // The dotted path of the object in the owner chain ("Form1.Grid1.Columns[2]"); the class name
  // for an object without owner and name.
  virtual String GetNamePath();
  // The object this one belongs to (its owner component, collection, ...); nullptr by default.
  virtual TPersistent* GetOwner();

 protected:
  virtual void AssignTo(TPersistent* Dest);
  // Adds unpublished values to the object's stream (Filer->DefineProperty / DefineBinaryProperty).
  virtual void DefineProperties(TFiler* Filer);
  [[noreturn]] void AssignError(TPersistent* Source);

  friend class TReader;
  friend class TWriter;
};
