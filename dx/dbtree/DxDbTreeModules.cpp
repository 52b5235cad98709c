// Start-up of the data-aware tree view's modules: those of the libraries it stands on.
void RegisterDxEditorsModules();
void RegisterDataModules();

void RegisterDxDbTreeModules() {
  RegisterDxEditorsModules();
  RegisterDataModules();
}
