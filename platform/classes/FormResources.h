// Reading and writing whole components: binary streams, and form resources kept as text files in
// the resource folder (resources/ beside the program; tests point it elsewhere).
#pragma once

#include <initializer_list>
#include <string_view>

#include "platform/classes/Component.h"
#include "platform/rtl/Streams.h"

// The folder of the program's resources: $TRENVIK_RESOURCES when set, else "resources" beside the
// program. SetResourceDirectory overrides both (an empty value restores them).
String ResourceDirectory();
void SetResourceDirectory(const String& Dir);
// The file of a form resource: "<folder>/<ResName>.dfm", the name matched case-insensitively;
// empty when there is none.
String FindResourceFile(const String& ResName);

// A binary component stream (with signature) into Instance, or into a new object of the stream's
// class when Instance is nil.
TComponent* ReadComponent(TStream* Stream, TComponent* Instance);
void WriteComponent(TStream* Stream, TComponent* Instance);

// A form resource by name into Instance (EResNotFound "Resource %s not found" when missing).
TComponent* ReadComponentRes(const String& ResName, TComponent* Instance);
// A text form file into Instance; the writer produces one.
TComponent* ReadComponentResFile(const String& FileName, TComponent* Instance);
void WriteComponentResFile(const String& FileName, TComponent* Instance);
// Loads the resource of Instance's class, or of the nearest ancestor below RootAncestor that has
// one. False when none has.
bool InitInheritedComponent(TComponent* Instance, TClass RootAncestor);
// For a form whose code uses its published fields: EReadError "Form <class>: its form file has no
// component <name>" for the first field with no owned component of that name, so a damaged form file
// stops the form instead of leaving a null field behind. FilledByCode names the fields the code
// sets itself.
void RequireFieldComponents(TComponent* Root, std::initializer_list<std::u16string_view> FilledByCode = {});
