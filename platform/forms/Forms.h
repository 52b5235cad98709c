// Forms and the application: TCustomForm/TForm (modal and modeless, closing, activation, the
// focused control with its enter and exit notifications, dialog keys), TApplication (the message
// loop, exceptions, hints), TApplicationEvents, TScreen (forms, cursors, monitors), the hint
// window, and the message boxes drawn by the framework.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/forms/Controls.h"
#include "platform/win/Help.h"
#include "platform/win/Messages.h"
#include "platform/win/Shell.h"

using TModalResult = Integer;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

TRENVIK_ENUM(TFormStyle, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop);
TRENVIK_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp);
using TBorderIcons = Set<TBorderIcon>;
TRENVIK_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
             poDesktopCenter, poMainFormCenter, poOwnerFormCenter);
TRENVIK_ENUM(TWindowState, wsNormal, wsMinimized, wsMaximized);
TRENVIK_ENUM(TCloseAction, caNone, caHide, caFree, caMinimize);
TRENVIK_ENUM(TFormStateFlag, fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated);
using TFormState = Set<TFormStateFlag>;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TWinControl {
  TRENVIK_CLASS(TCustomForm, TWinControl);

 public:
  // A form without its resource (the framework's CreateNew). NewForm<T> and Application's
  // CreateForm read the class's form resource and fire OnCreate.
  explicit TCustomForm(TComponent* AOwner);
  // OnDestroy, then the form leaves the screen's list.
  ~TCustomForm() override;
  // Reads the form resource of the class (and its ancestors') when it has one, then OnCreate.
  // Called once, after construction; a second call does nothing.
  virtual void AfterConstruction();
  // OnDestroy, while the whole form (its derived parts included) still exists. Release and the
  // application call it before freeing a form; code that deletes a form whose OnDestroy uses the
  // derived class's members calls it first. The destructor calls it when nobody did.
  void BeforeDestruction();

  void Show();
  void Hide() { SetVisible(false); }
  // Shows the form with every other form disabled and runs a message loop until ModalResult is
  // set (or the application terminates: mrCancel). Answers the ModalResult.
  virtual int ShowModal();
  // OnCloseQuery, then OnClose and its action; a modal form gets ModalResult mrCancel.
  void Close();
  virtual bool CloseQuery();
  // Frees the form once the messages being handled are done.
  void Release();

  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult Value) { modalResult_ = Value; }
  bool Active() const { return active_; }
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* Control);
  // Focuses Control when the form is active, else makes it the ActiveControl.
  void FocusControl(TWinControl* Control);
  // Control (being removed or hidden) loses the focus to its parent.
  void DefocusControl(TWinControl* Control, bool Removing);
  // The focus moved to Control: exit and enter notifications along the way, ActiveControl.
  // False when an OnExit/OnEnter moved the focus elsewhere.
  virtual bool SetFocusedControl(TWinControl* Control);
  TFormState FormState() const { return formState_; }
  // A key down the form's short cuts take (OnShortCut); true when used.
  virtual bool IsShortCut(TWMKey& Message);

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons Value);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition Value) { position_ = Value; }
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState Value);
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle Value);
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool Value) { keyPreview_ = Value; }
  bool AlphaBlend() const { return alphaBlend_; }
  void SetAlphaBlend(bool Value);
  Byte AlphaBlendValue() const { return alphaBlendValue_; }
  void SetAlphaBlendValue(Byte Value);
  bool TransparentColor() const { return transparentColor_; }
  void SetTransparentColor(bool Value);
  TColor TransparentColorValue() const { return transparentColorValue_; }
  void SetTransparentColorValue(TColor Value);
  TCanvas* Canvas() const { return canvas_.get(); }
  // Stored by form resources; the layout is not rescaled.
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int Value) { pixelsPerInch_ = Value; }
  int TextHeight() const { return textHeight_; }
  void SetTextHeight(int Value) { textHeight_ = Value; }
  void SetParent(TWinControl* AParent) override;
  bool OldCreateOrder() const { return oldCreateOrder_; }
  void SetOldCreateOrder(bool Value) { oldCreateOrder_ = Value; }
  bool Scaled() const { return scaled_; }
  void SetScaled(bool Value) { scaled_ = Value; }
  bool AutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool Value) { autoScroll_ = Value; }
  // Without a window yet: the client area the form's frame will leave.
  RECT ClientRect() override;
  // fsMDIForm: the "MDICLIENT" window that holds the MDI children, over the room the aligned
  // controls leave; made with the form's window.
  HWND ClientHandle() const { return clientHandle_; }
  // fsMDIForm: the form of the active MDI child, or none.
  TCustomForm* ActiveMDIChild() const;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  std::function<void(TWMKey& Msg, bool& Handled)> OnShortCut;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void AlignControls(TControl* AControl, RECT& Rect) override;
  void WndProc(TMessage& Message) override;
  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);
  virtual void Activate();
  virtual void Deactivate();
  virtual void Paint();
  void PaintWindow(HDC DC) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  String GetText() override;
  void SetTextValue(const String& Value) override;
  void VisibleChanging() override;

 private:
  TRENVIK_MESSAGES(TCustomForm);
  friend class TApplication;
  friend class TScreen;

  void WMClose(TMessage& Message);
  void WMActivate(TMessage& Message);
  void WMSetFocus(TWMSetFocus& Message);
  void WMSysCommand(TMessage& Message);
  void WMSize(TWMSize& Message);
  // An MDI child's window goes inside the main form's MDI client.
  void MDIChildCreateParams(TCreateParams& Params);
  void CreateMDIClient();
  void WMCommand(TWMCommand& Message);
  void CMActivate(TMessage& Message);
  void CMDeactivate(TMessage& Message);
  void CMDialogKey(TWMKey& Message);
  void CMRelease(TMessage& Message);
  void CMShowingChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void SetWindowToMonitor();
  void ApplyPosition();
  void ApplyLayered();
  void CloseModal();
  void SetActive(bool Value);

  TModalResult modalResult_ = mrNone;
  bool active_ = false;
  TWinControl* activeControl_ = nullptr;
  TWinControl* focusedControl_ = nullptr;
  TFormState formState_;
  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
  TPosition position_ = poDesigned;
  TWindowState windowState_ = wsNormal;
  TFormStyle formStyle_ = fsNormal;
  HWND clientHandle_ = nullptr;
  bool keyPreview_ = false;
  bool alphaBlend_ = false;
  Byte alphaBlendValue_ = 255;
  bool transparentColor_ = false;
  TColor transparentColorValue_ = 0;
  std::unique_ptr<TControlCanvas> canvas_;
  int pixelsPerInch_ = 96;
  int textHeight_ = 13;
  bool oldCreateOrder_ = false;
  bool scaled_ = true;
  bool autoScroll_ = false;
  bool constructed_ = false;
  bool destroyFired_ = false;
};

