// The start-up of the data-aware grid's tests: the grid's modules and the ADO drivers.
void RegisterDxDbGridModules();
void RegisterAdoModules();

void RegisterDxDbGridTestModules() {
  RegisterDxDbGridModules();
  RegisterAdoModules();
}
