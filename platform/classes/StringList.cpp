#include "platform/classes/StringList.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <typeinfo>
#include <utility>

#include "platform/classes/Filer.h"
#include "platform/classes/Updating.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/String.h"

TRENVIK_IMPLEMENT_CLASS(TStrings)
TRENVIK_IMPLEMENT_CLASS(TStringList)

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

const char* const kListIndexError = "List index out of bounds (%d)";
const char* const kSortedListError = "Operation not allowed on sorted list";
const char* const kDuplicateString = "String list does not allow duplicates";
const char* const kListCapacityError = "List capacity out of bounds (%d)";

bool NeedsQuotes(const String& s, Char delimiter, Char quote) {
  for (Char c : s)
    if (c <= u' ' || c == delimiter || c == quote) return true;
  return false;
}

bool IsBlank(Char c) { return c >= 1 && c <= u' '; }

}  // namespace

String DecodeFileText(std::string_view bytes, bool* utf8Bom) {
  const bool bom = bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom;
  if (utf8Bom) *utf8Bom = bom;
  if (bom) return Utf8ToString(bytes.substr(kUtf8Bom.size()));
  return AnsiToString(AnsiString(bytes));
}

std::string EncodeFileText(const String& text, bool utf8Bom) {
  if (utf8Bom || !IsAnsiRepresentable(text)) return std::string(kUtf8Bom) + StringToUtf8(text);
  return StringToAnsi(text);
}

// TStrings

void TStrings::Error(const char* Message, int Data) const {
  char text[160];
  std::snprintf(text, sizeof text, Message, Data);
  throw EStringListError(text);
}

String TStrings::DelimitedText() const {
  const int count = GetCount();
  if (count == 1 && Get(0).empty()) return String(2, quoteChar_);
  String result;
  for (int i = 0; i < count; ++i) {
    if (i > 0) result += delimiter_;
    const String s = Get(i);
    result += NeedsQuotes(s, delimiter_, quoteChar_) ? AnsiQuotedStr(s, quoteChar_) : s;
  }
  return result;
}

void TStrings::SetDelimitedText(const String& Value) {
  WithUpdate(*this, [&] {
    Clear();
    const size_t n = Value.size();
    size_t p = 0;
    while (p < n && IsBlank(Value[p])) ++p;
    while (p < n && Value[p] != 0) {
      String item;
      if (Value[p] == quoteChar_) {
        // A quoted item; a doubled quote stands for one.
        ++p;
        while (p < n) {
          if (Value[p] == quoteChar_) {
            if (p + 1 < n && Value[p + 1] == quoteChar_) {
              item += quoteChar_;
              p += 2;
              continue;
            }
            ++p;
            break;
          }
          item += Value[p++];
        }
      } else {
        while (p < n && Value[p] > u' ' && Value[p] != delimiter_) item += Value[p++];
      }
      Add(item);
      while (p < n && IsBlank(Value[p])) ++p;
      if (p < n && Value[p] == delimiter_) {
        if (p + 1 == n) Add(String());
        do {
          ++p;
        } while (p < n && IsBlank(Value[p]));
      }
    }
  });
}

String TStrings::CommaText() const {
  if (delimiter_ == u',' && quoteChar_ == u'"') return DelimitedText();
  TStringList copy;
  copy.AddStrings(const_cast<TStrings*>(this));
  return copy.DelimitedText();
}

void TStrings::SetCommaText(const String& Value) {
  const Char delimiter = delimiter_, quote = quoteChar_;
  delimiter_ = u',';
  quoteChar_ = u'"';
  try {
    SetDelimitedText(Value);
  } catch (...) {
    delimiter_ = delimiter;
    quoteChar_ = quote;
    throw;
  }
  delimiter_ = delimiter;
  quoteChar_ = quote;
}

String TStrings::Names(int Index) const {
  const String s = Get(Index);
  const size_t eq = s.find(u'=');
  return eq == String::npos ? String() : s.substr(0, eq);
}

String TStrings::Values(const String& Name) const {
  const int i = IndexOfName(Name);
  return i >= 0 ? ValueFromIndex(i) : String();
}

void TStrings::SetValues(const String& Name, const String& Value) {
  int i = IndexOfName(Name);
  if (!Value.empty()) {
    if (i < 0) i = Add(String());
    Put(i, Name + u'=' + Value);
  } else if (i >= 0) {
    Delete(i);
  }
}

String TStrings::ValueFromIndex(int Index) const {
  const String s = Get(Index);
  const size_t eq = s.find(u'=');
  return eq == String::npos ? String() : s.substr(eq + 1);
}

void TStrings::SetValueFromIndex(int Index, const String& Value) {
  if (!Value.empty()) {
    if (Index < 0) Index = Add(String());
    Put(Index, Names(Index) + u'=' + Value);
  } else if (Index >= 0) {
    Delete(Index);
  }
}

