// Lists of strings: the abstract TStrings that controls expose (memo lines, list box items) and the
// TStringList that holds its strings and their objects itself.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classes/Persistent.h"
#include "platform/rtl/Types.h"

class TStream;

// Text as stored in files and streams: 8-bit text in the locale's code page, or UTF-8 after a
// byte-order mark. Decoding reports whether the mark was there.
String DecodeFileText(std::string_view bytes, bool* utf8Bom = nullptr);
// 8-bit text in the locale's code page; UTF-8 with the mark when utf8Bom is set or when the code
// page cannot hold every character (so nothing turns into '?').
std::string EncodeFileText(const String& text, bool utf8Bom = false);

// The framework's list-of-strings base. A descendant provides Get, GetCount, Clear, Delete and
// Insert, and may override the rest (objects, updating, the whole text).
class TStrings : public TPersistent {
  TRENVIK_CLASS(TStrings, TPersistent);

 public:
  TStrings() = default;

  String Strings(int Index) const { return Get(Index); }
  void SetStrings(int Index, const String& S) { Put(Index, S); }
  TObject* Objects(int Index) const { return GetObject(Index); }
  void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }
  int Count() const { return GetCount(); }
  int Capacity() const { return GetCapacity(); }
  void SetCapacity(int NewCapacity) { DoSetCapacity(NewCapacity); }

  // Lines joined by CR LF, each line followed by one; setting splits at CR LF, LF or CR.
  String Text() const { return GetTextStr(); }
  void SetText(const String& Value) { SetTextStr(Value); }
  // Items separated by Delimiter; items holding blanks, the delimiter or the quote are quoted.
  String DelimitedText() const;
  void SetDelimitedText(const String& Value);
  // DelimitedText with ',' and '"'.
  String CommaText() const;
  void SetCommaText(const String& Value);
  Char Delimiter() const { return delimiter_; }
  void SetDelimiter(Char Value) { delimiter_ = Value; }
  Char QuoteChar() const { return quoteChar_; }
  void SetQuoteChar(Char Value) { quoteChar_ = Value; }

  // "Name=Value" items.
  String Names(int Index) const;
  String Values(const String& Name) const;
  // An empty value deletes the item; a new name is added at the end.
  void SetValues(const String& Name, const String& Value);
  // The part after the first '='; empty for an item without one.
  String ValueFromIndex(int Index) const;
  void SetValueFromIndex(int Index, const String& Value);

  virtual int Add(const String& S);
  virtual int AddObject(const String& S, TObject* AObject);
  void Append(const String& S) { Add(S); }
  virtual void AddStrings(TStrings* Strings);
  // From another TStrings (its strings, objects, delimiter and quote); other sources raise.
  void Assign(TPersistent* Source) override;
  // Brackets changes: SetUpdating(true) on the first BeginUpdate, SetUpdating(false) on the last
  // EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }
  virtual void Clear() = 0;
  virtual void Delete(int Index) = 0;
  virtual void Insert(int Index, const String& S) = 0;
  virtual void InsertObject(int Index, const String& S, TObject* AObject);
  virtual void Exchange(int Index1, int Index2);
  virtual void Move(int CurIndex, int NewIndex);
  // Same count and the same strings, case-sensitively.
  virtual bool Equals(TStrings* Strings) const;
  // -1 when absent; compared by CompareStrings (case-insensitive by default).
  virtual int IndexOf(const String& S) const;
  virtual int IndexOfName(const String& Name) const;
  virtual int IndexOfObject(TObject* AObject) const;

  virtual void LoadFromFile(const String& FileName);
  virtual void LoadFromStream(TStream* Stream);
  virtual void SaveToFile(const String& FileName);
  virtual void SaveToStream(TStream* Stream);

  virtual String GetTextStr() const;
  virtual void SetTextStr(const String& Value);

 protected:
  // The items as the stream's "Strings" list (form resources: a memo's Lines, a list's Items).
  void DefineProperties(TFiler* Filer) override;
  virtual String Get(int Index) const = 0;
  virtual int GetCount() const = 0;
  // Replaces the string and keeps the object.
  virtual void Put(int Index, const String& S);
  virtual TObject* GetObject(int Index) const;
  virtual void PutObject(int Index, TObject* AObject);
  virtual int GetCapacity() const { return GetCount(); }
  virtual void DoSetCapacity(int NewCapacity);
  virtual void SetUpdating(bool Updating);
  // AnsiCompareText; a list that knows about case overrides it.
  virtual int CompareStrings(const String& S1, const String& S2) const;
  // Raises EStringListError with the message, %d replaced by Data.
  [[noreturn]] void Error(const char* Message, int Data) const;

 private:
  int updateCount_ = 0;
  Char delimiter_ = u',';
  Char quoteChar_ = u'"';
};

class TStringList;

enum TDuplicates { dupIgnore, dupAccept, dupError };

// <0, 0, >0 for the items at Index1 and Index2 of List.
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

class TStringList : public TStrings {
  TRENVIK_CLASS(TStringList, TStrings);

 public:
  TStringList() = default;
  ~TStringList() override;

  int Add(const String& S) override;
  int AddObject(const String& S, TObject* AObject) override;
  void Clear() override;
  void Delete(int Index) override;
  void Exchange(int Index1, int Index2) override;
  void Insert(int Index, const String& S) override;
  void InsertObject(int Index, const String& S, TObject* AObject) override;
  void Move(int CurIndex, int NewIndex) override;
  int IndexOf(const String& S) const override;

  // Binary search of a sorted list: true when found; Index is the match (the first of equal ones)
  // or the position where S would go.
  virtual bool Find(const String& S, int& Index) const;
  virtual void Sort();
  // Sorts by Compare, keeping equal items in their order.
  virtual void CustomSort(const TStringListSortCompare& Compare);

  bool Sorted() const { return sorted_; }
  void SetSorted(bool Value);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates Value) { duplicates_ = Value; }
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool Value);

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  String Get(int Index) const override;
  int GetCount() const override { return static_cast<int>(items_.size()); }
  void Put(int Index, const String& S) override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  int GetCapacity() const override { return static_cast<int>(items_.capacity()); }
  void DoSetCapacity(int NewCapacity) override;
  void SetUpdating(bool Updating) override;
  int CompareStrings(const String& S1, const String& S2) const override;
  virtual void Changed();
  virtual void Changing();
  // Inserts without the sorted-list check.
  virtual void InsertItem(int Index, const String& S, TObject* AObject);

 private:
  struct TStringItem {
    String FString;
    TObject* FObject = nullptr;
  };
  void CheckIndex(int Index) const;
  void SortItems();

  std::vector<TStringItem> items_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  TDuplicates duplicates_ = dupIgnore;
};
