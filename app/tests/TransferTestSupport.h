// The import window's tests: a demo database, the window as the main window makes it, workbooks
// written by xlwt and read into the staging rows, and the rows of the database as text.
#pragma once

#include <deque>
#include <functional>

#include "app/MessageForm.h"
#include "app/TransferForm.h"
#include "app/tests/AppTestSupport.h"
#include "app/tests/TransferBook.h"

class TransferTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    Start();
  }
  // The windows on a demo database; SQLite unless a test asks for another driver.
  virtual void Start() { StartShowingList(5); }
  void TearDown() override {
    SetSpreadsheetFactory(nullptr);
    delete TransferForm;
    TransferForm = nullptr;
    AppTest::TearDown();
  }
  // The import window as the main window makes it, without its modal loop.
  TTransferForm* Window() {
    if (!TransferForm) TransferForm = NewForm<TTransferForm>(MainForm);
    return TransferForm;
  }
  std::string Save(const TransferBook& Book, const char* Name = "book.xls") {
    const std::string path = Text(folder.File(Name));
    Book.Save(path);
    return path;
  }
  void Read(const std::string& Path) { Window()->ReadWorkbook(Utf8ToString(Path)); }
  // Every row of a statement, its columns joined by "|", NULL as "~".
  std::vector<std::string> Rows(const std::string& Sql) {
    TADOQuery q(nullptr);
    q.SetConnection(DataModule2->ADOConnection1);
    q.SQL()->SetText(Utf8ToString(Sql));
    q.Open();
    std::vector<std::string> rows;
    for (; !q.Eof(); q.Next()) {
      std::string row;
      for (int i = 0; i < q.Fields()->Count(); ++i) {
        TField* f = q.Fields()->Fields(i);
        row += (i ? "|" : "") + (f->IsNull() ? std::string("~") : Text(f->AsString()));
      }
      rows.push_back(row);
    }
    return rows;
  }
  // Every staged row of the user in order.
  std::vector<std::string> Staged(const char* Columns) {
    return Rows(std::string("select ") + Columns + " from BUFFER where [USER] = 'tester' order by N");
  }
  static TransferBook OnePerson(const std::string& Collage, const std::string& Surname) {
    TransferBook book;
    book.Sheet("Лист1", true).Text(0, 5, Collage).Row(4, {Surname, "Анна", "", "ж"});
    return book;
  }
};


// The import over scripted dialogs: each step answers the next modal dialog of its class; any other
// dialog, or one past the script, is noted and cancelled, so a wrong path fails instead of hanging.
class ImportTest : public TransferTest {
 protected:
  void SetUp() override {
    TransferTest::SetUp();
    if (IsSkipped()) return;
    Exec("insert into M_COLLAGE (NAME) values ('Академия госслужбы')");
    Exec("insert into M_KATEDU (M_KATEDUNAME) values ('Курсы')");
    Exec("insert into M_RAYON_DEP (PARENT_ID, M_VIDDEPID, SHORTNAME, LONGNAME) "
         "values (1, 1, 'Администрация района', 'Администрация района')");
    personKey = AddPerson("Тестов", "Тест", "Тестович", EncodeDate(1980, 5, 17), 1, "инженер");
    MainForm->ARefreshExecute(MainForm);  // the person dialog lists the main window's rows
    SetMessagePumpHook([this] { AnswerDialog(); });
  }
  void TearDown() override {
    SetMessagePumpHook(nullptr);
    TransferTest::TearDown();
  }

  int AddPerson(const char* Surname, const char* FirstName, const char* Patronymic, TDateTime BirthDate, int Sex,
                const char* Position) {
    return DataModule2->ADOConnection1->DbConnection()
        .InsertRow(u"O_PEOPLE", {u"FSTNAME", u"SECNAME", u"LASTNAME", u"BIRTHDATE", u"M_SEXID", u"DOLGNAME"},
                   {Variant(Utf8ToString(Surname)), Variant(Utf8ToString(FirstName)),
                    Variant(Utf8ToString(Patronymic)), VarFromDateTime(BirthDate), Variant(Sex),
                    Variant(Utf8ToString(Position))},
                   {u"O_PEOPLEID"})
        .at(0)
        .AsInteger();
  }

  // One staged row: surname, first name, patronymic, sex, birth date, position, place of work,
  // kind of training, programme, end date.
  void StageRows(const std::vector<std::vector<std::string>>& Rows) {
    TransferBook book;
    book.Sheet("Лист1", true).Text(0, 5, "Академия госслужбы");
    for (size_t i = 0; i < Rows.size(); ++i) book.Row(static_cast<int>(i) + 4, Rows[i]);
    Read(Save(book, ("stage" + std::to_string(++books) + ".xls").c_str()));
  }
  // The known person with the given kind of training, place of work and end date.
  std::vector<std::string> KnownPersonRow(const std::string& Kind, const std::string& Place = "Администрация района",
                                          const std::string& Finish = "01.02.2025") {
    return {"Тестов", "Тест", "Тестович", "мужской", "17.05.1980", "инженер", Place, Kind, "Программа", Finish};
  }
  void Import() {
    boxes.clear();
    shown.clear();
    Window()->AAddDataExecute(Window());
    EXPECT_TRUE(steps.empty()) << steps.size() << " dialogs not shown";
    steps.clear();
  }


 public:
  template <class T>
  void Then(std::function<void(T*)> Script) {
    steps.push_back([Script](TCustomForm* f) {
      auto* d = dynamic_cast<T*>(f);
      if (d) Script(d);
      return d != nullptr;
    });
  }
  // Closes the dialog with Result on its current page.
  template <class T>
  void ThenClose(TModalResult Result, int Page = -1) {
    Then<T>([Result, Page](T* d) {
      if (Page >= 0) d->PageControl1->SetActivePageIndex(Page);
      d->SetModalResult(Result);
    });
  }


 protected:
  void AnswerDialog() {
    clock->Advance(5);
    TCustomForm* f = Screen->ActiveForm();
    if (!f || !f->Visible() || f == TransferForm || f == MainForm || f->ModalResult() != mrNone) return;
    if (dynamic_cast<TMessageForm*>(f)) return;
    shown.push_back(Text(f->ClassName()));
    if (steps.empty() || !steps.front()(f)) {
      ADD_FAILURE() << "unexpected dialog " << shown.back();
      f->SetModalResult(mrCancel);
    } else {
      steps.pop_front();
    }
    PostMessage(f->Handle(), WM_NULL, 0, 0);
  }

  int personKey = 0;
  int books = 0;
  std::deque<std::function<bool(TCustomForm*)>> steps;
  std::vector<std::string> shown;
};
