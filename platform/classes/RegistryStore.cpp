#include "platform/classes/RegistryStore.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/classes/AtomicFile.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/String.h"

struct TRegistryStore::Node {
  struct Value {
    String name;
    String folded;
    TRegValue data;
  };
  String name;
  std::map<String, std::unique_ptr<Node>> keys;  // by folded name: alphabetical, ignoring case
  std::vector<Value> values;                     // in the order they were made

  Value* FindValue(const String& folded) {
    for (Value& v : values)
      if (v.folded == folded) return &v;
    return nullptr;
  }
};

using Node = TRegistryStore::Node;

namespace {

struct RootName {
  std::uintptr_t id;
  const char16_t* name;
};
constexpr RootName kRoots[] = {
    {0x80000000u, u"HKEY_CLASSES_ROOT"},   {0x80000001u, u"HKEY_CURRENT_USER"},
    {0x80000002u, u"HKEY_LOCAL_MACHINE"},  {0x80000003u, u"HKEY_USERS"},
    {0x80000005u, u"HKEY_CURRENT_CONFIG"},
};

const char16_t* RootNameOf(std::uintptr_t id) {
  for (const RootName& r : kRoots)
    if (r.id == id) return r.name;
  return nullptr;
}

bool IsRootId(std::uintptr_t id) { return RootNameOf(id) != nullptr; }

String FoldValueName(const String& s) { return AnsiUpperCase(s); }

String& FileNameOverride() {
  static String name;
  return name;
}

// "a\b\\c\" -> a, b, c.
std::vector<String> SplitPath(const String& path) {
  std::vector<String> parts;
  size_t p = 0;
  while (p <= path.size()) {
    const size_t q = std::min(path.find(u'\\', p), path.size());
    if (q > p) parts.push_back(path.substr(p, q - p));
    p = q + 1;
  }
  return parts;
}

bool ValidKeyName(const String& name) {
  if (name.empty()) return false;
  for (Char c : name)
    if (c < u' ' || c == 0x7F) return false;
  return true;
}

const char kHex[] = "0123456789abcdef";

std::string Quote(const String& text) {
  std::string out = "\"";
  for (char c : StringToUtf8(text)) {
    const unsigned char u = static_cast<unsigned char>(c);
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (u < 0x20 || u == 0x7F) {
          out += "\\x";
          out += kHex[u >> 4];
          out += kHex[u & 15];
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string HexBytes(const std::vector<Byte>& data) {
  std::string out;
  for (size_t i = 0; i < data.size(); ++i) {
    if (i > 0) out += (i % 24 == 0) ? ",\\\n  " : ",";
    out += kHex[data[i] >> 4];
    out += kHex[data[i] & 15];
  }
  return out;
}

// Reads the store's text; raises with the line of the first fault.
class Parser {
 public:
  Parser(const std::string& text, const String& fileName) : text_(text), fileName_(fileName) {}

  template <class OnHeader, class OnValue>
  void Run(OnHeader onHeader, OnValue onValue) {
    while (NextLine()) {
      std::string_view line = Trimmed(line_);
      if (line.empty() || line[0] == ';') continue;
      if (line[0] == '[') {
        if (line.back() != ']') Fail("a key header must end with ']'");
        onHeader(Utf8ToString(line.substr(1, line.size() - 2)));
        continue;
      }
      if (line[0] != '"') Fail("a value line must start with a quoted name");
      size_t p = 0;
      const String name = ReadQuoted(line, p);
      if (p >= line.size() || line[p] != '=') Fail("'=' expected after the value name");
      ++p;
      onValue(name, ReadData(line.substr(p)));
    }
  }

  [[noreturn]] void Fail(const std::string& what) const {
    throw ERegistryException(u"The registry store \"" + fileName_ + u"\" is damaged at line " +
                             Utf8ToString(std::to_string(lineNo_)) + u": " + Utf8ToString(what));
  }

 private:
  static std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
  }

  bool NextLine() {
    if (pos_ >= text_.size()) return false;
    const size_t end = std::min(text_.find('\n', pos_), text_.size());
    line_ = std::string_view(text_).substr(pos_, end - pos_);
    pos_ = end + 1;
    ++lineNo_;
    return true;
  }

  static int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  // A quoted text starting at s[p]; p ends after the closing quote.
  String ReadQuoted(std::string_view s, size_t& p) const {
    std::string out;
    ++p;
    for (;;) {
      if (p >= s.size()) Fail("unterminated quoted text");
      const char c = s[p++];
      if (c == '"') break;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (p >= s.size()) Fail("unterminated quoted text");
      const char e = s[p++];
      switch (e) {
        case '\\':
          out += '\\';
          break;
        case '"':
          out += '"';
          break;
        case 'r':
          out += '\r';
          break;
        case 'n':
          out += '\n';
          break;
        case 't':
          out += '\t';
          break;
        case 'x': {
          const int hi = p < s.size() ? HexDigit(s[p]) : -1;
          const int lo = p + 1 < s.size() ? HexDigit(s[p + 1]) : -1;
          if (hi < 0 || lo < 0) Fail("two hex digits expected after \\x");
          out += static_cast<char>(hi * 16 + lo);
          p += 2;
          break;
        }
        default:
          Fail(std::string("unknown escape \\") + e);
      }
    }
    return Utf8ToString(out);
  }

  TRegValue ReadData(std::string_view data) {
    TRegValue value;
    auto starts = [&](std::string_view prefix) {
      if (data.substr(0, prefix.size()) != prefix) return false;
      data.remove_prefix(prefix.size());
      return true;
    };
    auto quotedOnly = [&]() {
      size_t p = 0;
      if (data.empty() || data[0] != '"') Fail("a quoted text expected");
      String text = ReadQuoted(data, p);
      if (!Trimmed(data.substr(p)).empty()) Fail("unexpected text after the quoted value");
      return text;
    };
    if (!data.empty() && data[0] == '"') {
      value.Kind = REG_SZ;
      value.Text = quotedOnly();
    } else if (starts("expand:")) {
      value.Kind = REG_EXPAND_SZ;
      value.Text = quotedOnly();
    } else if (starts("dword:")) {
      value.Kind = REG_DWORD;
      if (data.empty() || data.size() > 8) Fail("one to eight hex digits expected after dword:");
      for (char c : data) {
        const int d = HexDigit(c);
        if (d < 0) Fail("one to eight hex digits expected after dword:");
        value.Number = value.Number * 16 + static_cast<DWORD>(d);
      }
    } else if (starts("hex:")) {
      value.Kind = REG_BINARY;
      std::string bytes(data);
      while (!bytes.empty() && bytes.back() == '\\') {
        bytes.pop_back();
        if (!NextLine()) Fail("the continued value ends with the file");
        bytes += Trimmed(line_);
      }
      size_t p = 0;
      while (p < bytes.size()) {
        const int hi = HexDigit(bytes[p]);
        const int lo = p + 1 < bytes.size() ? HexDigit(bytes[p + 1]) : -1;
        if (hi < 0 || lo < 0) Fail("hex bytes separated by commas expected after hex:");
        value.Data.push_back(static_cast<Byte>(hi * 16 + lo));
        p += 2;
        if (p < bytes.size()) {
          if (bytes[p] != ',') Fail("hex bytes separated by commas expected after hex:");
          ++p;
        }
      }
    } else {
      Fail("unknown value kind");
    }
    return value;
  }

  const std::string& text_;
  const String& fileName_;
  size_t pos_ = 0;
  std::string_view line_;
  int lineNo_ = 0;
};

}  // namespace

int TRegValue::DataSize() const {
  switch (Kind) {
    case REG_SZ:
    case REG_EXPAND_SZ:
      return static_cast<int>((Text.size() + 1) * sizeof(Char));
    case REG_DWORD:
      return 4;
    case REG_BINARY:
      return static_cast<int>(Data.size());
    default:
      return 0;
  }
}

TRegistryStore::~TRegistryStore() = default;

TRegistryStore& TRegistryStore::Instance() {
  static TRegistryStore store;
  return store;
}

String TRegistryStore::FileName() {
  if (!FileNameOverride().empty()) return FileNameOverride();
  const char* config = std::getenv("XDG_CONFIG_HOME");
  String folder;
  if (config && *config == '/') {
    folder = Utf8ToString(config);
  } else {
    const char* home = std::getenv("HOME");
    folder = Utf8ToString(home ? home : "") + u"/.config";
  }
  return IncludeTrailingPathDelimiter(folder) + u"trenvik/registry";
}

void TRegistryStore::SetFileName(const String& FileName) {
  FileNameOverride() = FileName;
  TRegistryStore& store = Instance();
  store.roots_.clear();
  store.handles_.clear();
  store.loaded_ = false;
  store.modified_ = false;
}

void TRegistryStore::EnsureLoaded() {
  if (loaded_) return;
  Load();
  loaded_ = true;
}

void TRegistryStore::Load() {
  roots_.clear();
  const String fileName = FileName();
  std::string bytes;
  if (!ReadFileBytes(fileName, bytes)) return;
  std::map<std::uintptr_t, std::unique_ptr<Node>> roots;
  Node* current = nullptr;
  Parser parser(bytes, fileName);
  parser.Run(
      [&](const String& header) {
        std::vector<String> parts = SplitPath(header);
        std::uintptr_t id = 0;
        for (const RootName& r : kRoots)
          if (!parts.empty() && SameText(parts[0], r.name)) id = r.id;
        if (id == 0) parser.Fail("the key must start with a root such as HKEY_CURRENT_USER");
        auto& root = roots[id];
        if (!root) root = std::make_unique<Node>(Node{RootNameOf(id), {}, {}});
        current = root.get();
        for (size_t i = 1; i < parts.size(); ++i) {
          if (!ValidKeyName(parts[i])) parser.Fail("a key name holds control characters");
          auto& child = current->keys[FoldValueName(parts[i])];
          if (!child) child = std::make_unique<Node>(Node{parts[i], {}, {}});
          current = child.get();
        }
      },
      [&](const String& name, TRegValue value) {
        if (!current) parser.Fail("a value before the first key header");
        const String folded = FoldValueName(name);
        if (Node::Value* existing = current->FindValue(folded))
          existing->data = std::move(value);
        else
          current->values.push_back(Node::Value{name, folded, std::move(value)});
      });
  roots_ = std::move(roots);
}

std::string TRegistryStore::Compose() const {
  std::string out =
      "; Settings of the program: [keys] with \"name\"=value lines below them.\n"
      "; Values: \"text\", expand:\"text\", dword:<hex>, hex:<bytes>.\n";
  // Depth first; every key gets its header, so that empty keys survive.
  auto emit = [&](auto&& self, const Node& node, const String& path, bool isRoot) -> void {
    if (!isRoot || !node.values.empty()) {
      out += "\n[" + StringToUtf8(path) + "]\n";
      for (const Node::Value& v : node.values) {
        out += Quote(v.name) + "=";
        const TRegValue& d = v.data;
        switch (d.Kind) {
          case REG_SZ:
            out += Quote(d.Text);
            break;
          case REG_EXPAND_SZ:
            out += "expand:" + Quote(d.Text);
            break;
          case REG_DWORD: {
            char hex[16];
            std::snprintf(hex, sizeof hex, "dword:%08x", static_cast<unsigned>(d.Number));
            out += hex;
            break;
          }
          default:
            out += "hex:" + HexBytes(d.Data);
            break;
        }
        out += "\n";
      }
    }
    for (const auto& [folded, child] : node.keys) self(self, *child, path + u"\\" + child->name, false);
  };
  for (const auto& [id, root] : roots_) emit(emit, *root, RootNameOf(id), true);
  return out;
}

Node* TRegistryStore::Root(HKEY Key) {
  const auto id = reinterpret_cast<std::uintptr_t>(Key);
  auto& root = roots_[id];
  if (!root) root = std::make_unique<Node>(Node{RootNameOf(id), {}, {}});
  return root.get();
}

Node* TRegistryStore::Resolve(HKEY Key) {
  EnsureLoaded();
  const auto id = reinterpret_cast<std::uintptr_t>(Key);
  if (IsRootId(id)) return Root(Key);
  const auto it = handles_.find(id);
  if (it == handles_.end()) return nullptr;
  Node* node = Root(reinterpret_cast<HKEY>(it->second.root));
  for (const String& folded : it->second.path) {
    const auto child = node->keys.find(folded);
    if (child == node->keys.end()) return nullptr;
    node = child->second.get();
  }
  return node;
}

bool TRegistryStore::IsValid(HKEY Key) { return Resolve(Key) != nullptr; }

HKEY TRegistryStore::OpenKey(HKEY Parent, const String& Path, bool Create) {
  Node* node = Resolve(Parent);
  if (!node) return nullptr;
  const auto parentId = reinterpret_cast<std::uintptr_t>(Parent);
  OpenHandle handle;
  if (IsRootId(parentId)) {
    handle.root = parentId;
  } else {
    handle = handles_.at(parentId);
  }
  for (const String& part : SplitPath(Path)) {
    const String folded = FoldValueName(part);
    auto it = node->keys.find(folded);
    if (it == node->keys.end()) {
      if (!Create || !ValidKeyName(part)) return nullptr;
      it = node->keys.emplace(folded, std::make_unique<Node>(Node{part, {}, {}})).first;
      modified_ = true;
    }
    node = it->second.get();
    handle.path.push_back(folded);
  }
  const std::uintptr_t id = nextHandle_++;
  handles_.emplace(id, std::move(handle));
  return reinterpret_cast<HKEY>(id);
}

void TRegistryStore::CloseKey(HKEY Key) { handles_.erase(reinterpret_cast<std::uintptr_t>(Key)); }

bool TRegistryStore::KeyExists(HKEY Parent, const String& Path) {
  Node* node = Resolve(Parent);
  if (!node) return false;
  for (const String& part : SplitPath(Path)) {
    const auto it = node->keys.find(FoldValueName(part));
    if (it == node->keys.end()) return false;
    node = it->second.get();
  }
  return true;
}

bool TRegistryStore::DeleteKey(HKEY Parent, const String& Path) {
  Node* node = Resolve(Parent);
  std::vector<String> parts = SplitPath(Path);
  if (!node || parts.empty()) return false;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    const auto it = node->keys.find(FoldValueName(parts[i]));
    if (it == node->keys.end()) return false;
    node = it->second.get();
  }
  if (node->keys.erase(FoldValueName(parts.back())) == 0) return false;
  modified_ = true;
  return true;
}

const TRegValue* TRegistryStore::QueryValue(HKEY Key, const String& Name) {
  Node* node = Resolve(Key);
  if (!node) return nullptr;
  const Node::Value* value = node->FindValue(FoldValueName(Name));
  return value ? &value->data : nullptr;
}

bool TRegistryStore::SetValue(HKEY Key, const String& Name, TRegValue Value) {
  Node* node = Resolve(Key);
  if (!node) return false;
  const String folded = FoldValueName(Name);
  if (Node::Value* existing = node->FindValue(folded))
    existing->data = std::move(Value);
  else
    node->values.push_back(Node::Value{Name, folded, std::move(Value)});
  modified_ = true;
  return true;
}

bool TRegistryStore::DeleteValue(HKEY Key, const String& Name) {
  Node* node = Resolve(Key);
  if (!node) return false;
  const String folded = FoldValueName(Name);
  const size_t before = node->values.size();
  std::erase_if(node->values, [&](const Node::Value& v) { return v.folded == folded; });
  if (node->values.size() == before) return false;
  modified_ = true;
  return true;
}

bool TRegistryStore::GetValueNames(HKEY Key, std::vector<String>& Names) {
  Names.clear();
  Node* node = Resolve(Key);
  if (!node) return false;
  for (const Node::Value& v : node->values) Names.push_back(v.name);
  return true;
}

bool TRegistryStore::GetKeyNames(HKEY Key, std::vector<String>& Names) {
  Names.clear();
  Node* node = Resolve(Key);
  if (!node) return false;
  for (const auto& [folded, child] : node->keys) Names.push_back(child->name);
  return true;
}

String TRegistryStore::KeyPath(HKEY Key) {
  const auto id = reinterpret_cast<std::uintptr_t>(Key);
  const auto it = handles_.find(id);
  if (it == handles_.end() || !Resolve(Key)) return String();
  String path;
  Node* node = Root(reinterpret_cast<HKEY>(it->second.root));
  for (const String& folded : it->second.path) {
    node = node->keys.at(folded).get();
    if (!path.empty()) path += u'\\';
    path += node->name;
  }
  return path;
}

void TRegistryStore::Flush() {
  if (!modified_) return;
  const String fileName = FileName();
  const std::string text = Compose();
  ForceDirectories(ExtractFileDir(fileName));
  String reason;
  if (!TryWriteFileAtomically(fileName, text, reason))
    throw ERegistryException(u"Cannot save the registry store \"" + fileName + u"\". " + reason);
  modified_ = false;
}
