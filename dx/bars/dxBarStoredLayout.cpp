// The layout kept between runs: read at the end of form loading, written when the owner form's
// window goes.
#include <cstdio>
#include <exception>

#include "dx/bars/dxBarManager.h"
#include "platform/forms/Forms.h"

namespace {

// Called while an exception of the stored layout is being handled: a form that loads or goes has
// no caller that could take it, so the application reports it.
void ReportStoredLayoutFailure(TdxBarManager* Manager, const char* What) {
  if (Application) {
    Application->HandleException(Manager);
    return;
  }
  try {
    throw;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: the toolbar layout was not %s: %s\n", StringToUtf8(Manager->Name()).c_str(), What,
                 e.what());
  } catch (...) {
    std::fprintf(stderr, "%s: the toolbar layout was not %s\n", StringToUtf8(Manager->Name()).c_str(), What);
  }
}

}  // namespace

void TdxBarManager::LoadStoredLayout() {
  if (IsDesigning() || RebuildingDesignForm()) return;
  // A store that cannot be read at all (a damaged registry store) fails before anything of it is
  // applied: the form loads with the designed layout, or the other store's.
  auto load = [this](auto Load) {
    try {
      Load();
    } catch (...) {
      ReportStoredLayoutFailure(this, "loaded");
    }
  };
  if (storeInRegistry_) load([this] { LoadFromRegistry(registryPath_); });
  if (storeInIniFile_) load([this] { LoadFromIniFile(iniFileName_); });
}

void TdxBarManager::SaveStoredLayout() {
  if (IsDesigning()) return;
  try {
    if (storeInRegistry_) SaveToRegistry(registryPath_);
    if (storeInIniFile_) SaveToIniFile(iniFileName_);
  } catch (...) {
    ReportStoredLayoutFailure(this, "saved");
  }
}
