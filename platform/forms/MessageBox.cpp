// The layer's message boxes and the framework's message dialogs: modal forms with an icon drawn
// here, the text, and standard buttons.
#include <algorithm>
#include <vector>

#include "platform/forms/ControlsInternal.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

namespace {

enum class TBoxIcon { None, Error, Warning, Information, Question };

struct TBoxButton {
  String Caption;
  int Result;
};

TMessageBoxHook& BoxHook() {
  static TMessageBoxHook hook;
  return hook;
}

// CR LF, LF CR, a lone CR or LF: one line break each.
String NormalizeBreaks(const String& Text) {
  String out;
  out.reserve(Text.size());
  for (size_t i = 0; i < Text.size(); ++i) {
    const Char c = Text[i];
    if (c == u'\r' || c == u'\n') {
      if (i + 1 < Text.size() && (Text[i + 1] == u'\r' || Text[i + 1] == u'\n') && Text[i + 1] != c) ++i;
      out += u'\n';
    } else {
      out += c;
    }
  }
  return out;
}

constexpr int kIconSize = 32;
constexpr int kMargin = 11;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr UINT kTextFlags = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;

// The text of a message box (named "Message", as the framework's message dialogs name theirs).
class TMessageText : public TGraphicControl {
  TRENVIK_CLASS(TMessageText, TGraphicControl);

 public:
  explicit TMessageText(TComponent* AOwner) : TGraphicControl(AOwner) {}

 protected:
  void Paint() override {
    TCanvas* c = Canvas();
    c->Font()->Assign(Font());
    c->Brush()->SetStyle(bsClear);
    RECT r = ClientRect();
    const String text = Caption();
    DrawText(c->Handle(), text.c_str(), -1, &r, kTextFlags);
  }
};

class TMessageForm : public TForm {
  TRENVIK_CLASS(TMessageForm, TForm);

 public:
  explicit TMessageForm(TComponent* AOwner) : TForm(AOwner) {}

  void Build(const String& Text, const String& Caption, TBoxIcon Icon, const std::vector<TBoxButton>& Buttons,
             int DefaultIndex, int CancelIndex) {
    text_ = NormalizeBreaks(Text);
    icon_ = Icon;
    SetBorderStyle(bsDialog);
    SetCaption(Caption);
    Font()->SetName(u"Tahoma");
    Font()->SetHeight(-11);
    if (CancelIndex < 0) SetBorderIcons({});

    // The text's size, wrapped at most at two thirds of the screen.
    const int maxText = std::max(200, (Screen ? Screen->Width() : 800) * 2 / 3);
    textRect_ = RECT{0, 0, maxText, 0};
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    DrawText(dc, text_.c_str(), -1, &textRect_, kTextFlags | DT_CALCRECT);
    SelectObject(dc, old);
    DeleteDC(dc);
    const int textW = textRect_.right - textRect_.left, textH = textRect_.bottom - textRect_.top;
    const int textLeft = kMargin + (icon_ != TBoxIcon::None ? kIconSize + kMargin : 0);
    const int top = kMargin;
    const int bodyH = std::max(textH, icon_ != TBoxIcon::None ? kIconSize : 0);
    OffsetRect(&textRect_, textLeft,
               top + (bodyH - textH) / 2 > top && icon_ != TBoxIcon::None ? top + (bodyH - textH) / 2 : top);
    const int n = static_cast<int>(Buttons.size());
    const int buttonsW = n * kButtonWidth + (n - 1) * kButtonGap;
    const int clientW = std::max(textLeft + textW + kMargin, buttonsW + 2 * kMargin);
    const int buttonsTop = top + bodyH + kMargin + 4;
    const int clientH = buttonsTop + kButtonHeight + kMargin;
    SetClientSize(clientW, clientH);
    auto* message = new TMessageText(this);
    message->SetName(u"Message");
    message->SetParent(this);
    message->SetCaption(text_);
    message->SetBoundsRect(textRect_);

    int x = (clientW - buttonsW) / 2;
    for (int i = 0; i < n; ++i) {
      auto* b = new TButton(this);
      b->SetParent(this);
      b->SetCaption(Buttons[static_cast<size_t>(i)].Caption);
      b->SetModalResult(Buttons[static_cast<size_t>(i)].Result);
      b->SetBounds(x, buttonsTop, kButtonWidth, kButtonHeight);
      b->SetTabStop(true);
      if (i == DefaultIndex) {
        b->SetDefault(true);
        SetActiveControl(b);
      }
      if (i == CancelIndex) b->SetCancel(true);
      buttons_.push_back(b);
      x += kButtonWidth + kButtonGap;
    }
    cancelResult_ = CancelIndex >= 0 ? Buttons[static_cast<size_t>(CancelIndex)].Result : mrNone;
    OnCloseQuery = [this](TObject*, bool& CanClose) {
      // The close button and Alt+F4 answer the cancel button; a box without one does not close so.
      if (ModalResult() == mrCancel && cancelResult_ == mrNone) CanClose = false;
      if (ModalResult() == mrCancel && cancelResult_ != mrNone) SetModalResult(cancelResult_);
    };
  }

