// The start-up of the specialised editors' tests: the library's modules and the ADO drivers.
void RegisterCxEditorsExtModules();
void RegisterAdoModules();

void RegisterCxEditorsExtTestModules() {
  RegisterCxEditorsExtModules();
  RegisterAdoModules();
}
