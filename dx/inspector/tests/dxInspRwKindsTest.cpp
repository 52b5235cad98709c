#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "dx/editors/dxEditorRoutines.h"
#include "dx/inspector/dxDBInspRwLookup.h"
#include "dx/inspector/dxInspRwBlob.h"
#include "dx/inspector/dxInspRwButton.h"
#include "dx/inspector/dxInspRwCalc.h"
#include "dx/inspector/dxInspRwCheck.h"
#include "dx/inspector/dxInspRwCurrency.h"
#include "dx/inspector/dxInspRwDate.h"
#include "dx/inspector/dxInspRwGraphic.h"
#include "dx/inspector/dxInspRwHyperLink.h"
#include "dx/inspector/dxInspRwImage.h"
#include "dx/inspector/dxInspRwMRU.h"
#include "dx/inspector/dxInspRwPopup.h"
#include "dx/inspector/dxInspRwSpin.h"
#include "dx/inspector/dxInspctControl.h"
#include "dx/inspector/tests/InspectorTestSupport.h"
#include "platform/classes/FormResources.h"
#include "platform/forms/Graphic.h"
#include "platform/forms/ImgList.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/NumberText.h"

namespace {

// Counts the rows that asked to be repainted.
class TCountingControl : public TCustomdxInspectorControl {
 public:
  using TCustomdxInspectorControl::TCustomdxInspectorControl;
  void RowChanged(TdxInspectorRow* Row) override {
    ++Changes;
    TCustomdxInspectorControl::RowChanged(Row);
  }
  int Changes = 0;
};

std::string DataText(TdxInspectorRow* row) {
  TdxInspectorCellViewData cell;
  cell.Text = row->GetDisplayText();
  row->PrepareViewData(row->ViewData(), cell);
  return StringToUtf8(VarToStr(row->ViewData()->Data));
}

// What a cell painted without an editor is given to draw, per kind.
TEST(RowKinds, EachKindHandsItsPainterTheValueInItsOwnForm) {
  struct Case {
    TClass rowClass;
    const char16_t* text;
    String shown;
  };
  const Case cases[] = {
      {TdxInspectorTextButtonRow::StaticClass(), u"abc", u"abc"},
      {TdxInspectorTextCalcRow::StaticClass(), u"12", u"12"},
      {TdxInspectorTextPickRow::StaticClass(), u"Омск", u"Омск"},
      {TdxInspectorTextMRURow::StaticClass(), u"Омск", u"Омск"},
      {TdxInspectorTextPopupRow::StaticClass(), u"x", u"x"},
      {TdxInspectorTextHyperLinkRow::StaticClass(), u"https://example.org", u"https://example.org"},
      {TdxInspectorTextImageRow::StaticClass(), u"1", u"1"},  // the painter finds picture and description
      {TdxInspectorTextMemoRow::StaticClass(), u"одна\r\nдве", u"одна\r\nдве"},
      {TdxInspectorTextCheckRow::StaticClass(), u"true", IntToStr(static_cast<int>(cbsChecked))},
      {TdxInspectorTextCurrencyRow::StaticClass(), u"12", FormatFloat(GetDefaultCurrencyDisplayFormat(), 12)},
      {TdxInspectorTextBlobRow::StaticClass(), u"памятка", u"памятка"},  // icon style: the display text
      {TdxInspectorTextGraphicRow::StaticClass(), u"", u""},             // the picture, no text
  };
  for (const Case& c : cases) {
    std::unique_ptr<TdxInspectorRow> row(static_cast<TdxInspectorRow*>(CreateComponent(c.rowClass, nullptr)));
    row->SetEditText(c.text);
    SCOPED_TRACE(StringToUtf8(row->ClassName()));
    EXPECT_EQ(DataText(row.get()), StringToUtf8(c.shown));
  }
}

TEST(RowKinds, AButtonRowsStyleDecidesItsFirstButtonAndAnyButtonChangeRepaintsIt) {
  TCountingControl control(nullptr);
  auto* row =
      static_cast<TdxInspectorButtonRow*>(control.AddRowOfClass(TdxInspectorTextButtonRow::StaticClass()));
  ASSERT_EQ(row->Buttons()->Count(), 1);
  EXPECT_EQ(row->Buttons()->GetItem(0)->Kind(), bkEllipsis);
  row->SetEditButtonStyle(ebsSimple);
  EXPECT_EQ(row->Buttons()->Count(), 0);
  row->SetEditButtonStyle(ebsDown);
  ASSERT_EQ(row->Buttons()->Count(), 1);
  EXPECT_EQ(row->Buttons()->GetItem(0)->Kind(), bkDown);
  const int before = control.Changes;
  row->Buttons()->GetItem(0)->SetKind(bkGlyph);
  EXPECT_GT(control.Changes, before);
  // A cell painted without an editor draws none of the buttons.
  TdxInspectorCellViewData cell;
  row->PrepareViewData(row->ViewData(), cell);
  auto* view = dynamic_cast<TdxButtonEditViewData*>(row->ViewData());
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->NoButtons);
  EXPECT_FALSE(view->ButtonsOnly);
  // Restoring the defaults leaves one fresh ellipsis button.
  row->RestoreDefaults();
  ASSERT_EQ(row->Buttons()->Count(), 1);
  EXPECT_EQ(row->Buttons()->GetItem(0)->Kind(), bkEllipsis);
}

