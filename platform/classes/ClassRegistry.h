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

// Class groups: the classes that one kind of root (visual controls, say) makes available together.
// StartClassGroup opens the group whose root is AClass; GroupDescendentsWith puts AClass and its
// descendants into the group that AClassGroup belongs to, and raises EFilerError "Class %s is in no
// class group" when that class belongs to none.
void StartClassGroup(TClass AClass);
void GroupDescendentsWith(TClass AClass, TClass AClassGroup);
// The root of the group of AClass (its own or its nearest grouped ancestor's); nullptr when none.
TClass ClassGroupOf(TClass AClass);
