#include "platform/rtl/ModuleInit.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct Module {
  std::string name;
  int rank;
  ModuleProc initialize;
  ModuleProc finalize;
  bool started = false;
};

std::vector<Module>& Modules() {
  static std::vector<Module> modules;
  return modules;
}

// Start order, so shut-down can run it backwards even if later registrations interleave ranks.
std::vector<size_t>& Started() {
  static std::vector<size_t> started;
  return started;
}

}  // namespace

void RegisterModule(const char* name, int rank, ModuleProc initialize, ModuleProc finalize) {
  auto& modules = Modules();
  for (const auto& m : modules)
    if (m.name == name) return;
  modules.push_back({name, rank, initialize, finalize});
}

void InitializeModules() {
  auto& modules = Modules();
  std::vector<size_t> order(modules.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return modules[a].rank < modules[b].rank; });
  for (size_t i : order) {
    if (modules[i].started) continue;
    modules[i].started = true;
    Started().push_back(i);
    if (modules[i].initialize) modules[i].initialize();
  }
}

void FinalizeModules() {
  auto& modules = Modules();
  auto& started = Started();
  while (!started.empty()) {
    const size_t i = started.back();
    started.pop_back();
    modules[i].started = false;
    if (modules[i].finalize) modules[i].finalize();
  }
}

bool IsModuleInitialized(const char* name) {
  for (const auto& m : Modules())
    if (m.name == name) return m.started;
  return false;
}
