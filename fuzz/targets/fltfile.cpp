// The filter control's ".flt" row list: a criteria stream read into rows over a link of four items
// (text, masked, check box, memo), the rows written back as criteria and read again. A load that
// fails must leave the rows it had.
#include <cstdlib>

#include "cx/data/cxDataStorage.h"
#include "cx/editors/cxCheckBox.h"
#include "cx/editors/cxMaskEdit.h"
#include "cx/editors/cxMemo.h"
#include "cx/editors/cxTextEdit.h"
#include "cx/grid/cxFilterControlRows.h"
#include "fuzz/FuzzSupport.h"

void RegisterCxGridModules();

namespace {

// Item links 0, 7, 8 and 1000: one equals its position, the others do not.
class TFuzzFilterLink : public IcxFilterControl {
 public:
  TFuzzFilterLink() : text_(nullptr), mask_(nullptr), check_(nullptr), memo_(nullptr) {
    mask_.SetEditMask(u"000");
  }
  String GetCaption(int AIndex) override { return AIndex == 1 ? String() : u"Item " + IntToStr(AIndex); }
  int GetCount() override { return 4; }
  TcxFilterCriteria* GetCriteria() override { return nullptr; }
  TObject* GetItemLink(int AIndex) override {
    static constexpr int kLinks[] = {0, 7, 8, 1000};
    return cxFilterControlItemLink(kLinks[AIndex]);
  }
  String GetFieldName(int AIndex) override { return u"F" + IntToStr(AIndex); }
  TcxCustomEditProperties* GetProperties(int AIndex) override {
    TcxCustomEditProperties* properties[] = {&text_, &mask_, &check_, &memo_};
    return properties[AIndex];
  }
  const TcxValueType* GetValueType(int AIndex) override {
    return AIndex == 1 ? static_cast<const TcxValueType*>(TcxIntegerValueType::Class())
                       : TcxStringValueType::Class();
  }

 private:
  TcxTextEditProperties text_;
  TcxMaskEditProperties mask_;
  TcxCheckBoxProperties check_;
  TcxMemoProperties memo_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, size_t Size) {
  StartFuzzing(RegisterCxGridModules);
  TFuzzFilterLink link;
  TcxFilterControlRowList rows;
  rows.SetLink(&link);
  rows.AddCondition(nullptr);
  const int before = rows.RowCount();
  TCustomMemoryStream stream(Data, static_cast<Int64>(Size));
  try {
    rows.LoadFromStream(&stream);
  } catch (const Exception&) {
    if (rows.RowCount() != before) std::abort();  // a failed load replaced rows
    return 0;
  }
  try {
    TMemoryStream written;
    rows.SaveToStream(&written);
    String text;
    rows.Criteria()->BuildFilterText(true, text);
    written.SetPosition(0);
    TcxFilterControlRowList again;
    again.SetLink(&link);
    again.LoadFromStream(&written);
    if (again.RowCount() != rows.RowCount()) std::abort();  // the written rows read back differently
  } catch (const Exception&) {
  }
  return 0;
}
