// A page control: tabs (or buttons) along the top, one tab sheet shown below them at a time.
#pragma once

#include <memory>
#include <vector>

#include "platform/forms/Controls.h"
#include "platform/forms/ImgList.h"

TRENVIK_ENUM(TTabStyle, tsTabs, tsButtons, tsFlatButtons);

class TPageControl;
using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TTabSheet : public TWinControl {
  TRENVIK_CLASS(TTabSheet, TWinControl);

 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;

  TPageControl* PageControl() const { return pageControl_; }
  void SetPageControl(TPageControl* Value);
  // The sheet's place among all pages.
  int PageIndex() const;
  void SetPageIndex(int Value);
  // The sheet's place among the visible tabs; -1 when its tab is hidden.
  int TabIndex() const;
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool Value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

 protected:
  void ReadState(TReader* Reader) override;
  void SetParentComponent(TComponent* Value) override;

 private:
  friend class TPageControl;
  TRENVIK_MESSAGES(TTabSheet);
  void CMTextChanged(TMessage& Message);

  TPageControl* pageControl_ = nullptr;
  bool tabVisible_ = true;
  int imageIndex_ = -1;
};

class TPageControl : public TCustomControl {
  TRENVIK_CLASS(TPageControl, TCustomControl);

 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;

  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int Index) const { return pages_.at(static_cast<size_t>(Index)); }
  TTabSheet* ActivePage() const { return activePage_; }
  void SetActivePage(TTabSheet* Value);
  int ActivePageIndex() const;
  void SetActivePageIndex(int Value);
  // The next page after CurPage (wrapping round), only those with visible tabs when asked.
  TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;
  // Moves to the next visible tab as the user would, with OnChanging and OnChange.
  void SelectNextPage(bool GoForward);

  TTabStyle Style() const { return style_; }
  void SetStyle(TTabStyle Value);
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value);
  // 0 sizes the tabs to their captions.
  int TabHeight() const { return tabHeight_; }
  void SetTabHeight(int Value);
  int TabWidth() const { return tabWidth_; }
  void SetTabWidth(int Value);
  // The tab (visible tab index) at a client point; -1 when none.
  int IndexOfTabAt(int X, int Y);
  RECT TabRect(int TabIndex);
  // The visible-tab sheets in order.
  std::vector<TTabSheet*> VisibleTabs() const;

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

 protected:
  void AdjustClientRect(RECT& Rect) override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  void Loaded() override;
  virtual bool CanChange();
  virtual void Change();

 private:
  friend class TTabSheet;
  TRENVIK_MESSAGES(TPageControl);
  void CMDialogKey(TWMKey& Message);
  void CMFontChanged(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);

  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  void MovePage(TTabSheet* Page, int Index);
  void ShowOnly(TTabSheet* Page);
  // Changes the page at the user's request; false when OnChanging refused.
  bool ChangeActivePage(TTabSheet* Page);
  void TabsChanged();
  int RowHeight();
  int TabTextWidth(TTabSheet* Page);
  void DrawTab(TTabSheet* Page, RECT R, bool Selected);

  std::vector<TTabSheet*> pages_;
  TTabSheet* activePage_ = nullptr;
  TCustomImageList* images_ = nullptr;
  std::unique_ptr<TChangeLink> imageLink_;
  TTabStyle style_ = tsTabs;
  int tabHeight_ = 0;
  int tabWidth_ = 0;
};
