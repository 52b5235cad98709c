// Styles: a colour, a font and a text colour, each optional; style repositories that own styles and
// style sheets; slot containers that reference styles by number, fall back to an attached sheet and
// merge an event's style, the slot's style and the owner's defaults into the parameters of a paint.
#pragma once

#include <memory>
#include <vector>

#include "cx/foundation/cxClasses.h"
#include "cx/foundation/cxControls.h"
#include "platform/forms/Graphics.h"

// Scoped: the editors' style values use some of the same names.
enum class TcxStyleValue { svColor, svFont, svTextColor };
TRENVIK_ENUM_INFO(TcxStyleValue, svColor, svFont, svTextColor);
using TcxStyleValues = Set<TcxStyleValue>;

class TcxCustomStyle;
class TcxCustomStyles;
class TcxStyleRepository;

// Told when a style it holds changes or is freed.
class IcxStyleWatcher {
 public:
  virtual void StyleChanged(TcxCustomStyle* Sender) = 0;
  virtual void StyleRemoved(TcxCustomStyle* Sender) = 0;

 protected:
  ~IcxStyleWatcher() = default;
};

class TcxCustomStyle : public TComponent {
  TRENVIK_CLASS(TcxCustomStyle, TComponent);

 public:
  explicit TcxCustomStyle(TComponent* AOwner);
  ~TcxCustomStyle() override;

  TcxStyleRepository* StyleRepository() const { return repository_; }
  void SetStyleRepository(TcxStyleRepository* Value);
  virtual void Changed();
  virtual void AddListener(IcxStyleWatcher* AListener);
  virtual void RemoveListener(IcxStyleWatcher* AListener);
  virtual void RestoreDefaults() {}

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

 protected:
  void ReadState(TReader* Reader) override;

 private:
  std::vector<IcxStyleWatcher*> listeners_;
  TcxStyleRepository* repository_ = nullptr;
};

class TcxStyle : public TcxCustomStyle {
  TRENVIK_CLASS(TcxStyle, TcxCustomStyle);

 public:
  explicit TcxStyle(TComponent* AOwner);
  ~TcxStyle() override;

  TcxStyleValues AssignedValues() const { return assignedValues_; }
  void SetAssignedValues(TcxStyleValues Value);
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* Value) { font_->Assign(Value); }
  TColor TextColor() const { return textColor_; }
  void SetTextColor(TColor Value);

  void Assign(TPersistent* Source) override;
  void RestoreDefaults() override;

  template <TcxStyleValue V>
  bool IsValueStored() const {
    return assignedValues_.Contains(V);
  }

 private:
  void FontChanged();

  TcxStyleValues assignedValues_;
  TColor color_ = clDefault;
  std::unique_ptr<TFont> font_;
  TColor textColor_ = clDefault;
};

// A named, reusable set of slots; the class of its styles object is fixed by the sheet's class.
class TcxCustomStyleSheet : public TcxComponent {
  TRENVIK_CLASS(TcxCustomStyleSheet, TcxComponent);

 public:
  explicit TcxCustomStyleSheet(TComponent* AOwner);
  ~TcxCustomStyleSheet() override;

  // The class of the styles object every sheet of this class holds (the styles objects that may use
  // it are of exactly this class).
  virtual TClass GetStylesClass() const;

  String Caption() const { return caption_.empty() ? Name() : caption_; }
  void SetCaption(const String& Value);
  bool IsCaptionStored() const { return !caption_.empty(); }
  TcxCustomStyles* Styles();
  void SetStyles(TcxCustomStyles* Value);
  TcxStyleRepository* StyleRepository() const { return repository_; }
  void SetStyleRepository(TcxStyleRepository* Value);
  void StyleSheetChanged(int AIndex);
  void AddUser(TcxCustomStyles* AStyles);
  void RemoveUser(TcxCustomStyles* AStyles);
  int UserCount() const { return static_cast<int>(users_.size()); }

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

 protected:
  void GetFakeComponentLinks(std::vector<TComponent*>& AList) override;
  void ReadState(TReader* Reader) override;

 private:
  String caption_;
  TcxStyleRepository* repository_ = nullptr;
  std::unique_ptr<TcxCustomStyles> styles_;
  std::vector<TcxCustomStyles*> users_;
};
using TcxCustomStyleSheetClass = TClass;

class TcxStyleRepository : public TComponent {
  TRENVIK_CLASS(TcxStyleRepository, TComponent);

 public:
  explicit TcxStyleRepository(TComponent* AOwner) : TComponent(AOwner) {}
  ~TcxStyleRepository() override;

