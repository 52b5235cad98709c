#include "platform/rtl/StringTable.h"

#include <unordered_map>

namespace {

std::unordered_map<int, String>& Table() {
  static std::unordered_map<int, String> table;
  return table;
}

}  // namespace

void RegisterResourceString(int id, String text) { Table()[id] = std::move(text); }

String LoadResString(int id) {
  const auto& table = Table();
  const auto it = table.find(id);
  return it == table.end() ? String() : it->second;
}
