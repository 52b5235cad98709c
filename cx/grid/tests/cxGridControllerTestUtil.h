// A DB table view over thirty people whose records lie in rows 20 pixels high under a 20-pixel
// header, laid out by a small stand-in of the table view information: enough layout for the
// controllers (visible records, cell and header bounds, record hit tests). Its visible count is
// computed when the layout runs, so inside an update bracket it is as stale as the real one.
#pragma once

#include <algorithm>
#include <string>

#include "cx/editors/cxTextEdit.h"
#include "cx/grid/cxGridCustomTableController.h"
#include "cx/grid/cxGridEditingController.h"
#include "cx/grid/cxGridTableController.h"
#include "cx/grid/tests/cxGridDBTestUtil.h"

class TFixedRowsViewInfo : public TcxCustomGridViewInfo, public IcxGridRecordsLayout, public IcxGridColumnsLayout {
 public:
  static constexpr int kRowHeight = 20;
  static constexpr int kHeaderHeight = 20;
  using TcxCustomGridViewInfo::TcxCustomGridViewInfo;

  int LayoutPasses = 0;

  void Calculate() override {
    ++LayoutPasses;
    const int top = std::max(Controller()->TopRecordIndex(), 0);
    visibleCount_ = std::min(RowCount() - top, Fit());
  }
  int VisibleRecordCount() override { return visibleCount_; }
  bool IsEqualHeightRecords() override { return true; }
  int GetEqualHeightRecordCount() override { return Fit(); }
  int CalculateVisibleRecordCount(int, bool) override { return Fit(); }
  RECT RecordsBounds() override { return RECT{Bounds.left, Bounds.top + kHeaderHeight, Bounds.right, Bounds.bottom}; }
  bool GetFocusedCellEditBounds(TcxCustomGridTableItem* AItem, RECT& ABounds) override {
    const int row = Controller()->FocusedRecordIndex() - Controller()->TopRecordIndex();
    if (!GetColumnHeaderBounds(static_cast<TcxGridColumn*>(AItem), ABounds) || row < 0 || row >= visibleCount_)
      return false;
    ABounds.top = kHeaderHeight + row * kRowHeight;
    ABounds.bottom = ABounds.top + kRowHeight;
    return true;
  }
  int DataWidth() override {
    int width = 0;
    for (int i = 0; i < View()->VisibleItemCount(); ++i) width += View()->VisibleItems(i)->Width();
    return width;
  }
  RECT ClientBounds() override { return Bounds; }
  int FullyVisibleRowCount() override { return visibleCount_; }
  bool GetColumnHeaderBounds(TcxGridColumn* AColumn, RECT& ABounds) override {
    if (!AColumn || !AColumn->Visible()) return false;
    int left = -Controller()->LeftPos();
    for (int i = 0; i < AColumn->VisibleIndex(); ++i) left += View()->VisibleItems(i)->Width();
    ABounds = RECT{left, 0, left + AColumn->Width(), kHeaderHeight};
    return true;
  }
  TcxCustomGridHitTest* GetHitTest(POINT P) override {
    const int row = (P.y - kHeaderHeight) / kRowHeight + Controller()->TopRecordIndex();
    if (P.y < kHeaderHeight || !View()->ViewData()->IsRecordIndexValid(row)) return TcxCustomGridViewInfo::GetHitTest(P);
    auto* hitTest = GetGridHitTest<TcxGridRecordHitTest>(P);
    hitTest->GridView = GridView();
    hitTest->SetGridRecord(View()->ViewData()->Records(row));
    return hitTest;
  }

 private:
  TcxGridTableView* View() const { return static_cast<TcxGridTableView*>(GridView()); }
  TcxGridTableController* Controller() const { return View()->Controller(); }
  int RowCount() const { return View()->ViewData()->RecordCount(); }
  int Fit() const { return std::max(0, static_cast<int>(Bounds.bottom - Bounds.top - kHeaderHeight) / kRowHeight); }

  int visibleCount_ = 0;
};

class TFixedRowsView : public TcxGridDBTableView {
 public:
  using TcxGridDBTableView::TcxGridDBTableView;

 protected:
  std::unique_ptr<TcxCustomGridViewInfo> CreateViewInfo() override { return std::make_unique<TFixedRowsViewInfo>(this); }
};

// Thirty people: the fixture's five, then Person06 .. Person30 in ID order. The site shows ten rows.
class CxGridControllerTest : public CxGridDBTableViewTest {
 protected:
  void SetUp() override {
    CxGridDBTableViewTest::SetUp();
    people_->Close();
    for (int id = 6; id <= 30; ++id) {
      const std::string n = (id < 10 ? "0" : "") + std::to_string(id);
      connection_->DbConnection().ExecuteScript(
          Utf8ToString("INSERT INTO PEOPLE VALUES (" + std::to_string(id) + ", 'Person" + n + "', 'City" + n + "');"));
    }
    people_->Open();
    // Narrow enough that no horizontal scroll bar takes a row's height.
    for (const char16_t* field : {u"SURNAME", u"CITY", u"ID"}) {
      Column(field)->SetPropertiesClass(TcxTextEditProperties::StaticClass());
      Column(field)->SetWidth(80);
    }
    Column(u"NOSUCH")->SetVisible(false);
    grid_->SetBounds(0, 0, 300, 20 + 10 * TFixedRowsViewInfo::kRowHeight);
    form_->Show();
    Pump();
    view_->Site()->SetFocus();
    Pump();
  }

  TcxGridDBTableView* NewView() override { return new TFixedRowsView(form_); }
  TcxGridTableController* Controller() { return view_->Controller(); }
  TFixedRowsViewInfo* Layout() { return static_cast<TFixedRowsViewInfo*>(view_->ViewInfo()); }
  TcxGridEditingController* Editing() { return Controller()->EditingController(); }
  TcxCustomDataController* DC() { return view_->DataController(); }
  int FocusedRow() { return DC()->GetFocusedRowIndex(); }
  std::string FocusedSurname() {
    return FocusedRow() < 0 ? std::string() : RowTexts(u"SURNAME").at(static_cast<size_t>(FocusedRow()));
  }
  // A key as the site gets it: down, then the character it types.
  void Press(WORD AKey, TShiftState AShift = {}) {
    WORD key = AKey;
    Controller()->KeyDown(key, AShift);
  }
  void Type(const char16_t* AText) {
    for (const char16_t* c = AText; *c; ++c) {
      Char ch = *c;
      Controller()->KeyPress(ch);
    }
  }
};
