#include "platform/forms/Clipboard.h"

#include <cstring>
#include <memory>

#include "platform/forms/Graphic.h"
#include "platform/forms/Picture.h"

namespace {

std::unique_ptr<TClipboard>& TheClipboard() {
  static std::unique_ptr<TClipboard> clipboard;
  return clipboard;
}

// A bitmap's DIB bytes travel as CF_DIB: CF_BITMAP data on the clipboard is a bitmap handle.
Word StoredFormat(Word Format) { return Format == CF_BITMAP ? CF_DIB : Format; }

// Opens the clipboard for the length of one operation (nested inside an outer Open).
class TClipboardScope {
 public:
  explicit TClipboardScope(TClipboard& Clipboard) : clipboard_(Clipboard) { clipboard_.Open(); }
  ~TClipboardScope() { clipboard_.Close(); }
  TClipboardScope(const TClipboardScope&) = delete;
  TClipboardScope& operator=(const TClipboardScope&) = delete;

 private:
  TClipboard& clipboard_;
};

}  // namespace

TRENVIK_IMPLEMENT_CLASS(TClipboard)

TClipboard::~TClipboard() {
  if (openCount_ > 0) CloseClipboard();
}

void TClipboard::Open() {
  if (openCount_ == 0 && !OpenClipboard(nullptr)) throw EClipboardException("Cannot open clipboard");
  ++openCount_;
}

void TClipboard::Close() {
  if (openCount_ == 0) return;
  if (--openCount_ == 0) CloseClipboard();
}

void TClipboard::Clear() {
  TClipboardScope scope(*this);
  EmptyClipboard();
}

bool TClipboard::HasFormat(Word Format) const { return IsClipboardFormatAvailable(Format) != FALSE; }

int TClipboard::FormatCount() const { return CountClipboardFormats(); }

Word TClipboard::Formats(int Index) const {
  UINT format = 0;
  for (int i = 0; i <= Index; ++i) {
    format = EnumClipboardFormats(format);
    if (format == 0) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  }
  return static_cast<Word>(format);
}

String TClipboard::AsText() {
  TClipboardScope scope(*this);
  HANDLE mem = GetClipboardData(CF_UNICODETEXT);
  if (!mem) return String();
  const auto* p = static_cast<const Char*>(GlobalLock(mem));
  if (!p) return String();
  size_t max = GlobalSize(mem) / sizeof(Char);
  size_t n = 0;
  while (n < max && p[n]) ++n;
  String text(p, n);
  GlobalUnlock(mem);
  return text;
}

void TClipboard::SetAsText(const String& Value) {
  std::vector<Byte> bytes((Value.size() + 1) * sizeof(Char));
  std::memcpy(bytes.data(), Value.c_str(), bytes.size());
  SetBytes(CF_UNICODETEXT, bytes);
}

void TClipboard::SetTextBuf(const Char* Buffer) { SetAsText(Buffer ? String(Buffer) : String()); }

int TClipboard::GetTextBuf(Char* Buffer, int BufSize) {
  if (!Buffer || BufSize <= 0) return 0;
  String text = AsText();
  int count = std::min(static_cast<int>(text.size()), BufSize - 1);
  std::memcpy(Buffer, text.data(), static_cast<size_t>(count) * sizeof(Char));
  Buffer[count] = 0;
  return count;
}

HANDLE TClipboard::GetAsHandle(Word Format) {
  TClipboardScope scope(*this);
  return GetClipboardData(Format);
}

void TClipboard::SetAsHandle(Word Format, HANDLE Value) {
  TClipboardScope scope(*this);
  EmptyClipboard();
  SetClipboardData(Format, Value);
}

void TClipboard::SetBytes(Word Format, const std::vector<Byte>& Data) {
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, Data.size());
  if (!mem) throw EClipboardException("Out of memory while copying to the clipboard");
  if (!Data.empty()) {
    std::memcpy(GlobalLock(mem), Data.data(), Data.size());
    GlobalUnlock(mem);
  }
  SetAsHandle(StoredFormat(Format), mem);
}

std::vector<Byte> TClipboard::GetBytes(Word Format) {
  TClipboardScope scope(*this);
  HANDLE mem = GetClipboardData(Format);
  if (!mem) return {};
  const auto* p = static_cast<const Byte*>(GlobalLock(mem));
  std::vector<Byte> bytes(p, p + (p ? GlobalSize(mem) : 0));
  GlobalUnlock(mem);
  return bytes;
}

void TClipboard::Assign(TPersistent* Source) {
  TGraphic* graphic = nullptr;
  if (auto* picture = dynamic_cast<TPicture*>(Source))
    graphic = picture->Graphic();
  else
    graphic = dynamic_cast<TGraphic*>(Source);
  if (!graphic) {
    if (dynamic_cast<TPicture*>(Source)) {
      Clear();  // an empty picture empties the clipboard
      return;
    }
    TPersistent::Assign(Source);
    return;
  }
  Word format = 0;
  std::vector<Byte> data;
  graphic->SaveToClipboardFormat(format, data);
  SetBytes(format, data);
}

void TClipboard::AssignTo(TPersistent* Dest) {
  auto* picture = dynamic_cast<TPicture*>(Dest);
  if (!picture) {
    TPersistent::AssignTo(Dest);
    return;
  }
  AssignPictureFromClipboard(picture);
}

void TClipboard::AssignPictureFromClipboard(TPicture* Picture) {
  TClipboardScope scope(*this);
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    Word readable = format == CF_DIB ? static_cast<Word>(CF_BITMAP) : static_cast<Word>(format);
    if (!TPicture::SupportsClipboardFormat(readable)) continue;
    Picture->LoadFromClipboardFormat(readable, GetBytes(static_cast<Word>(format)));
    return;
  }
  throw EInvalidGraphic("Unsupported clipboard format");
}

TClipboard* Clipboard() {
  auto& clipboard = TheClipboard();
  if (!clipboard) clipboard = std::make_unique<TClipboard>();
  return clipboard.get();
}

TClipboard* SetClipboard(TClipboard* NewClipboard) {
  TheClipboard().reset(NewClipboard);
  return NewClipboard;
}
