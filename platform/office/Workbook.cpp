#include "platform/office/Workbook.h"

#include <cstring>
#include <optional>

#include "platform/office/BiffStream.h"
#include "platform/office/ByteReader.h"
#include "platform/office/CompoundFile.h"
#include "platform/office/WorkbookError.h"

namespace {

constexpr std::size_t kMaxCells = 2'000'000;
constexpr std::size_t kMaxSheets = 4096;

enum : std::uint16_t {
  kBof2 = 0x0009, kBof3 = 0x0209, kBof4 = 0x0409, kBof = 0x0809, kEof = 0x000A,
  kFilePass = 0x002F, kCodePage = 0x0042, kDateMode = 0x0022, kWindow1 = 0x003D,
  kBoundSheet = 0x0085, kSst = 0x00FC, kXf2 = 0x0043, kXf3 = 0x0243, kXf4 = 0x0443, kXf = 0x00E0,
  kFormat2 = 0x001E, kFormat = 0x041E, kIxfe = 0x0044,
  kInteger2 = 0x0002, kNumber2 = 0x0003, kLabel2 = 0x0004, kBoolErr2 = 0x0005, kFormula2 = 0x0006,
  kString2 = 0x0007, kNumber = 0x0203, kLabel = 0x0204, kBoolErr = 0x0205, kFormula3 = 0x0206,
  kString = 0x0207, kFormula4 = 0x0406, kRk = 0x027E, kMulRk = 0x00BD, kLabelSst = 0x00FD, kRString = 0x00D6,
};

bool IsBof(std::uint16_t type) { return type == kBof2 || type == kBof3 || type == kBof4 || type == kBof; }

double RkValue(std::uint32_t rk) {
  double value;
  if (rk & 0x02) {
    value = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
  } else {
    const std::uint64_t bits = std::uint64_t{rk & 0xFFFFFFFCu} << 32;
    std::memcpy(&value, &bits, sizeof value);
  }
  return rk & 0x01 ? value / 100 : value;
}

// Reads one substream (the globals, or one sheet) into the workbook.
class SubstreamReader {
 public:
  SubstreamReader(Workbook& book, BiffVersion version, Word& codePage, std::vector<String>& sst)
      : book_(book), version_(version), codePage_(codePage), sst_(sst) {}

  // Sheet offsets named by the globals, in sheet order.
  std::vector<std::uint32_t> sheetOffsets;

  void Read(std::span<const std::uint8_t> stream, std::size_t offset, WorkbookSheet* sheet) {
    sheet_ = sheet;
    BiffRecordCursor cursor(stream, offset);
    BiffRecord record;
    bool started = false;
    while (cursor.Next(record)) {
      CountRecord(stream);
      if (IsBof(record.type)) {
        if (started) SkipSubstream(cursor, stream);  // an embedded chart or the like
        started = true;
        continue;
      }
      if (record.type == kEof) return;
      BiffDataReader data(record, version_, codePage_);
      Handle(record.type, data);
    }
  }

 private:
  // Sheets may all point at the same bytes; a hostile file must not make the reading quadratic.
  void CountRecord(std::span<const std::uint8_t> stream) {
    if (++recordCount_ > stream.size() / 2 + 64) throw EWorkbookError("the workbook is damaged: its sheets overlap");
  }

  void SkipSubstream(BiffRecordCursor& cursor, std::span<const std::uint8_t> stream) {
    BiffRecord inner;
    for (int depth = 1; depth > 0 && cursor.Next(inner);) {
      CountRecord(stream);
      if (IsBof(inner.type)) ++depth;
      if (inner.type == kEof) --depth;
    }
  }

  bool Biff2() const { return version_ == BiffVersion::Biff2; }

  void Handle(std::uint16_t type, BiffDataReader& data) {
    switch (type) {
      case kFilePass: throw EWorkbookError("the workbook is encrypted (protected by a password)");
      case kCodePage: codePage_ = data.U16(); break;
      case kDateMode: book_.dates1904 = data.U16() == 1; break;
      case kWindow1:
        if (version_ >= BiffVersion::Biff5) {
          data.Skip(10);
          book_.activeSheet = data.U16();
        }
        break;
      case kBoundSheet: ReadBoundSheet(data); break;
      case kSst: ReadSst(data); break;
      case kXf: data.Skip(2); book_.xfFormats.push_back(data.U16()); break;
      case kXf4:
      case kXf3: data.Skip(1); book_.xfFormats.push_back(data.U8()); break;
      case kXf2: data.Skip(2); book_.xfFormats.push_back(data.U8() & 0x3F); break;
      case kFormat2: book_.formats[NextFormatIndex()] = data.String8(); break;
      case kFormat: ReadFormat(data); break;
      case kIxfe: biff2Xf_ = data.U16(); break;
      default: HandleCell(type, data); break;
    }
  }

