// The animation control on the virtual clock: the find-file clip opens with its frame size, plays
// a frame every 100 milliseconds, wraps or stops after its rounds, and its frames differ on screen.
#include "platform/forms/ComCtrls.h"
#include "platform/forms/tests/FormsTestSupport.h"

class AnimateTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    form = MakeForm(100, 100, 300, 200);
    form->Show();
    anim = Add<TAnimate>(form, "Anim", 10, 10, 100, 80);
    anim->OnStart = [](TObject*) { Note("start"); };
    anim->OnStop = [](TObject*) { Note("stop"); };
    Pump();
  }
  void Tick(int frames = 1) {
    for (int i = 0; i < frames; ++i) {
      clock_->Advance(TAnimate::FrameInterval);
      Pump();
    }
  }
  // A fingerprint of what the control shows.
  std::vector<COLORREF> Shown() {
    anim->Repaint();
    HDC dc = GetDC(anim->Handle());
    std::vector<COLORREF> pixels;
    for (int y = 0; y < anim->Height(); y += 2)
      for (int x = 0; x < anim->Width(); x += 2) pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(anim->Handle(), dc);
    return pixels;
  }
  TForm* form = nullptr;
  TAnimate* anim = nullptr;
};

TEST_F(AnimateTest, TheFindFileClipPlaysOnTheClock) {
  anim->SetCommonAVI(aviFindFile);
  EXPECT_EQ(anim->FrameCount(), 8);
  EXPECT_EQ(anim->Width(), anim->FrameWidth());  // sized to its frames
  EXPECT_EQ(anim->Height(), anim->FrameHeight());
  auto first = Shown();
  anim->SetActive(true);
  EXPECT_EQ(anim->CurrentFrame(), 1);
  Tick(2);
  EXPECT_EQ(anim->CurrentFrame(), 3);
  EXPECT_NE(Shown(), first);  // the glass has moved
  Tick(6);
  EXPECT_EQ(anim->CurrentFrame(), 1);  // round again, until stopped
  anim->SetActive(false);
  Tick(3);
  EXPECT_EQ(anim->CurrentFrame(), 1);
  EXPECT_EQ(Shown(), first);
  EXPECT_EQ(EventLog(), (std::vector<std::string>{"start", "stop"}));
}

TEST_F(AnimateTest, RoundsRangesAndMissingClips) {
  anim->SetCommonAVI(aviFindFile);
  anim->Play(2, 4, 2);  // frames 2..4 twice
  Tick(2);
  EXPECT_EQ(anim->CurrentFrame(), 4);
  Tick(1);
  EXPECT_EQ(anim->CurrentFrame(), 2);
  Tick(3);
  EXPECT_FALSE(anim->Active());
  EXPECT_EQ(anim->CurrentFrame(), 4);  // stops on its last frame
  EXPECT_THROW(anim->Seek(9), EInvalidOperation);
  EXPECT_THROW(anim->Play(0, 3, 1), EInvalidOperation);
  anim->Seek(5);
  EXPECT_EQ(anim->CurrentFrame(), 5);
  EXPECT_THROW(anim->SetCommonAVI(aviCopyFiles), EInvalidOperation);
  EXPECT_FALSE(anim->Open());
  EXPECT_EQ(anim->CommonAVI(), aviNone);
  EXPECT_THROW(anim->SetActive(true), EInvalidOperation);
}
