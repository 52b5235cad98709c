#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/forms/PictureValues.h"
#include "dx/inspector/dxDBInspRw.h"
#include "dx/inspector/dxDBInspRwBlob.h"
#include "dx/inspector/dxDBInspRwLookup.h"
#include "dx/inspector/dxInspctComplex.h"
#include "dx/inspector/tests/InspectorTestSupport.h"
#include "dx/inspector/tests/PersonCardData.h"
#include "platform/data/FieldTypes.h"
#include "platform/forms/Graphic.h"
#include "platform/forms/ImgList.h"

namespace {

const char16_t* const kSchema =
    u"CREATE TABLE KAT (M_KATID INTEGER PRIMARY KEY, NAME NVARCHAR(50));"
    u"INSERT INTO KAT VALUES (1, 'Руководители'), (2, 'Специалисты');"
    u"CREATE TABLE PEOPLE (ID INTEGER PRIMARY KEY, NAME NVARCHAR(30), AGE INTEGER, BORN DATE, ACTIVE BOOLEAN,"
    u"  POSITION TEXT, M_KATID INTEGER, SEX NVARCHAR(1), PHOTO BLOB);"
    u"INSERT INTO PEOPLE VALUES (1, 'Петров', 42, '1980-02-01', 1, 'Ведущий специалист отдела', 2, 'М', "
    u"NULL);";

// The person card in each paint style: a category over rows of every kind, a complex row, a
// lookup and a picture, painted without an editor.
class KindsScreensTest : public InspectorTest {
 protected:
  void SetUp() override {
    InspectorTest::SetUp();
    data = std::make_unique<TPersonCardData>(folder, kSchema);
    people = data->People;
    source = data->Source;
    TBitmap photo;
    photo.SetSize(12, 12);
    photo.Canvas()->Brush()->SetColor(clLime);
    photo.Canvas()->FillRect(RECT{0, 0, 12, 12});
    TPicture picture;
    picture.SetBitmap(&photo);
    people->Edit();
    static_cast<TBlobField*>(people->FieldByName(u"PHOTO"))->SetAsBytes(SavePictureToString(&picture));
    people->Post();
    TBitmap red;
    red.SetSize(16, 16);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect(RECT{0, 0, 16, 16});
    images.Add(&red, nullptr);
  }
  static int Count(TWinControl* c, const RECT& r, const std::function<bool(COLORREF)>& match) {
    int n = 0;
    for (int x = r.left; x < r.right; ++x)
      for (int y = r.top; y < r.bottom; ++y)
        if (match(Pixel(c, x, y))) ++n;
    return n;
  }

