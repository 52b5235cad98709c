// TDBNavigator: ten speed buttons over a dataset, shown as VisibleButtons says and enabled by the
// dataset's state and position.
#include "platform/classes/Published.h"
#include "platform/data/DataSet.h"
#include "platform/dbctrls/DBCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Graphic.h"

TRENVIK_IMPLEMENT_CLASS(TNavDataLink)

TRENVIK_PUBLISHED(TDBNavigator) {
  P.Property("ConfirmDelete", &TDBNavigator::ConfirmDelete, &TDBNavigator::SetConfirmDelete).Default(true);
  P.Property("DataSource", &TDBNavigator::DataSource, &TDBNavigator::SetDataSource);
  P.Property("Flat", &TDBNavigator::Flat, &TDBNavigator::SetFlat).Default(false);
  P.Property("Hints", &TDBNavigator::Hints, &TDBNavigator::SetHints);
  P.Property("VisibleButtons", &TDBNavigator::VisibleButtons, &TDBNavigator::SetVisibleButtons);
  P.Event("BeforeAction", &TDBNavigator::BeforeAction);
  P.Event("OnClick", &TDBNavigator::OnClick);
}

namespace {

const TButtonSet kAllButtons{nbFirst,  nbPrior, nbNext, nbLast,   nbInsert,
                             nbDelete, nbEdit,  nbPost, nbCancel, nbRefresh};

struct TButtonLook {
  const char16_t* name;
  const char16_t* hint;
  const char* glyph[7];  // '#' ink, '.' background
};

const TButtonLook kLooks[10] = {
    {u"First", u"First record", {"#....#", "#...##", "#..###", "#.####", "#..###", "#...##", "#....#"}},
    {u"Prior", u"Prior record", {"....#.", "...##.", "..###.", ".####.", "..###.", "...##.", "....#."}},
    {u"Next", u"Next record", {".#....", ".##...", ".###..", ".####.", ".###..", ".##...", ".#...."}},
    {u"Last", u"Last record", {"#....#", "##...#", "###..#", "####.#", "###..#", "##...#", "#....#"}},
    {u"Insert", u"Insert record", {"..##..", "..##..", "######", "######", "..##..", "..##..", "......"}},
    {u"Delete", u"Delete record", {"......", "......", "######", "######", "......", "......", "......"}},
    {u"Edit", u"Edit record", {"......", "..##..", ".####.", "######", "......", "......", "......"}},
    {u"Post", u"Post edit", {".....#", "....##", "#..##.", "####..", ".##...", "......", "......"}},
    {u"Cancel", u"Cancel edit", {"#....#", ".#..#.", "..##..", "..##..", ".#..#.", "#....#", "......"}},
    {u"Refresh", u"Refresh data", {".####.", "#....#", "#.....", "#...##", "#....#", ".####.", "......"}},
};

// Two glyphs side by side, enabled (black) and disabled (grey), on a transparent olive background.
void PaintGlyph(TBitmap* bitmap, const TButtonLook& look) {
  constexpr int w = 6, h = 7;
  bitmap->SetSize(2 * w, h + 1);
  TCanvas* c = bitmap->Canvas();
  c->Brush()->SetColor(clOlive);
  c->FillRect(RECT{0, 0, 2 * w, h + 1});
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (look.glyph[y][x] == '#') {
        c->SetPixels(x, y, clBlack);
        c->SetPixels(w + x, y, clGray);
      }
}

}  // namespace

void TNavDataLink::ActiveChanged() { navigator_->UpdateButtons(); }
void TNavDataLink::DataSetChanged() { navigator_->UpdateButtons(); }
void TNavDataLink::EditingChanged() { navigator_->UpdateButtons(); }

TDBNavigator::TDBNavigator(TComponent* AOwner)
    : TCustomControl(AOwner),
      link_(std::make_unique<TNavDataLink>(this)),
      hints_(std::make_unique<TStringList>()) {
  SetControlStyle(ControlStyle() - TControlStyle{csAcceptsControls, csSetCaption} + TControlStyle{csOpaque});
  visibleButtons_ = kAllButtons;
  for (size_t i = 0; i < buttons_.size(); ++i) {
    auto* b = new TSpeedButton(this);
    b->SetParent(this);
    PaintGlyph(b->Glyph(), kLooks[i]);
    b->SetNumGlyphs(2);
    b->SetShowHint(true);
    auto button = static_cast<TNavigateBtn>(i);
    b->OnClick = [this, button](TObject*) { BtnClick(button); };
    buttons_[i] = b;
  }
  hints_->OnChange = [this](TObject*) { ApplyHints(); };
  ApplyHints();
  SetBounds(Left(), Top(), 241, 25);
  UpdateButtons();
}

