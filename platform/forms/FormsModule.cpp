// Start-up of the forms: the screen, the application object and the classes form resources name.
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Timers.h"

void InitFormsModule() {
  Screen = new TScreen(nullptr);
  Application = new TApplication(nullptr);
  HintWindowClass = THintWindow::StaticClass();
  RegisterClasses({TCustomForm::StaticClass(), TForm::StaticClass(), TTimer::StaticClass(),
                   TApplicationEvents::StaticClass(), THintWindow::StaticClass()});
}

void FinalizeFormsModule() {
  // Forms still open are freed with the application (which owns those it created).
  TApplication* app = Application;
  delete app;
  Application = nullptr;
  while (Screen && Screen->FormCount() > 0) {
    TCustomForm* f = Screen->Forms(Screen->FormCount() - 1);
    f->BeforeDestruction();
    delete f;
  }
  delete Screen;
  Screen = nullptr;
  HintWindowClass = nullptr;
}
