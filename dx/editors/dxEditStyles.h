// Edit styles and style controllers: a value set on an editor's own style wins; an unset value comes
// from the editor's style controller, then from the global default controller, then from a constant.
#pragma once

#include <functional>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/classes/Set.h"
#include "platform/forms/Colors.h"

class TdxInplaceEdit;

TRENVIK_ENUM(TdxEditBorderStyle, xbsNone, xbsSingle, xbsThick, xbsFlat, xbs3D);
TRENVIK_ENUM(TdxEditButtonViewStyle, btsDefault, bts3D, btsFlat, btsSimple, btsHotFlat);
TRENVIK_ENUM(TdxEditButtonTransparence, ebtNone, ebtInactive, ebtAlways, ebtHideInactive);
TRENVIK_ENUM(TdxEditEdge, edgLeft, edgTop, edgRight, edgBottom);
using TdxEditEdges = Set<TdxEditEdge>;
TRENVIK_ENUM(TdxEditStyleValue, svBorderColor, svBorderStyle, svButtonStyle, svButtonTransparence, svEdges,
             svHotTrack, svShadow);
using TdxEditStyleValues = Set<TdxEditStyleValue>;

inline const TdxEditEdges dxAllEdges{edgLeft, edgTop, edgRight, edgBottom};

using TdxStyleChangedEvent = std::function<void(TObject* Sender, TObject* Link)>;

class TdxStyleController : public TComponent {
  TRENVIK_CLASS(TdxStyleController, TComponent);

 public:
  explicit TdxStyleController(TComponent* AOwner);
  ~TdxStyleController() override;

  virtual void AddLink(TObject* Link);
  virtual void RemoveLink(TObject* Link);
  virtual void LinkChanged(TObject* Link);

  void BeginUpdate() { ++updateLock_; }
  void EndUpdate();
  void Changed() { NotifyLinks(); }
  int LinkCount() const { return static_cast<int>(links_.size()); }
  bool HasLink(TObject* Link) const;

  TdxStyleChangedEvent OnStyleChanged;

 protected:
  void Loaded() override;
  void NotifyLinks();

 private:
  std::vector<TObject*> links_;  // not owned
  int updateLock_ = 0;
};

class TdxEditStyleController : public TdxStyleController {
  TRENVIK_CLASS(TdxEditStyleController, TdxStyleController);

 public:
  explicit TdxEditStyleController(TComponent* AOwner);

  void Assign(TPersistent* Source) override;
  void LinkChanged(TObject* Link) override;
  virtual void RestoreDefaults();

  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor Value) { SetValue(borderColor_, Value); }
  TdxEditBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TdxEditBorderStyle Value) { SetValue(borderStyle_, Value); }
  TdxEditButtonViewStyle ButtonStyle() const { return buttonStyle_; }
  void SetButtonStyle(TdxEditButtonViewStyle Value) { SetValue(buttonStyle_, Value); }
  TdxEditButtonTransparence ButtonTransparence() const { return buttonTransparence_; }
  void SetButtonTransparence(TdxEditButtonTransparence Value) { SetValue(buttonTransparence_, Value); }
  TdxEditEdges Edges() const { return edges_; }
  void SetEdges(TdxEditEdges Value) { SetValue(edges_, Value); }
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool Value) { SetValue(hotTrack_, Value); }
  bool Shadow() const { return shadow_; }
  void SetShadow(bool Value) { SetValue(shadow_, Value); }

 protected:
  // The defaults RestoreDefaults returns to (a check-editor controller has its own).
  virtual TdxEditBorderStyle DefaultBorderStyle() const { return xbs3D; }
  virtual TdxEditButtonViewStyle DefaultButtonStyle() const { return btsDefault; }

 private:
  template <class V>
  void SetValue(V& Field, const V& Value) {
    if (Field == Value) return;
    Field = Value;
    NotifyLinks();
  }
  TColor borderColor_ = clWindowFrame;
  TdxEditBorderStyle borderStyle_ = xbs3D;
  TdxEditButtonViewStyle buttonStyle_ = btsDefault;
  TdxEditButtonTransparence buttonTransparence_ = ebtNone;
  TdxEditEdges edges_ = dxAllEdges;
  bool hotTrack_ = false;
  bool shadow_ = false;
};

// The style of one editor. The creator calls LinkDefaultController after construction, so that a
// descendant's default controller is the one linked.
class TdxEditStyle : public TPersistent {
  TRENVIK_CLASS(TdxEditStyle, TPersistent);

 public:
  explicit TdxEditStyle(TdxInplaceEdit* Editor = nullptr);
  ~TdxEditStyle() override;
  void LinkDefaultController();