TEST(RowKinds, DropDownCellsShowTheirGlyphButNoButtonWithoutAnEditor) {
  TdxInspectorTextDateRow row(nullptr);
  TBitmap glyph;
  glyph.SetSize(7, 5);
  row.SetButtonGlyph(&glyph);
  TdxInspectorCellViewData cell;
  row.PrepareViewData(row.ViewData(), cell);
  auto* view = dynamic_cast<TdxDropDownEditViewData*>(row.ViewData());
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->NoButtons);
  EXPECT_EQ(view->HotButtonIndex, -1);
  EXPECT_EQ(view->PushedButtonIndex, -1);
  ASSERT_NE(view->ButtonGlyph, nullptr);
  EXPECT_EQ(view->ButtonGlyph->Width(), 7);
  TBitmap empty;
  row.SetButtonGlyph(&empty);  // an empty picture frees the glyph
  EXPECT_FALSE(row.HasButtonGlyph());
}

TEST(RowKinds, APopupRowKeepsItsSizesAboveTheMinimums) {
  TdxInspectorTextPopupRow row(nullptr);
  row.SetPopupMinHeight(-5);
  EXPECT_EQ(row.PopupMinHeight(), 0);
  row.SetPopupMinHeight(150);
  EXPECT_EQ(row.PopupHeight(), 200);
  row.SetPopupHeight(120);
  EXPECT_EQ(row.PopupHeight(), 150);
  row.SetPopupMinWidth(300);  // the width is raised to the new minimum
  EXPECT_EQ(row.PopupWidth(), 300);
}

TEST(RowKinds, PickCloseUpAndMRUListsPassThroughTheRow) {
  TdxInspectorTextPickRow pick(nullptr);
  pick.OnCloseUp = [](TObject*, Variant& Value, bool&) { Value = 42; };
  std::unique_ptr<TdxInplaceEdit> editor(pick.GetEditorClass()->Create(nullptr));
  pick.InitEditProperties(editor.get());
  auto* dropDown = static_cast<TdxInplaceDropDownEdit*>(editor.get());
  Variant value = u"Минск";
  bool accept = true;
  dropDown->DoCloseUp(value, accept);
  EXPECT_EQ(StringToUtf8(VarToStr(value)), "42");
  EXPECT_TRUE(pick.ImmediateDropDown());

  TdxInspectorTextMRURow mru(nullptr);
  EXPECT_FALSE(mru.ImmediateDropDown());
  std::unique_ptr<TdxInplaceEdit> mruEditor(mru.GetEditorClass()->Create(nullptr));
  mru.InitEditProperties(mruEditor.get());
  auto* mruEdit = static_cast<TdxInplaceMRUEdit*>(mruEditor.get());
  mruEdit->AddItem(u"первый");
  mruEdit->AddItem(u"второй");
  mruEdit->SetText(u"второй");
  Variant saved;
  mru.SaveEditValue(mruEditor.get(), saved);
  EXPECT_EQ(StringToUtf8(mru.Text()), "второй");
  ASSERT_EQ(mru.Items()->Count(), 2);  // the row keeps the editor's list
  EXPECT_EQ(StringToUtf8(mru.Items()->Strings(0)), "второй");
  mru.RestoreDefaults();
  EXPECT_FALSE(mru.ImmediateDropDown());
}

