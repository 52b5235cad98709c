// The one error a workbook reader raises: the file cannot be read as an .xls workbook.
#pragma once

#include "platform/rtl/Exceptions.h"

TRENVIK_DECLARE_EXCEPTION(EWorkbookError, Exception);
