// Module start-up and shut-down. No module does work in C++ static initialisers: each library
// registers its modules' routines here with a rank that follows the system's module order, and the
// program (and every test binary) runs them in rank order at start and in reverse order at exit.
#pragma once

using ModuleProc = void (*)();

// Ranks of the layers; a module adds its position inside its layer.
enum ModuleRank : int {
  kRankRtl = 1000,
  kRankClasses = 2000,
  // Drawing starts before the window system (and stops after it): windows hold its objects.
  kRankGdi = 3000,
  kRankWin = 4000,
  kRankDisplay = 5000,
  kRankForms = 6000,
  kRankData = 7000,
  kRankAdo = 8000,
  kRankOffice = 9000,
  kRankDxEditors = 20000,
  kRankDxTreeList = 21000,
  kRankDxDbGrid = 22000,
  kRankDxInspector = 23000,
  kRankDxDbTree = 24000,
  kRankDxBars = 25000,
  kRankCxFoundation = 30000,
  kRankCxData = 31000,
  kRankCxEditors = 32000,
  kRankCxEditorsExt = 33000,
  kRankCxGrid = 34000,
  kRankApp = 40000,
};

// Registering a name twice keeps the first registration, so that libraries can register the
// libraries they use without knowing who else did.
void RegisterModule(const char* name, int rank, ModuleProc initialize, ModuleProc finalize);

// Runs the start-up routines not yet run, lowest rank first (ties in registration order).
void InitializeModules();
// Runs the shut-down routines of the started modules in reverse order.
void FinalizeModules();

bool IsModuleInitialized(const char* name);

// Each library has one of these: it registers the libraries it uses, then its own modules.
void RegisterRtlModules();
