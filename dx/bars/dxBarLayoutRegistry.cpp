// The user's layout in the registry: keys below the current user's key the path names.
#include <memory>
#include <optional>
#include <variant>

#include "dx/bars/dxBarLayoutStore.h"
#include "dx/bars/dxBarManager.h"
#include "platform/classes/Registry.h"
#include "platform/classes/StringList.h"
#include "platform/rtl/ScopeExit.h"

namespace {

class TRegistryLayoutStore : public TBarLayoutStore {
 public:
  TRegistryLayoutStore(TRegistry& Registry, String Root) : registry_(Registry), root_(std::move(Root)) {}

  String Child(const String& Section, const String& Name) const override { return Section + u"\\" + Name; }
  std::vector<int> ChildNumbers(const String& Section, const String& Prefix) override {
    std::vector<int> numbers;
    if (!OpenForReading(Section)) return numbers;
    auto names = std::make_unique<TStringList>();
    registry_.GetKeyNames(names.get());
    for (int i = 0; i < names->Count(); ++i)
      if (int n = LayoutChildNumber(names->Strings(i), Prefix); n >= 0) numbers.push_back(n);
    return numbers;
  }
  String ReadString(const String& Section, const String& Name, const String& Default) override {
    return Opens(Section, Name, rdString) ? registry_.ReadString(Name) : Default;
  }
  int ReadInteger(const String& Section, const String& Name, int Default) override {
    return Opens(Section, Name, rdInteger) ? registry_.ReadInteger(Name) : Default;
  }
  bool ReadBool(const String& Section, const String& Name, bool Default) override {
    return Opens(Section, Name, rdInteger) ? registry_.ReadBool(Name) : Default;
  }
  void WriteString(const String& Section, const String& Name, const String& Value) override {
    Create(Section);
    registry_.WriteString(Name, Value);
  }
  void WriteInteger(const String& Section, const String& Name, int Value) override {
    Create(Section);
    registry_.WriteInteger(Name, Value);
  }
  void WriteBool(const String& Section, const String& Name, bool Value) override {
    Create(Section);
    registry_.WriteBool(Name, Value);
  }
  int ReadFlags(const String& Section, const String& Name) override {
    if (!Opens(Section, Name, rdBinary) || registry_.GetDataSize(Name) != 1) return 0;
    unsigned char flags = 0;
    registry_.ReadBinaryData(Name, &flags, 1);
    return flags;
  }
  void WriteFlags(const String& Section, const String& Name, int Value) override {
    Create(Section);
    auto flags = static_cast<unsigned char>(Value);
    registry_.WriteBinaryData(Name, &flags, 1);
  }

 private:
  String KeyOf(const String& Section) const { return Section.empty() ? root_ : root_ + u"\\" + Section; }
  // Opens the section's key when it holds the value with that type. Values come section by
  // section: the key stays open while they do.
  bool Opens(const String& Section, const String& Name, TRegDataType Type) {
    return OpenForReading(Section) && registry_.ValueExists(Name) && registry_.GetDataType(Name) == Type;
  }
  bool OpenForReading(const String& Section) {
    if (IsOpen(Section, false)) return true;
    open_.reset();
    if (!registry_.OpenKeyReadOnly(KeyOf(Section))) return false;
    open_ = TOpenSection{Section, false};
    return true;
  }
  void Create(const String& Section) {
    if (IsOpen(Section, true)) return;
    open_.reset();
    if (!registry_.OpenKey(KeyOf(Section), true))
      throw ERegistryException(u"Failed to create key " + KeyOf(Section));
    open_ = TOpenSection{Section, true};
  }
  bool IsOpen(const String& Section, bool ForWriting) const {
    return open_ && open_->name == Section && (open_->writable || !ForWriting);
  }

  struct TOpenSection {
    String name;
    bool writable;
  };
  TRegistry& registry_;
  String root_;
  std::optional<TOpenSection> open_;
};

// A leading "\" and no trailing one; empty when nothing is left.
String NormalizedRegistryPath(String Path) {
  if (!Path.empty() && Path.back() == u'\\') Path.pop_back();
  if (Path.empty() || Path == u"\\") return String();
  return Path.front() == u'\\' ? Path : u"\\" + Path;
}

// Every value of a key is read with the key open once, then written with the copy open once.
void CopyRegistryKey(TRegistry& Registry, const String& From, const String& To) {
  if (!Registry.OpenKeyReadOnly(From)) return;
  auto names = std::make_unique<TStringList>();
  Registry.GetValueNames(names.get());
  struct TCopiedValue {
    String name;
    std::variant<int, std::string, String> value;
  };
  std::vector<TCopiedValue> values;
  values.reserve(static_cast<size_t>(names->Count()));
  for (int i = 0; i < names->Count(); ++i) {
    const String& name = names->Strings(i);
    switch (Registry.GetDataType(name)) {
      case rdInteger:
        values.push_back({name, Registry.ReadInteger(name)});
        break;
      case rdBinary: {
        std::string bytes(static_cast<size_t>(Registry.GetDataSize(name)), '\0');
        Registry.ReadBinaryData(name, bytes.data(), static_cast<int>(bytes.size()));
        values.push_back({name, std::move(bytes)});
        break;
      }
      default:
        values.push_back({name, Registry.ReadString(name)});
        break;
    }
  }
  Registry.GetKeyNames(names.get());
  std::vector<String> keys;
  for (int i = 0; i < names->Count(); ++i) keys.push_back(names->Strings(i));
  if (!Registry.OpenKey(To, true)) throw ERegistryException(u"Failed to create key " + To);
  for (const TCopiedValue& copied : values) {
    if (const int* number = std::get_if<int>(&copied.value))
      Registry.WriteInteger(copied.name, *number);
    else if (const std::string* bytes = std::get_if<std::string>(&copied.value))
      Registry.WriteBinaryData(copied.name, bytes->data(), static_cast<int>(bytes->size()));
    else
      Registry.WriteString(copied.name, std::get<String>(copied.value));
  }
  for (const String& key : keys) CopyRegistryKey(Registry, From + u"\\" + key, To + u"\\" + key);
}

}  // namespace

void TdxBarManager::SaveToRegistry(const String& Path) {
  String root = NormalizedRegistryPath(Path);
  if (root.empty()) return;
  TRegistry registry;
  if (!registry.OpenKey(root, true)) return;
  // Built aside and put in place whole: a failure on the way leaves the old layout as it was. The
  // store's file is written once, when the layout is in place and the aside key gone.
  String building = root + u" (saving)";
  registry.DeleteKey(building);
  {
    TScopeExit dropBuilding([&registry, &building] { registry.DeleteKey(building); });
    TRegistryLayoutStore store(registry, building);
    SaveBarLayout(this, store);
    registry.DeleteKey(root);
    CopyRegistryKey(registry, building, root);
  }
  registry.CloseKey();
}

void TdxBarManager::LoadFromRegistry(const String& Path) {
  String root = NormalizedRegistryPath(Path);
  if (root.empty()) return;
  TRegistry registry;
  if (!registry.OpenKeyReadOnly(root)) return;
  TRegistryLayoutStore store(registry, root);
  LoadBarLayout(this, store);
}
