#include "platform/data/CollationRanks.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/rtl/Collation.h"

std::vector<std::uint32_t> CollationRanks(const TRecordStore& Store, int Column,
                                          const std::vector<TRecordId>& Rows, bool IgnoreCase) {
  std::vector<std::uint32_t> ranks(Store.IdCount(), 0);
  // First each row gets its distinct text's number (plus one); the views point into the store's
  // pool, which nothing writes while this runs.
  std::vector<std::u16string_view> texts;
  std::unordered_map<std::u16string_view, std::uint32_t> numbers;
  numbers.reserve(std::min<std::size_t>(Rows.size(), 1u << 16));
  for (TRecordId row : Rows) {
    if (Store.IsNull(row, Column)) continue;
    const std::u16string_view text = Store.GetText(row, Column);
    auto [it, added] = numbers.try_emplace(text, static_cast<std::uint32_t>(texts.size()));
    if (added) texts.push_back(text);
    ranks[row] = it->second + 1;
  }
  std::vector<std::string> keys(texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) keys[i] = CollationSortKey(texts[i], IgnoreCase);
  std::vector<std::uint32_t> byKey(texts.size());
  std::iota(byKey.begin(), byKey.end(), 0u);
  std::sort(byKey.begin(), byKey.end(), [&](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
  std::vector<std::uint32_t> rankOfNumber(texts.size());
  std::uint32_t rank = 0;
  for (std::size_t i = 0; i < byKey.size(); ++i) {
    if (i == 0 || keys[byKey[i]] != keys[byKey[i - 1]]) ++rank;
    rankOfNumber[byKey[i]] = rank;
  }
  for (TRecordId row : Rows)
    if (ranks[row]) ranks[row] = rankOfNumber[ranks[row] - 1];
  return ranks;
}