int TStrings::Add(const String& S) {
  const int index = GetCount();
  Insert(index, S);
  return index;
}

int TStrings::AddObject(const String& S, TObject* AObject) {
  const int index = Add(S);
  PutObject(index, AObject);
  return index;
}

void TStrings::AddStrings(TStrings* Strings) {
  WithUpdate(*this, [&] {
    const int count = Strings->Count();
    DoSetCapacity(GetCount() + count);
    for (int i = 0; i < count; ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
  });
}

void TStrings::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TStrings*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  if (source == this) return;
  WithUpdate(*this, [&] {
    Clear();
    delimiter_ = source->delimiter_;
    quoteChar_ = source->quoteChar_;
    AddStrings(source);
  });
}

void TStrings::BeginUpdate() {
  if (updateCount_ == 0) SetUpdating(true);
  ++updateCount_;
}

void TStrings::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0) SetUpdating(false);
}

void TStrings::InsertObject(int Index, const String& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TStrings::Exchange(int Index1, int Index2) {
  WithUpdate(*this, [&] {
    const String s = Get(Index1);
    TObject* o = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, s);
    PutObject(Index2, o);
  });
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  WithUpdate(*this, [&] {
    const String s = Get(CurIndex);
    TObject* o = GetObject(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, s, o);
  });
}

bool TStrings::Equals(TStrings* Strings) const {
  const int count = GetCount();
  if (!Strings || count != Strings->GetCount()) return false;
  for (int i = 0; i < count; ++i)
    if (Get(i) != Strings->Get(i)) return false;
  return true;
}

