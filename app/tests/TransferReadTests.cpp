// The import window reading workbooks written by xlwt into the staging rows on a real demo
// database: the rows and their values, where reading stops, refused rows counted, the institution
// missing, a second read, another user's rows, a file that is no workbook, no spreadsheet reader,
// resuming, and the window held while it reads.
#include "app/MessageForm.h"
#include "app/TransferForm.h"
#include "app/tests/AppTestSupport.h"
#include "app/tests/TransferTestSupport.h"
#include "platform/display/testing/CheckedScreens.h"
#include "platform/gdi/Surface.h"
#include "platform/office/WorkbookError.h"
#include "platform/rtl/FileUtils.h"
#include "platform/win/Paint.h"
#include "platform/win/SysColors.h"

namespace {

using TransferReadTest = TransferTest;

TEST_F(TransferReadTest, StagesTheActiveSheetsRowsUnderTheFirstSheetsInstitution) {
  TransferBook book;
  book.Sheet("Титул").Text(0, 5, "  Академия госслужбы \t");
  book.Sheet("Данные", true)
      .Text(0, 5, "not the institution: F1 comes from the first sheet")
      .Row(4, {"Иванов", "Пётр", "Ильич", "м", "", "инженер", "Администрация", "курсы", "Право"})
      .Date(3, 4, "1980-05-17", "DD.MM.YYYY")
      .Text(3, 9, "01.02.2025")
      // An empty first name stays a text, an empty patronymic is NULL; a date the server refuses
      // is no date; a number shows as the sheet shows it.
      .Row(5, {"  Петрова ", "", "", "ж", "31.02.1980", "", "", "", ""})
      .Number(4, 5, 17)
      .Text(4, 9, "вчера")
      .Row(6, {"Сидоров"})
      // A blank row ends the data even with rows after it.
      .Row(8, {"Кузнецов", "Олег"});
  Read(Save(book));
  EXPECT_EQ(Staged("N, FSTNAME, SECNAME, LASTNAME, SEX, DOLGNAME, DEPNAME, VIDEDUNAME, PROGNAME, COLLAGE_NAME, NOTE"),
            (std::vector<std::string>{
                "1|Иванов|Пётр|Ильич|м|инженер|Администрация|курсы|Право|Академия госслужбы|~",
                "2|Петрова||~|ж|17|~|~|~|Академия госслужбы|~",
                "3|Сидоров||~|~|~|~|~|~|Академия госслужбы|~",
            }));
  TDataSet* buffer = DataModule2->BUFFER;
  ASSERT_TRUE(buffer->Active());
  ASSERT_EQ(buffer->RecordCount(), 3);
  buffer->First();
  EXPECT_EQ(buffer->FieldByName(u"BIRTHDATE")->AsDateTime(), EncodeDate(1980, 5, 17));
  EXPECT_EQ(buffer->FieldByName(u"DATEFINISH")->AsDateTime(), EncodeDate(2025, 2, 1));
  buffer->Next();
  EXPECT_TRUE(buffer->FieldByName(u"BIRTHDATE")->IsNull()) << "31.02.1980";
  EXPECT_TRUE(buffer->FieldByName(u"DATEFINISH")->IsNull()) << "вчера";
  TTransferForm* w = Window();
  EXPECT_EQ(Text(w->Label1->Caption()), "Академия госслужбы");
  EXPECT_EQ(Text(w->LabeledEdit1->Text()), "3");
  EXPECT_TRUE(w->BufferListDBGrid->Visible());
  EXPECT_TRUE(w->AAddData->Enabled());
  EXPECT_EQ(w->MessageForm, nullptr) << "the progress window lives for the read only";
  EXPECT_TRUE(boxes.empty());
}

TEST_F(TransferReadTest, ABookWithoutDataRowsStagesNothing) {
  Read(Save(OnePerson("Академия", "")));
  TTransferForm* w = Window();
  EXPECT_TRUE(Staged("N").empty());
  EXPECT_TRUE(DataModule2->BUFFER->IsEmpty());
  EXPECT_FALSE(w->BufferListDBGrid->Visible());
  EXPECT_FALSE(w->AAddData->Enabled());
  EXPECT_EQ(Text(w->LabeledEdit1->Text()), "0");
}

// A row the staging table refuses is counted and left out; the read goes on.
TEST_F(TransferReadTest, RowsTheStagingTableRefusesAreCountedAndTheReadGoesOn) {
  Exec("create trigger refuse_row before insert on BUFFER when NEW.FSTNAME = 'Сбой' "
       "begin select raise(abort, 'refused'); end");
  TransferBook book = OnePerson("Академия", "Первый");
  book.Row(5, {"Сбой"}).Row(6, {"Третий"});
  std::vector<std::string> progress;
  SetMessagePumpHook([&] {
    if (TTransferForm* w = TransferForm; w && w->MessageForm) {
      const std::string shown =
          Text(w->MessageForm->LabeledEdit1->Text()) + "/" + Text(w->MessageForm->LabeledEdit2->Text());
      if (progress.empty() || progress.back() != shown) progress.push_back(shown);
      EXPECT_EQ(Text(w->MessageForm->Caption()), "Перенос данных из файла в буфер");
      EXPECT_TRUE(w->MessageForm->Visible());
    }
  });
  Read(Save(book));
  SetMessagePumpHook(nullptr);
  EXPECT_EQ(progress, (std::vector<std::string>{"1/0", "2/1", "3/1"}));
  EXPECT_EQ(Staged("N, FSTNAME"), (std::vector<std::string>{"1|Первый", "3|Третий"}));
  EXPECT_EQ(Text(Window()->LabeledEdit1->Text()), "2");
}

TEST_F(TransferReadTest, ANewReadReplacesTheUsersRowsAndLeavesOtherUsersRows) {
  Exec("insert into BUFFER (N, [USER], FSTNAME, COLLAGE_NAME) values (1, 'other', 'Чужой', 'Другой вуз')");
  Read(Save(OnePerson("Академия", "Первый"), "first.xls"));
  Exec("update BUFFER set NOTE = 'OK' where [USER] = 'tester'");
  TransferBook second = OnePerson("Институт", "Второй");
  second.Row(5, {"Третий"});
  Read(Save(second, "second.xls"));
  EXPECT_EQ(Staged("FSTNAME, COLLAGE_NAME, NOTE"),
            (std::vector<std::string>{"Второй|Институт|~", "Третий|Институт|~"}))
      << "processed rows of the earlier read go too";
  EXPECT_EQ(Scalar("select FSTNAME from BUFFER where [USER] = 'other'"), "Чужой");
  EXPECT_EQ(Text(Window()->LabeledEdit1->Text()), "2") << "only the user's own rows count";
  EXPECT_EQ(DataModule2->BUFFER->RecordCount(), 2);
}

// No institution, no workbook, no reader: each says so and the staged rows stay as they were.
TEST_F(TransferReadTest, AReadThatCannotStartKeepsTheStagedRows) {
  Read(Save(OnePerson("Академия", "Первый"), "first.xls"));
  boxes.clear();

  Read(Save(OnePerson("   ", "Второй"), "nameless.xls"));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "Не определен ВУЗ - источник данных");
  EXPECT_EQ(boxes[0].Caption, "Ошибка");
  EXPECT_EQ(boxes[0].Type & MB_ICONMASK, UINT(MB_ICONERROR));
  EXPECT_EQ(Staged("FSTNAME"), (std::vector<std::string>{"Первый"}));

