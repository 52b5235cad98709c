// Form files in tests: a root component written to the form text and read back from it.
#pragma once

#include "platform/classes/Filer.h"
#include "platform/rtl/Streams.h"

inline String FormText(TComponent* Root) {
  TMemoryStream binary;
  TWriter(&binary).WriteRootComponent(Root);
  binary.SetPosition(0);
  return ObjectBinaryToText(&binary);
}

inline void ReadFormText(const String& Text, TComponent* Root) {
  TMemoryStream binary;
  ObjectTextToBinary(Text, &binary);
  binary.SetPosition(0);
  TReader(&binary).ReadRootComponent(Root);
}

inline bool Has(const String& Text, const char16_t* Line) { return Text.find(Line) != String::npos; }
