#include "platform/classes/IniFiles.h"

#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/classes/AtomicFile.h"
#include "platform/classes/StringList.h"
#include "platform/classes/Updating.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/String.h"

TRENVIK_IMPLEMENT_CLASS(TCustomIniFile)
TRENVIK_IMPLEMENT_CLASS(TIniFile)
TRENVIK_IMPLEMENT_CLASS(TMemIniFile)

// The file as lines. Lines read from the file are written back as they were unless changed, so
// comments, blank lines, spacing and lines the format does not know survive.
class TIniData {
 public:
  struct Line {
    String text;  // as in the file, or as built for a changed value
    bool isKey = false;
    String key;     // trimmed
    String folded;  // key in upper case, for lookups
    String value;   // trimmed
  };
  struct Section {
    String header;  // the header line as in the file
    String name;
    String folded;
    std::vector<Line> lines;
    bool repeated = false;  // another section of the file has the same name
  };

  void Parse(const String& text);
  String Compose() const;
  void Clear() {
    preamble_.clear();
    sections_.clear();
    firstByName_.clear();
  }

  Section* FindSection(const String& name);
  Line* FindKey(Section* section, const String& folded);
  void Write(const String& section, const String& key, const String& value);
  bool EraseSection(const String& name);
  bool DeleteKey(const String& section, const String& key);
  const std::vector<Section>& Sections() const { return sections_; }

  bool utf8Bom = false;

 private:
  std::vector<String> preamble_;  // lines before the first section
  std::vector<Section> sections_;
  // The first section of each folded name: layouts write hundreds of sections, and a walk of the
  // list for every value made their saves and loads quadratic.
  std::unordered_map<String, size_t> firstByName_;
  void Reindex();
};

namespace {

String FoldKeyName(const String& s) { return AnsiUpperCase(s); }

// Key=Value lines with their parts trimmed; false for other lines.
bool SplitKeyLine(const String& trimmed, String& key, String& value) {
  if (trimmed.empty() || trimmed[0] == u';') return false;
  const size_t eq = trimmed.find(u'=');
  if (eq == String::npos) return false;
  key = Trim(trimmed.substr(0, eq));
  value = Trim(trimmed.substr(eq + 1));
  return true;
}

bool HasLineBreak(const String& s) { return s.find_first_of(u"\r\n") != String::npos; }

// What cannot be written back as it was read would change other entries of the file.
void CheckWritable(const String& section, const String& ident, const String& value) {
  const String key = Trim(ident);
  const bool badKey = HasLineBreak(key) || key.find(u'=') != String::npos ||
                      (!key.empty() && (key[0] == u'[' || key[0] == u';'));
  if (HasLineBreak(section) || badKey || HasLineBreak(value))
    throw EIniFileException(u"Cannot store the value of [" + section + u"] " + ident +
                            u" in an INI file: line breaks, or a key with '=' or starting with '[' or ';'");
}

bool IsHeader(const String& trimmed) {
  return trimmed.size() >= 2 && trimmed.front() == u'[' && trimmed.back() == u']';
}

}  // namespace

void TIniData::Parse(const String& text) {
  Clear();
  std::vector<String>* loose = &preamble_;
  Section* current = nullptr;
  const size_t n = text.size();
  size_t p = 0;
  while (p < n) {
    const size_t start = p;
    while (p < n && text[p] != u'\r' && text[p] != u'\n') ++p;
    String raw = text.substr(start, p - start);
    if (p < n && text[p] == u'\r') ++p;
    if (p < n && text[p] == u'\n') ++p;

    const String trimmed = Trim(raw);
    if (IsHeader(trimmed)) {
      Section section;
      section.header = raw;
      section.name = Trim(trimmed.substr(1, trimmed.size() - 2));
      section.folded = FoldKeyName(section.name);
      sections_.push_back(std::move(section));
      current = &sections_.back();
      loose = nullptr;
      continue;
    }
    if (!current) {
      loose->push_back(std::move(raw));
      continue;
    }
    Line line;
    line.isKey = SplitKeyLine(trimmed, line.key, line.value);
    if (line.isKey) line.folded = FoldKeyName(line.key);
    line.text = std::move(raw);
    current->lines.push_back(std::move(line));
  }
  Reindex();
}

void TIniData::Reindex() {
  firstByName_.clear();
  for (size_t i = 0; i < sections_.size(); ++i) {
    const auto [first, added] = firstByName_.emplace(sections_[i].folded, i);
    sections_[i].repeated = !added;
    if (!added) sections_[first->second].repeated = true;
  }
}

String TIniData::Compose() const {
  String out;
  for (const String& line : preamble_) out += line + u"\r\n";
  for (const Section& section : sections_) {
    out += section.header + u"\r\n";
    for (const Line& line : section.lines) out += line.text + u"\r\n";
  }
  return out;
}

