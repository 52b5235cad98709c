// The file dialogs' logic: filters, masks, folder listings and what typed names mean.
#include <algorithm>
#include <filesystem>

#include "platform/forms/Dialogs.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/String.h"

namespace fs = std::filesystem;

namespace {

String Trimmed(const String& s) { return Trim(s); }

bool HasWildcards(const String& s) { return s.find_first_of(u"*?") != String::npos; }

fs::path ToPath(const String& s) { return fs::path(StringToUtf8(s)); }

// Matches from pattern position p and name position n, '*' by backtracking.
bool Match(const String& pat, size_t p, const String& name, size_t n) {
  size_t starP = String::npos, starN = 0;
  while (n < name.size()) {
    if (p < pat.size() && (pat[p] == u'?' || AnsiUpperChar(pat[p]) == AnsiUpperChar(name[n]))) {
      ++p;
      ++n;
    } else if (p < pat.size() && pat[p] == u'*') {
      starP = p++;
      starN = n;
    } else if (starP != String::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pat.size() && pat[p] == u'*') ++p;
  return p == pat.size();
}

}  // namespace

std::vector<TFileFilter> ParseFileFilter(const String& Filter) {
  std::vector<TFileFilter> out;
  std::vector<String> parts;
  size_t start = 0;
  while (start <= Filter.size()) {
    size_t bar = Filter.find(u'|', start);
    if (bar == String::npos) bar = Filter.size();
    parts.push_back(Filter.substr(start, bar - start));
    start = bar + 1;
  }
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    TFileFilter f;
    f.Description = parts[i];
    size_t s = 0;
    const String& masks = parts[i + 1];
    while (s <= masks.size()) {
      size_t semi = masks.find(u';', s);
      if (semi == String::npos) semi = masks.size();
      String m = Trimmed(masks.substr(s, semi - s));
      if (!m.empty()) f.Masks.push_back(m);
      s = semi + 1;
    }
    out.push_back(std::move(f));
  }
  return out;
}

bool MatchesMask(const String& FileName, const String& Mask) {
  if (Mask == u"*.*" || Mask == u"*") return true;
  return Match(Mask, 0, FileName, 0);
}

std::vector<TFolderEntry> ListFolder(const String& Folder, const std::vector<String>& Masks) {
  std::vector<TFolderEntry> folders, files;
  std::error_code ec;
  for (fs::directory_iterator it(ToPath(Folder), fs::directory_options::skip_permission_denied, ec), end;
       !ec && it != end; it.increment(ec)) {
    String name = Utf8ToString(it->path().filename().string());
    if (name.empty() || name[0] == u'.') continue;
    std::error_code typeError;
    if (it->is_directory(typeError)) {
      folders.push_back({name, true});
      continue;
    }
    if (Masks.empty() ||
        std::any_of(Masks.begin(), Masks.end(), [&](const String& m) { return MatchesMask(name, m); }))
      files.push_back({name, false});
  }
  auto byName = [](const TFolderEntry& a, const TFolderEntry& b) {
    int c = AnsiCompareText(a.Name, b.Name);
    return c != 0 ? c < 0 : a.Name < b.Name;
  };
  std::sort(folders.begin(), folders.end(), byName);
  std::sort(files.begin(), files.end(), byName);
  folders.insert(folders.end(), files.begin(), files.end());
  return folders;
}

String ApplyDefaultExt(const String& FileName, const String& DefaultExt) {
  if (DefaultExt.empty() || !ExtractFileExt(FileName).empty()) return FileName;
  String ext = DefaultExt[0] == u'.' ? DefaultExt.substr(1) : DefaultExt;
  return FileName + u"." + ext;
}

// --- TFileDialogModel ---

TFileDialogModel::TFileDialogModel(const String& Filter, int FilterIndex, const String& InitialDir)
    : filters_(ParseFileFilter(Filter)) {
  filterIndex_ = std::clamp(FilterIndex, 1, std::max<int>(1, static_cast<int>(filters_.size())));
  if (InitialDir.empty() || !SetFolder(InitialDir)) SetFolder(GetCurrentDir());
}

bool TFileDialogModel::SetFolder(const String& Folder) {
  String full = ExcludeTrailingPathDelimiter(ExpandFileName(Folder));
  if (full.empty()) full = u"/";
  if (!DirectoryExists(full)) return false;
  folder_ = full;
  Refresh();
  return true;
}

bool TFileDialogModel::GoUp() {
  if (folder_ == u"/") return false;
  String parent = ExtractFileDir(folder_);
  return SetFolder(parent.empty() ? String(u"/") : parent);
}

void TFileDialogModel::SetFilterIndex(int Index) {
  if (filters_.empty()) return;
  filterIndex_ = std::clamp(Index, 1, static_cast<int>(filters_.size()));
  typedMask_.clear();
  Refresh();
}

void TFileDialogModel::SetMask(const String& Mask) {
  typedMask_ = Mask;
  Refresh();
}

std::vector<String> TFileDialogModel::Masks() const {
  if (!typedMask_.empty()) return {typedMask_};
  if (filters_.empty()) return {};
  return filters_[static_cast<size_t>(filterIndex_ - 1)].Masks;
}

void TFileDialogModel::Refresh() { entries_ = ListFolder(folder_, Masks()); }

TFileNameAction TFileDialogModel::Resolve(const String& Typed, const String& DefaultExt, TOpenOptions Options,
                                          bool Save) const {
  TFileNameAction a;
  String name = Trimmed(Typed);
  if (name.empty()) {
    a.Kind = TFileNameAction::Invalid;
    return a;
  }
  if (HasWildcards(name)) {
    a.Kind = TFileNameAction::SetMask;
    a.Mask = name;
    return a;
  }
  String full = name[0] == u'/' ? name : IncludeTrailingPathDelimiter(folder_) + name;
  full = ExpandFileName(full);
  if (DirectoryExists(full)) {
    a.Kind = TFileNameAction::Navigate;
    a.Path = full;
    return a;
  }
  String withExt = ApplyDefaultExt(full, DefaultExt);
  // Opening "report" finds "report" itself when there is no "report.xls".
  if (!Save && !FileExists(withExt) && FileExists(full)) withExt = full;
  a.Path = withExt;
  String dir = ExtractFileDir(withExt);
  if ((Options.Contains(ofPathMustExist) || Options.Contains(ofFileMustExist) || Save) && !dir.empty() &&
      !DirectoryExists(dir)) {
    a.Kind = TFileNameAction::Invalid;
    a.Message = ExtractFileName(withExt) + u"\r\nPath does not exist.\r\nCheck the path and try again.";
    return a;
  }
  if (Options.Contains(ofFileMustExist) && !FileExists(withExt)) {
    a.Kind = TFileNameAction::Invalid;
    a.Message = ExtractFileName(withExt) + u"\r\nFile not found.\r\nCheck the file name and try again.";
    return a;
  }
  a.Kind = TFileNameAction::Accept;
  return a;
}
