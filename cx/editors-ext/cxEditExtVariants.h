// Value comparison of the editors' item settings.
#pragma once

#include "cx/data/cxVariants.h"

// Same type and equal: a value of another type counts as a change even when it compares equal.
inline bool cxSameVariant(const Variant& A, const Variant& B) { return VarType(A) == VarType(B) && cxVariantsEqual(A, B); }
