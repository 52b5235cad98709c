// The row-tree stream: the shape of an inspector's row tree (which row is a child of which, in which
// order, which rows are expanded) by row names, apart from the rows themselves.
#pragma once

#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/String.h"

// A record names a row that does not exist; the reader stops applying there, silently.
TRENVIK_DECLARE_EXCEPTION(EFailureLoadOrderRows, Exception);

struct TdxRowTreeRecord {
  String Name;
  std::vector<TdxRowTreeRecord> Children;
};

struct TdxRowTree {
  std::vector<TdxRowTreeRecord> TopNodes;
  // Older streams end after the node records; then the expanded state is left alone.
  bool HasExpandedList = false;
  std::vector<String> Expanded;
};

// Parses the bytes that follow the stream's total length. Every count and length is checked
// against what remains: a short or corrupt stream raises EReadError before anything is applied.
TdxRowTree ParseRowTree(const void* Data, size_t Size);

// Writes the whole stream, total length first, at the stream's position.
void WriteRowTreeStream(TStream* Stream, const TdxRowTree& Tree);
