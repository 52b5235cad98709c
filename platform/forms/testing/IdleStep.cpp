#include "platform/forms/testing/IdleStep.h"

#include "platform/forms/Forms.h"

void RunUntilIdle() {
  Application->ProcessMessages();
  bool idle = false;
  TIdleEvent saved = Application->OnIdle;
  Application->OnIdle = [&idle](TObject*, bool& Done) {
    idle = true;
    Done = false;  // no waiting: the test goes on
  };
  while (!idle) Application->HandleMessage();
  Application->OnIdle = saved;
}
