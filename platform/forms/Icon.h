// Icons: the ICO format (1-bit masks over 1 to 32-bit images) over the drawing layer's icons.
#pragma once

#include <vector>

#include "platform/forms/Graphic.h"

class TIcon : public TGraphic {
  TRENVIK_CLASS(TIcon, TGraphic);

 public:
  TIcon() = default;
  ~TIcon() override;

  void Assign(TPersistent* Source) override;

  // The icon handle, owned by the icon; nullptr while empty.
  HICON Handle() const { return handle_; }
  // Takes over the handle.
  void SetHandle(HICON Value);
  // Gives the handle to the caller; the icon is empty after.
  HICON ReleaseHandle();
  bool HandleAllocated() const { return handle_ != nullptr; }

  bool Empty() const override { return handle_ == nullptr; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  // An icon's size comes with its image: EInvalidGraphicOperation "Cannot change the size of an icon".
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;
  // Icons always draw through their masks.
  bool Transparent() const override { return true; }

  // Reads an icon file from the stream's position; of several images the one nearest 32 x 32 with
  // the most colours is shown. The file's bytes are kept and written back unchanged by SaveToStream;
  // an icon made from a handle is written as one 32-bit image with its 1-bit mask.
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;

 protected:
  void Draw(TCanvas* ACanvas, const RECT& Rect) override;

 private:
  void NewHandle(HICON Value);

  HICON handle_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  std::vector<Byte> data_;  // the icon file as read
};
