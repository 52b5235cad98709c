// Which grid lines a grid draws between its cells: the lookup grid's and the grid views' setting.
#pragma once

#include "platform/classes/TypInfo.h"

TRENVIK_ENUM(TcxGridLines, glBoth, glNone, glVertical, glHorizontal);
