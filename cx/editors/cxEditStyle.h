// The appearance of an editor: eleven values, each assigned locally or inherited from the style
// controller chain, else a default of the look and feel or of the owning edit; and the controller
// that lends one such style to many editors.
#pragma once

#include <memory>

#include "cx/foundation/cxContainer.h"
#include "platform/forms/GraphicsObjects.h"

enum TcxEditStyleValue {
  svBorderColor,
  svBorderStyle,
  svButtonStyle,
  svButtonTransparency,
  svColor,
  svEdges,
  svFont,
  svHotTrack,
  svPopupBorderStyle,
  svShadow,
  svTransparent
};
using TcxEditStyleValues = Set<TcxEditStyleValue>;

// The edges set is written by name in form files.
TRENVIK_ENUM_INFO(TcxBorder, bLeft, bTop, bRight, bBottom);

TRENVIK_ENUM(TcxEditBorderStyle, ebsNone, ebsSingle, ebsThick, ebsFlat, ebs3D, ebsUltraFlat);
TRENVIK_ENUM(TcxEditButtonStyle, btsDefault, bts3D, btsFlat, btsSimple, btsHotFlat, btsUltraFlat);
TRENVIK_ENUM(TcxEditButtonTransparency, ebtNone, ebtInactive, ebtAlways, ebtHideInactive, ebtHideUnselected);
TRENVIK_ENUM(TcxEditPopupBorderStyle, epbsDefault, epbsSingle, epbsFrame3D, epbsFlat);

class TcxCustomEditStyle : public TcxCustomContainerStyle {
  TRENVIK_CLASS(TcxCustomEditStyle, TcxCustomContainerStyle);

 public:
  // In direct-access mode every value counts as assigned, the font is borrowed and nobody is told
  // of changes (painting editors without controls).
  TcxCustomEditStyle(TPersistent* AOwner, bool ADirectAccessMode);
  ~TcxCustomEditStyle() override;

  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;
  void ControllerChangedNotification(TcxStyleController* AController) override;
  void ControllerChanged() override;

  bool DirectAccessMode() const { return directAccessMode_; }
  // Form files keep only the values set on this style itself.
  template <TcxEditStyleValue V>
  bool IsValueStored() const {
    return assignedValues_.Contains(V);
  }
  TcxEditStyleValues AssignedValues() const;
  void SetAssignedValues(TcxEditStyleValues Value);

  TColor BorderColor() const;
  void SetBorderColor(TColor Value) { SetValue(svBorderColor, borderColor_, Value); }
  TcxEditBorderStyle BorderStyle() const;
  void SetBorderStyle(TcxEditBorderStyle Value) { SetValue(svBorderStyle, borderStyle_, Value); }
  TcxEditButtonStyle ButtonStyle() const;
  void SetButtonStyle(TcxEditButtonStyle Value) { SetValue(svButtonStyle, buttonStyle_, Value); }
  TcxEditButtonTransparency ButtonTransparency() const;
  void SetButtonTransparency(TcxEditButtonTransparency Value) {
    SetValue(svButtonTransparency, buttonTransparency_, Value);
  }
  TColor Color() const;
  void SetColor(TColor Value) { SetValue(svColor, color_, Value); }
  TcxBorders Edges() const;
  void SetEdges(TcxBorders Value) { SetValue(svEdges, edges_, Value); }
  TFont* Font() const;
  void SetFont(TFont* Value);
  bool HotTrack() const;
  void SetHotTrack(bool Value) { SetValue(svHotTrack, hotTrack_, Value); }
  TcxEditPopupBorderStyle PopupBorderStyle() const;
  void SetPopupBorderStyle(TcxEditPopupBorderStyle Value) {
    SetValue(svPopupBorderStyle, popupBorderStyle_, Value);
  }
  bool Shadow() const;
  void SetShadow(bool Value) { SetValue(svShadow, shadow_, Value); }
  bool Transparent() const;
  void SetTransparent(bool Value) { SetValue(svTransparent, transparent_, Value); }
  bool IsPopupCloseButton() const { return popupCloseButton_; }
  void SetPopupCloseButton(bool Value);
  // The text colour of a direct-access style.
  TColor TextColor = clWindowText;

  virtual TColor DefaultBorderColor() const { return clWindowFrame; }
  virtual TcxEditBorderStyle DefaultBorderStyle() const;
  virtual TcxEditButtonStyle DefaultButtonStyle() const { return btsDefault; }
  virtual TcxEditButtonTransparency DefaultButtonTransparency() const { return ebtNone; }
  virtual TColor DefaultColor() const;
  virtual TcxBorders DefaultEdges() const { return cxBordersAll; }
  virtual bool DefaultHotTrack() const { return true; }
  virtual TcxEditPopupBorderStyle DefaultPopupBorderStyle() const { return epbsDefault; }
  virtual bool DefaultPopupCloseButton() const { return true; }
  virtual bool DefaultShadow() const { return false; }
  virtual bool DefaultTransparent() const { return false; }

 private:
  // The nearest style up the controller chain, or nullptr.
  const TcxCustomEditStyle* ControllerStyle() const;
  // The local value when assigned, else the controller chain's, else the default.
  template <class T>
  T Resolve(TcxEditStyleValue AValue, T TcxCustomEditStyle::*AField,
            T (TcxCustomEditStyle::*ADefault)() const) const {
    for (const TcxCustomEditStyle* style = this; style; style = style->ControllerStyle())
      if (style->AssignedValues().Contains(AValue)) return style->*AField;
    return (this->*ADefault)();
  }
  template <class T>
  void SetValue(TcxEditStyleValue AValue, T& AField, T ANew) {
    if (assignedValues_.Contains(AValue) && AField == ANew) return;
    AField = ANew;
    assignedValues_.Include(AValue);
    Changed();
  }
  void FontChanged();
  void UpdateFont();

  bool directAccessMode_;
  TcxEditStyleValues assignedValues_;
  bool fontSynchronizing_ = false;
  TColor borderColor_ = clWindowFrame;
  TcxEditBorderStyle borderStyle_ = ebs3D;
  TcxEditButtonStyle buttonStyle_ = btsDefault;
  TcxEditButtonTransparency buttonTransparency_ = ebtNone;
  TColor color_ = clWindow;
  TcxBorders edges_ = cxBordersAll;
  std::unique_ptr<TFont> ownFont_;
  TFont* font_ = nullptr;
  bool hotTrack_ = true;
  TcxEditPopupBorderStyle popupBorderStyle_ = epbsDefault;
  bool popupCloseButton_ = true;
  bool shadow_ = false;
  bool transparent_ = false;
};

class TcxEditStyle : public TcxCustomEditStyle {
  TRENVIK_CLASS(TcxEditStyle, TcxCustomEditStyle);

 public:
  TcxEditStyle(TPersistent* AOwner, bool ADirectAccessMode) : TcxCustomEditStyle(AOwner, ADirectAccessMode) {}
};

class TcxEditStyleController : public TcxStyleController {
  TRENVIK_CLASS(TcxEditStyleController, TcxStyleController);

 public:
  explicit TcxEditStyleController(TComponent* AOwner) : TcxStyleController(AOwner) {}
  TcxEditStyle* Style() { return static_cast<TcxEditStyle*>(inherited::Style()); }
  TcxContainerStyleClass GetStyleClass() override;
};