class TForm : public TCustomForm {
  TRENVIK_CLASS(TForm, TCustomForm);

 public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// A form of class T read from its form resource (the framework's TFoo.Create(AOwner)).
template <class T>
T* NewForm(TComponent* AOwner) {
  T* form = new T(AOwner);
  try {
    form->AfterConstruction();
  } catch (...) {
    delete form;
    throw;
  }
  return form;
}

// --- Hints ---

class THintWindow;
struct THintInfo {
  TControl* HintControl = nullptr;
  TClass HintWindowClass = nullptr;
  POINT HintPos{};  // screen coordinates
  int HintMaxWidth = 0;
  TColor HintColor = clInfoBk;
  RECT CursorRect{};  // client coordinates of HintControl: moving out of it ends the hint
  POINT CursorPos{};  // client coordinates of HintControl
  int ReshowTimeout = 0;
  int HideTimeout = 0;
  String HintStr;
  void* HintData = nullptr;
};

using TShowHintEvent = std::function<void(String& HintStr, bool& CanShow, THintInfo& HintInfo)>;

// The pop-up that shows a hint: text on clInfoBk in a one-pixel frame.
class THintWindow : public TCustomControl {
  TRENVIK_CLASS(THintWindow, TCustomControl);

 public:
  explicit THintWindow(TComponent* AOwner);
  // Shows the hint at Rect (screen coordinates), above every window, without taking the focus.
  virtual void ActivateHint(RECT Rect, const String& AHint);
  virtual void ActivateHintData(RECT Rect, const String& AHint, void* AData);
  // The window's rectangle at (0, 0) for the text broken into lines of at most MaxWidth.
  virtual RECT CalcHintRect(int MaxWidth, const String& AHint, void* AData);
  // True when the message should hide the hint (keys, clicks, leaving the application).
  virtual bool IsHintMsg(const MSG& Msg);
  void ReleaseHandle();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;

