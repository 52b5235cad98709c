// The start-up of the grid library's tests: the library's modules and the ADO drivers.
void RegisterCxGridModules();
void RegisterAdoModules();

void RegisterCxGridTestModules() {
  RegisterCxGridModules();
  RegisterAdoModules();
}
