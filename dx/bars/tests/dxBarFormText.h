// Forms through their form-file text, as a program's forms are written and read.
#pragma once

#include "platform/classes/Filer.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/Streams.h"

inline String BarsFormText(TComponent* Root) {
  TMemoryStream binary;
  TWriter(&binary).WriteRootComponent(Root);
  binary.SetPosition(0);
  return ObjectBinaryToText(&binary);
}

// A new form read from the text, freed by the caller.
inline TForm* ReadBarsForm(const String& Text) {
  auto* form = new TForm(nullptr);
  TMemoryStream binary;
  ObjectTextToBinary(Text, &binary);
  binary.SetPosition(0);
  TReader(&binary).ReadRootComponent(form);
  return form;
}
