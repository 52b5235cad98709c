// Tree list engine benchmarks: a million text nodes under one root with three columns, built,
// expanded and collapsed, scrolled to the end and repainted on a 1920 x 1080 client; and a million
// root rows scrolled a page at a time.
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>

#include "dx/treelist/dxTLControl.h"
#include "platform/classes/IniFiles.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/String.h"
#include "platform/win/Windows.h"

namespace {

constexpr int kNodes = 1000000;

double StatusMB(const char* key) {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind(key, 0) == 0) return std::stod(line.substr(std::string(key).size())) / 1024.0;
  return 0;
}

// Counts its paint passes, so a repaint that painted nothing shows as an error.
class TCountingTreeList : public TCustomdxTreeListControl {
 public:
  using TCustomdxTreeListControl::TCustomdxTreeListControl;
  int Paints = 0;
  // Sorting by a text column compares the cells' strings.
  void GetNodeSortValue(TdxTreeListNode* Node, int Column, Variant& Value) override {
    Value = Node->GetString(Column);
  }

 protected:
  void Paint() override {
    ++Paints;
    TCustomdxTreeListControl::Paint();
  }
};

// A shown form whose tree list has a 1920 x 1080 client and three columns.
struct TTreeListForm {
  TTreeListForm() {
    SetScreenSize(2000, 1200);
    form.reset(NewForm<TForm>(nullptr));
    form->SetBounds(0, 0, 1960, 1140);
    treeList = new TCountingTreeList(form.get());
    treeList->SetBorderStyle(bsNone);
    treeList->SetScrollBars(ssNone);
    treeList->SetParent(form.get());
    treeList->SetBounds(0, 0, 1920, 1080);
    treeList->SetShowGrid(true);
    for (int i = 0; i < 3; ++i) treeList->CreateColumn(TdxTreeListColumn::StaticClass())->SetWidth(300);
    form->Show();
    Application->ProcessMessages();
  }
  // A million children of one root, or a million roots.
  void Build(bool AsRoots = false) {
    treeList->BeginUpdate();
    TdxTreeListNode* root = AsRoots ? nullptr : treeList->Add();
    if (root) root->SetString(0, u"Все");
    for (int i = 0; i < kNodes; ++i) {
      TdxTreeListNode* n = root ? root->AddChild() : treeList->Add();
      String number = Utf8ToString(std::to_string(i));
      n->SetString(0, u"Иванов " + number);
      n->SetString(1, u"Отдел " + Utf8ToString(std::to_string(i % 97)));
      n->SetString(2, number);
    }
    treeList->EndUpdate();
  }
  // False when no paint pass ran.
  bool Repaint() {
    int before = treeList->Paints;
    treeList->Invalidate();
    UpdateWindow(treeList->Handle());
    return treeList->Paints == before + 1;
  }
  std::unique_ptr<TForm> form;
  TCountingTreeList* treeList = nullptr;
};

TTreeListForm& Shared() {
  static TTreeListForm* shared = [] {
    auto* f = new TTreeListForm;
    f->Build();
    f->treeList->GetItem(0)->SetExpanded(true);
    return f;
  }();
  return *shared;
}

TTreeListForm& SharedRoots() {
  static TTreeListForm* shared = [] {
    auto* f = new TTreeListForm;
    f->Build(true);
    return f;
  }();
  return *shared;
}

// A page down or up (alternately) and the repaint, among a million root rows: every painted root
// asks for its place among its siblings.
void BM_ScrollAPageOfRootsAndRepaint(benchmark::State& state) {
  TTreeListForm& f = SharedRoots();
  const int top = static_cast<int>(state.range(0));
  const int page = 50;
  f.treeList->SetTopIndex(top);
  bool down = true;
  for (auto _ : state) {
    f.treeList->SetTopIndex(down ? top + page : top);
    if (!f.Repaint()) state.SkipWithError("nothing was painted");
    down = !down;
  }
  if (f.treeList->GetTopIndex() != top && f.treeList->GetTopIndex() != top + page)
    state.SkipWithError("the page did not scroll");
}
BENCHMARK(BM_ScrollAPageOfRootsAndRepaint)->Arg(0)->Arg(500000)->Arg(999000)->Unit(benchmark::kMillisecond);

