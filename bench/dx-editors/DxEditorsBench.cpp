// The in-place editors: cells painted by an editor class without editors, and a masked editor
// driven through the message loop.
#include <benchmark/benchmark.h>

#include <memory>

#include "dx/editors/dxContainer.h"
#include "dx/editors/dxMaskEdit.h"
#include "dx/editors/dxTextEdit.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Graphic.h"
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

class TEditingHost : public TCustomdxContainer {
 public:
  explicit TEditingHost(TComponent* AOwner) : TCustomdxContainer(AOwner) {}
  bool CanEditModify() override { return true; }
  bool CanEditAcceptChar(Char) override { return true; }
};

// A phone number typed into a masked cell editor, abandoned with Esc and typed again: ten digit
// keys and an Esc per round, each through the message loop with the repaint that follows.
void BM_MaskedEditorTypingRounds(benchmark::State& state) {
  SetScreenSize(1024, 768);
  std::unique_ptr<TForm> form(NewForm<TForm>(nullptr));
  form->SetBounds(100, 100, 400, 200);
  auto* host = new TEditingHost(form.get());
  host->SetParent(form.get());
  host->SetBounds(0, 0, 380, 160);
  form->Show();
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

}  // namespace
