// Helpers shared by the data library's tests.
#pragma once

#include <string>
#include <vector>

#include "platform/rtl/Streams.h"
#include "platform/rtl/String.h"
#include "platform/rtl/Types.h"
#include "platform/rtl/Variant.h"

inline std::vector<Byte> StreamBytes(TMemoryStream& stream) {
  auto* p = static_cast<const Byte*>(stream.Memory());
  return std::vector<Byte>(p, p + stream.Size());
}

inline std::string Hex(const std::vector<Byte>& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string s;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i) s += ' ';
    s += digits[bytes[i] >> 4];
    s += digits[bytes[i] & 15];
  }
  return s;
}

inline std::vector<Byte> FromHex(const std::string& hex) {
  std::vector<Byte> bytes;
  for (size_t i = 0; i < hex.size();) {
    if (hex[i] == ' ') {
      ++i;
      continue;
    }
    bytes.push_back(static_cast<Byte>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    i += 2;
  }
  return bytes;
}

// A memory stream holding the given bytes, positioned at the start.
inline void LoadBytes(TMemoryStream& stream, const std::vector<Byte>& bytes) {
  stream.Clear();
  if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  stream.SetPosition(0);
}

inline Variant Ansi(const char* utf8) { return VarFromAnsiString(std::string(utf8)); }
inline Variant Wide(const char* utf8) { return Variant(S(utf8)); }