TEST(RowKinds, CurrencyRowsLoadSaveAndPaintTheirAmounts) {
  const std::string dec = StringToUtf8(String(1, FormatSettings().DecimalSeparator));
  struct Case {
    const char* text;
    bool nullable;
    double value;
    const char* editorText;
    const char* saved;
  };
  for (const Case& c : {Case{"", false, 0, "0", "0"}, Case{"", true, 0, "", ""},
                        Case{"12", false, 12, "12", "12"}, Case{"abc", false, 0, "0", "0"}}) {
    SCOPED_TRACE(c.text);
    TdxInspectorTextCurrencyRow row(nullptr);
    row.SetNullable(c.nullable);
    row.SetText(Utf8ToString(c.text));
    TdxInspectorCurrencyEdit editor(nullptr);
    row.InitEditProperties(&editor);
    Variant loaded;
    row.InitEditValue(&editor, loaded);
    EXPECT_EQ(loaded.AsDouble(), c.value);
    EXPECT_EQ(StringToUtf8(editor.Text()), c.editorText);
    Variant saved;
    row.SaveEditValue(&editor, saved);  // untouched: Null stays empty, 0 becomes "0"
    EXPECT_EQ(StringToUtf8(row.Text()), c.saved);
  }
  TdxInspectorTextCurrencyRow row(nullptr);
  row.SetDisplayFormat(u"0.00");
  row.SetText(String(u"3") + FormatSettings().DecimalSeparator + u"5");
  EXPECT_EQ(DataText(&row), "3" + dec + "50");
  row.SetText(String());
  row.SetNullable(true);
  row.SetNullString(u"нет");
  EXPECT_EQ(DataText(&row), "нет");
  row.SetDisplayFormat(String());
  row.SetText(u"7");
  EXPECT_EQ(DataText(&row), "7");  // no format: the display text
}

TEST(RowKinds, ACurrencyRowsDefaultFormatFollowsTheRegionalSettings) {
  const TFormatSettings saved = FormatSettings();
  TdxInspectorTextCurrencyRow followed(nullptr);
  TdxInspectorTextCurrencyRow assigned(nullptr);
  assigned.SetDisplayFormat(u"0.000");
  SetLocale(saved.LocaleName == u"en-US" ? "ru-RU" : "en-US");
  const String expected = GetDefaultCurrencyDisplayFormat();
  const String followedFormat = followed.DisplayFormat();
  const String assignedFormat = assigned.DisplayFormat();
  SetFormatSettings(saved);
  EXPECT_EQ(followedFormat, expected);
  EXPECT_NE(followedFormat, GetDefaultCurrencyDisplayFormat());
  EXPECT_EQ(StringToUtf8(assignedFormat), "0.000");
  EXPECT_FALSE(followed.IsDisplayFormatStored());
}

TEST(RowKinds, CheckRowLookSettingsRepaintTheRow) {
  TCountingControl control(nullptr);
  auto* row =
      static_cast<TdxInspectorCheckRow*>(control.AddRowOfClass(TdxInspectorTextCheckRow::StaticClass()));
  for (const auto& change : std::vector<std::function<void()>>{
           [&] { row->SetBorder3D(true); }, [&] { row->SetShowNullFieldStyle(nsInactive); },
           [&] { row->SetValueGrayed(u"?"); }}) {
    const int before = control.Changes;
    change();
    EXPECT_GT(control.Changes, before);
  }
}