TIniData::Section* TIniData::FindSection(const String& name) {
  const auto it = firstByName_.find(FoldKeyName(Trim(name)));
  return it == firstByName_.end() ? nullptr : &sections_[it->second];
}

TIniData::Line* TIniData::FindKey(Section* section, const String& folded) {
  if (!section) return nullptr;
  for (Line& line : section->lines)
    if (line.isKey && line.folded == folded) return &line;
  return nullptr;
}

void TIniData::Write(const String& sectionName, const String& key, const String& value) {
  const String name = Trim(sectionName), ident = Trim(key), trimmedValue = Trim(value);
  Section* section = FindSection(name);
  if (!section) {
    // A new section goes last, after a blank line.
    const bool needsGap = sections_.empty() ? !preamble_.empty() && !Trim(preamble_.back()).empty()
                                            : sections_.back().lines.empty() ||
                                                  !Trim(sections_.back().lines.back().text).empty();
    if (needsGap) {
      if (sections_.empty())
        preamble_.push_back(String());
      else
        sections_.back().lines.push_back(Line{});
    }
    Section fresh;
    fresh.header = u"[" + name + u"]";
    fresh.name = name;
    fresh.folded = FoldKeyName(name);
    firstByName_.emplace(fresh.folded, sections_.size());
    sections_.push_back(std::move(fresh));
    section = &sections_.back();
  }
  const String folded = FoldKeyName(ident);
  if (Line* line = FindKey(section, folded)) {
    line->value = trimmedValue;
    line->text = line->key + u"=" + trimmedValue;
    return;
  }
  Line line;
  line.isKey = true;
  line.key = ident;
  line.folded = folded;
  line.value = trimmedValue;
  line.text = ident + u"=" + trimmedValue;
  // After the section's last key, before the blank lines and comments that lead to the next one.
  size_t at = 0;
  for (size_t i = 0; i < section->lines.size(); ++i)
    if (section->lines[i].isKey) at = i + 1;
  section->lines.insert(section->lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

bool TIniData::EraseSection(const String& name) {
  const String folded = FoldKeyName(Trim(name));
  const auto found = firstByName_.find(folded);
  if (found == firstByName_.end()) return false;
  const size_t first = found->second;
  firstByName_.erase(found);
  std::vector<size_t> removed{first};
  if (sections_[first].repeated)
    for (size_t i = first + 1; i < sections_.size(); ++i)
      if (sections_[i].folded == folded) removed.push_back(i);
  for (auto it = removed.rbegin(); it != removed.rend(); ++it)
    sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(*it));
  // The sections after a removed one move down; no name is looked at again.
  for (auto& [key, index] : firstByName_)
    index -= static_cast<size_t>(std::lower_bound(removed.begin(), removed.end(), index) - removed.begin());
  return true;
}

bool TIniData::DeleteKey(const String& sectionName, const String& key) {
  Section* section = FindSection(sectionName);
  if (!section) return false;
  const String folded = FoldKeyName(Trim(key));
  const size_t before = section->lines.size();
  std::erase_if(section->lines, [&](const Line& l) { return l.isKey && l.folded == folded; });
  return section->lines.size() != before;
}

// TCustomIniFile

TCustomIniFile::TCustomIniFile(const String& FileName)
    : fileName_(FileName), path_(ExpandFileName(FileName)), data_(std::make_unique<TIniData>()) {}

TCustomIniFile::~TCustomIniFile() = default;

void TCustomIniFile::LoadFromDisk() {
  std::string bytes;
  if (!ReadFileBytes(path_, bytes)) {
    data_->Clear();
    data_->utf8Bom = false;
    return;
  }
  bool bom = false;
  const String text = DecodeFileText(bytes, &bom);
  data_->Parse(text);
  data_->utf8Bom = bom;
}

bool TCustomIniFile::SaveToDisk(String& reason) {
  return TryWriteFileAtomically(path_, EncodeFileText(data_->Compose(), data_->utf8Bom), reason);
}

String TCustomIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
  BeforeAccess();
  const TIniData::Line* line = data_->FindKey(data_->FindSection(Section), FoldKeyName(Trim(Ident)));
  return line ? line->value : Default;
}

void TCustomIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
  CheckWritable(Section, Ident, Value);
  BeforeAccess();
  data_->Write(Section, Ident, Value);
  AfterChange();
}

Integer TCustomIniFile::ReadInteger(const String& Section, const String& Ident, Integer Default) {
  return StrToIntDef(ReadString(Section, Ident, String()), Default);
}

void TCustomIniFile::WriteInteger(const String& Section, const String& Ident, Integer Value) {
  WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const String& Section, const String& Ident, bool Default) {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
  WriteString(Section, Ident, Value ? u"1" : u"0");
}

double TCustomIniFile::ReadFloat(const String& Section, const String& Ident, double Default) {
  double value = Default;
  const String text = ReadString(Section, Ident, String());
  if (!text.empty() && TryStrToFloat(text, value)) return value;
  return Default;
}