  std::uint16_t NextFormatIndex() const { return static_cast<std::uint16_t>(book_.formats.size()); }

  void ReadFormat(BiffDataReader& data) {
    const std::uint16_t index = data.U16();
    if (version_ == BiffVersion::Biff4) {
      book_.formats[NextFormatIndex()] = data.String8();
    } else {
      book_.formats[index] = data.String16();
    }
  }

  void ReadBoundSheet(BiffDataReader& data) {
    if (book_.sheets.size() >= kMaxSheets) throw EWorkbookError("the workbook is damaged: too many sheets");
    sheetOffsets.push_back(data.U32());
    data.Skip(2);
    WorkbookSheet sheet;
    sheet.name = data.String8();
    book_.sheets.push_back(std::move(sheet));
  }

  void ReadSst(BiffDataReader& data) {
    data.Skip(4);
    const std::uint32_t unique = data.U32();
    // The count is the writer's word; the strings present bound it.
    for (std::uint32_t i = 0; i < unique && data.Left() > 0; ++i) sst_.push_back(data.String16());
  }

  // The cell's address and style; BIFF2 stores the style inside three attribute bytes.
  struct Place {
    std::uint16_t row, column, xf;
  };
  Place ReadPlace(BiffDataReader& data) {
    Place p{data.U16(), data.U16(), 0};
    if (Biff2()) {
      const std::uint8_t attr = data.U8();
      data.Skip(2);
      p.xf = (attr & 0x3F) == 63 ? biff2Xf_ : attr & 0x3F;
    } else {
      p.xf = data.U16();
    }
    return p;
  }

  void Put(const Place& p, WorkbookCell cell) {
    pendingFormulaString_ = nullptr;
    if (!sheet_ || p.column > 255) return;
    if (++cellCount_ > kMaxCells) throw EWorkbookError("the workbook is too large: too many cells");
    cell.xf = p.xf;
    sheet_->cells[WorkbookSheet::CellKey(p.row, p.column)] = std::move(cell);
  }

  static WorkbookCell Number(double value) { return {WorkbookCell::Kind::Number, {}, value, 0}; }
  static WorkbookCell Text(String text) { return {WorkbookCell::Kind::Text, std::move(text), 0, 0}; }
  static WorkbookCell BoolErr(std::uint8_t value, bool isError) {
    return {isError ? WorkbookCell::Kind::Error : WorkbookCell::Kind::Boolean, {}, static_cast<double>(value), 0};
  }

  void HandleCell(std::uint16_t type, BiffDataReader& data) {
    switch (type) {
      case kInteger2: { auto p = ReadPlace(data); Put(p, Number(data.U16())); break; }
      case kNumber2:
      case kNumber: { auto p = ReadPlace(data); Put(p, Number(data.F64())); break; }
      case kRk: { auto p = ReadPlace(data); Put(p, Number(RkValue(data.U32()))); break; }
      case kLabel2:
      case kLabel:
      case kRString: {
        auto p = ReadPlace(data);
        Put(p, Text(type == kLabel2 ? data.String8() : data.String16()));
        break;
      }
      case kLabelSst: {
        auto p = ReadPlace(data);
        const std::uint32_t index = data.U32();
        if (index >= sst_.size()) throw EWorkbookError("the workbook is damaged: a cell names a missing shared string");
        Put(p, Text(sst_[index]));
        break;
      }
      case kBoolErr2:
      case kBoolErr: {
        auto p = ReadPlace(data);
        const std::uint8_t value = data.U8();
        Put(p, BoolErr(value, data.U8() != 0));
        break;
      }
      case kMulRk: ReadMulRk(data); break;
      case kFormula2:
      case kFormula3:
      case kFormula4: ReadFormula(data); break;
      case kString2:
      case kString:
        if (pendingFormulaString_) pendingFormulaString_->text = type == kString2 ? data.String8() : data.String16();
        pendingFormulaString_ = nullptr;
        break;
      default: break;
    }
  }

