// The grid written as a BIFF4 worksheet: band and column captions, group rows with their captions
// in indent columns, cells as numbers or text, row footers and a summary footer of formulas. The
// worksheet is built in memory and written to the file only when complete, so an export that is
// refused or fails leaves an existing file as it was.
#pragma once

#include <vector>

#include "platform/rtl/Object.h"
#include "platform/rtl/Streams.h"

class TCustomdxDBGrid;
class TFont;
class TdxTreeListNode;

// What the format can hold: BIFF2-5 readers stop at 16,384 rows, and font indexes are bytes.
constexpr int kExcelMaxRows = 16384;
constexpr int kExcelMaxColumns = 246;

class TdxDBGridExport : public TObject {
  TRENVIK_CLASS(TdxDBGridExport, TObject);

 public:
  virtual void WriteStyles() {}
  virtual void WriteEnd() {}
  virtual void WriteHeader() {}
  virtual void WriteFooter() {}
  // Node nullptr: the values come from the dataset's current record.
  virtual void WriteRow(TdxTreeListNode*) {}
  virtual void Execute();
  virtual void ExportRecords(TStream* AStream);

  String FileName;
  TCustomdxDBGrid* Grid = nullptr;
  bool SaveAll = false;
  int RowIndex = 0;

 protected:
  // Raised before anything is written when the export does not fit the format.
  virtual void CheckLimits() {}
  // The rows the records take (with their row footers), for the limits.
  int CountRecordRows();
  TStream* Stream = nullptr;

 private:
  void WriteRecords(bool UseDataSet, bool AllRecords);
  std::vector<TdxTreeListNode*> ExportedNodes(bool AllRecords);
};

class TdxDBGridExportExcel : public TdxDBGridExport {
  TRENVIK_CLASS(TdxDBGridExportExcel, TdxDBGridExport);

 public:
  void WriteStyles() override;
  void WriteEnd() override;
  void WriteHeader() override;
  void WriteFooter() override;
  void WriteRow(TdxTreeListNode* Node) override;

  std::vector<int> Columns;  // absolute indexes of the exported columns, in visual order
  int ColumnCount() const { return static_cast<int>(Columns.size()); }

 protected:
  void CheckLimits() override;

 private:
  void CollectColumns();
  int HeaderRowCount() const;
  void Record(int Id, const std::vector<Byte>& Body);
  void Blank(int Row, int Column, int Xf);
  void Label(int Row, int Column, int Xf, const String& Text);
  void Number(int Row, int Column, int Xf, double Value);
  void Integer(int Row, int Column, int Xf, Int64 Value);
  void WriteFont(TFont* Font, int ColorIndex);
  void WriteCell(TdxTreeListNode* Node, int Index);
  // A value a column converted for export: integers as RK, floating values as NUMBER, else its text.
  void WriteConvertedValue(int At, int Xf, const Variant& Value);
  void WriteRowFooters(TdxTreeListNode* Node);
  int groupCount_ = 0;
};

void SaveGridToExcel(TCustomdxDBGrid* Grid, const String& FileName, bool SaveAll);
