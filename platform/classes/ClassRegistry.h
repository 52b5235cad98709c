// The registry of classes that streams may name: form resources create their components through it.
#pragma once

#include <initializer_list>

#include "platform/rtl/Object.h"

// Registers the class and its ancestors up to TPersistent. Registering a different class under a
// name already taken raises EFilerError "A class named %s already exists".
void RegisterClass(TClass AClass);
void RegisterClasses(std::initializer_list<TClass> Classes);
void UnRegisterClass(TClass AClass);
// Case-insensitive; nullptr when no class of that name is registered.
TClass GetClass(const String& ClassName);
// As GetClass, but raises EClassNotFound "Class %s not found".
TClass FindClass(const String& ClassName);
