// The in-place editors: cells painted by an editor class without editors, and a masked editor
// driven through the message loop.
#include <benchmark/benchmark.h>

#include <memory>

#include "dx/editors/dxBlobEdit.h"
#include "dx/editors/dxCalculator.h"
#include "dx/editors/dxContainer.h"
#include "dx/editors/dxDateEdit.h"
#include "dx/editors/dxGraphicEdit.h"
#include "dx/editors/dxLookupEdit.h"
#include "platform/data/FieldTypes.h"
#include "platform/data/MemoryDataSet.h"
#include "dx/editors/dxMaskEdit.h"
#include "platform/forms/PictureValues.h"
#include "dx/editors/dxTextEdit.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Graphic.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/String.h"
#include "platform/win/Windows.h"

namespace {

// 2,000 cells of 96 x 20 over a 1920 x 1080 surface (the rows past the bottom start again at the
// top), each with its own short-lived view data, as a grid paints its rows.
void BM_ClassPaintTextCells(benchmark::State& state) {
  TBitmap surface;
  surface.SetSize(1920, 1080);
  TFont font;
  font.SetName(u"Tahoma");
  font.SetHeight(-11);
  TBrush brush;
  brush.SetColor(clWindow);
  HDC dc = surface.Canvas()->Handle();
  const HFONT fontHandle = font.Handle();
  const HBRUSH brushHandle = brush.Handle();
  const TdxInplaceEditClass textClass = TdxInplaceTextEdit::StaticEditClass();
  const String names[4] = {u"Иванов Иван Иванович", u"Петрова Анна", u"Сидоров П.", u"Кузнецова-Смирнова Е."};
  const int cells = static_cast<int>(state.range(0));
  for (auto _ : state) {
    for (int i = 0; i < cells; ++i) {
      auto v = textClass->CreateViewDataObject();
      v->Bounds = RECT{(i % 20) * 96, ((i / 20) % 54) * 20, 0, 0};
      v->Bounds.right = v->Bounds.left + 96;
      v->Bounds.bottom = v->Bounds.top + 20;
      v->BorderStyle = xbsNone;
      v->Font = fontHandle;
      v->Brush = brushHandle;
      v->BkColor = clWindow;
      v->TextColor = clWindowText;
      v->VertAlignment = dxVertCenter;
      v->IsEditClass = true;
      v->Data = Variant(names[i % 4]);
      textClass->Draw(dc, v->Bounds, nullptr, v.get());
    }
    benchmark::DoNotOptimize(surface.Canvas()->Pixels(10, 10));
  }
  state.SetItemsProcessed(state.iterations() * cells);
}
BENCHMARK(BM_ClassPaintTextCells)->Arg(2000)->Unit(benchmark::kMillisecond);

// 400 picture cells of 96 x 64 (a 48 x 48 photograph each, centred or fitted) over the same surface.
void BM_ClassPaintPictureCells(benchmark::State& state) {
  TBitmap surface;
  surface.SetSize(1920, 1080);
  TBrush brush;
  brush.SetColor(clWindow);
  TPicture picture;
  picture.Bitmap()->SetSize(48, 48);
  picture.Bitmap()->Canvas()->Brush()->SetColor(clTeal);
  picture.Bitmap()->Canvas()->FillRect(RECT{0, 0, 48, 48});
  HDC dc = surface.Canvas()->Handle();
  const TdxInplaceEditClass graphicClass = TdxInplaceGraphicEdit::StaticEditClass();
  const int cells = static_cast<int>(state.range(0));
  for (auto _ : state) {
    for (int i = 0; i < cells; ++i) {
      auto view = graphicClass->CreateViewDataObject();
      auto* v = static_cast<TdxGraphicEditViewData*>(view.get());
      v->Bounds = RECT{(i % 20) * 96, ((i / 20) % 16) * 64, 0, 0};
      v->Bounds.right = v->Bounds.left + 96;
      v->Bounds.bottom = v->Bounds.top + 64;
      v->Brush = brush.Handle();
      v->Picture = &picture;
      v->Stretch = i % 2 == 1;
      graphicClass->Draw(dc, v->Bounds, nullptr, v);
    }
    benchmark::DoNotOptimize(surface.Canvas()->Pixels(10, 10));
  }
  state.SetItemsProcessed(state.iterations() * cells);
}
BENCHMARK(BM_ClassPaintPictureCells)->Arg(400)->Unit(benchmark::kMillisecond);

class TEditingHost : public TCustomdxContainer {
 public:
  explicit TEditingHost(TComponent* AOwner) : TCustomdxContainer(AOwner) {}
  bool CanEditModify() override { return true; }
  bool CanEditAcceptChar(Char) override { return true; }
};

// A shown form with a host of 380 x 160 for the editors.
std::unique_ptr<TForm> MakeEditingForm(TEditingHost*& Host) {
  SetScreenSize(1024, 768);
  std::unique_ptr<TForm> form(NewForm<TForm>(nullptr));
  form->SetBounds(100, 100, 400, 200);
  Host = new TEditingHost(form.get());
  Host->SetParent(form.get());
  Host->SetBounds(0, 0, 380, 160);
  form->Show();
  return form;
}

// A phone number typed into a masked cell editor, abandoned with Esc and typed again: ten digit
// keys and an Esc per round, each through the message loop with the repaint that follows.
void BM_MaskedEditorTypingRounds(benchmark::State& state) {
  TEditingHost* host = nullptr;
  std::unique_ptr<TForm> form = MakeEditingForm(host);
  auto* edit = new TdxInplaceMaskEdit(host);
  edit->SetParent(host);
  edit->SetEditMask(u"!\\(999\\) 000-00-00;1;_");
  edit->SetEditValue(Null());
  edit->ShowAt(RECT{10, 10, 200, 30});
  edit->SetActive(true);
  Application->ProcessMessages();
  const int rounds = static_cast<int>(state.range(0));
  for (auto _ : state) {
    for (int r = 0; r < rounds; ++r) {
      SimulateKeyPress(VK_HOME);
      SimulateText(u"4951234567");
      Application->ProcessMessages();
      if (r == 0 && edit->GetEditText() != u"(495) 123-45-67") state.SkipWithError("the digits did not arrive");
      SimulateKeyPress(VK_ESCAPE);
      Application->ProcessMessages();
      ::SetFocus(edit->Handle());
    }
    if (edit->GetModified()) state.SkipWithError("Esc did not abandon the typed number");
  }
  state.SetItemsProcessed(state.iterations() * rounds * 12);
}
BENCHMARK(BM_MaskedEditorTypingRounds)->Arg(1000)->Unit(benchmark::kMillisecond);

// A drop-down opened with F4 and closed with Esc, each through the message loop with its painting:
// the calendar of a date editor (its window rebuilt and its metrics taken at every opening) and
// the calculator of a calc editor.
template <class TEditor>
void BM_DropDownOpenClose(benchmark::State& state) {
  TEditingHost* host = nullptr;
  std::unique_ptr<TForm> form = MakeEditingForm(host);
  auto* edit = new TEditor(host);
  edit->SetParent(host);
  edit->ShowAt(RECT{10, 10, 200, 30});
  edit->SetFocus();
  Application->ProcessMessages();
  const int rounds = static_cast<int>(state.range(0));
  for (auto _ : state) {
    for (int r = 0; r < rounds; ++r) {
      SimulateKeyPress(VK_F4);
      Application->ProcessMessages();
      if (r == 0 && !edit->DropDownShown) state.SkipWithError("the drop-down did not open");
      SimulateKeyPress(VK_ESCAPE);
      Application->ProcessMessages();
    }
    if (edit->DropDownShown) state.SkipWithError("Esc did not close the drop-down");
  }
  state.SetItemsProcessed(state.iterations() * rounds);
}
BENCHMARK_TEMPLATE(BM_DropDownOpenClose, TdxInplaceDateEdit)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_DropDownOpenClose, TdxInplaceCalcEdit)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_DropDownOpenClose, TdxInplaceBlobEdit)->Arg(1000)->Unit(benchmark::kMillisecond);