void BM_BuildMillionNodes(benchmark::State& state) {
  for (auto _ : state) {
    TTreeListForm f;
    f.Build();
    state.counters["rss_MB"] = StatusMB("VmRSS:");
    state.counters["peak_rss_MB"] = StatusMB("VmHWM:");
    state.PauseTiming();
    f.treeList->ClearNodes();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BuildMillionNodes)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ExpandAndCollapseRoot(benchmark::State& state) {
  TTreeListForm& f = Shared();
  TdxTreeListNode* root = f.treeList->GetItem(0);
  root->SetExpanded(false);
  for (auto _ : state) {
    root->SetExpanded(true);
    if (f.treeList->GetAbsoluteCount() != kNodes + 1) state.SkipWithError("the rows did not open");
    root->SetExpanded(false);
  }
  root->SetExpanded(true);
}
BENCHMARK(BM_ExpandAndCollapseRoot)->Unit(benchmark::kMillisecond);

void BM_ScrollToTheEndAndRepaint(benchmark::State& state) {
  TTreeListForm& f = Shared();
  for (auto _ : state) {
    state.PauseTiming();
    f.treeList->SetTopIndex(0);
    state.ResumeTiming();
    f.treeList->SetTopIndex(kNodes);
    if (!f.Repaint()) state.SkipWithError("nothing was painted");
  }
  if (f.treeList->GetTopIndex() < kNodes - 100) state.SkipWithError("did not reach the end");
}
BENCHMARK(BM_ScrollToTheEndAndRepaint)->Unit(benchmark::kMillisecond);

void BM_RepaintAtPosition(benchmark::State& state) {
  TTreeListForm& f = Shared();
  f.treeList->SetTopIndex(static_cast<int>(state.range(0)));
  for (auto _ : state)
    if (!f.Repaint()) state.SkipWithError("nothing was painted");
}
BENCHMARK(BM_RepaintAtPosition)->Arg(0)->Arg(500000)->Arg(999950)->Unit(benchmark::kMillisecond);

void BM_SortMillionNodesByText(benchmark::State& state) {
  TTreeListForm& f = Shared();
  bool descending = false;
  for (auto _ : state) {
    descending = !descending;
    f.treeList->SortNodes(-1, 0, descending);
  }
  TdxTreeListNode* root = f.treeList->GetItem(0);
  bool ascending = root->GetFirstChild()->GetString(0) < root->GetLastChild()->GetString(0);
  if (ascending == descending) state.SkipWithError("the children are not in order");
}
BENCHMARK(BM_SortMillionNodesByText)->Unit(benchmark::kMillisecond)->Iterations(2);

// The worst case of a keystroke: no row matches, so every node is compared once.
void BM_IncrementalSearchFindingNothing(benchmark::State& state) {
  TTreeListForm& f = Shared();
  f.treeList->SetFocusedNode(f.treeList->GetItem(0), 0, false);
  for (auto _ : state) {
    TdxTreeListNode* found = nullptr;
    if (f.treeList->FindNodeByText(0, u"Яя", found, 0)) state.SkipWithError("a row matched");
  }
}
BENCHMARK(BM_IncrementalSearchFindingNothing)->Unit(benchmark::kMillisecond);

// A 50-column layout saved to and read back from an INI file held in memory.
void BM_SaveAndLoadLayout50Columns(benchmark::State& state) {
  auto form = std::unique_ptr<TForm>(NewForm<TForm>(nullptr));
  auto* tl = new TCountingTreeList(form.get());
  tl->SetName(u"Grid1");
  tl->SetParent(form.get());
  for (int i = 0; i < 50; ++i) tl->CreateColumn(TdxTreeListColumn::StaticClass());
  TMemIniFile ini(u"/nonexistent/bench-layout.ini");
  for (auto _ : state) {
    tl->SaveLayout(&ini, u"\\Form1_Grid1");
    tl->LoadLayout(&ini, u"\\Form1_Grid1");
  }
}
BENCHMARK(BM_SaveAndLoadLayout50Columns)->Unit(benchmark::kMillisecond);

}  // namespace
