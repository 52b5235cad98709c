// What a class with published members includes in its source.
#pragma once

#include "platform/classes/TypInfo.h"