  const std::vector<TButton*>& Buttons() const { return buttons_; }

 protected:
  void Paint() override {
    TCanvas* c = Canvas();
    DrawIcon(c, kMargin, kMargin);
  }

 private:
  void DrawIcon(TCanvas* c, int x, int y) {
    if (icon_ == TBoxIcon::None) return;
    const RECT box{x, y, x + kIconSize, y + kIconSize};
    c->Pen()->SetWidth(1);
    c->Pen()->SetStyle(psSolid);
    c->Brush()->SetStyle(bsSolid);
    switch (icon_) {
      case TBoxIcon::Error:
        c->Pen()->SetColor(clMaroon);
        c->Brush()->SetColor(clRed);
        c->Ellipse(box);
        c->Pen()->SetColor(clWhite);
        c->Pen()->SetWidth(3);
        c->MoveTo(x + 10, y + 10);
        c->LineTo(x + 22, y + 22);
        c->MoveTo(x + 22, y + 10);
        c->LineTo(x + 10, y + 22);
        break;
      case TBoxIcon::Warning: {
        c->Pen()->SetColor(clBlack);
        c->Brush()->SetColor(clYellow);
        c->Polygon({POINT{x + 16, y + 1}, POINT{x + 31, y + 29}, POINT{x + 1, y + 29}});
        c->Brush()->SetColor(clBlack);
        c->FillRect(RECT{x + 15, y + 10, x + 18, y + 21});
        c->FillRect(RECT{x + 15, y + 23, x + 18, y + 26});
        break;
      }
      case TBoxIcon::Information:
      case TBoxIcon::Question: {
        c->Pen()->SetColor(clNavy);
        c->Brush()->SetColor(clWhite);
        c->Ellipse(box);
        c->Font()->SetName(u"Times New Roman");
        c->Font()->SetHeight(-22);
        c->Font()->SetStyle({fsBold});
        c->Font()->SetColor(clBlue);
        c->Brush()->SetStyle(bsClear);
        RECT r = box;
        const String glyph = icon_ == TBoxIcon::Information ? u"i" : u"?";
        DrawText(c->Handle(), glyph.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        break;
      }
      default:
        break;
    }
    c->Pen()->SetWidth(1);
  }

  String text_;
  TBoxIcon icon_ = TBoxIcon::None;
  RECT textRect_{};
  std::vector<TButton*> buttons_;
  int cancelResult_ = mrNone;
};

TBoxIcon IconOfType(UINT Type) {
  switch (Type & MB_ICONMASK) {
    case MB_ICONHAND:
      return TBoxIcon::Error;
    case MB_ICONQUESTION:
      return TBoxIcon::Question;
    case MB_ICONEXCLAMATION:
      return TBoxIcon::Warning;
    case MB_ICONASTERISK:
      return TBoxIcon::Information;
    default:
      return TBoxIcon::None;
  }
}

int RunBox(TMessageForm* Form, HWND Owner) {
  std::unique_ptr<TMessageForm> guard(Form);
  Form->SetPosition(poScreenCenter);
  if (Owner && IsWindow(Owner) && IsWindowVisible(Owner)) {
    RECT r;
    GetWindowRect(Owner, &r);
    Form->SetPosition(poDesigned);
    Form->SetBounds(r.left + (r.right - r.left - Form->Width()) / 2,
                    r.top + (r.bottom - r.top - Form->Height()) / 2, Form->Width(), Form->Height());
  }
  return Form->ShowModal();
}

}  // namespace

TRENVIK_IMPLEMENT_CLASS(TMessageForm)
TRENVIK_IMPLEMENT_CLASS(TMessageText)

void SetMessageBoxHook(TMessageBoxHook Hook) { BoxHook() = std::move(Hook); }

bool forms_internal::MessageBoxHooked() { return static_cast<bool>(BoxHook()); }

int MessageBox(HWND Owner, const String& Text, const String& Caption, UINT Type) {
  if (BoxHook()) return BoxHook()(Text, Caption, Type);
  if (!Application) throw EInvalidOperation("Message boxes need the application object");
  std::vector<TBoxButton> buttons;
  int cancel = -1;
  switch (Type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      buttons = {{u"OK", IDOK}, {u"Cancel", IDCANCEL}};
      cancel = 1;
      break;
    case MB_ABORTRETRYIGNORE:
      buttons = {{u"&Abort", IDABORT}, {u"&Retry", IDRETRY}, {u"&Ignore", IDIGNORE}};
      break;
    case MB_YESNOCANCEL:
      buttons = {{u"&Yes", IDYES}, {u"&No", IDNO}, {u"Cancel", IDCANCEL}};
      cancel = 2;
      break;
    case MB_YESNO:
      buttons = {{u"&Yes", IDYES}, {u"&No", IDNO}};
      break;
    case MB_RETRYCANCEL:
      buttons = {{u"&Retry", IDRETRY}, {u"Cancel", IDCANCEL}};
      cancel = 1;
      break;
    default:
      buttons = {{u"OK", IDOK}};
      cancel = 0;
      break;
  }
  int def = static_cast<int>((Type & MB_DEFMASK) >> 8);
  if (def >= static_cast<int>(buttons.size())) def = 0;
  auto* form = new TMessageForm(Application);
  try {
    form->Build(Text, Caption.empty() ? String(u"Error") : Caption, IconOfType(Type), buttons, def, cancel);
  } catch (...) {
    delete form;
    throw;
  }
  MessageBeep(Type & MB_ICONMASK);
  return RunBox(form, Owner);
}

namespace {
const char16_t* const kDlgCaptions[] = {u"Warning", u"Error", u"Information", u"Confirm", u""};
const char16_t* const kButtonCaptions[] = {u"&Yes",       u"&No",         u"OK",      u"Cancel",
                                           u"&Abort",     u"&Retry",      u"&Ignore", u"&All",
                                           u"N&o to All", u"Yes to &All", u"&Help"};
const int kButtonResults[] = {mrYes,    mrNo,  mrOk,      mrCancel,   mrAbort, mrRetry,
                              mrIgnore, mrAll, mrNoToAll, mrYesToAll, mrNone};
}  // namespace

TForm* CreateMessageDialog(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
  if (!Application) throw EInvalidOperation("Message dialogs need the application object");
  std::vector<TBoxButton> buttons;
  int def = -1, cancel = -1;
  const TMsgDlgBtn defBtn = Buttons.Contains(mbOK) ? mbOK : Buttons.Contains(mbYes) ? mbYes : mbRetry;
  const TMsgDlgBtn cancelBtn = Buttons.Contains(mbCancel) ? mbCancel : Buttons.Contains(mbNo) ? mbNo : mbOK;
  for (int b = mbYes; b <= mbHelp; ++b) {
    if (!Buttons.Contains(static_cast<TMsgDlgBtn>(b))) continue;
    if (b == defBtn) def = static_cast<int>(buttons.size());
    if (b == cancelBtn) cancel = static_cast<int>(buttons.size());
    buttons.push_back({kButtonCaptions[b], kButtonResults[b]});
  }
  static const TBoxIcon icons[] = {TBoxIcon::Warning, TBoxIcon::Error, TBoxIcon::Information,
                                   TBoxIcon::Question, TBoxIcon::None};
  String caption = DlgType == mtCustom ? Application->Title() : String(kDlgCaptions[DlgType]);
  auto* form = new TMessageForm(Application);
  try {
    form->Build(Msg, caption, icons[DlgType], buttons, def, cancel);
  } catch (...) {
    delete form;
    throw;
  }
  return form;
}

int MessageDlgPos(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int, int X, int Y) {
  if (BoxHook()) {
    UINT type = MB_OK;
    if (Buttons.Contains(mbYes) && Buttons.Contains(mbNo))
      type = Buttons.Contains(mbCancel) ? MB_YESNOCANCEL : MB_YESNO;
    else if (Buttons.Contains(mbOK) && Buttons.Contains(mbCancel))
      type = MB_OKCANCEL;
    static const UINT iconTypes[] = {MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION, 0};
    return BoxHook()(Msg, DlgType == mtCustom ? Application->Title() : String(kDlgCaptions[DlgType]),
                     type | iconTypes[DlgType]);
  }
  std::unique_ptr<TForm> form(CreateMessageDialog(Msg, DlgType, Buttons));
  if (X >= 0) form->SetLeft(X);
  if (Y >= 0) form->SetTop(Y);
  form->SetPosition(X >= 0 || Y >= 0 ? poDesigned : poScreenCenter);
  return form->ShowModal();
}

int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
  return MessageDlgPos(Msg, DlgType, Buttons, HelpCtx, -1, -1);
}

void ShowMessage(const String& Msg) {
  const String title = Application ? Application->Title() : String();
  if (BoxHook()) {
    BoxHook()(Msg, title, MB_OK);
    return;
  }
  std::unique_ptr<TForm> form(CreateMessageDialog(Msg, mtCustom, TMsgDlgButtons{mbOK}));
  form->SetPosition(poScreenCenter);
  form->ShowModal();
}
