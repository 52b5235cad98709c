// What a form's event handler raises goes to the application's exception handler, or, with no
// application to take it, on to whoever caused the event; never silently dropped.
#include <gtest/gtest-spi.h>

#include "platform/forms/ControlsInternal.h"
#include "platform/forms/tests/FormsTestSupport.h"

namespace {

// The application's exception handler is away for the scope, as before an application exists.
class TNoApplicationHandler {
 public:
  TNoApplicationHandler()
      : saved_(std::exchange(forms_internal::ApplicationHooks().HandleException, nullptr)) {}
  ~TNoApplicationHandler() { forms_internal::ApplicationHooks().HandleException = std::move(saved_); }

 private:
  std::function<void(TObject*)> saved_;
};

auto Raise(const char* what) {
  return [what](TObject*) { throw Exception(what); };
}

}  // namespace

using EventExceptionTest = FormsTest;

TEST_F(EventExceptionTest, WithoutAnApplicationFormEventsRaiseToTheCaller) {
  TNoApplicationHandler away;
  auto* f = MakeForm();
  f->OnShow = Raise("show");
  EXPECT_THROW(f->Show(), Exception);
  EXPECT_FALSE(f->FormState().Contains(fsShowing));  // left usable: it can be shown again
  f->OnShow = nullptr;
  f->Hide();
  f->Show();
  EXPECT_TRUE(IsWindowVisible(f->Handle()));
  f->OnHide = Raise("hide");
  EXPECT_THROW(f->Hide(), Exception);
  f->OnHide = nullptr;
  f->Hide();
  EXPECT_FALSE(f->Visible());

  f->OnDestroy = Raise("destroy");
  EXPECT_THROW(f->BeforeDestruction(), Exception);
}

TEST_F(EventExceptionTest, ARefusedModalCloseWithoutAnApplicationHandlerEndsTheLoopCleanly) {
  auto* other = MakeForm(600, 100, 200, 100);
  other->Show();
  auto* f = MakeForm();
  auto* ok = Add<TButton>(f, "Ok", 10, 50, 75, 25);
  ok->SetModalResult(mrOk);
  int asked = 0;  // only the first question raises, so a dropped exception cannot hang the loop
  f->OnCloseQuery = [&](TObject*, bool&) {
    if (++asked == 1) throw Exception("close query");
  };
  SimulateClick(TSimButton::Left, At(ok, 10, 10));
  {
    TNoApplicationHandler away;
    EXPECT_THROW(f->ShowModal(), Exception);
  }
  EXPECT_FALSE(f->FormState().Contains(fsModal));
  EXPECT_FALSE(f->Visible());
  EXPECT_TRUE(IsWindowEnabled(other->Handle()));
  f->OnCloseQuery = nullptr;
}

TEST_F(EventExceptionTest, WithAnApplicationEveryEventExceptionReachesOnException) {
  std::vector<std::string> seen;
  Application->OnException = [&](TObject*, Exception& E) { seen.push_back(StringToUtf8(E.Message())); };
  auto* f = MakeForm();
  f->OnShow = Raise("show");
  f->OnHide = Raise("hide");
  f->Show();
  f->Hide();
  f->OnDestroy = Raise("destroy");
  f->BeforeDestruction();
  auto* timer = new TTimer(f);
  timer->SetInterval(10);
  timer->OnTimer = Raise("timer");
  clock_->Advance(20);
  Pump();
  timer->SetEnabled(false);
  EXPECT_EQ(seen, (std::vector<std::string>{"show", "hide", "destroy", "timer"}));
}

// In a test binary an exception nobody handles would open the error box, and headless nobody closes
// it: the running test fails with the message instead. A test that answers boxes still gets the box.
TEST_F(EventExceptionTest, AnUnhandledEventExceptionFailsTheTestInsteadOfWaitingOnABox) {
  ASSERT_FALSE(Application->OnException);
  auto* f = MakeForm();
  auto* timer = new TTimer(f);
  timer->SetInterval(10);
  timer->OnTimer = [timer](TObject*) {
    timer->SetEnabled(false);
    throw Exception("timer went wrong");
  };
  EXPECT_NONFATAL_FAILURE(
      {
        clock_->Advance(20);
        Pump();
      },
      "Unhandled exception in an event handler: timer went wrong.");
  std::vector<std::string> boxes;
  SetMessageBoxHook([&](const String& Text, const String&, UINT) {
    boxes.push_back(StringToUtf8(Text));
    return IDOK;
  });
  timer->SetEnabled(true);
  clock_->Advance(20);
  Pump();
  SetMessageBoxHook(nullptr);
  EXPECT_EQ(boxes, std::vector<std::string>{"timer went wrong."});
}
