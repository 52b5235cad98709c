// Levels: the tree of a grid's views. The root's children are the top levels (tabs); a child of a
// level with a view is a detail level whose view is the pattern of one clone per master record.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "cx/grid/cxGridCommon.h"

class TcxCustomGrid;
class TcxCustomGridView;
class TcxGridLevel;
class TcxCustomDataRelation;
class TcxCustomGridRecord;

TRENVIK_ENUM(TcxGridDetailTabsPosition, dtpNone, dtpLeft, dtpTop);

class TcxGridLevelOptions : public TPersistent {
  TRENVIK_CLASS(TcxGridLevelOptions, TPersistent);

 public:
  using TCreateArg = TcxGridLevel;
  explicit TcxGridLevelOptions(TcxGridLevel* ALevel);

  TcxGridLevel* Level() const { return level_; }
  TColor DetailFrameColor() const { return detailFrameColor_; }
  void SetDetailFrameColor(TColor Value);
  int DetailFrameWidth() const { return detailFrameWidth_; }
  void SetDetailFrameWidth(int Value);
  TcxGridDetailTabsPosition DetailTabsPosition() const { return detailTabsPosition_; }
  void SetDetailTabsPosition(TcxGridDetailTabsPosition Value);
  bool IsDetailFrameColorStored() const { return detailFrameColor_ != clDefault; }
  bool IsDetailFrameWidthStored() const;
  bool IsDetailTabsPositionStored() const { return detailTabsPosition_ != dtpNone; }
  // DetailFrameColor, or the look and feel's colour while it is clDefault.
  TColor GetDetailFrameColor() const;

  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

 private:
  TcxGridLevel* level_;
  TColor detailFrameColor_ = clDefault;
  int detailFrameWidth_ = 1;
  TcxGridDetailTabsPosition detailTabsPosition_ = dtpNone;
};

enum { lsTab = 0, lsTabsBackground = 1 };

using TcxGridLevelGetTabStyleEvent =
    std::function<void(TcxGridLevel* Sender, TcxGridLevel* ATabLevel, TcxStyle*& AStyle)>;

class TcxGridLevelStyles : public TcxStyles {
  TRENVIK_CLASS(TcxGridLevelStyles, TcxStyles);

 public:
  explicit TcxGridLevelStyles(TPersistent* AOwner) : TcxStyles(AOwner) {}

  TcxGridLevel* Level() const;
  TcxStyle* Tab() { return GetValue(lsTab); }
  void SetTab(TcxStyle* Value) { SetStyle(lsTab, Value); }
  TcxStyle* TabsBackground() { return GetValue(lsTabsBackground); }
  void SetTabsBackground(TcxStyle* Value) { SetStyle(lsTabsBackground, Value); }
  void GetTabParams(TcxGridLevel* ATabLevel, TcxStyleParams& AParams);
  void GetDefaultViewParams(int AIndex, void* AData, TcxStyleParams& AParams) override;
  void Assign(TPersistent* Source) override;

  TcxGridLevelGetTabStyleEvent OnGetTabStyle;

 protected:
  void DoChanged(int AIndex) override;
};

using TcxGridLevelGetGridViewEvent =
    std::function<void(TcxGridLevel* Sender, TcxCustomGridRecord* AMasterRecord, TcxCustomGridView*& AGridView)>;

class TcxGridLevel : public TComponent {
  TRENVIK_CLASS(TcxGridLevel, TComponent);

 public:
  explicit TcxGridLevel(TComponent* AOwner);
  ~TcxGridLevel() override;

  TcxCustomGrid* Grid() const { return grid_; }
  void SetGrid(TcxCustomGrid* Value) { grid_ = Value; }
  TcxGridLevel* Parent() const { return parent_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TcxGridLevel* Items(int AIndex) const { return items_.at(static_cast<size_t>(AIndex)); }
  int Index() const;
  int VisibleCount() const { return static_cast<int>(visibleItems_.size()); }
  TcxGridLevel* VisibleItems(int AIndex) const { return visibleItems_.at(static_cast<size_t>(AIndex)); }
  int VisibleIndex() const;

  const String& Caption() const { return caption_; }
  void SetCaption(const String& Value);
  TcxCustomGridView* GridView() const { return gridView_; }
  void SetGridView(TcxCustomGridView* Value);
  int MaxDetailHeight() const { return maxDetailHeight_; }
  void SetMaxDetailHeight(int Value);
  TcxGridLevelOptions* Options() const { return options_.get(); }
  void SetOptions(TcxGridLevelOptions* Value) { options_->Assign(Value); }
  TcxGridLevelStyles* Styles();
  void SetStyles(TcxGridLevelStyles* Value) { Styles()->Assign(Value); }
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  TcxCustomDataRelation* DataRelation() const { return relation_; }

  bool IsRoot() const;
  bool IsTop() const { return parent_ && parent_->IsRoot(); }
  bool IsActive() const;
  bool HasVisibleChildren() const { return !visibleItems_.empty(); }
  bool IsVisibleChain() const;
  bool IsVisibleInGrid() const;
  TcxGridLevel* FirstVisibleChild() const;

  TcxGridLevel* AddLevel();
  void AddChild(TcxGridLevel* ALevel);
  void RemoveChild(TcxGridLevel* ALevel);
  void SetActive(bool AValue);
  virtual TcxCustomGridView* CreateLinkedView(TcxCustomDataRelation* ARelation, int AMasterRecordIndex);
  virtual void Changed(bool ASizeChanged);
  virtual void CheckHeight(int& AHeight);
  virtual TClass GetLevelClass() const { return TcxGridLevel::StaticClass(); }
  virtual TClass GetStylesClass() const { return TcxGridLevelStyles::StaticClass(); }
  virtual void ChildVisibilityChanged(TcxGridLevel* ALevel);

  TcxGridLevelGetGridViewEvent OnGetGridView;

  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void ReadState(TReader* Reader) override;

 private:
  void JoinGrid(TcxCustomGrid* AGrid);
  void CreateRelation(TcxGridLevel* AChild);
  void FreeRelation();
  void LinkView(bool AVisible, bool APattern);
  void RebuildVisibleItems();

  TcxCustomGrid* grid_ = nullptr;
  TcxGridLevel* parent_ = nullptr;
  std::vector<TcxGridLevel*> items_;
  std::vector<TcxGridLevel*> visibleItems_;
  String caption_;
  TcxCustomGridView* gridView_ = nullptr;
  int maxDetailHeight_ = 0;
  std::unique_ptr<TcxGridLevelOptions> options_;
  std::unique_ptr<TcxGridLevelStyles> styles_;
  bool visible_ = true;
  TcxCustomDataRelation* relation_ = nullptr;
};