 private:
  TRENVIK_MESSAGES(THintWindow);
  void WMNCHitTest(TMessage& Message);
  void CMTextChanged(TMessage& Message);
};

// The class Application makes hint windows of (THintWindow or a descendant).
extern TClass HintWindowClass;

// --- The application ---

using TExceptionEvent = std::function<void(TObject* Sender, Exception& E)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
using TMessageEvent = std::function<void(MSG& Msg, bool& Handled)>;

class TApplicationEvents;

class TApplication : public TComponent {
  TRENVIK_CLASS(TApplication, TComponent);

 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  void Initialize();
  // Creates a form of class T (its resource read, OnCreate fired) owned by the application and
  // stores it in Ref before OnCreate runs; the first form created becomes the main form.
  template <class T>
  void CreateForm(T*& Ref) {
    CreateFormInstance(T::StaticClass(), [&Ref](TComponent* Form) { Ref = static_cast<T*>(Form); });
  }
  void CreateForm(TClass FormClass, TComponent** Ref);
  // Shows the main form and handles messages until Terminate (or the main form closes).
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles every pending message, then returns.
  void ProcessMessages();
  // Handles one message, or idles (OnIdle, then waits) when there is none.
  void HandleMessage();
  // Called inside a catch block: OnException when assigned, else the default exception message box
  // (ShowException). EAbort is silent.
  void HandleException(TObject* Sender);
  void ShowException(const Exception& E);
  // A message box owned by the active form, captioned with Title when Caption is empty.
  int MessageBox(const String& Text, const String& Caption, UINT Flags = MB_OK);

  TCustomForm* MainForm() const { return mainForm_; }
  HWND Handle();
  const String& Title() const { return title_; }
  void SetTitle(const String& Value) { title_ = Value; }
  String ExeName() const;
  bool Active() const;
  bool ShowMainForm() const { return showMainForm_; }
  void SetShowMainForm(bool Value) { showMainForm_ = Value; }
  bool UpdateFormatSettings() const { return updateFormatSettings_; }
  void SetUpdateFormatSettings(bool Value) { updateFormatSettings_ = Value; }
  TBiDiMode BiDiMode() const { return bdLeftToRight; }

  // Help goes to the help system, which only records it (platform/win/Help.h); OnHelp may answer
  // instead (clearing CallHelp).
  const String& HelpFile() const { return helpFile_; }
  void SetHelpFile(const String& Value) { helpFile_ = Value; }
  bool HelpContext(int Context) { return HelpCommand(HELP_CONTEXT, static_cast<ULONG_PTR>(Context)); }
  bool HelpCommand(UINT Command, ULONG_PTR Data);
  std::function<bool(UINT Command, ULONG_PTR Data, bool& CallHelp)> OnHelp;

  // Hints: the text of the control under the mouse (OnHint), and the hint window shown after
  // HintPause ms of rest (HintShortPause when another hint was just shown), hidden after
  // HintHidePause ms.
  const String& Hint() const { return hint_; }
  void SetHint(const String& Value);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool Value);
  TColor HintColor() const { return hintColor_; }
  void SetHintColor(TColor Value) { hintColor_ = Value; }
  int HintPause() const { return hintPause_; }
  void SetHintPause(int Value) { hintPause_ = Value; }
  int HintShortPause() const { return hintShortPause_; }
  void SetHintShortPause(int Value) { hintShortPause_ = Value; }
  int HintHidePause() const { return hintHidePause_; }
  void SetHintHidePause(int Value) { hintHidePause_ = Value; }
  bool HintShortCuts() const { return hintShortCuts_; }
  void SetHintShortCuts(bool Value) { hintShortCuts_ = Value; }
  void ActivateHint(POINT CursorPos);
  void CancelHint();
  void HideHint();
  // The hint window while a hint is shown (tests look at it), else nullptr.
  THintWindow* HintWindow() const { return hintVisible_ ? hintWindow_ : nullptr; }
  TControl* HintControl() const { return hintControl_; }

  TExceptionEvent OnException;
  TIdleEvent OnIdle;
  TNotifyEvent OnHint;
  TShowHintEvent OnShowHint;
  TMessageEvent OnMessage;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;

  // The message loop's steps (the framework's ProcessMessage and Idle).
  bool ProcessMessage(MSG& Msg);
  void Idle(const MSG& Msg);
  // Mouse enter/leave notifications and the hint's control: what Idle does with the mouse.
  void DoMouseIdle();

