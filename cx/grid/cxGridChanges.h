// Change objects: each recalculation or repaint a view asks for, run by the grid at once or queued
// while the grid is update-locked, merged and pruned at the outermost EndUpdate.
#pragma once

#include "platform/rtl/Object.h"
#include "platform/win/Windows.h"

class TcxCustomGrid;
class TcxCustomGridView;

class TcxCustomGridChange : public TObject {
  TRENVIK_CLASS(TcxCustomGridChange, TObject);

 public:
  TcxCustomGridChange() = default;

  virtual void Execute() = 0;
  // True when the later change AChange makes this one redundant.
  virtual bool IsCompatibleWith(TcxCustomGridChange*) { return false; }
  virtual bool IsMergeable() { return true; }
  virtual bool IsEqual(TcxCustomGridChange* AChange) { return AChange->ClassType() == ClassType(); }
  virtual bool IsQueueable() { return true; }

  // The grid that runs the change; nil when a view without a grid runs it itself.
  TcxCustomGrid* Control = nullptr;
};

class TcxCustomGridViewChange : public TcxCustomGridChange {
  TRENVIK_CLASS(TcxCustomGridViewChange, TcxCustomGridChange);

 public:
  // A nil view means the whole grid.
  explicit TcxCustomGridViewChange(TcxCustomGridView* AGridView) : GridView(AGridView) {}
  bool IsEqual(TcxCustomGridChange* AChange) override;

  TcxCustomGridView* GridView;
};

class TcxGridLayoutChange : public TcxCustomGridViewChange {
  TRENVIK_CLASS(TcxGridLayoutChange, TcxCustomGridViewChange);

 public:
  using TcxCustomGridViewChange::TcxCustomGridViewChange;
  void Execute() override;
  bool IsCompatibleWith(TcxCustomGridChange* AChange) override;
};

class TcxGridSizeChange : public TcxCustomGridViewChange {
  TRENVIK_CLASS(TcxGridSizeChange, TcxCustomGridViewChange);

 public:
  TcxGridSizeChange(TcxCustomGridView* AGridView, bool AViewOnly = false, bool AKeepMasterCache = false)
      : TcxCustomGridViewChange(AGridView), ViewOnly(AViewOnly), KeepMasterCache(AKeepMasterCache) {}
  void Execute() override;
  bool IsCompatibleWith(TcxCustomGridChange* AChange) override;
  bool IsEqual(TcxCustomGridChange* AChange) override;

  bool ViewOnly;
  bool KeepMasterCache;
};

// Repaints a rectangle of a view's site (all of it when empty).
class TcxGridViewChange : public TcxCustomGridViewChange {
  TRENVIK_CLASS(TcxGridViewChange, TcxCustomGridViewChange);

 public:
  TcxGridViewChange(TcxCustomGridView* AGridView, const RECT& ARect)
      : TcxCustomGridViewChange(AGridView), RepaintBounds(ARect) {}
  void Execute() override;
  bool IsMergeable() override { return false; }

  RECT RepaintBounds;
};

// Tells a view that its data changed; never waits in the queue.
class TcxGridDataChange : public TcxCustomGridViewChange {
  TRENVIK_CLASS(TcxGridDataChange, TcxCustomGridViewChange);

 public:
  using TcxCustomGridViewChange::TcxCustomGridViewChange;
  void Execute() override;
  bool IsQueueable() override { return false; }
};
