// The database folder has no start-up of its own; it starts the access layer it uses.
void RegisterAdoModules();

void RegisterDbModules() { RegisterAdoModules(); }
