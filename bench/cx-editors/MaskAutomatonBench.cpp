// Typing into a regular-expression mask: 100,000 strings fed one character at a time to a
// 30-state automaton (a date with an optional time), as a masked editor does.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "cx/editors/cxRegExpr.h"
#include "platform/rtl/FormatSettings.h"

namespace {

const char16_t kMask[] =
    u"([012]?[1-9]|[123]0|31)/(0?[1-9]|1[012])/\\d\\d\\d\\d' '\\d\\d?:\\d\\d(:\\d\\d)?(' '(AM|PM))?";

int CountStates(const TcxRegExprParserAlts& alts) {
  int count = 0;
  for (int a = 0; a < alts.Count(); ++a) {
    const TcxRegExprParserAlt* alt = alts.Items(a);
    for (int i = 0; i < alt->Count(); ++i) {
      if (auto* block = dynamic_cast<const TcxRegExprParserBlockItem*>(alt->Items(i)))
        count += CountStates(*block->Alts);
      else
        ++count;
    }
  }
  return count;
}

std::vector<String> TypedTexts(size_t count) {
  const String samples[] = {u"14/02/2024 9:30",
                            u"1/1/1999 23:59:59",
                            u"31/12/2024 12:00 PM",
                            u"7/7/2007 07:07:07 AM",
                            u"32/01/2024 10:00",
                            u"14/13/2024 1:00",
                            u"3/3/20",
                            u"29/2/2024 9:5"};
  std::mt19937 random(42);
  std::vector<String> texts;
  texts.reserve(count);
  for (size_t i = 0; i < count; ++i) texts.push_back(samples[random() % std::size(samples)]);
  return texts;
}

void BM_TypeIntoDateTimeMask(benchmark::State& state) {
  SetLocale("en-US");
  TcxRegExpr re;
  re.Compile(kMask);
  const int states = CountStates(re.Automat()->ParseTree());
  if (states != 30) state.SkipWithError("the mask does not have 30 states");
  const std::vector<String> texts = TypedTexts(100000);
  size_t complete = 0;
  for (auto _ : state) {
    complete = 0;
    for (const String& text : texts) {
      re.Reset();
      for (Char c : text)
        if (!re.Next(c)) break;
      complete += re.IsFinal() ? 1 : 0;
    }
    benchmark::DoNotOptimize(complete);
  }
  state.counters["states"] = states;
  state.counters["complete"] = static_cast<double>(complete);
}
BENCHMARK(BM_TypeIntoDateTimeMask)->Unit(benchmark::kMillisecond);

}  // namespace
