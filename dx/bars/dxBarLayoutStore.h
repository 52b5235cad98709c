// Where a bar manager's layout is kept: named sections (the main one is "", nested ones are joined
// by the store) holding named values. The INI form and the registry form hold the same values.
#pragma once

#include <vector>

#include "platform/rtl/String.h"

class TdxBarManager;

class TBarLayoutStore {
 public:
  virtual ~TBarLayoutStore() = default;

  virtual String Child(const String& Section, const String& Name) const = 0;
  // The numbers N (in any order) of the child sections of Section named Prefix followed by N.
  virtual std::vector<int> ChildNumbers(const String& Section, const String& Prefix) = 0;
  // A value that is missing or not of the type asked for gives the default.
  virtual String ReadString(const String& Section, const String& Name, const String& Default) = 0;
  virtual int ReadInteger(const String& Section, const String& Name, int Default) = 0;
  virtual bool ReadBool(const String& Section, const String& Name, bool Default) = 0;
  virtual void WriteString(const String& Section, const String& Name, const String& Value) = 0;
  virtual void WriteInteger(const String& Section, const String& Name, int Value) = 0;
  virtual void WriteBool(const String& Section, const String& Name, bool Value) = 0;
  // The user-define flags: a raw byte in the registry, an integer in an INI file.
  virtual int ReadFlags(const String& Section, const String& Name) = 0;
  virtual void WriteFlags(const String& Section, const String& Name, int Value) = 0;
};

// The N of a section named Prefix followed by N written as IntToStr writes it; -1 for any other name.
int LayoutChildNumber(const String& Name, const String& Prefix);

// Writes the whole layout into an empty store; reads one, keeping the manager's values for what is
// missing or bad.
void SaveBarLayout(TdxBarManager* Manager, TBarLayoutStore& Store);
void LoadBarLayout(TdxBarManager* Manager, TBarLayoutStore& Store);
