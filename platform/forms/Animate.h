// The animation control: a strip of frames played on a timer. The system's clips are ours, drawn
// by the layer (the find-file clip: a magnifying glass sweeping over a page).
#pragma once

#include <memory>

#include "platform/forms/Controls.h"
#include "platform/forms/Graphic.h"

TRENVIK_ENUM(TCommonAVI, aviNone, aviFindFolder, aviFindFile, aviFindComputer, aviCopyFiles, aviCopyFile,
             aviRecycleFile, aviEmptyRecycle, aviDeleteFile);

class TAnimate : public TCustomControl {
  TRENVIK_CLASS(TAnimate, TCustomControl);

 public:
  explicit TAnimate(TComponent* AOwner);
  ~TAnimate() override;

  // Opens a clip of the system; aviNone closes. Clips the layer does not have raise EInvalidOperation.
  TCommonAVI CommonAVI() const { return commonAVI_; }
  void SetCommonAVI(TCommonAVI Value);
  // Playing: setting it starts from StartFrame for Repetitions rounds (0: until stopped).
  bool Active() const { return active_; }
  void SetActive(bool Value);
  bool Open() const { return frames_ != nullptr; }
  bool Center() const { return center_; }
  void SetCenter(bool Value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool Value);
  int FrameCount() const { return frameCount_; }
  int FrameWidth() const { return frameWidth_; }
  int FrameHeight() const { return frameHeight_; }
  // 1-based frame numbers.
  int StartFrame() const { return startFrame_; }
  void SetStartFrame(int Value);
  int StopFrame() const { return stopFrame_; }
  void SetStopFrame(int Value);
  int Repetitions() const { return repetitions_; }
  void SetRepetitions(int Value) { repetitions_ = std::max(0, Value); }
  // The frame shown now (1-based; 0 when nothing is open).
  int CurrentFrame() const { return current_; }
  // Milliseconds per frame.
  static constexpr int FrameInterval = 100;

  void Play(int FromFrame, int ToFrame, int Count);
  void Stop();
  void Reset();
  void Seek(int Frame);

  TNotifyEvent OnOpen;
  TNotifyEvent OnClose;
  TNotifyEvent OnStart;
  TNotifyEvent OnStop;

 protected:
  void Paint() override;
  void Loaded() override;

 private:
  TRENVIK_MESSAGES(TAnimate);
  void WMTimer(TMessage& Message);
  void CheckFrame(int Frame) const;
  void OpenClip();
  void CloseClip();
  void NextFrame();
  void AdjustSize();

  TCommonAVI commonAVI_ = aviNone;
  std::unique_ptr<TBitmap> frames_;  // the frames side by side
  int frameCount_ = 0;
  int frameWidth_ = 0;
  int frameHeight_ = 0;
  int startFrame_ = 1;
  int stopFrame_ = 0;
  int repetitions_ = 0;
  int roundsLeft_ = 0;
  int current_ = 0;
  bool active_ = false;
  bool center_ = true;
  bool autoSize_ = true;
};

// The layer's own clips: the frames side by side in one bitmap; null for a clip it does not have.
std::unique_ptr<TBitmap> MakeCommonClip(TCommonAVI Clip, int& FrameCount, int& FrameWidth, int& FrameHeight);
