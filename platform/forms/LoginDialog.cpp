// The database login dialog: user name and password for a connection.
#include "platform/forms/Dialogs.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/StdCtrls.h"

namespace {

class TLoginForm : public TForm {
 public:
  TLoginForm(const String& DatabaseName, const String& UserName, const String& Password, bool NameReadOnly)
      : TForm(nullptr) {
    SetCaption(u"Database Login");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(280);
    SetClientHeight(150);
    auto* panel = new TPanel(this);
    panel->SetParent(this);
    panel->SetBounds(8, 8, 264, 96);
    panel->SetBevelOuter(bvLowered);
    panel->SetCaption(String());
    auto* dbLabel = new TLabel(this);
    dbLabel->SetParent(panel);
    dbLabel->SetBounds(10, 8, 80, 16);
    dbLabel->SetCaption(u"Database:");
    database = new TLabel(this);
    database->SetParent(panel);
    database->SetBounds(96, 8, 160, 16);
    database->SetCaption(DatabaseName);
    auto* userLabel = new TLabel(this);
    userLabel->SetParent(panel);
    userLabel->SetBounds(10, 36, 80, 16);
    userLabel->SetCaption(u"User Name");
    userName = new TEdit(this);
    userName->SetParent(panel);
    userName->SetBounds(96, 32, 158, 21);
    userName->SetText(UserName);
    userName->SetReadOnly(NameReadOnly);
    userLabel->SetFocusControl(userName);
    auto* passwordLabel = new TLabel(this);
    passwordLabel->SetParent(panel);
    passwordLabel->SetBounds(10, 66, 80, 16);
    passwordLabel->SetCaption(u"Password");
    password = new TEdit(this);
    password->SetParent(panel);
    password->SetBounds(96, 62, 158, 21);
    password->SetPasswordChar(u'*');
    password->SetText(Password);
    passwordLabel->SetFocusControl(password);
    auto* ok = new TButton(this);
    ok->SetParent(this);
    ok->SetBounds(112, 116, 75, 25);
    ok->SetCaption(u"OK");
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    auto* cancel = new TButton(this);
    cancel->SetParent(this);
    cancel->SetBounds(196, 116, 75, 25);
    cancel->SetCaption(u"Cancel");
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    userName->SetTabOrder(0);
    password->SetTabOrder(1);
    ok->SetTabOrder(2);
    cancel->SetTabOrder(3);
    // With the name known, the password is what is left to type.
    SetActiveControl(UserName.empty() && !NameReadOnly ? userName : password);
  }

  TLabel* database = nullptr;
  TEdit* userName = nullptr;
  TEdit* password = nullptr;
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