  TcxCustomStyle* CreateStyle(TClass AStyleClass) { return CreateStyleWithOwner(AStyleClass, this); }
  virtual TcxCustomStyle* CreateStyleWithOwner(TClass AStyleClass, TComponent* AOwner);
  TcxCustomStyleSheet* CreateStyleSheet(TClass ASheetClass) { return CreateStyleSheetWithOwner(ASheetClass, this); }
  virtual TcxCustomStyleSheet* CreateStyleSheetWithOwner(TClass ASheetClass, TComponent* AOwner);

  int Count() const { return static_cast<int>(styles_.size()); }
  TcxCustomStyle* Items(int AIndex) const { return styles_.at(static_cast<size_t>(AIndex)); }
  int StyleSheetCount() const { return static_cast<int>(sheets_.size()); }
  TcxCustomStyleSheet* StyleSheets(int AIndex) const { return sheets_.at(static_cast<size_t>(AIndex)); }

  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

 private:
  friend class TcxCustomStyle;
  friend class TcxCustomStyleSheet;
  std::vector<TcxCustomStyle*> styles_;
  std::vector<TcxCustomStyleSheet*> sheets_;
};

// The merged parameters of one painted element; clDefault and a nil font mean "not decided".
struct TcxStyleParams {
  TColor Color = clDefault;
  TFont* Font = nullptr;
  TColor TextColor = clDefault;
};

// Numbered style slots, sorted by number, with a style sheet to fall back on.
class TcxCustomStyles : public TcxInterfacedPersistent, public IcxStyleWatcher {
  TRENVIK_CLASS(TcxCustomStyles, TcxInterfacedPersistent);

 public:
  explicit TcxCustomStyles(TPersistent* AOwner);
  ~TcxCustomStyles() override;

  TcxCustomStyle* GetStyle(int AIndex);
  void SetStyle(int AIndex, TcxCustomStyle* AStyle);
  TcxStyle* GetValue(int AIndex) { return dynamic_cast<TcxStyle*>(GetStyle(AIndex)); }
  // Binary search over the slot numbers; APosition is the insertion point when not found.
  bool FindIndex(int AIndex, int& APosition) const;
  int EntryCount() const { return static_cast<int>(entries_.size()); }
  TcxCustomStyle* EntryStyle(int APosition) const { return entries_.at(static_cast<size_t>(APosition)).Style; }
  void Clear();

  TcxCustomStyleSheet* StyleSheet() const { return styleSheet_; }
  void SetStyleSheet(TcxCustomStyleSheet* Value);
  TcxCustomStyleSheet* OwnerStyleSheet() const { return ownerStyleSheet_; }
  void SetOwnerStyleSheet(TcxCustomStyleSheet* Value) { ownerStyleSheet_ = Value; }
  bool IsDestroying() const { return destroying_; }

  void StyleChanged(TcxCustomStyle* Sender) override;
  void StyleRemoved(TcxCustomStyle* Sender) override;
  void Changed(int AIndex);
  void Assign(TPersistent* Source) override;

  // The styles owned by a component that is being written read the slot only, not the sheet.
  bool IsOwnerWriting();

 protected:
  virtual void DoChanged(int) {}
  // The style slots a concrete class copies in its Assign.
  void AssignSlots(TcxCustomStyles* ASource, std::initializer_list<int> AIndexes);

 private:
  struct TEntry {
    int Index;
    TcxCustomStyle* Style;
  };
  bool CanUseStyleSheet(TcxCustomStyleSheet* Value);
  std::vector<int> ChainIndexes(TcxCustomStyleSheet* ASheet) const;
  void DeleteEntry(int APosition);
  void StopListening(TcxCustomStyle* AStyle);

  std::vector<TEntry> entries_;
  TcxCustomStyleSheet* styleSheet_ = nullptr;
  TcxCustomStyleSheet* ownerStyleSheet_ = nullptr;
  bool destroying_ = false;
};

// Adds the parameter merge and follows the control's font for the slots that use the default font.
class TcxStyles : public TcxCustomStyles, public IcxFontListener {
  TRENVIK_CLASS(TcxStyles, TcxCustomStyles);

 public:
  explicit TcxStyles(TPersistent* AOwner) : TcxCustomStyles(AOwner) {}

  // AStyle is what an event handler supplied for this very element (may be nil).
  void GetViewParams(int AIndex, void* AData, TcxCustomStyle* AStyle, TcxStyleParams& AParams);
  virtual void GetDefaultViewParams(int AIndex, void* AData, TcxStyleParams& AParams);
  virtual bool UsesDefaultFont(int AIndex);
  void FontChanged(TObject* Sender, TFont* AFont) override;
  int MaxDefaultViewParamsIndex() const { return maxDefaultIndex_; }

 private:
  int maxDefaultIndex_ = -1;
};