void TCustomIniFile::WriteFloat(const String& Section, const String& Ident, double Value) {
  WriteString(Section, Ident, FloatToStr(Value));
}

namespace {

TDateTime ReadDateText(const String& text, TDateTime Default, bool (*parse)(const String&, TDateTime&)) {
  TDateTime value = Default;
  if (!text.empty() && parse(text, value)) return value;
  return Default;
}

}  // namespace

TDateTime TCustomIniFile::ReadDate(const String& Section, const String& Ident, TDateTime Default) {
  return ReadDateText(ReadString(Section, Ident, String()), Default, &TryStrToDate);
}

TDateTime TCustomIniFile::ReadDateTime(const String& Section, const String& Ident, TDateTime Default) {
  return ReadDateText(ReadString(Section, Ident, String()), Default, &TryStrToDateTime);
}

TDateTime TCustomIniFile::ReadTime(const String& Section, const String& Ident, TDateTime Default) {
  return ReadDateText(ReadString(Section, Ident, String()), Default, &TryStrToTime);
}

void TCustomIniFile::WriteDate(const String& Section, const String& Ident, TDateTime Value) {
  WriteString(Section, Ident, DateToStr(Value));
}

void TCustomIniFile::WriteDateTime(const String& Section, const String& Ident, TDateTime Value) {
  WriteString(Section, Ident, DateTimeToStr(Value));
}

void TCustomIniFile::WriteTime(const String& Section, const String& Ident, TDateTime Value) {
  WriteString(Section, Ident, TimeToStr(Value));
}

bool TCustomIniFile::SectionExists(const String& Section) {
  BeforeAccess();
  return data_->FindSection(Section) != nullptr;
}

bool TCustomIniFile::ValueExists(const String& Section, const String& Ident) {
  BeforeAccess();
  return data_->FindKey(data_->FindSection(Section), FoldKeyName(Trim(Ident))) != nullptr;
}

void TCustomIniFile::ReadSection(const String& Section, TStrings* Strings) {
  BeforeAccess();
  WithUpdate(*Strings, [&] {
    Strings->Clear();
    if (const TIniData::Section* section = data_->FindSection(Section))
      for (const TIniData::Line& line : section->lines)
        if (line.isKey) Strings->Add(line.key);
  });
}

void TCustomIniFile::ReadSections(TStrings* Strings) {
  BeforeAccess();
  WithUpdate(*Strings, [&] {
    Strings->Clear();
    std::unordered_set<String> seen;
    for (const TIniData::Section& section : data_->Sections())
      if (seen.insert(section.folded).second) Strings->Add(section.name);
  });
}

void TCustomIniFile::ReadSectionValues(const String& Section, TStrings* Strings) {
  BeforeAccess();
  WithUpdate(*Strings, [&] {
    Strings->Clear();
    if (const TIniData::Section* section = data_->FindSection(Section))
      for (const TIniData::Line& line : section->lines)
        if (line.isKey) Strings->Add(line.key + u"=" + line.value);
  });
}

void TCustomIniFile::EraseSection(const String& Section) {
  BeforeAccess();
  if (data_->EraseSection(Section)) AfterChange();
}

void TCustomIniFile::DeleteKey(const String& Section, const String& Ident) {
  BeforeAccess();
  if (data_->DeleteKey(Section, Ident)) AfterChange();
}

// TIniFile

TIniFile::TIniFile(const String& FileName) : TCustomIniFile(FileName) { Reload(); }

TIniFile::FileIdentity TIniFile::CurrentIdentity() const {
  struct stat st {};
  FileIdentity id;
  if (::stat(StringToUtf8(Path()).c_str(), &st) != 0) return id;
  id.exists = true;
  id.device = st.st_dev;
  id.inode = st.st_ino;
  id.size = static_cast<UInt64>(st.st_size);
  id.modified = static_cast<Int64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return id;
}

void TIniFile::Reload() {
  const FileIdentity id = CurrentIdentity();
  LoadFromDisk();
  loaded_ = id;
  stale_ = false;
}

void TIniFile::BeforeAccess() {
  if (stale_ || CurrentIdentity() != loaded_) Reload();
}

void TIniFile::AfterChange() {
  String reason;
  if (!SaveToDisk(reason)) {
    // The change never reached the file: the next access reads the file again.
    stale_ = true;
    throw EIniFileException(u"Unable to write to " + FileName() + u". " + reason);
  }
  loaded_ = CurrentIdentity();
}

// TMemIniFile

TMemIniFile::TMemIniFile(const String& FileName) : TCustomIniFile(FileName) { LoadFromDisk(); }

void TMemIniFile::UpdateFile() {
  String reason;
  if (!SaveToDisk(reason)) throw EFCreateError(u"Cannot create file \"" + FileName() + u"\". " + reason);
}
