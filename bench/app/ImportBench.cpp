// The import's read of a 10,000-row workbook: the reader alone (opening the file and every cell the
// import asks for, as displayed text), and the import window's read into the staging rows of the
// million-people database. The workbook is written once by xlwt (the tests' writer) beside the
// database.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "app/TransferForm.h"
#include "bench/app/MainWindowBench.h"
#include "platform/office/Spreadsheet.h"
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

// The workbook's path, written on first use.
const String& ImportBook() {
  static const String path = [] {
    const std::string book = "bench-import-" + std::to_string(kImportRows) + ".xls";
    if (FILE* existing = std::fopen(book.c_str(), "rb")) {
      std::fclose(existing);
    } else {
      const std::string content = book + ".json";
      FILE* f = std::fopen(content.c_str(), "wb");
      if (!f) throw std::runtime_error("cannot write " + content);
      std::fputs(ImportBookContent().c_str(), f);
      std::fclose(f);
      const std::string command =
          std::string("'") + TRENVIK_FIXTURE_PYTHON + "' '" + TRENVIK_BOOK_WRITER + "' '" + book + "' '" + content + "'";
      if (std::system(command.c_str()) != 0) throw std::runtime_error("cannot run " + command);
    }
    return IncludeTrailingPathDelimiter(GetCurrentDir()) + Utf8ToString(book);
  }();
  return path;
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

}  // namespace

BENCHMARK(BM_ReadingTheWorkbooksCellsAsText)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ImportReadIntoTheBuffer)->Unit(benchmark::kMillisecond)->Iterations(3);
