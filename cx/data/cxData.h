// The unbound data controller: records come only from the controller's own operations.
#pragma once

#include <memory>

#include "cx/data/cxCustomData.h"

class TcxDataController : public TcxCustomDataController {
  TRENVIK_CLASS(TcxDataController, TcxCustomDataController);

 public:
  explicit TcxDataController(TComponent* AOwner) : TcxCustomDataController(AOwner) {}
  ~TcxDataController() override { BeforeDestruction(); }
  // Creates the parts, then counts as active.
  void Initialize() override;
};

// Constructs a controller of class T and creates its parts through T's factories.
template <class T = TcxDataController, class... A>
std::unique_ptr<T> cxCreateDataController(A&&... AArgs) {
  auto controller = std::make_unique<T>(std::forward<A>(AArgs)...);
  controller->Initialize();
  return controller;
}
