// The BIFF4 worksheet export: which rows and columns go, the records of the format, the limits.
#include "dx/dbgrid/dxGrExpt.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>

#include "dx/dbgrid/dxDBGrid.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"
#include "platform/forms/Colors.h"
#include "platform/gdi/LittleEndian.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/StrUtils.h"

TRENVIK_IMPLEMENT_CLASS(TdxDBGridExport)
TRENVIK_IMPLEMENT_CLASS(TdxDBGridExportExcel)

namespace {

TDataSet* GridDataSet(TCustomdxDBGrid* Grid) {
  return Grid && Grid->DataSource() ? Grid->DataSource()->DataSet() : nullptr;
}

// The 8-bit text of labels: the Russian code page, announced by the CODEPAGE record.
constexpr Word kExportCodePage = 1251;
constexpr Int64 kRkMin = -(Int64(1) << 29);
constexpr Int64 kRkMax = (Int64(1) << 29) - 1;

void CollectPreOrder(TdxTreeListNode* Node, std::vector<TdxTreeListNode*>& Out) {
  Out.push_back(Node);
  for (int i = 0; i < Node->GetCount(); ++i) CollectPreOrder(Node->GetItem(i), Out);
}

}  // namespace

// --- The export ---

void TdxDBGridExport::Execute() {
  // Refused before the file is touched: an existing file stays as it was.
  if (!GridDataSet(Grid)) throw Exception("The grid has no dataset to export");
  CheckLimits();
  TMemoryStream sheet;
  ExportRecords(&sheet);
  TFileStream file(FileName, fmCreate);
  file.WriteBuffer(sheet.Memory(), sheet.Size());
}

std::vector<TdxTreeListNode*> TdxDBGridExport::ExportedNodes(bool AllRecords) {
  std::vector<TdxTreeListNode*> nodes;
  for (int i = 0; i < Grid->GetCount(); ++i) CollectPreOrder(Grid->GetItem(i), nodes);
  if (AllRecords) return nodes;
  // The selected nodes with their ancestors and descendants, in tree order.
  std::vector<TdxTreeListNode*> kept;
  for (TdxTreeListNode* node : nodes) {
    bool keep = Grid->IsNodeSelected(node);
    for (TdxTreeListNode* up = node->Parent(); up && !keep; up = up->Parent())
      keep = Grid->IsNodeSelected(up);
    if (!keep)
      for (int s = 0; s < Grid->GetSelectedCount() && !keep; ++s)
        if (TdxTreeListNode* selected = Grid->GetSelectedNode(s))
          for (TdxTreeListNode* up = selected->Parent(); up && !keep; up = up->Parent()) keep = up == node;
    if (keep) kept.push_back(node);
  }
  return kept;
}

int TdxDBGridExport::CountRecordRows() {
  const bool allRecords = SaveAll || Grid->GetSelectedCount() == 0;
  const bool useDataSet = Grid->IsDataSetWindowMode() || (Grid->IsPartialLoadMode() && allRecords);
  if (useDataSet) return allRecords ? GridDataSet(Grid)->RecordCount() : Grid->GetSelectedCount();
  int rows = 0;
  for (TdxTreeListNode* node : ExportedNodes(allRecords)) rows += 1 + Grid->GetRowFooterCount(node);
  return rows;
}

void TdxDBGridExport::WriteRecords(bool UseDataSet, bool AllRecords) {
  TDataSet* ds = GridDataSet(Grid);
  auto write = [&](TdxTreeListNode* Node) {
    WriteRow(Node);
    ++RowIndex;
  };
  if (UseDataSet && AllRecords) {
    for (ds->First(); !ds->Eof(); ds->Next()) write(nullptr);
  } else if (UseDataSet) {
    for (int i = 0; i < Grid->GetSelectedCount(); ++i) {
      ds->GotoBookmark(Grid->GetSelectedBookmark(i));
      write(nullptr);
    }
  } else {
    for (TdxTreeListNode* node : ExportedNodes(AllRecords)) write(node);
  }
}

