#include "cx/data/cxData.h"

TRENVIK_IMPLEMENT_CLASS(TcxDataController)

void TcxDataController::Initialize() {
  TcxCustomDataController::Initialize();
  ActiveChanged(true);
}
