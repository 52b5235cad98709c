// The import's read of a 10,000-row workbook: the reader alone (opening the file and every cell the
// import asks for, as displayed text), and the import window's read into the staging rows of the
// million-people database; then 10,000 staged rows of known people and known names matched and
// stored. The workbooks are written once by xlwt (the tests' writer) beside the database.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>

#include "app/TransferForm.h"
#include "bench/app/MainWindowBench.h"
#include "platform/office/Spreadsheet.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/NumberText.h"

namespace {

constexpr int kImportRows = 10000;
constexpr int kImportFirstRow = 4;  // the sheet's row of the first person, counted from 1

// A person and course a row, names and dates varied so that texts and dates are all read.
std::string ImportBookContent() {
  static const char* const kSurnames[] = {"Иванов", "Петрова", "Сидоров", "Кузнецова", "Смирнов"};
  static const char* const kNames[] = {"Пётр", "Анна", "Олег", "Мария", "Илья"};
  std::string cells = "[0, 5, \"Академия государственной службы\"]";
  for (int i = 0; i < kImportRows; ++i) {
    const std::string row = std::to_string(kImportFirstRow - 1 + i);
    const auto text = [&](int column, const std::string& value) {
      cells += ", [" + row + ", " + std::to_string(column) + ", \"" + value + "\"]";
    };
    text(0, std::string(kSurnames[i % 5]) + std::to_string(i));
    text(1, kNames[i % 5]);
    text(2, "Ильич");
    text(3, i % 2 ? "ж" : "м");
    cells += ", [" + row + ", 4, {\"date\": \"19" + std::to_string(50 + i % 50) + "-0" + std::to_string(1 + i % 9) +
             "-1" + std::to_string(i % 10) + "\", \"format\": \"DD.MM.YYYY\"}]";
    text(5, "инженер");
    text(6, "Администрация района");
    text(7, "курсы повышения квалификации");
    text(8, "Государственное управление");
    text(9, "01.02.2025");
  }
  return "{\"active\": 0, \"sheets\": [{\"name\": \"Лист1\", \"cells\": [" + cells + "]}]}";
}

// The path of the workbook Name, written from Content on first use.
String WrittenBook(const std::string& Name, const std::function<std::string()>& Content) {
  if (FILE* existing = std::fopen(Name.c_str(), "rb")) {
    std::fclose(existing);
  } else {
    const std::string content = Name + ".json";
    FILE* f = std::fopen(content.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + content);
    std::fputs(Content().c_str(), f);
    std::fclose(f);
    const std::string command =
        std::string("'") + TRENVIK_FIXTURE_PYTHON + "' '" + TRENVIK_BOOK_WRITER + "' '" + Name + "' '" + content + "'";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("cannot run " + command);
  }
  return IncludeTrailingPathDelimiter(GetCurrentDir()) + Utf8ToString(Name);
}

const String& ImportBook() {
  static const String path = WrittenBook("bench-import-" + std::to_string(kImportRows) + ".xls", ImportBookContent);
  return path;
}

// The end date of the known rows' courses, later than any the demo data holds, so that their
// records are new and can be taken out again.
constexpr const char* kKnownFinish = "01.02.2031";

// The first 10,000 people of the database as the index holds them, each with a course whose
// institution, kind and place of work are names of the reference lists.
std::string KnownBookContent() {
  TADOQuery q(nullptr);
  q.SetConnection(DataModule2->ADOConnection1);
  q.SQL()->SetText(u"select FSTNAME, SECNAME, LASTNAME, BIRTHDATE, DOLGNAME from O_PEOPLE where O_PEOPLEID <= " +
                   IntToStr(kImportRows) + u" order by O_PEOPLEID");
  q.Open();
  const auto quoted = [](const String& value) {
    std::string out = "\"";
    for (char c : StringToUtf8(value)) out += c == '"' || c == '\\' ? std::string("\\") + c : std::string(1, c);
    return out + "\"";
  };
  std::string cells = "[0, 5, \"Академия государственной службы\"]";
  for (int row = kImportFirstRow - 1; !q.Eof(); q.Next(), ++row) {
    const auto text = [&](int column, const String& value) {
      if (!value.empty()) cells += ", [" + std::to_string(row) + ", " + std::to_string(column) + ", " + quoted(value) + "]";
    };
    for (int column = 0; column < 3; ++column) text(column, q.Fields()->Fields(column)->AsString());
    text(3, u"мужской");
    TField* birth = q.Fields()->Fields(3);
    if (!birth->IsNull()) text(4, FormatDateTime(u"dd.mm.yyyy", birth->AsDateTime()));
    text(5, q.Fields()->Fields(4)->AsString());
    text(6, u"Правительство области");
    text(7, u"повышение квалификации");
    text(8, u"Государственное управление");
    text(9, Utf8ToString(kKnownFinish));
  }
  return "{\"active\": 0, \"sheets\": [{\"name\": \"Лист1\", \"cells\": [" + cells + "]}]}";
}

void BM_ReadingTheWorkbooksCellsAsText(benchmark::State& state) {
  const String& path = ImportBook();
  size_t characters = 0;
  for (auto _ : state) {
    XlsSpreadsheet excel;
    const std::unique_ptr<SpreadsheetWorkbook> book = excel.Open(path);
    characters = book->FirstSheetText(u"F1").size();
    for (int row = kImportFirstRow; row < kImportFirstRow + kImportRows + 1; ++row)
      for (char16_t column = u'A'; column <= u'J'; ++column)
        characters += book->ActiveSheetText(String(1, column) + IntToStr(row)).size();
    benchmark::DoNotOptimize(characters);
  }
  if (characters < size_t(kImportRows) * 100) state.SkipWithError("the rows were not read");
}

void BM_ImportReadIntoTheBuffer(benchmark::State& state) {
  Window();
  const String& path = ImportBook();
  TransferForm = NewForm<TTransferForm>(MainForm);
  for (auto _ : state) {
    TransferForm->ReadWorkbook(path);
    state.PauseTiming();
    if (DataModule2->BUFFER->RecordCount() != kImportRows) state.SkipWithError("not every row was staged");
    state.ResumeTiming();
  }
  state.counters["staged"] = DataModule2->BUFFER->RecordCount();
  delete TransferForm;
  TransferForm = nullptr;
}

// Every name known: no dialog opens. The time runs from "Импортировать" to the last row marked; the
// rows are read again, and the records stored taken out, between the runs.
void BM_ImportKnownRowsMatchedAndStored(benchmark::State& state) {
  Window();
  const String path = WrittenBook("bench-import-known-" + std::to_string(kImportRows) + ".xls", KnownBookContent);
  TransferForm = NewForm<TTransferForm>(MainForm);
  const auto takeOutStored = [] {
    DataModule2->ADOConnection1->Execute(u"delete from O_EDU where DATEFINISH = CONVERT(datetime, '" +
                                         Utf8ToString(kKnownFinish) + u"', 104)");
  };
  const auto stored = [] {
    TADOQuery q(nullptr);
    q.SetConnection(DataModule2->ADOConnection1);
    q.SQL()->SetText(u"select count(*) from BUFFER where NOTE = 'OK'");
    q.Open();
    return q.Fields()->Fields(0)->AsInteger();
  };
  int ok = 0;
  for (auto _ : state) {
    state.PauseTiming();
    takeOutStored();
    TransferForm->ReadWorkbook(path);
    DataModule2->BUFFER->First();
    state.ResumeTiming();
    TransferForm->AAddDataExecute(TransferForm);
    state.PauseTiming();
    ok = stored();
    if (ok != kImportRows) state.SkipWithError("not every row was stored");
    state.ResumeTiming();
  }
  state.counters["stored"] = ok;
  takeOutStored();
  delete TransferForm;
  TransferForm = nullptr;
}

}  // namespace

BENCHMARK(BM_ReadingTheWorkbooksCellsAsText)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ImportReadIntoTheBuffer)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ImportKnownRowsMatchedAndStored)->Unit(benchmark::kMillisecond)->Iterations(2);
