#include "ClassesFixtures.h"

#include <algorithm>

#include "platform/rtl/String.h"

std::vector<std::string>& TestLog() {
  static std::vector<std::string> log;
  return log;
}

namespace {

const TIdentMapEntry kColors[] = {{0, "clBlack"}, {0xFF, "clRed"}};
bool IdentToColor(const String& ident, Integer& value) { return IdentToInt(ident, value, kColors, 2); }
bool ColorToIdent(Integer value, String& ident) { return IntToIdent(value, ident, kColors, 2); }

}  // namespace

TRENVIK_PUBLISHED(TTestFont) {
  P.Property("Color", &TTestFont::Color, &TTestFont::SetColor)
      .Default(0)
      .Idents(&IdentToColor, &ColorToIdent);
  P.Property("Name", &TTestFont::Name, &TTestFont::SetName);
  P.Property("Size", &TTestFont::Size, &TTestFont::SetSize).Default(8);
  P.Property("Style", &TTestFont::Style, &TTestFont::SetStyle).Default(TTestStyles{});
}

void TTestFont::Assign(TPersistent* Source) {
  if (auto* f = dynamic_cast<TTestFont*>(Source)) {
    name_ = f->name_;
    size_ = f->size_;
    style_ = f->style_;
    return;
  }
  TPersistent::Assign(Source);
}

TRENVIK_PUBLISHED(TTestColumn) {
  P.Property("Caption", &TTestColumn::Caption, &TTestColumn::SetCaption);
  P.Property("Width", &TTestColumn::Width, &TTestColumn::SetWidth).Default(64);
  P.Property("Visible", &TTestColumn::Visible, &TTestColumn::SetVisible).Default(true);
  P.Property("Link", &TTestColumn::Link, &TTestColumn::SetLink);
}

void TTestColumn::Assign(TPersistent* Source) {
  if (auto* c = dynamic_cast<TTestColumn*>(Source)) {
    caption_ = c->caption_;
    width_ = c->width_;
    visible_ = c->visible_;
    return;
  }
  TCollectionItem::Assign(Source);
}

TRENVIK_IMPLEMENT_CLASS(TTestColumns)

TRENVIK_PUBLISHED(TTestWidget) {
  P.Property("Caption", &TTestWidget::Caption, &TTestWidget::SetCaption);
  P.Property("Align", &TTestWidget::Align, &TTestWidget::SetAlign).Default(taNone);
  P.Property("Ratio", &TTestWidget::Ratio, &TTestWidget::SetRatio).Stored(&TTestWidget::IsRatioStored);
  P.Property("Price", &TTestWidget::Price, &TTestWidget::SetPrice);
  P.Property("Big", &TTestWidget::Big, &TTestWidget::SetBig);
  P.Property("Letter", &TTestWidget::Letter, &TTestWidget::SetLetter).Default(u'A');
  P.Property("Enabled", &TTestWidget::Enabled, &TTestWidget::SetEnabled).Default(true);
  P.Property("Font", &TTestWidget::Font, &TTestWidget::SetFont);
  P.Property("Columns", &TTestWidget::Columns, &TTestWidget::SetColumns);
  P.Property("Value", &TTestWidget::Value, &TTestWidget::SetValue);
  P.Property("Lines", &TTestWidget::Lines, &TTestWidget::SetLines);
  P.Property("Buddy", &TTestWidget::Buddy, &TTestWidget::SetBuddy);
  P.Event("OnClick", &TTestWidget::OnClick);
}

TTestWidget::TTestWidget(TComponent* AOwner)
    : TComponent(AOwner),
      font_(std::make_unique<TTestFont>()),
      columns_(std::make_unique<TTestColumns>(this)),
      lines_(std::make_unique<TStringList>()) {}

TTestWidget::~TTestWidget() {
  Destroying();
  TestLog().push_back("free " + StringToUtf8(Name()));
}

void TTestWidget::SetBuddy(TTestWidget* v) {
  if (buddy_ == v) return;
  if (buddy_) buddy_->RemoveFreeNotification(this);
  buddy_ = v;
  if (buddy_) buddy_->FreeNotification(this);
}

void TTestWidget::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == buddy_) {
    TestLog().push_back(StringToUtf8(Name()) + " lost " + StringToUtf8(AComponent->Name()) +
                        (ComponentState().Contains(csDestroying) ? " while destroying" : ""));
    buddy_ = nullptr;
  }
}

void TTestWidget::DefineProperties(TFiler* Filer) {
  TComponent::DefineProperties(Filer);
  Filer->DefineProperty(
      u"Extra",
      [this](TReader* r) {
        extra.clear();
        r->ReadListBegin();
        while (!r->EndOfList()) extra.push_back(r->ReadInteger());
        r->ReadListEnd();
      },
      [this](TWriter* w) {
        w->WriteListBegin();
        for (Integer v : extra) w->WriteInteger(v);
        w->WriteListEnd();
      },
      !extra.empty());
  Filer->DefineBinaryProperty(
      u"Blob",
      [this](TStream* s) {
        blob.assign(static_cast<size_t>(s->Size()), '\0');
        s->ReadBuffer(blob.data(), s->Size());
      },
      [this](TStream* s) { s->WriteBuffer(blob.data(), static_cast<Int64>(blob.size())); }, !blob.empty());
}

void TTestWidget::Loaded() {
  TComponent::Loaded();
  loaded = true;
  TestLog().push_back("loaded " + StringToUtf8(Name()));
}

TRENVIK_IMPLEMENT_CLASS(TTestPanel)

TTestPanel::~TTestPanel() {
  Destroying();
  for (TTestPanel* c : controls_) c->parent_ = nullptr;
  controls_.clear();
  SetParent(nullptr);
}

void TTestPanel::SetParent(TTestPanel* v) {
  if (parent_ == v) return;
  if (parent_) {
    auto& list = parent_->controls_;
    list.erase(std::find(list.begin(), list.end(), this));
  }
  parent_ = v;
  if (parent_) parent_->controls_.push_back(this);
}

void TTestPanel::GetChildren(const TGetChildProc& Proc, TComponent*) {
  for (TTestPanel* c : controls_) Proc(c);
}

void TTestPanel::ReadState(TReader* Reader) {
  // As controls do: the component being read into is the parent.
  if (auto* parent = dynamic_cast<TTestPanel*>(Reader->Parent())) SetParent(parent);
  TTestWidget::ReadState(Reader);
}

TRENVIK_IMPLEMENT_CLASS(TTestLabel)

TRENVIK_PUBLISHED(TTestForm) {
  P.Field("Grid1", &TTestForm::Grid1);
  P.Field("Label1", &TTestForm::Label1);
  P.Method("Button1Click", &TTestForm::Button1Click);
  P.Method("ShowMessage", &TTestForm::ShowMessage);
}

void TTestForm::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  // Owned components without parent, and top-level panels (those without a parent panel).
  for (int i = 0; i < ComponentCount(); ++i) {
    TComponent* c = Components(i);
    auto* panel = dynamic_cast<TTestPanel*>(c);
    if (!c->HasParent() || (panel && !panel->Parent())) Proc(c);
  }
  (void)Root;
}

void TTestForm::Button1Click(TObject* Sender) {
  clicks.push_back(StringToUtf8(static_cast<TComponent*>(Sender)->Name()));
}

void TTestForm::ShowMessage(TObject*, const String& Text) { clicks.push_back(StringToUtf8(Text)); }

void RegisterTestClasses() {
  RegisterClasses({TTestWidget::StaticClass(), TTestPanel::StaticClass(), TTestForm::StaticClass(),
                   TTestColumn::StaticClass()});
}