TDBNavigator::~TDBNavigator() { link_->SetDataSource(nullptr); }

void TDBNavigator::SetDataSource(TDataSource* Value) {
  link_->SetDataSource(Value);
  if (Value) Value->FreeNotification(this);
  UpdateButtons();
}

void TDBNavigator::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && link_ && AComponent == link_->DataSource()) SetDataSource(nullptr);
}

void TDBNavigator::SetVisibleButtons(TButtonSet Value) {
  visibleButtons_ = Value;
  ArrangeButtons();
}

void TDBNavigator::SetHints(TStrings* Value) { hints_->Assign(Value); }

void TDBNavigator::SetFlat(bool Value) {
  flat_ = Value;
  for (TSpeedButton* b : buttons_) b->SetFlat(Value);
}

void TDBNavigator::ApplyHints() {
  for (size_t i = 0; i < buttons_.size(); ++i) {
    int index = static_cast<int>(i);
    String own = index < hints_->Count() ? hints_->Strings(index) : String();
    buttons_[i]->SetHint(own.empty() ? String(kLooks[i].hint) : own);
  }
}

void TDBNavigator::Resize() {
  inherited::Resize();
  ArrangeButtons();
}

void TDBNavigator::Loaded() {
  inherited::Loaded();
  ArrangeButtons();
  UpdateButtons();
}

// The visible buttons share the width; what does not divide goes to the last ones.
void TDBNavigator::ArrangeButtons() {
  int count = 0;
  for (size_t i = 0; i < buttons_.size(); ++i)
    count += visibleButtons_.Contains(static_cast<TNavigateBtn>(i));
  if (count == 0) return;
  int width = Width() / count, extra = Width() % count, x = 0, shown = 0;
  for (size_t i = 0; i < buttons_.size(); ++i) {
    TSpeedButton* b = buttons_[i];
    bool visible = visibleButtons_.Contains(static_cast<TNavigateBtn>(i));
    b->SetVisible(visible);
    if (!visible) continue;
    int w = width + (shown++ >= count - extra ? 1 : 0);
    b->SetBounds(x, 0, w, Height());
    x += w;
  }
}

void TDBNavigator::UpdateButtons() {
  TDataSet* ds = link_->Active() ? link_->DataSet() : nullptr;
  bool active = ds != nullptr;
  bool editing = link_->Editing();
  bool canModify = active && ds->CanModify();
  bool upEnabled = active && !ds->Bof();
  bool downEnabled = active && !ds->Eof();
  bool enabled[10] = {upEnabled,
                      upEnabled,
                      downEnabled,
                      downEnabled,
                      canModify,
                      canModify && !ds->IsEmpty() && !editing,
                      canModify && !editing,
                      canModify && editing,
                      canModify && editing,
                      active && !editing};
  for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->SetEnabled(enabled[i]);
}

void TDBNavigator::BtnClick(TNavigateBtn Index) {
  TDataSet* ds = link_->Active() ? link_->DataSet() : nullptr;
  if (ds) {
    if (BeforeAction) BeforeAction(this, Index);
    switch (Index) {
      case nbFirst:
        ds->First();
        break;
      case nbPrior:
        ds->Prior();
        break;
      case nbNext:
        ds->Next();
        break;
      case nbLast:
        ds->Last();
        break;
      case nbInsert:
        ds->Insert();
        break;
      case nbDelete:
        if (!confirmDelete_ || MessageDlg(kDeleteRecordQuestion, mtConfirmation, mbOKCancel) != mrCancel)
          ds->Delete();
        break;
      case nbEdit:
        ds->Edit();
        break;
      case nbPost:
        ds->Post();
        break;
      case nbCancel:
        ds->Cancel();
        break;
      case nbRefresh:
        ds->Refresh();
        break;
    }
  }
  if (OnClick) OnClick(this, Index);
}
