// The layout kept between runs: read at the end of form loading, written when the owner form's
// window goes.
#include <cstdio>
#include <exception>

#include "dx/bars/dxBarManager.h"
#include "platform/forms/Forms.h"

void TdxBarManager::LoadStoredLayout() {
  if (IsDesigning() || RebuildingDesignForm()) return;
  if (storeInRegistry_) LoadFromRegistry(registryPath_);
  if (storeInIniFile_) LoadFromIniFile(iniFileName_);
}

void TdxBarManager::SaveStoredLayout() {
  if (IsDesigning()) return;
  try {
    if (storeInRegistry_) SaveToRegistry(registryPath_);
    if (storeInIniFile_) SaveToIniFile(iniFileName_);
  } catch (...) {
    if (Application) {
      Application->HandleException(this);
      return;
    }
    // No application to report to: the destroying form's caller cannot take it either.
    try {
      throw;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s: the toolbar layout was not saved: %s\n", StringToUtf8(Name()).c_str(), e.what());
    }
  }
}
