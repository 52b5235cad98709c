// A workbook as an outlying office sends it, written by xlwt (an independent writer) at test time:
// F1 of the first sheet names the institution, people and courses from row 4 of the active sheet.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

class TransferBook {
 public:
  // A sheet; the last one added with Active set is the one the rows are read from.
  TransferBook& Sheet(const std::string& Name, bool Active = false) {
    sheets_.push_back({Name, {}});
    if (Active) active_ = sheets_.size() - 1;
    return *this;
  }
  // A text cell at a zero-based row and column of the last sheet.
  TransferBook& Text(int Row, int Column, const std::string& Value) { return Raw(Row, Column, Quote(Value)); }
  TransferBook& Number(int Row, int Column, double Value) { return Raw(Row, Column, std::to_string(Value)); }
  // A date cell shown by Format ("DD.MM.YYYY"); Iso is "YYYY-MM-DD".
  TransferBook& Date(int Row, int Column, const std::string& Iso, const std::string& Format) {
    return Raw(Row, Column, "{\"date\": " + Quote(Iso) + ", \"format\": " + Quote(Format) + "}");
  }
  // The ten cells A to J of a sheet row, counted from 1 as the sheet shows it; "" leaves a cell empty.
  TransferBook& Row(int SheetRow, const std::vector<std::string>& Cells) {
    for (size_t c = 0; c < Cells.size(); ++c)
      if (!Cells[c].empty()) Text(SheetRow - 1, static_cast<int>(c), Cells[c]);
    return *this;
  }

  void Save(const std::string& Path) const {
    std::string content = "{\"active\": " + std::to_string(active_) + ", \"sheets\": [";
    for (size_t s = 0; s < sheets_.size(); ++s) {
      content += (s ? ", " : "") + std::string("{\"name\": ") + Quote(sheets_[s].name) + ", \"cells\": [";
      for (size_t c = 0; c < sheets_[s].cells.size(); ++c) content += (c ? ", " : "") + sheets_[s].cells[c];
      content += "]}";
    }
    content += "]}";
    const std::string contentPath = Path + ".json";
    FILE* f = std::fopen(contentPath.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs(content.c_str(), f);
    std::fclose(f);
    const std::string command = std::string("'") + TRENVIK_FIXTURE_PYTHON + "' '" + TRENVIK_BOOK_WRITER + "' '" +
                                Path + "' '" + contentPath + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }

 private:
  struct TSheet {
    std::string name;
    std::vector<std::string> cells;
  };
  TransferBook& Raw(int Row, int Column, const std::string& Json) {
    if (sheets_.empty()) Sheet("Лист1", true);
    sheets_.back().cells.push_back("[" + std::to_string(Row) + ", " + std::to_string(Column) + ", " + Json + "]");
    return *this;
  }
  static std::string Quote(const std::string& s) {
    std::string q = "\"";
    for (char c : s) {
      if (static_cast<unsigned char>(c) < 0x20) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
        q += escaped;
        continue;
      }
      if (c == '"' || c == '\\') q += '\\';
      q += c;
    }
    return q + "\"";
  }
  std::vector<TSheet> sheets_;
  size_t active_ = 0;
};
