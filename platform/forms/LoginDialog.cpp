// The database login dialog: user name and password for a connection.
#include <algorithm>

#include "platform/forms/Dialogs.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/StdCtrls.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Windows.h"

namespace {

// The size of a line of text in a font, as a label measures it.
SIZE TextSize(TFont* font, const String& text) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font->Handle());
  RECT r{0, 0, 0, 0};
  DrawText(dc, text.empty() ? String(u" ") : text, &r, DT_EXPANDTABS | DT_CALCRECT);
  SelectObject(dc, old);
  DeleteDC(dc);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

class TLoginForm : public TForm {
 public:
  TLoginForm(const String& DatabaseName, const String& UserName, const String& Password, bool NameReadOnly)
      : TForm(nullptr) {
    SetCaption(u"Database Login");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    panel = new TPanel(this);
    panel->SetParent(this);
    panel->SetBevelOuter(bvLowered);
    panel->SetCaption(String());
    dbLabel = new TLabel(this);
    dbLabel->SetParent(panel);
    dbLabel->SetCaption(u"Database:");
    database = new TLabel(this);
    database->SetParent(panel);
    database->SetCaption(DatabaseName);
    userLabel = new TLabel(this);
    userLabel->SetParent(panel);
    userLabel->SetCaption(u"User Name");
    userName = new TEdit(this);
    userName->SetParent(panel);
    userName->SetText(UserName);
    userName->SetReadOnly(NameReadOnly);
    userLabel->SetFocusControl(userName);
    passwordLabel = new TLabel(this);
    passwordLabel->SetParent(panel);
    passwordLabel->SetCaption(u"Password");
    password = new TEdit(this);
    password->SetParent(panel);
    password->SetPasswordChar(u'*');
    password->SetText(Password);
    passwordLabel->SetFocusControl(password);
    ok = new TButton(this);
    ok->SetParent(this);
    ok->SetCaption(u"OK");
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    cancel = new TButton(this);
    cancel->SetParent(this);
    cancel->SetCaption(u"Cancel");
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    userName->SetTabOrder(0);
    password->SetTabOrder(1);
    ok->SetTabOrder(2);
    cancel->SetTabOrder(3);
    Arrange();
    // With the name known, the password is what is left to type.
    SetActiveControl(UserName.empty() && !NameReadOnly ? userName : password);
  }

  TLabel* database = nullptr;
  TEdit* userName = nullptr;
  TEdit* password = nullptr;

 protected:
  void WndProc(TMessage& Message) override {
    TForm::WndProc(Message);
    if (Message.Msg == CM_FONTCHANGED) Arrange();
  }

 private:
  // Places the controls from the size of their texts in the dialog's font, so that no label is cut
  // off whatever the font; at the default font this is the dialog's usual 280 x 150 layout.
  void Arrange() {
    if (!cancel) return;  // still being built
    TFont* font = Font();
    int textHeight = TextSize(font, u"Ag").cy;
    int labelWidth = 0;
    for (TLabel* l : {dbLabel, userLabel, passwordLabel})
      labelWidth = std::max<int>(labelWidth, TextSize(font, l->Caption()).cx);
    SIZE name = TextSize(font, database->Caption());
    int editLeft = std::max(96, 10 + labelWidth + 8);
    int editHeight = std::max(21, textHeight + 8);
    int buttonWidth = std::max<int>(
        75, std::max(TextSize(font, ok->Caption()).cx, TextSize(font, cancel->Caption()).cx) + 20);
    int buttonHeight = std::max(25, textHeight + 12);
    // Wide enough for the edits, the database name and the two buttons under the panel.
    int panelWidth =
        std::max<int>({264, editLeft + 158 + 10, editLeft + name.cx + 10, 2 * (buttonWidth + 9) - 8});
    panelWidth = std::min(panelWidth, std::max(264, Screen ? Screen->WorkAreaWidth() - 40 : panelWidth));

    int nameTop = 8;
    int userTop = nameTop + std::max(16, textHeight) + 8;
    int passwordTop = userTop + editHeight + 9;
    int panelHeight = passwordTop + editHeight + 13;
    int labelOffset = (editHeight - textHeight) / 2;
    dbLabel->SetBounds(10, nameTop, labelWidth, textHeight);
    database->SetBounds(editLeft, nameTop, std::min<int>(name.cx, panelWidth - editLeft - 10), textHeight);
    userLabel->SetBounds(10, userTop + labelOffset, labelWidth, textHeight);
    userName->SetBounds(editLeft, userTop, panelWidth - editLeft - 10, editHeight);
    passwordLabel->SetBounds(10, passwordTop + labelOffset, labelWidth, textHeight);
    password->SetBounds(editLeft, passwordTop, panelWidth - editLeft - 10, editHeight);
    panel->SetBounds(8, 8, panelWidth, panelHeight);

    int clientWidth = panelWidth + 16;
    int buttonTop = 8 + panelHeight + 12;
    cancel->SetBounds(clientWidth - 9 - buttonWidth, buttonTop, buttonWidth, buttonHeight);
    ok->SetBounds(clientWidth - 2 * (9 + buttonWidth), buttonTop, buttonWidth, buttonHeight);
    SetClientWidth(clientWidth);
    SetClientHeight(buttonTop + buttonHeight + 9);
  }

  TPanel* panel = nullptr;
  TLabel* dbLabel = nullptr;
  TLabel* userLabel = nullptr;
  TLabel* passwordLabel = nullptr;
  TButton* ok = nullptr;
  TButton* cancel = nullptr;
};

}  // namespace

bool LoginDialogEx(const String& DatabaseName, String& UserName, String& Password, bool NameReadOnly) {
  std::unique_ptr<TLoginForm> form(new TLoginForm(DatabaseName, UserName, Password, NameReadOnly));
  if (form->ShowModal() != mrOk) return false;
  UserName = form->userName->Text();
  Password = form->password->Text();
  return true;
}

bool LoginDialog(const String& DatabaseName, String& UserName, String& Password) {
  return LoginDialogEx(DatabaseName, UserName, Password, false);
}
