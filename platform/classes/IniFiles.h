// INI files: "[Section]" headers and "Key=Value" lines. Section and key names are compared without
// regard to case; the order of sections and keys, comments and unknown lines survive a rewrite.
// Files are 8-bit text in the locale's code page with CR LF lines, or UTF-8 after a byte-order mark
// (kept when the file had one). Every save is atomic: a failure leaves the old file intact.
#pragma once

#include <memory>

#include "platform/rtl/Object.h"
#include "platform/rtl/Types.h"

class TStrings;
class TIniData;

class TCustomIniFile : public TObject {
  TRENVIK_CLASS(TCustomIniFile, TObject);

 public:
  // A name without a folder resolves against the current folder.
  explicit TCustomIniFile(const String& FileName);
  ~TCustomIniFile() override;

  const String& FileName() const { return fileName_; }

  String ReadString(const String& Section, const String& Ident, const String& Default);
  // Names and values are stored trimmed. Line breaks, and keys holding '=' or starting with '[' or
  // ';', cannot be stored without changing other entries: they raise EIniFileException.
  void WriteString(const String& Section, const String& Ident, const String& Value);
  // Decimal, or hex after "$" or "0x"; anything else reads the default.
  Integer ReadInteger(const String& Section, const String& Ident, Integer Default);
  void WriteInteger(const String& Section, const String& Ident, Integer Value);
  // Written as 1 or 0; any non-zero integer reads true.
  bool ReadBool(const String& Section, const String& Ident, bool Default);
  void WriteBool(const String& Section, const String& Ident, bool Value);
  // In the locale's format (its decimal separator); an unreadable value reads the default.
  double ReadFloat(const String& Section, const String& Ident, double Default);
  void WriteFloat(const String& Section, const String& Ident, double Value);
  TDateTime ReadDate(const String& Section, const String& Ident, TDateTime Default);
  TDateTime ReadDateTime(const String& Section, const String& Ident, TDateTime Default);
  TDateTime ReadTime(const String& Section, const String& Ident, TDateTime Default);
  void WriteDate(const String& Section, const String& Ident, TDateTime Value);
  void WriteDateTime(const String& Section, const String& Ident, TDateTime Value);
  void WriteTime(const String& Section, const String& Ident, TDateTime Value);

  // True when the file has the section's header (even with no keys under it).
  bool SectionExists(const String& Section);
  bool ValueExists(const String& Section, const String& Ident);
  // The key names of the section, in file order; the list is cleared first.
  void ReadSection(const String& Section, TStrings* Strings);
  // The section names, in file order.
  void ReadSections(TStrings* Strings);
  // "Key=Value" lines of the section.
  void ReadSectionValues(const String& Section, TStrings* Strings);
  // Removes the section with its keys and the other lines under it.
  void EraseSection(const String& Section);
  void DeleteKey(const String& Section, const String& Ident);
  // Writes the content to the file (TMemIniFile); nothing to do for a file written through.
  virtual void UpdateFile() = 0;

 protected:
  // Called before every read, and around every change.
  virtual void BeforeAccess() {}
  virtual void AfterChange() = 0;
  // The full path of the file.
  const String& Path() const { return path_; }
  TIniData& Data() { return *data_; }
  // Loads the file; a missing file reads as empty.
  void LoadFromDisk();
  // Saves atomically; false with the reason when the file could not be replaced.
  bool SaveToDisk(String& reason);

 private:
  String fileName_;
  String path_;
  std::unique_ptr<TIniData> data_;
};

// Writes through: every change replaces the file at once (raising EIniFileException
// "Unable to write to <file>. <reason>" when it cannot, with the file and the object unchanged).
// Reads see changes others made to the file since the last access.
class TIniFile : public TCustomIniFile {
  TRENVIK_CLASS(TIniFile, TCustomIniFile);

 public:
  explicit TIniFile(const String& FileName);
  void UpdateFile() override {}

 protected:
  void BeforeAccess() override;
  void AfterChange() override;

 private:
  struct FileIdentity {
    bool exists = false;
    UInt64 device = 0, inode = 0, size = 0;
    Int64 modified = 0;
    bool operator==(const FileIdentity&) const = default;
  };
  FileIdentity CurrentIdentity() const;
  void Reload();

  FileIdentity loaded_;
  bool stale_ = false;
};

// Holds the file in memory: changes reach the disk on UpdateFile only (EFCreateError when the file
// cannot be replaced; the changes stay in memory).
class TMemIniFile : public TCustomIniFile {
  TRENVIK_CLASS(TMemIniFile, TCustomIniFile);

 public:
  explicit TMemIniFile(const String& FileName);
  void UpdateFile() override;

 protected:
  void AfterChange() override {}
};
