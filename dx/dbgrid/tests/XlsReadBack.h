// What python3-xlrd reads from a workbook file (scripts/xls_dump.py): one line per cell, width and
// font, or xlrd's complaint. The tests' check that an export is a workbook another reader accepts.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "platform/rtl/String.h"

inline std::string ReadBackWithXlrd(const String& File) {
  const std::string command = std::string("/usr/bin/python3 ") + TRENVIK_SOURCE_RESOURCES_DIR +
                              "/../scripts/xls_dump.py '" + StringToUtf8(File) + "' 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string out;
  char buffer[4096];
  while (pipe && fgets(buffer, sizeof buffer, pipe.get())) out += buffer;
  return out;
}
