// TAnimate: the frames of an opened clip, advanced by a window timer.
#include "platform/forms/Animate.h"

#include "platform/classes/Published.h"
#include "platform/win/Windows.h"

TRENVIK_PUBLISHED(TAnimate) {
  P.Property("Active", &TAnimate::Active, &TAnimate::SetActive).Default(false);
  P.Property("AutoSize", &TAnimate::AutoSize, &TAnimate::SetAutoSize).Default(true);
  P.Property("Center", &TAnimate::Center, &TAnimate::SetCenter).Default(true);
  P.Property("CommonAVI", &TAnimate::CommonAVI, &TAnimate::SetCommonAVI).Default(aviNone);
  P.Property("Repetitions", &TAnimate::Repetitions, &TAnimate::SetRepetitions).Default(0);
  P.Property("StartFrame", &TAnimate::StartFrame, &TAnimate::SetStartFrame).Default(1);
  P.Property("StopFrame", &TAnimate::StopFrame, &TAnimate::SetStopFrame).Default(0);
  P.Event("OnClose", &TAnimate::OnClose);
  P.Event("OnOpen", &TAnimate::OnOpen);
  P.Event("OnStart", &TAnimate::OnStart);
  P.Event("OnStop", &TAnimate::OnStop);
}

namespace {
constexpr UINT_PTR kFrameTimer = 1;
}

TRENVIK_MESSAGE_MAP(TAnimate) { M.On(WM_TIMER, &TAnimate::WMTimer); }

TAnimate::TAnimate(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(TControlStyle{csReplicatable, csOpaque});
  SetBounds(Left(), Top(), 100, 80);
}

TAnimate::~TAnimate() {
  if (HandleAllocated()) KillTimer(WindowHandle(), kFrameTimer);
}

void TAnimate::SetCommonAVI(TCommonAVI Value) {
  if (commonAVI_ == Value && (Open() || Value == aviNone)) return;
  CloseClip();
  commonAVI_ = Value;
  if (Value != aviNone && !ComponentState().Contains(csLoading)) OpenClip();
}

void TAnimate::OpenClip() {
  frames_ = MakeCommonClip(commonAVI_, frameCount_, frameWidth_, frameHeight_);
  if (!frames_) {
    commonAVI_ = aviNone;
    frameCount_ = frameWidth_ = frameHeight_ = 0;
    throw EInvalidOperation("Cannot open AVI");
  }
  current_ = 1;
  AdjustSize();
  Invalidate();
  if (OnOpen) OnOpen(this);
}

void TAnimate::CloseClip() {
  if (!frames_) return;
  Stop();
  frames_.reset();
  frameCount_ = frameWidth_ = frameHeight_ = current_ = 0;
  Invalidate();
  if (OnClose) OnClose(this);
}

void TAnimate::Loaded() {
  inherited::Loaded();
  if (commonAVI_ != aviNone) OpenClip();
  if (active_) {
    active_ = false;
    SetActive(true);
  }
}

void TAnimate::AdjustSize() {
  if (autoSize_ && frames_) SetBounds(Left(), Top(), frameWidth_, frameHeight_);
}

void TAnimate::SetAutoSize(bool Value) {
  autoSize_ = Value;
  AdjustSize();
}

void TAnimate::SetCenter(bool Value) {
  center_ = Value;
  Invalidate();
}

void TAnimate::CheckFrame(int Frame) const {
  if (Frame < 1 || Frame > frameCount_)
    throw EInvalidOperation("Frame " + std::to_string(Frame) + " is out of the clip's range");
}

void TAnimate::SetStartFrame(int Value) {
  if (Open()) CheckFrame(Value);
  startFrame_ = Value;
}

void TAnimate::SetStopFrame(int Value) {
  if (Open() && Value != 0) CheckFrame(Value);
  stopFrame_ = Value;
}

void TAnimate::SetActive(bool Value) {
  if (ComponentState().Contains(csLoading)) {
    active_ = Value;
    return;
  }
  if (Value)
    Play(startFrame_, stopFrame_ ? stopFrame_ : frameCount_, repetitions_);
  else
    Stop();
}

void TAnimate::Play(int FromFrame, int ToFrame, int Count) {
  if (!Open()) throw EInvalidOperation("Cannot play: no clip is open");
  CheckFrame(FromFrame);
  CheckFrame(ToFrame);
  startFrame_ = FromFrame;
  stopFrame_ = ToFrame;
  roundsLeft_ = Count;
  current_ = FromFrame;
  const bool starting = !active_;
  active_ = true;
  Invalidate();
  if (!SetTimer(Handle(), kFrameTimer, FrameInterval, nullptr))
    throw EOutOfResources("Not enough timers available");
  if (starting && OnStart) OnStart(this);
}

void TAnimate::Stop() {
  if (!active_) return;
  active_ = false;
  if (HandleAllocated()) KillTimer(WindowHandle(), kFrameTimer);
  if (OnStop) OnStop(this);
}

void TAnimate::Reset() {
  Stop();
  if (Open()) Seek(1);
}

void TAnimate::Seek(int Frame) {
  CheckFrame(Frame);
  Stop();
  current_ = Frame;
  Invalidate();
}

void TAnimate::NextFrame() {
  if (current_ < stopFrame_) {
    ++current_;
  } else if (roundsLeft_ == 0 || --roundsLeft_ > 0) {
    current_ = startFrame_;
  } else {
    Stop();
    return;
  }
  Invalidate();
}

void TAnimate::WMTimer(TMessage& Message) {
  if (Message.WParam == kFrameTimer && active_) NextFrame();
}

void TAnimate::Paint() {
  TCanvas* c = Canvas();
  RECT client = ClientRect();
  c->Brush()->SetColor(Color());
  c->FillRect(client);
  if (!frames_ || current_ < 1) return;
  int x = 0, y = 0;
  if (center_) {
    x = (client.right - frameWidth_) / 2;
    y = (client.bottom - frameHeight_) / 2;
  }
  const int left = (current_ - 1) * frameWidth_;
  c->CopyRect(RECT{x, y, x + frameWidth_, y + frameHeight_}, frames_->Canvas(),
              RECT{left, 0, left + frameWidth_, frameHeight_});
}