// Incremental search in a lookup editor over a list dataset of 100,000 names: three characters
// typed (each a case-insensitive prefix search of the list and a key written to the record), then
// Esc ends the search. The names are "Name000000" .. "Name099999" in a shuffled order; the last
// round types a character no name has next, which scans the whole list before it is dropped.
void BM_LookupIncrementalSearch(benchmark::State& state) {
  TComponent owner(nullptr);
  auto* names = new TMemoryDataSet(&owner);
  names->AddFieldDef(u"ID", ftInteger);
  names->AddFieldDef(u"NAME", ftWideString, 20);
  const int rows = static_cast<int>(state.range(0));
  for (int i = 0; i < rows; ++i) {
    const int n = static_cast<int>((static_cast<long long>(i) * 7919) % rows);
    names->AddRow({i, Variant(u"Name" + Format(u"%.6d", {n}))});
  }
  names->Open();
  auto* people = new TMemoryDataSet(&owner);
  people->AddFieldDef(u"ID", ftInteger);
  people->AddFieldDef(u"NAMEID", ftInteger);
  people->AddRow({1, 0});
  for (const char16_t* n : {u"ID", u"NAMEID"}) people->FieldDefs()->Find(n)->CreateField(&owner, people);
  auto* lookup = new TWideStringField(&owner);
  lookup->SetFieldName(u"NAME");
  lookup->SetFieldKind(fkLookup);
  lookup->SetSize(20);
  lookup->SetKeyFields(u"NAMEID");
  lookup->SetLookupDataSet(names);
  lookup->SetLookupKeyFields(u"ID");
  lookup->SetLookupResultField(u"NAME");
  lookup->SetDataSet(people);
  people->Open();
  people->Edit();
  TEditingHost* host = nullptr;
  std::unique_ptr<TForm> form = MakeEditingForm(host);
  auto* edit = new TdxInplaceLookupEdit(host);
  edit->SetParent(host);
  edit->ImmediateDropDown = false;
  edit->SetField(lookup);
  edit->ShowAt(RECT{10, 10, 200, 30});
  edit->SetFocus();
  Application->ProcessMessages();
  const String prefixes[4] = {u"name098", u"name05", u"name0999", u"name0999z"};
  int keystrokes = 0;
  for (auto _ : state) {
    for (const String& prefix : prefixes) {
      SimulateText(prefix);
      Application->ProcessMessages();
      keystrokes += static_cast<int>(prefix.size());
      const String found = u"N" + prefix.substr(1, 7);
      if (!edit->Text().starts_with(found)) state.SkipWithError("the search did not find the name");
      SimulateKeyPress(VK_ESCAPE);
      Application->ProcessMessages();
    }
  }
  // items_per_second is keystrokes a second (Esc and its repaint counted in the time).
  state.SetItemsProcessed(keystrokes);
}
BENCHMARK(BM_LookupIncrementalSearch)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