  // A zip package named .xls, as a newer spreadsheet program writes it.
  const std::string zip = Text(folder.File("new.xls"));
  FILE* f = std::fopen(zip.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("PK\x03\x04 a zip package, not a compound file", f);
  std::fclose(f);
  try {
    Read(zip);
    ADD_FAILURE() << "a zip package read as a workbook";
  } catch (const EWorkbookError& e) {
    EXPECT_NE(std::string(e.what()).find("new.xls"), std::string::npos) << e.what();
  }
  EXPECT_EQ(Staged("FSTNAME"), (std::vector<std::string>{"Первый"}));
  EXPECT_FALSE(Window()->Reading());
  EXPECT_TRUE(Window()->FileOpen1->Enabled()) << "the actions come back after a failed read";

  struct TUnreachable : Spreadsheet {
    void Connect() override { throw Exception("no spreadsheet program"); }
    std::unique_ptr<SpreadsheetWorkbook> Open(const String&) override {
      ADD_FAILURE() << "opened without a connection";
      return nullptr;
    }
  };
  SetSpreadsheetFactory([] { return std::make_unique<TUnreachable>(); });
  boxes.clear();
  Read(Save(OnePerson("Институт", "Второй"), "second.xls"));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "Подключение к EXCEL не выполнено");
  EXPECT_EQ(boxes[0].Caption, "Отмена операции");
  EXPECT_EQ(Staged("FSTNAME"), (std::vector<std::string>{"Первый"}));
}

TEST_F(TransferReadTest, WhileReadingTheWindowsActionsAndClosingWait) {
  TransferBook book = OnePerson("Академия", "Первый");
  book.Row(5, {"Второй"});
  const std::string path = Save(book);
  TTransferForm* w = Window();
  w->Show();
  std::vector<std::string> seen;
  SetMessagePumpHook([&] {
    if (!w->Reading()) return;
    bool canClose = true;
    w->FormCloseQuery(w, canClose);
    seen.push_back(std::string(w->AClose->Enabled() ? "close " : "") + (w->FileOpen1->Enabled() ? "open " : "") +
                   (w->AContinue->Enabled() ? "continue " : "") + (w->AAddData->Enabled() ? "import " : "") +
                   (canClose ? "closable" : "held"));
  });
  Read(path);
  SetMessagePumpHook(nullptr);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), "held");
  EXPECT_TRUE(w->AClose->Enabled() && w->FileOpen1->Enabled() && w->AContinue->Enabled() && w->AAddData->Enabled());
  bool canClose = false;
  w->FormCloseQuery(w, canClose);
  EXPECT_TRUE(canClose);
}

