// Tree view benchmarks: 100,000 nodes added through the framework's node list (limit 200 ms), and
// a full repaint of a view over 100,000 nodes at the top, the middle and the end (limit 5 ms).
#include <benchmark/benchmark.h>

#include "platform/forms/ComCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/String.h"
#include "platform/win/Windows.h"

namespace {

constexpr int kNodes = 100000;

struct TTreeFixture {
  TForm* form;
  TTreeView* tree;
  TTreeFixture() {
    form = NewForm<TForm>(nullptr);
    form->SetBounds(0, 0, 640, 600);
    form->Show();
    tree = new TTreeView(form);
    tree->SetParent(form);
    tree->SetAlign(alClient);
    tree->HandleNeeded();
  }
  ~TTreeFixture() { delete form; }
};

String NodeText(int i) { return u"Node " + Utf8ToString(std::to_string(i)); }

// 1,000 branches of 99 children each: the shape of a reference tree of territories.
void FillBranches(TTreeView* tree) {
  TTreeNodes* items = tree->Items();
  items->BeginUpdate();
  TTreeNode* branch = nullptr;
  for (int i = 0; i < kNodes; ++i) {
    if (i % 100 == 0)
      branch = items->Add(nullptr, NodeText(i));
    else
      items->AddChild(branch, NodeText(i));
  }
  items->EndUpdate();
}

void BM_AddFlat(benchmark::State& state) {
  TTreeFixture f;
  for (auto _ : state) {
    TTreeNodes* items = f.tree->Items();
    items->BeginUpdate();
    for (int i = 0; i < kNodes; ++i) items->Add(nullptr, NodeText(i));
    items->EndUpdate();
    state.PauseTiming();
    items->Clear();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_AddFlat)->Unit(benchmark::kMillisecond);

void BM_AddBranches(benchmark::State& state) {
  TTreeFixture f;
  for (auto _ : state) {
    FillBranches(f.tree);
    state.PauseTiming();
    f.tree->Items()->Clear();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_AddBranches)->Unit(benchmark::kMillisecond);

// Every branch expanded, so 100,000 rows are shown; the view scrolled to a fraction of them.
void BM_Repaint(benchmark::State& state) {
  TTreeFixture f;
  FillBranches(f.tree);
  for (TTreeNode* n = f.tree->Items()->GetFirstNode(); n; n = n->getNextSibling()) n->Expand(false);
  TTreeNode* last = f.tree->Items()->GetFirstNode();
  while (last->getNextSibling()) last = last->getNextSibling();
  last = last->GetLastChild();
  HWND h = f.tree->Handle();
  f.tree->SetTopItem(state.range(0) == 0
                         ? f.tree->Items()->GetFirstNode()
                         : (state.range(0) == 100 ? last : f.tree->Items()->Item(kNodes / 2)));
  // Counts the paints, so a figure can never come from a repaint that did not happen.
  long paints = 0;
  f.tree->OnCustomDraw = [&](TCustomTreeView*, const RECT&, bool&) { ++paints; };
  for (auto _ : state) RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  state.counters["paints"] = static_cast<double>(paints) / static_cast<double>(state.iterations());
  state.counters["top"] = static_cast<double>(GetScrollPos(h, SB_VERT));
}
BENCHMARK(BM_Repaint)->Arg(0)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
