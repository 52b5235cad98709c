// The cells of a text column ranked in collation order, so a sort compares integers: the collation
// keys are made once per distinct text instead of once per row, and equal texts under the
// collation share a rank.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/data/RecordStore.h"

// Indexed by row id (Store.IdCount() entries); only Rows are ranked, the rest stay 0. A null cell
// ranks 0, before every text; texts rank from 1.
std::vector<std::uint32_t> CollationRanks(const TRecordStore& Store, int Column,
                                          const std::vector<TRecordId>& Rows, bool IgnoreCase);