int TStrings::IndexOf(const String& S) const {
  const int count = GetCount();
  for (int i = 0; i < count; ++i)
    if (CompareStrings(Get(i), S) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(const String& Name) const {
  const int count = GetCount();
  for (int i = 0; i < count; ++i) {
    const String s = Get(i);
    const size_t eq = s.find(u'=');
    if (eq != String::npos && CompareStrings(s.substr(0, eq), Name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const {
  const int count = GetCount();
  for (int i = 0; i < count; ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

void TStrings::LoadFromFile(const String& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TStrings::LoadFromStream(TStream* Stream) {
  WithUpdate(*this, [&] {
    const Int64 size = Stream->Size() - Stream->Position();
    std::string bytes(static_cast<size_t>(std::max<Int64>(size, 0)), '\0');
    if (!bytes.empty()) Stream->ReadBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
    SetTextStr(DecodeFileText(bytes));
  });
}

void TStrings::SaveToFile(const String& FileName) {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

void TStrings::SaveToStream(TStream* Stream) {
  const std::string bytes = EncodeFileText(GetTextStr());
  if (!bytes.empty()) Stream->WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}

String TStrings::GetTextStr() const {
  const int count = GetCount();
  String result;
  for (int i = 0; i < count; ++i) {
    result += Get(i);
    result += u"\r\n";
  }
  return result;
}

void TStrings::SetTextStr(const String& Value) {
  WithUpdate(*this, [&] {
    Clear();
    const size_t n = Value.size();
    size_t p = 0;
    while (p < n) {
      const size_t start = p;
      while (p < n && Value[p] != u'\r' && Value[p] != u'\n') ++p;
      Add(Value.substr(start, p - start));
      if (p < n && Value[p] == u'\r') ++p;
      if (p < n && Value[p] == u'\n') ++p;
    }
  });
}

void TStrings::Put(int Index, const String& S) {
  TObject* o = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, o);
}

void TStrings::DefineProperties(TFiler* Filer) {
  Filer->DefineProperty(
      u"Strings",
      [this](TReader* reader) {
        reader->ReadListBegin();
        WithUpdate(*this, [&] {
          Clear();
          while (!reader->EndOfList()) Add(reader->ReadString());
        });
        reader->ReadListEnd();
      },
      [this](TWriter* writer) {
        writer->WriteListBegin();
        const int count = GetCount();
        for (int i = 0; i < count; ++i) writer->WriteString(Get(i));
        writer->WriteListEnd();
      },
      GetCount() > 0);
}

TObject* TStrings::GetObject(int) const { return nullptr; }

void TStrings::PutObject(int, TObject*) {}

void TStrings::DoSetCapacity(int) {}

void TStrings::SetUpdating(bool) {}

int TStrings::CompareStrings(const String& S1, const String& S2) const { return AnsiCompareText(S1, S2); }

// TStringList

TStringList::~TStringList() = default;

void TStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= GetCount()) Error(kListIndexError, Index);
}

int TStringList::Add(const String& S) { return AddObject(S, nullptr); }

int TStringList::AddObject(const String& S, TObject* AObject) {
  int index = GetCount();
  if (sorted_ && Find(S, index)) {
    switch (duplicates_) {
      case dupIgnore:
        return index;
      case dupError:
        Error(kDuplicateString, 0);
      case dupAccept:
        break;
    }
  }
  InsertItem(index, S, AObject);
  return index;
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  items_.clear();
  items_.shrink_to_fit();
  Changed();
}

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  Changing();
  items_.erase(items_.begin() + Index);
  Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  std::swap(items_[Index1], items_[Index2]);
  Changed();
}

void TStringList::Insert(int Index, const String& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(int Index, const String& S, TObject* AObject) {
  if (sorted_) Error(kSortedListError, 0);
  if (Index < 0 || Index > GetCount()) Error(kListIndexError, Index);
  InsertItem(Index, S, AObject);
}

void TStringList::Move(int CurIndex, int NewIndex) {
  // Checked before anything moves: the base class would delete the item and then fail to insert it.
  if (CurIndex == NewIndex) return;
  if (sorted_) Error(kSortedListError, 0);
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  Changing();
  TStringItem item = std::move(items_[CurIndex]);
  items_.erase(items_.begin() + CurIndex);
  items_.insert(items_.begin() + NewIndex, std::move(item));
  Changed();
}

void TStringList::InsertItem(int Index, const String& S, TObject* AObject) {
  Changing();
  items_.insert(items_.begin() + Index, TStringItem{S, AObject});
  Changed();
}

int TStringList::IndexOf(const String& S) const {
  if (!sorted_) {
    for (size_t i = 0; i < items_.size(); ++i)
      if (CompareStrings(items_[i].FString, S) == 0) return static_cast<int>(i);
    return -1;
  }
  int index = 0;
  return Find(S, index) ? index : -1;
}

bool TStringList::Find(const String& S, int& Index) const {
  int lo = 0, hi = GetCount() - 1;
  bool found = false;
  while (lo <= hi) {
    const int mid = lo + (hi - lo) / 2;
    const int c = CompareStrings(items_[mid].FString, S);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) found = true;
    }
  }
  Index = lo;
  return found;
}

void TStringList::SortItems() {
  if (typeid(*this) != typeid(TStringList)) {
    // A descendant may compare its own way.
    std::stable_sort(items_.begin(), items_.end(), [this](const TStringItem& a, const TStringItem& b) {
      return CompareStrings(a.FString, b.FString) < 0;
    });
    return;
  }
  // Collation keys, made once per item, order as the pairwise comparison does, many times faster.
  std::vector<std::pair<std::string, int>> keys(items_.size());
  for (size_t i = 0; i < items_.size(); ++i)
    keys[i] = {CollationSortKey(items_[i].FString, !caseSensitive_), static_cast<int>(i)};
  std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<TStringItem> sorted;
  sorted.reserve(items_.size());
  for (const auto& key : keys) sorted.push_back(std::move(items_[key.second]));
  items_ = std::move(sorted);
}

void TStringList::Sort() {
  if (items_.size() < 2) return;
  Changing();
  SortItems();
  Changed();
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
  if (items_.size() < 2) return;
  Changing();
  // The comparison reads the list by index, so the items stay put until the order is known.
  std::vector<int> order(items_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Compare(this, a, b) < 0; });
  std::vector<TStringItem> sorted;
  sorted.reserve(items_.size());
  for (int i : order) sorted.push_back(std::move(items_[i]));
  items_ = std::move(sorted);
  Changed();
}

void TStringList::SetSorted(bool Value) {
  if (sorted_ == Value) return;
  if (Value) Sort();
  sorted_ = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (caseSensitive_ == Value) return;
  caseSensitive_ = Value;
  // The order changes with the comparison; a sorted list must stay searchable.
  if (sorted_) Sort();
}

String TStringList::Get(int Index) const {
  CheckIndex(Index);
  return items_[Index].FString;
}

void TStringList::Put(int Index, const String& S) {
  if (sorted_) Error(kSortedListError, 0);
  CheckIndex(Index);
  Changing();
  items_[Index].FString = S;
  Changed();
}

TObject* TStringList::GetObject(int Index) const {
  CheckIndex(Index);
  return items_[Index].FObject;
}

void TStringList::PutObject(int Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  items_[Index].FObject = AObject;
  Changed();
}

void TStringList::DoSetCapacity(int NewCapacity) {
  if (NewCapacity < GetCount()) Error(kListCapacityError, NewCapacity);
  items_.reserve(static_cast<size_t>(NewCapacity));
}

void TStringList::SetUpdating(bool Updating) {
  if (Updating)
    Changing();
  else
    Changed();
}

int TStringList::CompareStrings(const String& S1, const String& S2) const {
  return caseSensitive_ ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}
