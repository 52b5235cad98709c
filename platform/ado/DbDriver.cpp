#include "platform/ado/DbDriver.h"

#include <map>
#include <mutex>

#include "platform/ado/SqlTokens.h"

namespace {

struct DriverEntry {
  String provider;
  TDbDriverFactory factory;
};

std::mutex& RegistryMutex() {
  static std::mutex m;
  return m;
}
std::vector<DriverEntry>& Registry() {
  static std::vector<DriverEntry> drivers;
  return drivers;
}

// "SQLOLEDB.1" -> "SQLOLEDB": providers are named with a version the driver does not care about.
String BaseProvider(const String& provider) {
  size_t dot = provider.find(u'.');
  return dot == String::npos ? provider : provider.substr(0, dot);
}

}  // namespace

const TDbTableColumn* TDbTableInfo::Find(const String& column) const {
  for (auto& c : Columns)
    if (SameName(c.Name, column)) return &c;
  return nullptr;
}

bool TDbTableInfo::HasKey() const {
  for (auto& c : Columns)
    if (c.IsKey) return true;
  return false;
}

Int64 TDbConnection::ExecuteDirect(const String& sql, const std::vector<std::pair<String, Variant>>& params) {
  auto st = Prepare(sql);
  auto& names = st->ParamNames();
  for (size_t i = 0; i < names.size(); ++i) {
    for (auto& [name, value] : params)
      if (SameName(name, names[i])) st->SetParam(static_cast<int>(i), value);
  }
  st->Execute();
  while (st->Next()) {
  }
  return st->RowsAffected();
}

void RegisterDbDriver(const String& provider, TDbDriverFactory factory) {
  std::lock_guard lock(RegistryMutex());
  for (auto& e : Registry())
    if (SameName(e.provider, provider)) {
      e.factory = std::move(factory);
      return;
    }
  Registry().push_back({provider, std::move(factory)});
}

bool IsDbDriverRegistered(const String& provider) {
  std::lock_guard lock(RegistryMutex());
  for (auto& e : Registry())
    if (SameName(e.provider, BaseProvider(provider))) return true;
  return false;
}

std::unique_ptr<TDbDriver> CreateDbDriver(const String& provider) {
  TDbDriverFactory factory;
  {
    std::lock_guard lock(RegistryMutex());
    for (auto& e : Registry()) {
      if (SameName(e.provider, BaseProvider(provider))) factory = e.factory;
    }
    if (!factory) {
      for (auto& e : Registry())
        if (SameName(e.provider, u"SQLite")) factory = e.factory;
    }
  }
  if (!factory) throw EADOError("No database driver is registered");
  return factory();
}

void CheckProcedureName(const String& name) {
  for (Char c : name)
    if (!(c == '_' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
      throw EADOError(u"Invalid procedure name \"" + name + u"\"");
}
