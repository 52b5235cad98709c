// The user's layout in an INI file: sections named after the owner form and the manager.
#include <memory>

#include "dx/bars/dxBarLayoutStore.h"
#include "dx/bars/dxBarManager.h"
#include "platform/classes/IniFiles.h"
#include "platform/forms/Forms.h"

namespace {

class TIniLayoutStore : public TBarLayoutStore {
 public:
  TIniLayoutStore(TCustomIniFile& Ini, String Prefix) : ini_(Ini), prefix_(std::move(Prefix)) {}

  // Every section of this manager goes, so that no part of a larger old layout stays.
  void EraseLayout() {
    auto sections = std::make_unique<TStringList>();
    ini_.ReadSections(sections.get());
    for (int i = 0; i < sections->Count(); ++i)
      if (sections->Strings(i).starts_with(prefix_)) ini_.EraseSection(sections->Strings(i));
  }

  String Child(const String& Section, const String& Name) const override { return Section + u"." + Name; }
  std::vector<int> ChildNumbers(const String& Section, const String& Prefix) override {
    // A load asks once for each links collection: the file's sections are listed once.
    if (!sections_) {
      sections_ = std::make_unique<TStringList>();
      ini_.ReadSections(sections_.get());
    }
    const String named = At(Child(Section, Prefix));
    std::vector<int> numbers;
    for (int i = 0; i < sections_->Count(); ++i)
      if (int n = LayoutChildNumber(sections_->Strings(i), named); n >= 0) numbers.push_back(n);
    return numbers;
  }
  String ReadString(const String& Section, const String& Name, const String& Default) override {
    return ini_.ReadString(At(Section), Name, Default);
  }
  int ReadInteger(const String& Section, const String& Name, int Default) override {
    return ini_.ReadInteger(At(Section), Name, Default);
  }
  bool ReadBool(const String& Section, const String& Name, bool Default) override {
    return ini_.ReadBool(At(Section), Name, Default);
  }
  void WriteString(const String& Section, const String& Name, const String& Value) override {
    ini_.WriteString(At(Section), Name, Value);
  }
  void WriteInteger(const String& Section, const String& Name, int Value) override {
    ini_.WriteInteger(At(Section), Name, Value);
  }
  void WriteBool(const String& Section, const String& Name, bool Value) override {
    ini_.WriteBool(At(Section), Name, Value);
  }
  int ReadFlags(const String& Section, const String& Name) override { return ReadInteger(Section, Name, 0); }
  void WriteFlags(const String& Section, const String& Name, int Value) override {
    WriteInteger(Section, Name, Value);
  }

 private:
  String At(const String& Section) const { return prefix_ + (Section.empty() ? String(u"Main") : Section); }

  TCustomIniFile& ini_;
  String prefix_;
  // The sections as they were when first asked; a store is either read or written.
  std::unique_ptr<TStringList> sections_;
};

String LayoutPrefix(TdxBarManager* Manager) {
  TCustomForm* form = Manager->ParentForm();
  return (form ? form->Name() : String()) + u"." + Manager->Name() + u".";
}

}  // namespace

void TdxBarManager::SaveToIniFile(const String& FileName) {
  if (FileName.empty()) return;
  TMemIniFile ini(FileName);
  TIniLayoutStore store(ini, LayoutPrefix(this));
  store.EraseLayout();
  SaveBarLayout(this, store);
  // Everything is in memory: the file is replaced whole, or not at all.
  ini.UpdateFile();
}

void TdxBarManager::LoadFromIniFile(const String& FileName) {
  if (FileName.empty()) return;
  TMemIniFile ini(FileName);
  TIniLayoutStore store(ini, LayoutPrefix(this));
  LoadBarLayout(this, store);
}