TEST(RowKinds, CheckRowGlyphsSetItsHeightAndPainting) {
  TdxInspectorTextCheckRow row(nullptr);
  EXPECT_EQ(row.GetMinHeight(nullptr), dxDefaultCheckSize().cy + 2);
  TBitmap strip;
  strip.SetSize(6 * 20, 22);
  row.SetGlyph(&strip);
  EXPECT_EQ(row.GetMinHeight(nullptr), 22);
  row.SetGlyphCount(0);  // no images in the strip: the standard box again
  EXPECT_EQ(row.GetMinHeight(nullptr), dxDefaultCheckSize().cy + 2);
  row.SetGlyphCount(6);
  row.SetText(u"TRUE");
  TdxInspectorCellViewData cell;
  cell.Text = row.GetDisplayText();
  row.PrepareViewData(row.ViewData(), cell);
  auto* view = dynamic_cast<TdxCheckEditViewData*>(row.ViewData());
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->CheckGlyph->Width(), 120);
  EXPECT_EQ(view->CheckGlyphCount, 6);
  EXPECT_EQ(view->Data.AsInteger(), static_cast<int>(cbsChecked));
  // The editor gets the glyph; the grayed state stores ValueGrayed, empty by default.
  TdxInspectorCheckEdit editor(nullptr);
  row.InitEditProperties(&editor);
  EXPECT_TRUE(editor.HasGlyph());
  editor.SetState(cbsGrayed);
  Variant saved;
  row.SaveEditValue(&editor, saved);
  EXPECT_EQ(StringToUtf8(row.Text()), "");
  // A row assigned from one without a glyph keeps no glyph after RestoreDefaults.
  TdxInspectorTextCheckRow plain(nullptr);
  row.Assign(&plain);
  EXPECT_FALSE(row.HasGlyph());
}

TEST_F(InspectorTest, AnImageRowGrowsToItsImagesAndHintsItsDescription) {
  form_ = NewForm<TForm>(nullptr);
  form_->Font()->SetName(kFixedTestFontName);
  form_->Font()->SetHeight(-16);
  auto* c = new TCountingControl(form_);
  c->SetParent(form_);
  c->SetBounds(10, 10, 300, 200);
  form_->Show();
  Pump();
  auto* row = static_cast<TdxInspectorImageRow*>(c->AddRowOfClass(TdxInspectorTextImageRow::StaticClass()));
  TCustomImageList images(nullptr, 32, 40);
  const int textHeight = row->GetMinHeight(c->Canvas());
  ASSERT_LT(textHeight, 40);
  row->SetImages(&images);
  EXPECT_EQ(row->GetMinHeight(c->Canvas()), 40);
  row->Values()->Add(u"1");
  row->Descriptions()->Add(u"очень длинное описание значения");
  static_cast<TdxInspectorTextImageRow*>(row)->SetText(u"1");
  String hint;
  EXPECT_TRUE(row->GetHintText(true, RECT{0, 0, 100, 20}, hint));
  EXPECT_EQ(StringToUtf8(hint), "очень длинное описание значения");
  EXPECT_FALSE(row->GetHintText(true, RECT{0, 0, 1000, 20}, hint));
  // Removing the list clears it; a change of the large list does not repaint.
  const int before = c->Changes;
  TCustomImageList large(nullptr);
  row->SetLargeImages(&large);
  const int afterSet = c->Changes;
  EXPECT_GT(afterSet, before);
  large.SetWidth(20);
  EXPECT_EQ(c->Changes, afterSet);
  images.SetWidth(20);
  EXPECT_GT(c->Changes, afterSet);
}

TEST(RowKinds, ABlobCellShowsItsValueTextOrItsDisplayText) {
  TdxInspectorTextBlobRow row(nullptr);
  row.SetText(u"строка памятки");
  row.SetBlobPaintStyle(bpsText);
  EXPECT_EQ(DataText(&row), "строка памятки");
  auto* view = static_cast<TdxBlobEditViewData*>(row.ViewData());
  EXPECT_FALSE(view->IsEmpty);
  EXPECT_EQ(view->BlobEditKind, bekMemo);
  row.SetText(String());
  DataText(&row);
  EXPECT_TRUE(view->IsEmpty);
}

