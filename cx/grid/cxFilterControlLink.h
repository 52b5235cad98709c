// The interface a component gives the filter control it is linked to (the grid's table views).
#pragma once

#include "platform/rtl/Types.h"

class TObject;
class TcxCustomEditProperties;
class TcxFilterCriteria;
class TcxValueType;

// What a component linked to the filter control gives it: its filterable items.
class IcxFilterControl {
 public:
  virtual String GetCaption(int AIndex) = 0;
  virtual int GetCount() = 0;
  virtual TcxFilterCriteria* GetCriteria() = 0;
  virtual TObject* GetItemLink(int AIndex) = 0;
  virtual String GetFieldName(int AIndex) = 0;
  virtual TcxCustomEditProperties* GetProperties(int AIndex) = 0;
  virtual const TcxValueType* GetValueType(int AIndex) = 0;

 protected:
  ~IcxFilterControl() = default;
};