 private:
  friend class TApplicationEvents;
  friend class TCustomForm;
  void CreateFormInstance(TClass FormClass, const std::function<void(TComponent*)>& Store);
  bool IsKeyMsg(MSG& Msg);
  bool IsHintMsg(MSG& Msg);
  void HintMouseMessage(TControl* Control, const MSG& Msg);
  void HintTimerExpired();
  void StartHintTimer(int Value);
  void StopHintTimer();
  void WndProc(TMessage& Message);
  void SetActiveState(bool Value);

  HWND handle_ = nullptr;
  TCustomForm* mainForm_ = nullptr;
  String title_;
  String helpFile_;
  bool terminated_ = false;
  bool showMainForm_ = true;
  bool updateFormatSettings_ = true;
  bool handleCreated_ = false;
  bool active_ = true;
  int handlingException_ = 0;

  String hint_;
  bool showHint_ = true;
  TColor hintColor_ = clInfoBk;
  int hintPause_ = 500;
  int hintShortPause_ = 50;
  int hintHidePause_ = 2500;
  bool hintShortCuts_ = true;
  bool hintActive_ = false;
  bool hintVisible_ = false;
  bool hintTimerOn_ = false;
  enum { htNone, htShow, htHide, htReshow } hintTimerKind_ = htNone;
  THintWindow* hintWindow_ = nullptr;
  TControl* hintControl_ = nullptr;
  RECT hintCursorRect_{};
  TControl* mouseControl_ = nullptr;
  std::vector<TApplicationEvents*> events_;
};

// Application events as a component on a form: every instance hears the application's events
// (and the application's own handlers still run).
class TApplicationEvents : public TComponent {
  TRENVIK_CLASS(TApplicationEvents, TComponent);

 public:
  explicit TApplicationEvents(TComponent* AOwner);
  ~TApplicationEvents() override;
  // Stops the current event from reaching the instances after this one.
  void CancelDispatch() { cancelled_ = true; }

  TExceptionEvent OnException;
  TIdleEvent OnIdle;
  TNotifyEvent OnHint;
  TShowHintEvent OnShowHint;
  TMessageEvent OnMessage;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;

 private:
  friend class TApplication;
  bool cancelled_ = false;
};

// --- The screen ---

class TMonitor {
 public:
  HMONITOR Handle() const { return handle_; }
  int MonitorNum() const { return num_; }
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.right - bounds_.left; }
  int Height() const { return bounds_.bottom - bounds_.top; }
  RECT BoundsRect() const { return bounds_; }
  RECT WorkareaRect() const;
  bool Primary() const { return num_ == 0; }

 private:
  friend class TScreen;
  HMONITOR handle_ = nullptr;
  int num_ = 0;
  RECT bounds_{};
};

class TDataModule;

class TScreen : public TComponent {
  TRENVIK_CLASS(TScreen, TComponent);

 public:
  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  int Width() const;
  int Height() const;
  RECT DesktopRect() const;
  RECT WorkAreaRect() const;
  int WorkAreaWidth() const;
  int WorkAreaHeight() const;
  int MonitorCount() const;
  TMonitor* Monitors(int Index);
  TMonitor* MonitorFromPoint(POINT P);
  TMonitor* MonitorFromWindow(HWND Wnd);
  int PixelsPerInch() const { return ScreenPixelsPerInch; }