  void Assign(TPersistent* Source) override;
  virtual void Changed();
  virtual TColor GetDefaultBorderColor() const;
  virtual TdxEditBorderStyle GetDefaultBorderStyle() const;
  virtual TdxEditButtonViewStyle GetDefaultButtonStyle() const;
  virtual TdxEditButtonTransparence GetDefaultButtonTransparence() const;
  virtual TdxEditEdges GetDefaultEdges() const;
  virtual bool GetDefaultHotTrack() const;
  virtual bool GetDefaultShadow() const;
  virtual TdxEditStyleController* GetDefaultStyleController() const;
  virtual void RestoreDefaults();

  TdxInplaceEdit* Editor() const { return editor_; }
  TdxEditStyleValues AssignedValues() const { return assigned_; }
  void SetAssignedValues(TdxEditStyleValues Value);

  TColor BorderColor() const { return Has(svBorderColor) ? borderColor_ : GetDefaultBorderColor(); }
  void SetBorderColor(TColor Value) { SetValue(svBorderColor, borderColor_, Value); }
  TdxEditBorderStyle BorderStyle() const { return Has(svBorderStyle) ? borderStyle_ : GetDefaultBorderStyle(); }
  void SetBorderStyle(TdxEditBorderStyle Value) { SetValue(svBorderStyle, borderStyle_, Value); }
  TdxEditButtonViewStyle ButtonStyle() const {
    return Has(svButtonStyle) ? buttonStyle_ : GetDefaultButtonStyle();
  }
  void SetButtonStyle(TdxEditButtonViewStyle Value) { SetValue(svButtonStyle, buttonStyle_, Value); }
  TdxEditButtonTransparence ButtonTransparence() const {
    return Has(svButtonTransparence) ? buttonTransparence_ : GetDefaultButtonTransparence();
  }
  void SetButtonTransparence(TdxEditButtonTransparence Value) {
    SetValue(svButtonTransparence, buttonTransparence_, Value);
  }
  TdxEditEdges Edges() const { return Has(svEdges) ? edges_ : GetDefaultEdges(); }
  void SetEdges(TdxEditEdges Value) { SetValue(svEdges, edges_, Value); }
  bool HotTrack() const { return Has(svHotTrack) ? hotTrack_ : GetDefaultHotTrack(); }
  void SetHotTrack(bool Value) { SetValue(svHotTrack, hotTrack_, Value); }
  bool Shadow() const { return Has(svShadow) ? shadow_ : GetDefaultShadow(); }
  void SetShadow(bool Value) { SetValue(svShadow, shadow_, Value); }

  bool IsBorderColorStored() const { return Has(svBorderColor); }
  bool IsBorderStyleStored() const { return Has(svBorderStyle); }
  bool IsButtonStyleStored() const { return Has(svButtonStyle); }
  bool IsButtonTransparenceStored() const { return Has(svButtonTransparence); }
  bool IsEdgesStored() const { return Has(svEdges); }
  bool IsHotTrackStored() const { return Has(svHotTrack); }
  bool IsShadowStored() const { return Has(svShadow); }

 protected:
  // The controller the unset values come from: the editor's own, else the default one.
  TdxEditStyleController* SourceController() const;
  // A controller's value, or the constant when there is no controller.
  template <class V>
  V FromController(V (TdxEditStyleController::*Getter)() const, V Constant) const {
    TdxEditStyleController* c = SourceController();
    return c ? (c->*Getter)() : Constant;
  }

 private:
  bool Has(TdxEditStyleValue V) const { return assigned_.Contains(V); }
  template <class V>
  void SetValue(TdxEditStyleValue Member, V& Field, const V& Value) {
    if (Has(Member) && Field == Value) return;
    Field = Value;
    assigned_.Include(Member);
    Changed();
  }

  TdxInplaceEdit* editor_;
  TdxEditStyleController* linkedDefault_ = nullptr;
  TdxEditStyleValues assigned_;
  TColor borderColor_ = clWindowFrame;
  TdxEditBorderStyle borderStyle_ = xbs3D;
  TdxEditButtonViewStyle buttonStyle_ = btsDefault;
  TdxEditButtonTransparence buttonTransparence_ = ebtNone;
  TdxEditEdges edges_ = dxAllEdges;
  bool hotTrack_ = false;
  bool shadow_ = false;
};

// The global default controller (none before the module starts and after it ends).
TdxEditStyleController* DefaultEditStyleController();
void InitDefaultEditStyleController();
void FinalizeDefaultEditStyleController();
