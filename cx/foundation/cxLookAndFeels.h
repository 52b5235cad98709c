// Look and feel: how a cx control is drawn (flat, standard or ultra-flat, with or without the
// platform's visual styles). Look-and-feel objects form chains: each follows its master (or the
// application-wide root) for every value it has not set itself, and announces changes of its
// effective values to its listeners and its owner. A controller component edits the root.
#pragma once

#include <functional>
#include <vector>

#include "cx/foundation/cxClasses.h"
#include "cx/foundation/cxLookAndFeelPainters.h"
#include "platform/classes/Component.h"
#include "platform/classes/TypInfo.h"

TRENVIK_ENUM(TcxLookAndFeelKind, lfFlat, lfStandard, lfUltraFlat);
TRENVIK_ENUM(TcxLookAndFeelValue, lfvKind, lfvNativeStyle);
using TcxLookAndFeelValues = Set<TcxLookAndFeelValue>;

class TcxLookAndFeel;

// Told when the look and feel it listens to changes or goes away.
class IcxLookAndFeelListener {
 public:
  virtual TObject* GetObject() = 0;
  virtual void MasterLookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues) = 0;
  virtual void MasterLookAndFeelDestroying(TcxLookAndFeel* Sender) = 0;

 protected:
  ~IcxLookAndFeelListener() = default;
};

using TcxLookAndFeelChangedEvent =
    std::function<void(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues)>;

class TcxLookAndFeel : public TcxInterfacedPersistent, public IcxLookAndFeelListener {
  TRENVIK_CLASS(TcxLookAndFeel, TcxInterfacedPersistent);

 public:
  // Follows the root from construction on (the root itself follows nothing).
  explicit TcxLookAndFeel(TPersistent* AOwner);
  // Tells the listeners first, then leaves its master.
  ~TcxLookAndFeel() override;

  // From another look and feel: its own values, assigned values and master.
  void Assign(TPersistent* Source) override;

  // The painter class for the effective values, chosen anew on every call so that it follows the
  // system's theme state.
  TcxLookAndFeelPainterClass Painter() const { return GetPainter(); }
  TcxLookAndFeelPainterClass GetPainter() const;

  // The effective values as last announced.
  TcxLookAndFeelKind Kind() const { return currentKind_; }
  // Marks the kind assigned; announces only an effective change.
  void SetKind(TcxLookAndFeelKind Value);
  bool NativeStyle() const { return currentNativeStyle_; }
  void SetNativeStyle(bool Value);
  TcxLookAndFeelValues AssignedValues() const { return assignedValues_; }
  void SetAssignedValues(TcxLookAndFeelValues Value);
  // Clears the assigned values.
  void Reset() { SetAssignedValues({}); }

  // The explicit master, else the root; none for the root.
  TcxLookAndFeel* MasterLookAndFeel() const { return GetMaster(); }
  TcxLookAndFeel* GetMaster() const;
  // Nothing for the root, for itself, or for the master it already follows.
  void SetMasterLookAndFeel(TcxLookAndFeel* Value);

  // A controller is accepted only by the root; a listener is never listed twice.
  void AddListener(IcxLookAndFeelListener* AListener);
  void RemoveListener(IcxLookAndFeelListener* AListener);
  int ListenerCount() const { return static_cast<int>(listeners_.size()); }
  bool IsRoot() const { return isRoot_; }

  TcxLookAndFeelChangedEvent OnChanged;

  // IcxLookAndFeelListener: a master's change is passed on unless the value is set here.
  TObject* GetObject() override { return this; }
  void MasterLookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues) override;
  void MasterLookAndFeelDestroying(TcxLookAndFeel* Sender) override;

  bool IsKindStored() const { return assignedValues_.Contains(lfvKind); }
  bool IsNativeStyleStored() const { return assignedValues_.Contains(lfvNativeStyle); }

 protected:
  virtual TcxLookAndFeelKind GetEffectiveKind() const;
  virtual bool GetEffectiveNativeStyle() const;
  // Recomputes the current values, then tells the listeners and the owner.
  void Changed(TcxLookAndFeelValues AChangedValues);
  // Announces what differs from the values SaveValues kept (a descendant whose effective values
  // differ from its ancestor's runs both after its own construction).
  void CheckValuesChanged();
  void SaveValues();

 private:
  friend void InitializeLookAndFeels();

  TcxLookAndFeelValues assignedValues_;
  std::vector<IcxLookAndFeelListener*> listeners_;
  TcxLookAndFeelKind currentKind_ = lfUltraFlat;
  bool currentNativeStyle_ = false;
  TcxLookAndFeelKind kind_ = lfUltraFlat;
  bool nativeStyle_ = false;
  bool destroying_ = false;
  bool isRoot_ = false;
  TcxLookAndFeel* master_ = nullptr;
  TcxLookAndFeelKind prevKind_ = lfUltraFlat;
  bool prevNativeStyle_ = false;
};

// Sets the look of the whole application: its values are the root's.
class TcxLookAndFeelController : public TComponent, public IcxLookAndFeelListener {
  TRENVIK_CLASS(TcxLookAndFeelController, TComponent);

 public:
  explicit TcxLookAndFeelController(TComponent* AOwner);
  ~TcxLookAndFeelController() override;

  TcxLookAndFeelKind Kind() const;
  void SetKind(TcxLookAndFeelKind Value);
  bool NativeStyle() const;
  void SetNativeStyle(bool Value);

  TObject* GetObject() override { return this; }
  // Only a form designer would hear of these; at run time they change nothing.
  void MasterLookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues AChangedValues) override;
  void MasterLookAndFeelDestroying(TcxLookAndFeel* Sender) override;
};

// The application-wide root; nullptr outside the module's lifetime.
TcxLookAndFeel* RootLookAndFeel();
// How many controllers listen to the root.
int cxLookAndFeelControllerCount();

void InitializeLookAndFeels();
void FinalizeLookAndFeels();
