// TWinControl: windows made over native classes (CreateSubClass), RecreateWnd, alignment and
// anchors, reflected notifications, and tab order.
#include "platform/forms/tests/FormsTestSupport.h"

namespace {
// A control over the window system's "STATIC" class, as the Parts make one.
class TStaticOver : public TWinControl {
  TRENVIK_CLASS(TStaticOver, TWinControl);
  TRENVIK_MESSAGES(TStaticOver);

 public:
  explicit TStaticOver(TComponent* AOwner) : TWinControl(AOwner) {}
  using TWinControl::RecreateWnd;
  int Created = 0;
  std::vector<UINT> Reflected;
  DWORD ExtraStyle = 0;

 protected:
  void CreateParams(TCreateParams& Params) override {
    inherited::CreateParams(Params);
    CreateSubClass(Params, u"STATIC");
    Params.Style |= ExtraStyle;
  }
  void CreateWnd() override {
    inherited::CreateWnd();
    ++Created;
  }

 private:
  void CNCommand(TWMCommand& Message) {
    Reflected.push_back(Message.NotifyCode());
    Message.Result = 7;
  }
};
}  // namespace

TRENVIK_IMPLEMENT_CLASS(TStaticOver)
TRENVIK_MESSAGE_MAP(TStaticOver) { M.On(CN_COMMAND, &TStaticOver::CNCommand); }

using WinControlTest = FormsTest;

TEST_F(WinControlTest, ANativeClassUnderTheControlsOwnClassNameAndRecreateWnd) {
  auto* f = MakeForm();
  auto* s = Add<TStaticOver>(f, "Static", 10, 10, 80, 20);
  s->SetCaption(u"Before");
  f->Show();
  Pump();
  ASSERT_TRUE(s->HandleAllocated());
  EXPECT_EQ(GetClassNameString(s->Handle()), u"TStaticOver");
  EXPECT_EQ(FindControl(s->Handle()), s);
  // The static class's own handling is the default: it is transparent to the mouse.
  POINT p = At(s, 2, 2);
  EXPECT_EQ(SendMessage(s->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTTRANSPARENT);
  EXPECT_EQ(GetWindowTextString(s->Handle()), u"Before");

  // A notification from the control to its parent comes back to it as CN_COMMAND.
  EXPECT_EQ(SendMessage(f->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(s->Handle()), 5),
                        reinterpret_cast<LPARAM>(s->Handle())),
            7);
  EXPECT_EQ(s->Reflected, (std::vector<UINT>{5}));

  // A new window with the new parameters, the text kept.
  HWND old = s->Handle();
  s->ExtraStyle = 0x0100;  // SS_NOTIFY
  s->RecreateWnd();
  ASSERT_TRUE(s->HandleAllocated());
  EXPECT_NE(s->Handle(), old);
  EXPECT_FALSE(IsWindow(old));
  EXPECT_EQ(s->Created, 2);
  EXPECT_EQ(GetWindowTextString(s->Handle()), u"Before");
  EXPECT_TRUE(IsWindowVisible(s->Handle()));
  EXPECT_TRUE(GetWindowLong(s->Handle(), GWL_STYLE) & 0x0100);
  p = At(s, 2, 2);
  EXPECT_EQ(SendMessage(s->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTCLIENT);
}

TEST_F(WinControlTest, AlignTakesTheRoomInOrderAndAnchorsKeepTheirDistance) {
  auto* f = MakeForm();
  f->SetClientSize(300, 200);
  auto* top1 = Add<TTestPanel>(f, "Top1", 0, 0, 10, 20);
  auto* top2 = Add<TTestPanel>(f, "Top2", 0, 50, 10, 30);
  auto* bottom = Add<TTestPanel>(f, "Bottom", 0, 0, 10, 25);
  auto* right = Add<TTestPanel>(f, "Right", 0, 0, 40, 10);
  auto* client = Add<TTestPanel>(f, "Client", 0, 0, 10, 10);
  auto* anchored = Add<TTestShape>(f, "Anchored", 250, 150, 30, 20);
  anchored->SetAnchors({akRight, akBottom});
  // Top2 first in the file but lower: the tops stack by their positions.
  top2->SetAlign(alTop);
  top1->SetAlign(alTop);
  bottom->SetAlign(alBottom);
  right->SetAlign(alRight);
  client->SetAlign(alClient);
  EXPECT_EQ(top1->BoundsRect(), (RECT{0, 0, 300, 20}));
  EXPECT_EQ(top2->BoundsRect(), (RECT{0, 20, 300, 50}));
  EXPECT_EQ(bottom->BoundsRect(), (RECT{0, 175, 300, 200}));
  EXPECT_EQ(right->BoundsRect(), (RECT{260, 50, 300, 175}));
  EXPECT_EQ(client->BoundsRect(), (RECT{0, 50, 260, 175}));
  // Hiding one gives its room to the others; resizing the parent lays out again.
  top1->SetVisible(false);
  EXPECT_EQ(client->BoundsRect(), (RECT{0, 30, 260, 175}));
  f->Show();
  Pump();
  f->SetClientSize(400, 300);
  Pump();
  EXPECT_EQ(bottom->BoundsRect(), (RECT{0, 275, 400, 300}));
  EXPECT_EQ(client->BoundsRect(), (RECT{0, 30, 360, 275}));
  EXPECT_EQ(anchored->BoundsRect(), (RECT{350, 250, 380, 270}));
  // Border width narrows the room of all of them.
  f->SetBorderWidth(5);
  EXPECT_EQ(top2->BoundsRect(), (RECT{5, 5, 395, 35}));
}

TEST_F(WinControlTest, TabOrderListAndSelectNext) {
  auto* f = MakeForm();
  auto* a = Add<TTestBox>(f, "A", 0, 0, 10, 10);
  auto* panel = Add<TTestPanel>(f, "Panel", 0, 20, 100, 50);
  auto* p1 = Add<TTestBox>(panel, "P1", 0, 0, 10, 10);
  auto* p2 = Add<TTestBox>(panel, "P2", 0, 20, 10, 10);
  auto* b = Add<TTestBox>(f, "B", 0, 80, 10, 10);
  b->SetTabOrder(0);
  EXPECT_EQ(b->TabOrder(), 0);
  EXPECT_EQ(a->TabOrder(), 1);
  std::vector<TWinControl*> list;
  f->GetTabOrderList(list);
  EXPECT_EQ(list, (std::vector<TWinControl*>{b, a, panel, p1, p2}));
  p2->SetTabOrder(100);  // beyond the end: last
  EXPECT_EQ(p2->TabOrder(), 1);
  f->Show();
  Pump();
  EXPECT_EQ(f->ActiveControl(), b);
  f->SelectNext(b, true, true);
  EXPECT_EQ(f->ActiveControl(), a);
  f->SelectNext(a, true, true);
  EXPECT_EQ(f->ActiveControl(), p1);  // the panel has no TabStop
  f->SelectNext(p2, true, true);
  EXPECT_EQ(f->ActiveControl(), b);  // wraps
  f->SelectNext(b, false, true);
  EXPECT_EQ(f->ActiveControl(), p2);
  EXPECT_EQ(f->FindNextControl(p1, true, true, true), b) << "only the form's own children when asked";
  p1->SetVisible(false);
  EXPECT_THROW(f->SetActiveControl(p1), EInvalidOperation);
}