// An import broken off is resumed in a later window: the institution and rows come from BUFFER.
TEST_F(TransferReadTest, ContinueResumesTheStagedRowsInANewWindow) {
  TransferBook book = OnePerson("Академия", "Первый");
  book.Row(5, {"Второй"});
  Read(Save(book));
  Window()->Close();
  EXPECT_FALSE(DataModule2->BUFFER->Active()) << "closing the window closes the staging rows";
  delete TransferForm;
  TransferForm = nullptr;

  TTransferForm* w = Window();
  EXPECT_EQ(Text(w->LabeledEdit1->Text()), "0");
  EXPECT_FALSE(w->BufferListDBGrid->Visible());
  EXPECT_FALSE(w->AAddData->Enabled());
  w->AContinue->Execute();
  EXPECT_TRUE(w->AAddData->Enabled());
  EXPECT_EQ(Text(w->Label1->Caption()), "Академия");
  EXPECT_EQ(Text(w->LabeledEdit1->Text()), "2") << "the count shown as the rows open";
  EXPECT_TRUE(w->BufferListDBGrid->Visible());
  EXPECT_EQ(Text(DataModule2->BUFFER->FieldByName(u"FSTNAME")->AsString()), "Первый");
}

// As a user does it: "Прием данных", Ctrl+O, the dialog opening in the program's "Transfer" folder,
// the file's name typed; the window then shows the institution, the staged rows and their count.
TEST_F(TransferReadTest, TheMainWindowsImportReadsTheFileChosenInTheTransferFolder) {
  ASSERT_TRUE(ForceDirectories(folder.File("Transfer")));
  TransferBook book = OnePerson("Академия госслужбы", "Иванова");
  book.Row(5, {"Петров", "Иван"});
  Save(book, "Transfer/kursy.xls");
  String initialDir;
  WhenModal<TTransferForm>([&](TTransferForm* w) {
    initialDir = w->FileOpen1->Dialog()->InitialDir();
    EXPECT_EQ(Text(w->Caption()), "Прием данных с периферийных источников");
    SimulateKeyPress('O', 2);
    SimulateText(u"kursy");
    SimulateKeyPress(VK_RETURN);
    // Once the rows are shown: check them on the screen, then close the window.
    SetMessagePumpHook([this, shown = w] {
      if (shown->Reading() || shown->BufferCount == 0 || !shown->Visible()) return;
      TTransferForm* w = shown;  // clearing the hook frees this closure
      SetMessagePumpHook(nullptr);
      RunUntilIdle();
      TdxDBGrid* grid = w->BufferListDBGrid;
      ASSERT_EQ(grid->GetAbsoluteCount(), 2);
      EXPECT_EQ(Text(grid->GetCellText(grid->GetAbsoluteNode(1), grid->FindColumnByFieldName(u"FSTNAME")->Index())),
                "Петров");
      EXPECT_EQ(Text(w->LabeledEdit1->Text()), "2");
      TSurface screen(1, 1);
      ComposeScreen(screen);
      auto darkIn = [&](TControl* c) {
        int n = 0;
        for (int y = 0; y < c->Height(); ++y)
          for (int x = 0; x < c->Width(); ++x) {
            POINT p = c->ClientToScreen(POINT{x, y});
            n += PixelToColor(screen.At(p.x, p.y)) == RGB(0, 0, 0);
          }
        return n;
      };
      EXPECT_GT(darkIn(w->Label1), 0) << "the institution shown";
      EXPECT_GT(darkIn(w->LabeledEdit1), 0) << "the count shown";
      KeepCheckedScreen();
      w->Close();
      PostMessage(w->Handle(), WM_NULL, 0, 0);
    });
  });
  MainForm->Action1->Execute();
  RunUntilIdle();
  EXPECT_EQ(Text(initialDir), Text(ProgramFolder()) + "Transfer");
  EXPECT_EQ(TransferForm, nullptr) << "freed after its showing";
  EXPECT_FALSE(DataModule2->BUFFER->Active());
  EXPECT_EQ(Staged("FSTNAME, COLLAGE_NAME"),
            (std::vector<std::string>{"Иванова|Академия госслужбы", "Петров|Академия госслужбы"}));
  EXPECT_TRUE(DataModule2->OPEOPLE_LIST->Active()) << "the list read again";
}

}  // namespace
