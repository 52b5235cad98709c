// The import window: reads a workbook sent by an outlying office into the user's staging rows
// (BUFFER), shows them, and resumes an interrupted import.
#pragma once

#include <functional>
#include <memory>

#include "dx/dbgrid/dxDBGrid.h"
#include "dx/dbgrid/dxDBGridColumnKinds.h"
#include "platform/forms/ActnMan.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdActns.h"
#include "platform/forms/StdCtrls.h"
#include "platform/office/Spreadsheet.h"

class TMessageForm;
class TCollageDlg;
class TKatEduDlg;
class TSexDlg;
class TRayonDepDlg;
class TPeopleDlg;
struct TReferenceKind;
struct TMatchAnswer;

class TTransferForm : public TForm {
  TRENVIK_CLASS(TTransferForm, TForm);

 public:
  explicit TTransferForm(TComponent* AOwner) : TForm(AOwner) {}

  TActionToolBar* ActionToolBar1 = nullptr;
  TLabel* Label1 = nullptr;
  TdxDBGrid* BufferListDBGrid = nullptr;
  TPanel* Panel1 = nullptr;
  TLabeledEdit* LabeledEdit1 = nullptr;
  TActionManager* ActionManager1 = nullptr;
  TAction* AClose = nullptr;
  TFileOpen* FileOpen1 = nullptr;
  TAction* AContinue = nullptr;
  TAction* AAddData = nullptr;

  // The progress window, while a workbook is read.
  TMessageForm* MessageForm = nullptr;
  // The matching dialogs, made on first need and kept, with their pages and selections, until the
  // window closes.
  TCollageDlg* CollageDlg = nullptr;
  TKatEduDlg* KatEduDlg = nullptr;
  TSexDlg* SexDlg = nullptr;
  TRayonDepDlg* RayonDepDlg = nullptr;
  TPeopleDlg* PeopleDlg = nullptr;

  // The institution of the staged rows (cell F1 of the workbook).
  String CollageName;
  // The user's staged rows, as "Всего" shows them.
  int BufferCount = 0;
  // The current row's matching: the staged texts and the keys they matched. Keys keep their values
  // from row to row; each step overwrites its own.
  int CollageKey = 0;
  String KatEduText, DepText, SexText;
  int KatEduKey = 0, DepKey = 0, SexKey = 0;
  String Surname, FirstName, Patronymic;
  TDateTime BirthDate = 0;
  int PeopleKey = 0;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void ACloseExecute(TObject* Sender);
  void FileOpen1BeforeExecute(TObject* Sender);
  void FileOpen1Accept(TObject* Sender);
  void AContinueExecute(TObject* Sender);
  void AAddDataExecute(TObject* Sender);
  void ShowBufferCount();

  // Reads the workbook at Path into the user's staging rows.
  void ReadWorkbook(const String& Path);
  bool Reading() const { return reading_; }
  // Stores one training record, or rewrites the programme of one already stored; false when the
  // database refused it.
  bool StoreEduRecord(int PeopleID, int CollageID, int KatEduID, const String& ProgName, TDateTime DateFinish);

 private:
  void BindDataModule();
  // The first staged institution of the user, trimmed; empty without staged rows.
  String StagedCollageName();
  void StageRows(const SpreadsheetWorkbook& Book);
  void ShowStagedRows();
  void ShowProgress(int Staged, int Failed);
  // False when the user stopped the import.
  bool ImportRow();
  bool MatchReference(const TReferenceKind& Kind, String& Text, int& Key, const std::function<TMatchAnswer()>& Ask);
  TMatchAnswer AskCollage(const String& Text);
  TMatchAnswer AskKatEdu(const String& Text);
  TMatchAnswer AskSex(const String& Text);
  TMatchAnswer AskRayonDep(const String& Text);
  bool MatchPerson();
  // The person the user picked or made, or false when the import stops.
  bool AskPerson();
  void CopyStagedValues();
  void RecordStagedNames();
  void FreeMatchingDialogs();

  bool reading_ = false;
};

// The import window while it exists.
extern TTransferForm* TransferForm;

// What reads workbooks for the import; tests put a double in its place, nullptr restores the
// built-in reader.
using TSpreadsheetFactory = std::function<std::unique_ptr<Spreadsheet>()>;
void SetSpreadsheetFactory(TSpreadsheetFactory Factory);
std::unique_ptr<Spreadsheet> NewSpreadsheet();

inline constexpr const char16_t* kNoExcelText = u"Подключение к EXCEL не выполнено";
inline constexpr const char16_t* kNoCollageText = u"Не определен ВУЗ - источник данных";
