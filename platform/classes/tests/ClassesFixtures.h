// Small component classes the object-model tests stream, own and notify.
#pragma once

#include <string>
#include <vector>

#include "platform/classes/Classes.h"
#include "platform/classes/StringList.h"

TRENVIK_ENUM(TTestAlign, taNone, taLeft, taClient);
TRENVIK_ENUM(TTestStyle, tsBold, tsItalic, tsUnderline);
using TTestStyles = Set<TTestStyle>;

// Records what happens to the test objects, in order.
std::vector<std::string>& TestLog();

class TTestFont : public TPersistent {
  TRENVIK_CLASS(TTestFont, TPersistent);

 public:
  const String& Name() const { return name_; }
  void SetName(const String& v) { name_ = v; }
  Integer Size() const { return size_; }
  void SetSize(Integer v) { size_ = v; }
  TTestStyles Style() const { return style_; }
  void SetStyle(TTestStyles v) { style_ = v; }
  // Written by name where it has one (clBlack, clRed).
  Integer Color() const { return color_; }
  void SetColor(Integer v) { color_ = v; }
  void Assign(TPersistent* Source) override;

 private:
  Integer color_ = 0;
  String name_ = u"Tahoma";
  Integer size_ = 8;
  TTestStyles style_;
};

class TTestColumn : public TCollectionItem {
  TRENVIK_CLASS(TTestColumn, TCollectionItem);

 public:
  using TCollectionItem::TCollectionItem;
  const String& Caption() const { return caption_; }
  void SetCaption(const String& v) {
    caption_ = v;
    Changed(false);
  }
  Integer Width() const { return width_; }
  void SetWidth(Integer v) {
    width_ = v;
    Changed(false);
  }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  TComponent* Link() const { return link_; }
  void SetLink(TComponent* v) { link_ = v; }
  void Assign(TPersistent* Source) override;

 protected:
  String GetDisplayName() override { return caption_.empty() ? TCollectionItem::GetDisplayName() : caption_; }

 private:
  String caption_;
  Integer width_ = 64;
  bool visible_ = true;
  TComponent* link_ = nullptr;
};

class TTestColumns : public TOwnedCollection {
  TRENVIK_CLASS(TTestColumns, TOwnedCollection);

 public:
  explicit TTestColumns(TPersistent* AOwner) : TOwnedCollection(AOwner, TTestColumn::StaticClass()) {}
  TTestColumn* Items(int i) const { return static_cast<TTestColumn*>(TCollection::Items(i)); }
  TTestColumn* Add() { return static_cast<TTestColumn*>(TCollection::Add()); }
  // Update calls: -1 for the whole collection, else the item's index.
  std::vector<int> updates;

 protected:
  void Update(TCollectionItem* Item) override { updates.push_back(Item ? Item->Index() : -1); }
};

// A non-visual component with every kind of published property.
class TTestWidget : public TComponent {
  TRENVIK_CLASS(TTestWidget, TComponent);

 public:
  explicit TTestWidget(TComponent* AOwner);
  ~TTestWidget() override;

  const String& Caption() const { return caption_; }
  void SetCaption(const String& v) { caption_ = v; }
  TTestAlign Align() const { return align_; }
  void SetAlign(TTestAlign v) { align_ = v; }
  double Ratio() const { return ratio_; }
  void SetRatio(double v) { ratio_ = v; }
  Currency Price() const { return price_; }
  void SetPrice(Currency v) { price_ = v; }
  Int64 Big() const { return big_; }
  void SetBig(Int64 v) { big_ = v; }
  Char Letter() const { return letter_; }
  void SetLetter(Char v) { letter_ = v; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  TTestFont* Font() const { return font_.get(); }
  void SetFont(TTestFont* v) { font_->Assign(v); }
  TTestColumns* Columns() const { return columns_.get(); }
  void SetColumns(TTestColumns* v) { columns_->Assign(v); }
  const Variant& Value() const { return value_; }
  void SetValue(const Variant& v) { value_ = v; }
  TStrings* Lines() const { return lines_.get(); }
  void SetLines(TStrings* v) { lines_->Assign(v); }
  TTestWidget* Buddy() const { return buddy_; }
  void SetBuddy(TTestWidget* v);
  TNotifyEvent OnClick;

  // Unpublished values streamed through DefineProperties.
  std::vector<Integer> extra;
  std::string blob;

  bool loaded = false;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DefineProperties(TFiler* Filer) override;
  void Loaded() override;

 private:
  bool IsRatioStored() const { return ratio_ != 1.0; }
  String caption_;
  TTestAlign align_ = taNone;
  double ratio_ = 1.0;
  Currency price_;
  Int64 big_ = 0;
  Char letter_ = u'A';
  bool enabled_ = true;
  std::unique_ptr<TTestFont> font_;
  std::unique_ptr<TTestColumns> columns_;
  std::unique_ptr<TStringList> lines_;
  TTestWidget* buddy_ = nullptr;
  Variant value_;
};

// A visual widget: streamed as a child of its parent panel, as controls are.
class TTestPanel : public TTestWidget {
  TRENVIK_CLASS(TTestPanel, TTestWidget);

 public:
  explicit TTestPanel(TComponent* AOwner) : TTestWidget(AOwner) {}
  ~TTestPanel() override;

  TTestPanel* Parent() const { return parent_; }
  void SetParent(TTestPanel* v);
  const std::vector<TTestPanel*>& Controls() const { return controls_; }

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override { return parent_; }
  void SetParentComponent(TComponent* Value) override { SetParent(dynamic_cast<TTestPanel*>(Value)); }
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  void ReadState(TReader* Reader) override;

 private:
  TTestPanel* parent_ = nullptr;
  std::vector<TTestPanel*> controls_;
};

// Never registered: forms find it through their published fields.
class TTestLabel : public TTestWidget {
  TRENVIK_CLASS(TTestLabel, TTestWidget);

 public:
  using TTestWidget::TTestWidget;
};

// A form: the root of a stream, with handlers events bind to by name and fields set by name.
class TTestForm : public TComponent {
  TRENVIK_CLASS(TTestForm, TComponent);

 public:
  explicit TTestForm(TComponent* AOwner) : TComponent(AOwner) {}
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

  void Button1Click(TObject* Sender);
  void ShowMessage(TObject* Sender, const String& Text);
  std::vector<std::string> clicks;
  TTestWidget* Grid1 = nullptr;
  TTestLabel* Label1 = nullptr;
};

// Registers the fixture classes for streaming (idempotent).
void RegisterTestClasses();