  // The cursor table: the standard shapes, the framework's own ones and any registered by index.
  // An index without a cursor answers the arrow.
  HCURSOR Cursors(int Index) const;
  void SetCursors(int Index, HCURSOR Handle);
  // The cursor shown everywhere while not crDefault (the hour-glass during a long operation).
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor Value);

  int FormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* Forms(int Index) const { return forms_.at(static_cast<size_t>(Index)); }
  int CustomFormCount() const { return FormCount(); }
  TCustomForm* CustomForms(int Index) const { return Forms(Index); }
  // The data modules alive, in the order they were made.
  int DataModuleCount() const { return static_cast<int>(dataModules_.size()); }
  TDataModule* DataModules(int Index) const { return dataModules_.at(static_cast<size_t>(Index)); }
  TCustomForm* ActiveCustomForm() const { return activeForm_; }
  TCustomForm* ActiveForm() const { return activeForm_; }
  TWinControl* ActiveControl() const { return activeControl_; }
  // The fonts of the desktop's hints, icon titles and menus.
  TFont* HintFont() const { return hintFont_.get(); }
  TFont* IconFont() const { return iconFont_.get(); }
  TFont* MenuFont() const { return menuFont_.get(); }

  TNotifyEvent OnActiveControlChange;
  TNotifyEvent OnActiveFormChange;

 private:
  friend class TCustomForm;
  friend class TApplication;
  friend class TDataModule;
  void AddForm(TCustomForm* Form);
  void AddDataModule(TDataModule* Module) { dataModules_.push_back(Module); }
  void RemoveDataModule(TDataModule* Module) { std::erase(dataModules_, Module); }
  void RemoveForm(TCustomForm* Form);
  void SetActiveForm(TCustomForm* Form);
  void SetActiveControl(TWinControl* Control);
  void UpdateMonitors();
  void LoadCursors();

  std::vector<TCustomForm*> forms_;
  std::vector<TDataModule*> dataModules_;
  TCustomForm* activeForm_ = nullptr;
  TWinControl* activeControl_ = nullptr;
  std::map<int, HCURSOR> cursors_;
  std::vector<HCURSOR> ownCursors_;
  HCURSOR defaultCursor_ = nullptr;
  TCursor cursor_ = crDefault;
  std::unique_ptr<TFont> hintFont_, iconFont_, menuFont_;
  std::vector<std::unique_ptr<TMonitor>> monitors_;
};

extern TApplication* Application;
extern TScreen* Screen;

// The part of a hint before "|" (shown in the hint window) and after it (Application->Hint); the
// whole hint when it has no "|".
String GetShortHint(const String& Hint);
String GetLongHint(const String& Hint);

// A form (or another component the application owns) by name, case-insensitively; nullptr when
// there is none. Paths like "Form1.Panel1" start from here.
TComponent* FindGlobalComponent(const String& Name);

// --- Message boxes ---

// Message-box types beyond those of platform/win/Shell.h.
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_ABORTRETRYIGNORE = 0x00000002;
constexpr UINT MB_YESNOCANCEL = 0x00000003;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_RETRYCANCEL = 0x00000005;
constexpr UINT MB_TYPEMASK = 0x0000000F;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONMASK = 0x000000F0;
constexpr UINT MB_DEFBUTTON1 = 0x00000000;
constexpr UINT MB_DEFBUTTON2 = 0x00000100;
constexpr UINT MB_DEFBUTTON3 = 0x00000200;
constexpr UINT MB_DEFMASK = 0x00000F00;
constexpr UINT MB_APPLMODAL = 0x00000000;
constexpr UINT MB_SYSTEMMODAL = 0x00001000;
constexpr UINT MB_TASKMODAL = 0x00002000;
constexpr UINT MB_SETFOREGROUND = 0x00010000;
constexpr UINT MB_TOPMOST = 0x00040000;

// The layer's message box: a modal form with the icon, the text (line breaks as given: CR, LF or
// both) and the buttons of Type. Answers IDOK, IDCANCEL, IDYES, ... (Esc and the close button
// answer Cancel when there is one, else the only button). Owner's form is disabled meanwhile.
int MessageBox(HWND Owner, const String& Text, const String& Caption, UINT Type);

// Tests of other parts answer message boxes without showing them: the hook gets what the box
// would show and answers for it. nullptr restores the real box.
using TMessageBoxHook = std::function<int(const String& Text, const String& Caption, UINT Type)>;
void SetMessageBoxHook(TMessageBoxHook Hook);

TRENVIK_ENUM(TMsgDlgType, mtWarning, mtError, mtInformation, mtConfirmation, mtCustom);
TRENVIK_ENUM(TMsgDlgBtn, mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll,
             mbYesToAll, mbHelp);
using TMsgDlgButtons = Set<TMsgDlgBtn>;
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// The framework's message dialog: captioned "Warning", "Error", "Information", "Confirm" (or the
// application title for mtCustom), the buttons in the order of TMsgDlgBtn. Answers the button's
// ModalResult (mrYes, mrOk, ...).
int MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx = 0);
int MessageDlgPos(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int X, int Y);
// The dialog as a form, not yet shown (the caller shows it modally and frees it).
TForm* CreateMessageDialog(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);
void ShowMessage(const String& Msg);

// Start-up of the forms: the screen, the application, the cursor table.
void InitFormsModule();
void FinalizeFormsModule();
