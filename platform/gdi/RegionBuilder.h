// Internal: building canonical banded regions from rows or bands of spans.
#pragma once

#include <vector>

#include "platform/rtl/WinDef.h"

// A run of pixels [left, right) on one row or band.
struct Span {
  int left;
  int right;
};

// Sorts spans, drops empty ones and merges those that overlap or touch.
void NormalizeSpans(std::vector<Span>& spans);

// Collects bands top to bottom; bands must not overlap and must come in order.
class RegionBuilder {
 public:
  // `spans` must be normalised.
  void AddBand(int top, int bottom, const std::vector<Span>& spans);
  // Normalises `spans` first.
  void AddRow(int y, std::vector<Span>& spans);
  std::vector<RECT> Take() { return std::move(rects_); }

 private:
  std::vector<RECT> rects_;
  std::size_t lastBandStart_ = static_cast<std::size_t>(-1);
};
