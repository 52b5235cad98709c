// The start-up of the data library's tests: the library's modules and the ADO drivers.
void RegisterCxDataModules();
void RegisterAdoModules();

void RegisterCxDataTestModules() {
  RegisterCxDataModules();
  RegisterAdoModules();
}