  TTempFolder folder;
  std::unique_ptr<TPersonCardData> data;
  TADOQuery* people = nullptr;
  TDataSource* source = nullptr;
  TCustomImageList images{nullptr};
};

TEST_F(KindsScreensTest, EveryStyleShowsCategoriesComplexRowsAndEveryRowKind) {
  const TdxInspectorPaintStyle styles[] = {ipsStandard, ipsSimple, ipsExtended, ipsNET, ipsCategorized};
  const char* names[] = {"kinds-standard", "kinds-simple", "kinds-extended", "kinds-net",
                         "kinds-categorized"};
  constexpr int kDivider = 130;
  for (int s = 0; s < 5; ++s) {
    SCOPED_TRACE(names[s]);
    form_ = NewForm<TForm>(nullptr);
    form_->SetBounds(100, 100, 420, 420);
    auto* insp = new TdxDBInspector(form_);
    insp->SetParent(form_);
    insp->SetBounds(10, 10, 360, 340);
    insp->SetPaintStyle(styles[s]);
    insp->SetDividerPos(kDivider);
    insp->SetDefaultFields(false);
    insp->SetDataSource(source);
    auto place = [&](TClass cls, const char* caption, const char16_t* field, TdxInspectorNode* parent) {
      TdxInspectorRow* row = insp->AddRow(cls);
      row->SetCaption(Utf8ToString(caption));
      if (field) row->SetFieldName(field);
      if (parent) row->Node()->MoveTo(parent, inaAddChild);
      return row;
    };
    TdxInspectorRow* category = place(TdxInspectorTextRow::StaticClass(), "Сотрудник", nullptr, nullptr);
    category->SetIsCategory(true);
    TdxInspectorNode* cat = category->Node();
    static_cast<TdxInspectorTextRow*>(place(TdxInspectorTextRow::StaticClass(), "Отметка", nullptr, cat))
        ->SetText(u"текст");
    place(TdxInspectorDBMaskRow::StaticClass(), "Фамилия", u"NAME", cat);
    place(TdxInspectorDBDateRow::StaticClass(), "Родился", u"BORN", cat);
    TdxInspectorRow* check = place(TdxInspectorDBCheckRow::StaticClass(), "Работает", u"ACTIVE", cat);
    place(TdxInspectorDBSpinRow::StaticClass(), "Возраст", u"AGE", cat);
    auto* pick =
        static_cast<TdxInspectorPickRow*>(place(TdxInspectorDBPickRow::StaticClass(), "Пол", u"SEX", cat));
    pick->Items()->Add(u"М");
    pick->Items()->Add(u"Ж");
    auto* image =
        static_cast<TdxInspectorImageRow*>(place(TdxInspectorDBImageRow::StaticClass(), "Пол", u"SEX", cat));
    image->Values()->Add(u"М");
    image->ImageIndexes()->Add(u"0");
    image->Descriptions()->Add(u"мужской");
    image->SetShowDescription(true);
    image->SetImages(&images);
    place(TdxInspectorDBMemoRow::StaticClass(), "Должность", u"POSITION", cat);
    TdxInspectorRow* lookup = place(TdxInspectorLookupRow::StaticClass(), "Категория", u"KATNAME", cat);
    TdxInspectorRow* graphic = place(TdxInspectorDBGraphicRow::StaticClass(), "Фото", u"PHOTO", cat);
    graphic->SetRowHeight(40);
    static_cast<TdxInspectorGraphicRow*>(graphic)->SetStretch(false);
    auto* pair = static_cast<TdxInspectorComplexRow*>(
        place(TdxInspectorComplexRow::StaticClass(), "", nullptr, nullptr));
    auto* from =
        static_cast<TdxInspectorTextRow*>(place(TdxInspectorTextRow::StaticClass(), "С", nullptr, nullptr));
    from->SetText(u"2020");
    auto* to =
        static_cast<TdxInspectorTextRow*>(place(TdxInspectorTextRow::StaticClass(), "По", nullptr, nullptr));
    to->SetText(u"2024");
    pair->Items()->Add()->SetRow(from);
    pair->Items()->Add()->SetRow(to);
    cat->Expand(false);
    cat->SetFocused(true);
    form_->Show();
    Pump();
    insp->Repaint();
    Pump();
    ASSERT_EQ(insp->InplaceEditor() ? insp->InplaceEditor()->IsVisible() : false, false);
    EXPECT_EQ(insp->GetAbsoluteCount(), 12);
    auto valueCell = [&](TdxInspectorRow* row) {
      RECT r = insp->GetNodeRect(row->Node());
      r.left = kDivider + 3;
      r.right -= 2;
      r.top += 1;
      r.bottom -= 2;
      return r;
    };
    auto isDark = [](COLORREF p) { return GetRValue(p) < 100 && GetGValue(p) < 100 && GetBValue(p) < 100; };
    // The check row paints its box, the image row its red picture, the graphic row its green photo.
    EXPECT_GT(Count(insp, valueCell(check), isDark), 10);
    EXPECT_GT(Count(insp, valueCell(image), [](COLORREF p) { return p == RGB(255, 0, 0); }), 100);
    EXPECT_GT(Count(insp, valueCell(graphic), [](COLORREF p) { return p == RGB(0, 255, 0); }), 100);
    // The lookup row shows the looked-up text; like every drop-down row without an editor it has no
    // button at its right end: the last pixels of the cell are the cell's background.
    const RECT lookupCell = valueCell(lookup);
    const COLORREF lookupBackground =
        Pixel(insp, lookupCell.right - 4, (lookupCell.top + lookupCell.bottom) / 2);
    EXPECT_GT(Count(insp, lookupCell, [&](COLORREF p) { return p != lookupBackground; }), 10);
    for (TdxInspectorRow* dropDown : {static_cast<TdxInspectorRow*>(pick), lookup}) {
      RECT end = valueCell(dropDown);
      InflateRect(&end, -2, -2);
      end.left = end.right - 14;
      const COLORREF background = Pixel(insp, end.left, end.top);
      EXPECT_EQ(Count(insp, end, [&](COLORREF p) { return p != background; }), 0)
          << StringToUtf8(dropDown->Caption());
    }
    EXPECT_TRUE(KeepCheckedWindow(insp->Handle(), names[s]));
    delete form_;
    form_ = nullptr;
  }
}

}  // namespace