  void ReadMulRk(BiffDataReader& data) {
    const std::uint16_t row = data.U16();
    std::uint16_t column = data.U16();
    while (data.Left() >= 8) {
      const std::uint16_t xf = data.U16();
      Put({row, column++, xf}, Number(RkValue(data.U32())));
    }
  }

  // The result the writer cached; a string result follows in a STRING record.
  void ReadFormula(BiffDataReader& data) {
    auto p = ReadPlace(data);
    std::uint8_t result[8];
    for (auto& b : result) b = data.U8();
    if (result[6] != 0xFF || result[7] != 0xFF) {
      double value;
      std::memcpy(&value, result, sizeof value);
      Put(p, Number(value));
      return;
    }
    switch (result[0]) {
      case 0:
        Put(p, Text({}));
        if (sheet_ && p.column <= 255) pendingFormulaString_ = &sheet_->cells[WorkbookSheet::CellKey(p.row, p.column)];
        break;
      case 1: Put(p, BoolErr(result[2], false)); break;
      case 2: Put(p, BoolErr(result[2], true)); break;
      default: Put(p, Text({})); break;
    }
  }

  Workbook& book_;
  BiffVersion version_;
  Word& codePage_;
  std::vector<String>& sst_;
  WorkbookSheet* sheet_ = nullptr;
  WorkbookCell* pendingFormulaString_ = nullptr;
  std::uint16_t biff2Xf_ = 0;
  std::size_t cellCount_ = 0;
  std::size_t recordCount_ = 0;
};

std::optional<BiffVersion> VersionOf(std::span<const std::uint8_t> stream) {
  if (stream.size() < 8) return std::nullopt;
  ByteReader head(stream);
  const std::uint16_t type = head.U16();
  head.Skip(2);
  const std::uint16_t version = head.U16();
  switch (type) {
    case kBof2: return BiffVersion::Biff2;
    case kBof3: return BiffVersion::Biff3;
    case kBof4: return BiffVersion::Biff4;
    case kBof: return version == 0x0600 ? BiffVersion::Biff8 : BiffVersion::Biff5;
    default: return std::nullopt;
  }
}

Workbook ReadStream(std::span<const std::uint8_t> stream) {
  const auto version = VersionOf(stream);
  if (!version) throw EWorkbookError("the workbook stream does not start with a BOF record");
  Workbook book;
  Word codePage = 1252;
  std::vector<String> sst;
  SubstreamReader reader(book, *version, codePage, sst);
  if (*version < BiffVersion::Biff5) {
    book.builtInFormatIndexes = false;
    book.sheets.push_back(WorkbookSheet{u"Sheet1", {}});
    reader.Read(stream, 0, &book.sheets.front());
    return book;
  }
  reader.Read(stream, 0, nullptr);
  for (std::size_t i = 0; i < book.sheets.size(); ++i) reader.Read(stream, reader.sheetOffsets[i], &book.sheets[i]);
  if (book.sheets.empty()) throw EWorkbookError("the workbook has no sheets");
  if (book.activeSheet >= book.sheets.size()) book.activeSheet = 0;
  return book;
}

bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view magic) {
  return bytes.size() >= magic.size() && std::memcmp(bytes.data(), magic.data(), magic.size()) == 0;
}

}  // namespace

const WorkbookCell* WorkbookSheet::Cell(std::uint32_t row, std::uint32_t column) const {
  if (column > 255) return nullptr;
  auto it = cells.find(CellKey(row, column));
  return it == cells.end() ? nullptr : &it->second;
}

Workbook ReadWorkbook(std::span<const std::uint8_t> fileBytes) {
  if (StartsWith(fileBytes, "PK\x03\x04")) throw EWorkbookError("it is a zip package (an .xlsx or .ods document), not an .xls workbook");
  if (!IsCompoundFile(fileBytes)) {
    if (VersionOf(fileBytes)) return ReadStream(fileBytes);
    throw EWorkbookError("it is not an .xls workbook");
  }
  CompoundFile container(fileBytes);
  if (auto stream = container.Stream(u"Workbook")) return ReadStream(*stream);
  if (auto stream = container.Stream(u"Book")) return ReadStream(*stream);
  if (container.Stream(u"EncryptedPackage")) throw EWorkbookError("it is an encrypted document, not an .xls workbook");
  throw EWorkbookError("it is a compound document without a workbook stream");
}