void TdxDBGridExport::ExportRecords(TStream* AStream) {
  TDataSet* ds = GridDataSet(Grid);
  if (!ds) return;
  const bool allRecords = SaveAll || Grid->GetSelectedCount() == 0;
  const bool useDataSet = Grid->IsDataSetWindowMode() || (Grid->IsPartialLoadMode() && allRecords);
  Stream = AStream;
  std::optional<TDisableControlsScope> disabled;
  TBookmark bookmark;
  if (useDataSet) {
    disabled.emplace(ds);
    bookmark = ds->GetBookmark();
  }
  // The end record and the dataset's place come back whatever happens once writing began.
  auto finish = [&] {
    WriteEnd();
    if (!bookmark.empty() && ds->BookmarkValid(bookmark)) ds->GotoBookmark(bookmark);
    Stream = nullptr;
  };
  try {
    WriteStyles();
    RowIndex = 0;
    WriteHeader();
    WriteRecords(useDataSet, allRecords);
    WriteFooter();
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TCustomdxDBGrid::SaveToExcelFile(const String& FileName, bool SaveAll) {
  SaveGridToExcel(this, FileName, SaveAll);
}

void SaveGridToExcel(TCustomdxDBGrid* Grid, const String& FileName, bool SaveAll) {
  TdxDBGridExportExcel exporter;
  exporter.FileName = FileName;
  exporter.Grid = Grid;
  exporter.SaveAll = SaveAll;
  exporter.Execute();
}

// --- The worksheet's records ---

void TdxDBGridExportExcel::Record(int Id, const std::vector<Byte>& Body) {
  std::vector<Byte> head;
  AppendLe16(head, static_cast<std::uint32_t>(Id));
  AppendLe16(head, static_cast<std::uint32_t>(Body.size()));
  Stream->WriteBuffer(head.data(), static_cast<Int64>(head.size()));
  if (!Body.empty()) Stream->WriteBuffer(Body.data(), static_cast<Int64>(Body.size()));
}

namespace {

std::vector<Byte> CellBody(int Row, int Column, int Xf) {
  std::vector<Byte> body;
  AppendLe16(body, static_cast<std::uint32_t>(Row));
  AppendLe16(body, static_cast<std::uint32_t>(Column));
  AppendLe16(body, static_cast<std::uint32_t>(Xf));
  return body;
}

void AppendDouble(std::vector<Byte>& Body, double Value) {
  std::uint64_t bits;
  std::memcpy(&bits, &Value, sizeof bits);
  AppendLe32(Body, static_cast<std::uint32_t>(bits));
  AppendLe32(Body, static_cast<std::uint32_t>(bits >> 32));
}

}  // namespace

void TdxDBGridExportExcel::Blank(int Row, int Column, int Xf) { Record(0x0201, CellBody(Row, Column, Xf)); }

void TdxDBGridExportExcel::Label(int Row, int Column, int Xf, const String& Text) {
  AnsiString bytes = StringToAnsi(Text, kExportCodePage);
  // A record body holds at most 0xFFFF bytes.
  if (bytes.size() > 0xFFFF - 8) bytes.resize(0xFFFF - 8);
  std::vector<Byte> body = CellBody(Row, Column, Xf);
  AppendLe16(body, static_cast<std::uint32_t>(bytes.size()));
  body.insert(body.end(), bytes.begin(), bytes.end());
  Record(0x0204, body);
}

void TdxDBGridExportExcel::Number(int Row, int Column, int Xf, double Value) {
  std::vector<Byte> body = CellBody(Row, Column, Xf);
  AppendDouble(body, Value);
  Record(0x0203, body);
}

void TdxDBGridExportExcel::Integer(int Row, int Column, int Xf, Int64 Value) {
  // The RK integer form holds 30 bits; larger integers go as numbers.
  if (Value < kRkMin || Value > kRkMax) {
    Number(Row, Column, Xf, static_cast<double>(Value));
    return;
  }
  std::vector<Byte> body = CellBody(Row, Column, Xf);
  AppendLe32(body, static_cast<std::uint32_t>(Value * 4 + 2));
  Record(0x027E, body);
}

void TdxDBGridExportExcel::CollectColumns() {
  Columns.clear();
  for (int band = 0; band < Grid->GetVisibleBandCount(); ++band)
    for (int row = 0; row < Grid->GetBandHeaderRowCount(band); ++row)
      for (int pos = 0; pos < Grid->GetBandRowColumnCount(band, row); ++pos) {
        const int column = Grid->GetColumnAt(band, row, pos);
        if (column >= 0 && Grid->IsColumnShown(column)) Columns.push_back(column);
      }
}

void TdxDBGridExportExcel::CheckLimits() {
  CollectColumns();
  if (ColumnCount() > kExcelMaxColumns)
    throw Exception("A worksheet takes at most " + std::to_string(kExcelMaxColumns) +
                    " exported columns; the grid shows " + std::to_string(ColumnCount()));
  const int rows = HeaderRowCount() + CountRecordRows() + (Grid->ShowSummaryFooter() ? 1 : 0);
  if (rows > kExcelMaxRows)
    throw Exception("A worksheet holds at most " + std::to_string(kExcelMaxRows) +
                    " rows; the export needs " + std::to_string(rows));
}

int TdxDBGridExportExcel::HeaderRowCount() const {
  return (Grid->ShowBands() ? 1 : 0) + (Grid->ShowHeader() ? 1 : 0);
}

void TdxDBGridExportExcel::WriteFont(TFont* Font, int ColorIndex) {
  std::vector<Byte> body;
  AppendLe16(body, static_cast<std::uint32_t>(Font->Size() * 20));
  const TFontStyles style = Font->Style();
  AppendLe16(body, (style.Contains(fsBold) ? 1u : 0u) | (style.Contains(fsItalic) ? 2u : 0u) |
                       (style.Contains(fsUnderline) ? 4u : 0u) | (style.Contains(fsStrikeOut) ? 8u : 0u));
  AppendLe16(body, static_cast<std::uint32_t>(ColorIndex));
  const AnsiString name = StringToAnsi(Font->Name(), kExportCodePage).substr(0, 255);
  body.push_back(static_cast<Byte>(name.size()));
  body.insert(body.end(), name.begin(), name.end());
  Record(0x0231, body);
}

void TdxDBGridExportExcel::WriteStyles() {
  CollectColumns();
  groupCount_ = Grid->GroupCount();
  Record(0x0409, {0, 0, 0x10, 0, 0, 0});
  Record(0x0042, {static_cast<Byte>(kExportCodePage & 0xFF), static_cast<Byte>(kExportCodePage >> 8)});
  Record(0x0080, std::vector<Byte>(8, 0));

  std::vector<Byte> palette;
  AppendLe16(palette, 13);
  const TColor colours[] = {Grid->HeaderFont()->Color(),
                            Grid->HeaderColor(),
                            Grid->GroupNodeTextColor(),
                            Grid->GroupNodeColor(),
                            Grid->Font()->Color(),
                            Grid->Color(),
                            clWindowFrame,
                            clWindow,
                            Grid->BandFont()->Color(),
                            Grid->BandColor(),
                            Grid->RowFooterTextColor(),
                            Grid->RowFooterColor(),
                            Grid->GridLineColor()};
  for (TColor colour : colours) {
    const TColor rgb = colour == clNone ? 0 : ColorToRGB(colour);
    palette.insert(palette.end(), {static_cast<Byte>(rgb & 0xFF), static_cast<Byte>((rgb >> 8) & 0xFF),
                                   static_cast<Byte>((rgb >> 16) & 0xFF), 0});
  }
  Record(0x0092, palette);

  for (int i = 0; i < 4; ++i) {
    std::vector<Byte> body;
    AppendLe16(body, 200);
    AppendLe16(body, 0);
    AppendLe16(body, 0x7FFF);
    body.push_back(5);
    body.insert(body.end(), {'A', 'r', 'i', 'a', 'l'});
    Record(0x0231, body);
  }
  WriteFont(Grid->Font(), 12);
  WriteFont(Grid->HeaderFont(), 8);
  WriteFont(Grid->Font(), 10);
  WriteFont(Grid->BandFont(), 16);
  WriteFont(Grid->Font(), 18);
  for (int column : Columns) WriteFont(Grid->GetColumnFont(column), 12);

  const std::vector<Byte> dataBorders =
      Grid->ShowGrid() ? std::vector<Byte>{0xA1, 0xA1, 0xA1, 0xA1} : std::vector<Byte>{0, 0, 0, 0};
  auto xf = [&](std::vector<Byte> Body) { Record(0x0443, Body); };
  xf({0x00, 0x00, 0xF5, 0xFF, 0x20, 0x00, 0x00, 0xCE, 0, 0, 0, 0});
  for (int i = 0; i < 2; ++i) xf({0x01, 0x00, 0xF5, 0xFF, 0x20, 0xF4, 0x00, 0xCE, 0, 0, 0, 0});
  for (int i = 0; i < 2; ++i) xf({0x02, 0x00, 0xF5, 0xFF, 0x20, 0xF4, 0x00, 0xCE, 0, 0, 0, 0});
  for (int i = 0; i < 10; ++i) xf({0x00, 0x00, 0xF5, 0xFF, 0x20, 0xF4, 0x00, 0xCE, 0, 0, 0, 0});
  xf({0x00, 0x00, 0x01, 0x00, 0x20, 0x00, 0x00, 0xCE, 0, 0, 0, 0});
  for (Byte format : {0x21, 0x1F, 0x20, 0x1E, 0x0D})
    xf({0x01, format, 0xF5, 0xFF, 0x20, 0xF8, 0x00, 0xCE, 0, 0, 0, 0});
  std::vector<Byte> data = {0x05, 0x00, 0x01, 0x00, 0x21, 0x78, 0x41, 0x03};
  data.insert(data.end(), dataBorders.begin(), dataBorders.end());
  xf(data);
  xf({0x06, 0x00, 0x01, 0x00, 0x22, 0x78, 0x41, 0x02, 0x71, 0x71, 0x71, 0x71});
  xf({0x07, 0x00, 0x01, 0x00, 0x21, 0x78, 0xC1, 0x02, 0x00, 0x00, 0x00, 0x00});
  xf({0x05, 0x00, 0x01, 0x00, 0x22, 0x78, 0xC1, 0x02, 0xB9, 0xB9, 0xB9, 0xB9});
  xf({0x05, 0x00, 0x01, 0x00, 0x22, 0x78, 0xC1, 0x02, 0xB9, 0x00, 0xB9, 0x00});
  xf({0x08, 0x00, 0x01, 0x00, 0x22, 0x78, 0x41, 0x02, 0x71, 0x71, 0x71, 0x00});
  xf({0x09, 0x00, 0x01, 0x00, 0x21, 0x78, 0xC1, 0x02, 0xB9, 0xB9, 0xB9, 0xB9});
  xf({0x09, 0x00, 0x01, 0x00, 0x21, 0x78, 0xC1, 0x02, 0xB9, 0x00, 0xB9, 0x00});
  for (int i = 0; i < ColumnCount(); ++i) {
    const TAlignment alignment = Grid->GetColumn(Columns[static_cast<size_t>(i)])->Alignment();
    const Byte align = alignment == taRightJustify ? 0x23 : alignment == taCenter ? 0x22 : 0x21;
    std::vector<Byte> body = {static_cast<Byte>(10 + i), 0x00, 0x01, 0x00, align, 0x78, 0x41, 0x03};
    body.insert(body.end(), dataBorders.begin(), dataBorders.end());
    xf(body);
  }

  auto colInfo = [&](int Column, int Width) {
    std::vector<Byte> body;
    AppendLe16(body, static_cast<std::uint32_t>(Column));
    AppendLe16(body, static_cast<std::uint32_t>(Column));
    AppendLe16(body, static_cast<std::uint32_t>(std::clamp(Width, 0, 0xFFFF)));
    AppendLe16(body, 15);
    AppendLe16(body, 0);
    AppendLe16(body, 0);
    Record(0x007D, body);
  };
  for (int c = 0; c < groupCount_; ++c) colInfo(c, 400);
  for (int i = 0; i < ColumnCount(); ++i)
    colInfo(groupCount_ + i, Grid->GetColumnWidth(Columns[static_cast<size_t>(i)]) * 36);
  Record(0x0200, {0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0, 0, 0});
}

void TdxDBGridExportExcel::WriteHeader() {
  if (Grid->ShowBands()) {
    for (int c = 0; c < groupCount_ + ColumnCount(); ++c) Blank(RowIndex, c, 23);
    int position = 0;
    for (int band = 0; band < Grid->GetVisibleBandCount(); ++band) {
      Label(RowIndex, groupCount_ + position, 26, Grid->GetVisibleBandCaption(band));
      for (int row = 0; row < Grid->GetBandHeaderRowCount(band); ++row)
        position += Grid->GetBandRowColumnCount(band, row);
    }
    ++RowIndex;
  }
  if (Grid->ShowHeader()) {
    for (int c = 0; c < groupCount_; ++c) Blank(RowIndex, c, 23);
    for (int i = 0; i < ColumnCount(); ++i) {
      TdxTreeListColumn* column = Grid->GetColumn(Columns[static_cast<size_t>(i)]);
      Label(RowIndex, groupCount_ + i, 22, column->DisableCaption() ? String() : column->Caption());
    }
    ++RowIndex;
  }
}

void TdxDBGridExportExcel::WriteCell(TdxTreeListNode* Node, int Index) {
  const int absolute = Columns[static_cast<size_t>(Index)];
  auto* column = Grid->GetDBColumn(absolute);
  const int at = groupCount_ + Index;
  const int xf = 29 + Index;
  TField* field = column ? column->Field() : nullptr;
  if (!column || column->FieldName().empty() || !field) {
    Label(RowIndex, at, xf, String());
    return;
  }
  Variant value = Node ? column->GetNodeValue(Node) : field->AsVariant();
  if (column->ConvertExportValue(value, false)) {
    WriteConvertedValue(at, xf, value);
    return;
  }
  switch (field->DataType()) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftBytes:
    case ftAutoInc:
      Integer(RowIndex, at, xf, VarIsNull(value) ? 0 : value.AsInt64());
      return;
    case ftFloat:
    case ftCurrency:
    case ftBCD:
      Number(RowIndex, at, xf, VarIsNull(value) ? 0.0 : value.AsDouble());
      return;
    default: {
      String text;
      if (Node)
        Grid->GetNodeString(Node, absolute, text);
      else
        text = field->DisplayText();
      // Memo texts are cut to what a cell shows; other texts go whole.
      if (field->DataType() == ftMemo && text.size() > 255) text.resize(255);
      Label(RowIndex, at, xf, text);
    }
  }
}

void TdxDBGridExportExcel::WriteConvertedValue(int At, int Xf, const Variant& Value) {
  switch (Value.Type()) {
    case varSmallint:
    case varInteger:
      Integer(RowIndex, At, Xf, Value.AsInt64());
      return;
    case varSingle:
    case varDouble:
    case varCurrency:
      Number(RowIndex, At, Xf, Value.AsDouble());
      return;
    default:
      Label(RowIndex, At, Xf, VarToStr(Value));
  }
}

void TdxDBGridExportExcel::WriteRowFooters(TdxTreeListNode* Node) {
  for (int s = 0; s < Grid->GetRowFooterCount(Node); ++s) {
    ++RowIndex;
    const int level = Grid->GetRowFooterLevel(Node, s);
    for (int c = 0; c <= level && c < groupCount_; ++c) Blank(RowIndex, c, 23);
    for (int i = 0; i < ColumnCount(); ++i) {
      const int absolute = Columns[static_cast<size_t>(i)];
      if (Grid->IsExistRowFooterCell(Node, absolute, s)) {
        const int at = i == 0 && groupCount_ - level - 1 > 0 ? level + 1 : groupCount_ + i;
        Label(RowIndex, at, 27, Grid->GetFooterCellText(Node, absolute, s));
      } else {
        Blank(RowIndex, groupCount_ + i, 28);
      }
    }
    for (int c = groupCount_; c >= level + 2; --c) Blank(RowIndex, c, 28);
  }
}

void TdxDBGridExportExcel::WriteRow(TdxTreeListNode* Node) {
  if (Node && groupCount_ > 0) {
    const int level = Node->GetLevel();
    for (int c = 0; c < groupCount_; ++c) {
      if (c != level) {
        Blank(RowIndex, c, 23);
        continue;
      }
      // The group caption: the group's value as its column shows values.
      TdxDBTreeListColumn* grouped = Grid->GetGroupColumn(c);
      Label(RowIndex, c, 23, grouped ? grouped->ValueToText(GridNode(Node)->Group().Value) : String());
    }
  }
  for (int i = 0; i < ColumnCount(); ++i) {
    if (Node && Node->HasChildren())
      Blank(RowIndex, groupCount_ + i, 23);
    else
      WriteCell(Node, i);
  }
  if (Node) WriteRowFooters(Node);
}

void TdxDBGridExportExcel::WriteFooter() {
  if (!Grid->ShowSummaryFooter()) return;
  const int headerRows = HeaderRowCount();
  for (int c = 0; c < groupCount_; ++c) Blank(RowIndex, c, 25);
  for (int i = 0; i < ColumnCount(); ++i) {
    auto* column = Grid->GetDBColumn(Columns[static_cast<size_t>(i)]);
    const TdxSummaryType type = column ? column->SummaryFooterType() : cstNone;
    int target = -1;
    if (type == cstCount) {
      target = i;
    } else if (type != cstNone) {
      for (int j = 0; j < ColumnCount() && target < 0; ++j)
        if (auto* other = Grid->GetDBColumn(Columns[static_cast<size_t>(j)]);
            other && SameText(other->FieldName(), column->SummaryFooterField()))
          target = j;
    }
    // Without data rows there is no range to sum.
    if (type == cstNone || target < 0 || RowIndex <= headerRows) {
      Blank(RowIndex, groupCount_ + i, 25);
      continue;
    }
    std::vector<Byte> body = CellBody(RowIndex, groupCount_ + i, 24);
    body.insert(body.end(), 8, 0);
    AppendLe16(body, 0x0003);
    AppendLe16(body, 11);
    body.push_back(0x25);
    AppendLe16(body, static_cast<std::uint32_t>(headerRows) | 0xC000);
    AppendLe16(body, static_cast<std::uint32_t>(RowIndex - 1) | 0xC000);
    body.push_back(static_cast<Byte>(groupCount_ + target));
    body.push_back(static_cast<Byte>(groupCount_ + target));
    switch (type) {
      case cstSum:
        body.insert(body.end(), {0x19, 0x10, 0x00, 0x00});
        break;
      case cstMin:
        body.insert(body.end(), {0x42, 0x01, 0x06, 0x00});
        break;
      case cstMax:
        body.insert(body.end(), {0x42, 0x01, 0x07, 0x00});
        break;
      case cstCount:
        body.insert(body.end(), {0x42, 0x01, 0xA9, 0x00});
        break;
      default:
        body.insert(body.end(), {0x42, 0x01, 0x05, 0x00});
        break;
    }
    Record(0x0406, body);
  }
}

void TdxDBGridExportExcel::WriteEnd() { Record(0x000A, {}); }
