// Reading a workbook into the user's staging rows: F1 of the first sheet names the institution,
// the active sheet holds one person and course a row from row 4 down to the first empty A.
#include <array>
#include <initializer_list>

#include "app/DataModule.h"
#include "app/MessageForm.h"
#include "app/TransferForm.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/StrUtils.h"

namespace {

constexpr int kFirstDataRow = 4;
constexpr const char16_t* kInsertBufferRow =
    u" insert into BUFFER ([FSTNAME],[SECNAME],[LASTNAME],[SEX],[BIRTHDATE],[DOLGNAME],[PROGNAME], "
    u"[DEPNAME],[VIDEDUNAME],[DATEFINISH],[N],[USER],[COLLAGE_NAME])  values(:FSTNAME,:SECNAME,:LASTNAME,"
    u":SEX,:BIRTHDAY,:DOLGNAME,:PROGNAME,  :DEPNAME,:VIDEDUNAME,:DATEFINISH,:N,:U,:C) ";

// The ten cells A to J of one sheet row, trimmed.
using TSheetRow = std::array<String, 10>;

TSheetRow ReadSheetRow(const SpreadsheetWorkbook& Book, int Row) {
  TSheetRow cells;
  for (int column = 0; column < 10; ++column)
    cells[column] = Trim(Book.ActiveSheetText(String(1, char16_t(u'A' + column)) + IntToStr(Row)));
  return cells;
}

Variant TextOrNull(const String& Text) { return Text.empty() ? Null() : Variant(Text); }

// The server decides what text is a date; a text it refuses stages as no date.
Variant ServerDate(const String& Text) {
  if (Text.empty()) return Null();
  TADOQuery* q = DataModule2->Q;
  q->Close();
  const String quoted = QuotedStr(Text);
  q->SQL()->SetText(u" select ISDATE (" + quoted + u"),[dbo].[ConvToDate](" + quoted + u")");
  q->Open();
  TScopeExit close([q] { q->Close(); });
  TField* valid = q->Fields()->Fields(0);
  if (valid->IsNull() || valid->AsInteger() != 1) return Null();
  return q->Fields()->Fields(1)->Value();
}

// The window's actions and its closing wait while a read runs.
class TReadingScope {
 public:
  TReadingScope(bool& Reading, std::initializer_list<TCustomAction*> Actions) : reading_(Reading) {
    reading_ = true;
    for (TCustomAction* a : Actions) {
      saved_.push_back({a, a->Enabled()});
      a->SetEnabled(false);
    }
  }
  ~TReadingScope() {
    for (auto& [action, enabled] : saved_) action->SetEnabled(enabled);
    reading_ = false;
  }
  TReadingScope(const TReadingScope&) = delete;
  TReadingScope& operator=(const TReadingScope&) = delete;

 private:
  bool& reading_;
  std::vector<std::pair<TCustomAction*, bool>> saved_;
};

}  // namespace

void TTransferForm::ReadWorkbook(const String& Path) {
  std::unique_ptr<Spreadsheet> excel = NewSpreadsheet();
  try {
    excel->Connect();
  } catch (const std::exception&) {
    Application->MessageBox(kNoExcelText, kCancelCaption, MB_OK | MB_ICONERROR);
    return;
  }
  {
    TReadingScope reading(reading_, {AClose, FileOpen1, AContinue, AAddData});
    // A file that is no workbook raises here, before any staged row is touched.
    std::unique_ptr<SpreadsheetWorkbook> book = excel->Open(Path);
    CollageName = Trim(book->FirstSheetText(u"F1"));
    if (CollageName.empty()) {
      Application->MessageBox(kNoCollageText, u"Ошибка", MB_OK | MB_ICONERROR);
      return;
    }
    Label1->SetCaption(CollageName);
    StageRows(*book);
  }
  ShowStagedRows();
}

void TTransferForm::StageRows(const SpreadsheetWorkbook& Book) {
  TDataModule2* dm = DataModule2;
  {
    TADOQuery* q = dm->Q;
    q->Close();
    q->SQL()->SetText(u" delete from BUFFER where [USER] = :U");
    q->Parameters()->ParamByName(u"U")->SetValue(Variant(dm->UserName));
    q->ExecSQL();
  }
  dm->BUFFER->Close();

  TADOCommand* insert = dm->ADOCommand1;
  insert->SetCommandText(kInsertBufferRow);
  TParameters* p = insert->Parameters();
  p->ParamByName(u"U")->SetValue(Variant(dm->UserName));
  p->ParamByName(u"C")->SetValue(Variant(CollageName));

  if (!MessageForm) MessageForm = NewForm<TMessageForm>(this);
  TScopeExit freeProgress([this] {
    delete MessageForm;
    MessageForm = nullptr;
  });
  MessageForm->SetCaption(u"Перенос данных из файла в буфер");
  MessageForm->Show();

  int row = kFirstDataRow, staged = 1, failed = 0;
  for (TSheetRow cells = ReadSheetRow(Book, row); !cells[0].empty(); cells = ReadSheetRow(Book, ++row)) {
    p->ParamByName(u"FSTNAME")->SetValue(Variant(cells[0]));
    // An empty first name stays a text: the person lookup compares it with "=".
    p->ParamByName(u"SECNAME")->SetValue(Variant(cells[1]));
    p->ParamByName(u"LASTNAME")->SetValue(TextOrNull(cells[2]));
    p->ParamByName(u"SEX")->SetValue(TextOrNull(cells[3]));
    p->ParamByName(u"BIRTHDAY")->SetValue(ServerDate(cells[4]));
    p->ParamByName(u"DOLGNAME")->SetValue(TextOrNull(cells[5]));
    p->ParamByName(u"DEPNAME")->SetValue(TextOrNull(cells[6]));
    p->ParamByName(u"VIDEDUNAME")->SetValue(TextOrNull(cells[7]));
    p->ParamByName(u"PROGNAME")->SetValue(TextOrNull(cells[8]));
    p->ParamByName(u"DATEFINISH")->SetValue(ServerDate(cells[9]));
    p->ParamByName(u"N")->SetValue(Variant(staged));
    try {
      insert->Execute();
    } catch (const std::exception&) {
      ++failed;
    }
    ShowProgress(staged, failed);
    ++staged;
  }
}

void TTransferForm::ShowProgress(int Staged, int Failed) {
  MessageForm->LabeledEdit1->SetText(IntToStr(Staged));
  MessageForm->LabeledEdit2->SetText(IntToStr(Failed));
  MessageForm->Repaint();
  Application->ProcessMessages();
}

void TTransferForm::ShowStagedRows() {
  // Opening the staging rows shows their count (the data module's BUFFERAfterOpen).
  TDataSet* buffer = DataModule2->BUFFER;
  buffer->Open();
  BufferListDBGrid->SetVisible(!buffer->IsEmpty());
  AAddData->SetEnabled(!buffer->IsEmpty());
}