TEST(RowKinds, AHyperLinkRowPaintsInItsUnderlinedLinkFont) {
  TdxInspectorTextHyperLinkRow row(nullptr);
  EXPECT_TRUE(row.LinkFont()->Style().Contains(fsUnderline));
  EXPECT_EQ(row.LinkFont()->Color(), clDefault);
  row.SetSingleClick(true);
  EXPECT_EQ(row.LinkFont()->Color(), clBlue);
  row.SetEditFontColor(clRed);
  TdxInspectorCellViewData cell;
  row.PrepareViewData(row.ViewData(), cell);
  EXPECT_EQ(row.ViewData()->TextColor, clRed);
  EXPECT_EQ(row.ViewData()->Font, row.LinkFont()->Handle());
  TdxInspectorHyperLinkEdit editor(nullptr);
  row.InitEditProperties(&editor);
  EXPECT_FALSE(editor.OnStartLink);  // the desktop opens the link unless the row handles it
  int starts = 0;
  row.OnStartClick = [&](TObject*) { ++starts; };
  row.InitEditProperties(&editor);
  ASSERT_TRUE(editor.OnStartLink);
  editor.OnStartLink(&editor);
  EXPECT_EQ(starts, 1);
}

}  // namespace
namespace {

// The kinds' published settings survive the form file, and every text variant is known to the reader.
TEST_F(InspectorTest, RowKindSettingsGoThroughTheFormFile) {
  form_ = NewForm<TForm>(nullptr);
  auto* insp = new TdxDBInspector(form_);
  insp->SetName(u"Card");
  insp->SetParent(form_);
  insp->SetDefaultFields(false);
  auto add = [&](TClass cls) { return insp->AddRow(cls); };
  auto* image = static_cast<TdxInspectorTextImageRow*>(add(TdxInspectorTextImageRow::StaticClass()));
  image->Values()->Add(u"М");
  image->Descriptions()->Add(u"мужской");
  image->SetShowDescription(true);
  image->SetText(u"М");
  auto* button = static_cast<TdxInspectorTextButtonRow*>(add(TdxInspectorTextButtonRow::StaticClass()));
  button->SetEditButtonStyle(ebsDown);
  button->Buttons()->Add()->SetKind(bkGlyph);
  auto* pick = static_cast<TdxInspectorTextPickRow*>(add(TdxInspectorTextPickRow::StaticClass()));
  pick->Items()->Add(u"Москва");
  auto* check = static_cast<TdxInspectorTextCheckRow*>(add(TdxInspectorTextCheckRow::StaticClass()));
  TBitmap strip;
  strip.SetSize(60, 12);
  check->SetGlyph(&strip);
  check->SetBorder3D(true);
  auto* mask = static_cast<TdxInspectorTextMaskRow*>(add(TdxInspectorTextMaskRow::StaticClass()));
  mask->SetEditMask(u"000;0;_");
  auto* currency = static_cast<TdxInspectorTextCurrencyRow*>(add(TdxInspectorTextCurrencyRow::StaticClass()));
  currency->SetDisplayFormat(u"0.00");
  auto* popup = static_cast<TdxInspectorTextPopupRow*>(add(TdxInspectorTextPopupRow::StaticClass()));
  popup->SetPopupMinWidth(300);
  auto* lookup = static_cast<TdxInspectorLookupRow*>(add(TdxInspectorLookupRow::StaticClass()));
  lookup->SetFieldName(u"KATNAME");
  lookup->SetListFieldName(u"CODE");
  for (TClass cls : {TdxInspectorTextCalcRow::StaticClass(), TdxInspectorTextMRURow::StaticClass(),
                     TdxInspectorTextHyperLinkRow::StaticClass(), TdxInspectorTextBlobRow::StaticClass(),
                     TdxInspectorTextGraphicRow::StaticClass(), TdxInspectorTextDateRow::StaticClass()})
    add(cls)->SetEditText(u"x");
  static_cast<TdxInspectorCalcRow*>(insp->Rows(8))->SetPrecision(5);
  static_cast<TdxInspectorMRURow*>(insp->Rows(9))->SetMaxItemCount(3);
  static_cast<TdxInspectorDateRow*>(insp->Rows(13))->SetDateButtons(TDateButtons{btnToday});
  auto* blob = static_cast<TdxInspectorTextBlobRow*>(insp->Rows(11));
  blob->MemoWordWrap = false;
  blob->PopupHeight = 300;
  auto* spin = static_cast<TdxInspectorTextSpinRow*>(add(TdxInspectorTextSpinRow::StaticClass()));
  spin->SetValueType(vtFloat);
  spin->SetIncrement(0.5);
  spin->SetMaxValue(10);

  TMemoryStream stream;
  WriteComponent(&stream, form_);
  stream.SetPosition(0);
  std::unique_ptr<TForm> copy(NewForm<TForm>(nullptr));
  ReadComponent(&stream, copy.get());
  auto* read = dynamic_cast<TdxDBInspector*>(copy->FindComponent(u"Card"));
  ASSERT_NE(read, nullptr);
  ASSERT_EQ(read->RowCount(), insp->RowCount());
  for (int i = 0; i < read->RowCount(); ++i)
    EXPECT_EQ(read->Rows(i)->ClassType(), insp->Rows(i)->ClassType()) << i;
  auto* image2 = static_cast<TdxInspectorTextImageRow*>(read->Rows(0));
  EXPECT_EQ(StringToUtf8(image2->Descriptions()->Strings(0)), "мужской");
  EXPECT_TRUE(image2->ShowDescription());
  EXPECT_EQ(StringToUtf8(image2->Text()), "М");
  auto* button2 = static_cast<TdxInspectorTextButtonRow*>(read->Rows(1));
  ASSERT_EQ(button2->Buttons()->Count(), 2);
  EXPECT_EQ(button2->Buttons()->GetItem(0)->Kind(), bkDown);
  EXPECT_EQ(button2->Buttons()->GetItem(1)->Kind(), bkGlyph);
  EXPECT_EQ(StringToUtf8(static_cast<TdxInspectorTextPickRow*>(read->Rows(2))->Items()->Strings(0)),
            "Москва");
  auto* check2 = static_cast<TdxInspectorTextCheckRow*>(read->Rows(3));
  EXPECT_TRUE(check2->Border3D());
  ASSERT_TRUE(check2->HasGlyph());
  EXPECT_EQ(check2->Glyph()->Width(), 60);
  EXPECT_EQ(StringToUtf8(static_cast<TdxInspectorTextMaskRow*>(read->Rows(4))->EditMask()), "000;0;_");
  EXPECT_EQ(StringToUtf8(static_cast<TdxInspectorTextCurrencyRow*>(read->Rows(5))->DisplayFormat()), "0.00");
  EXPECT_EQ(static_cast<TdxInspectorTextPopupRow*>(read->Rows(6))->PopupWidth(), 300);
  auto* lookup2 = static_cast<TdxInspectorLookupRow*>(read->Rows(7));
  EXPECT_EQ(StringToUtf8(lookup2->FieldName()), "KATNAME");
  EXPECT_EQ(StringToUtf8(lookup2->ListFieldName()), "CODE");
  EXPECT_EQ(static_cast<TdxInspectorCalcRow*>(read->Rows(8))->Precision(), 5);
  EXPECT_EQ(static_cast<TdxInspectorMRURow*>(read->Rows(9))->MaxItemCount(), 3);
  EXPECT_EQ(static_cast<TdxInspectorDateRow*>(read->Rows(13))->DateButtons(), TDateButtons{btnToday});
  auto* blob2 = static_cast<TdxInspectorTextBlobRow*>(read->Rows(11));
  EXPECT_FALSE(blob2->MemoWordWrap);
  EXPECT_EQ(blob2->PopupHeight, 300);
  auto* spin2 = static_cast<TdxInspectorTextSpinRow*>(read->Rows(14));
  EXPECT_EQ(spin2->ValueType(), vtFloat);
  EXPECT_EQ(spin2->Increment(), 0.5);
  EXPECT_EQ(spin2->MaxValue(), 10);
}

}  // namespace
