// Metafile pictures (enhanced ".emf" and placeable ".wmf"): held as their bytes with their size.
// Drawing plays their common drawing records into the rectangle.
#pragma once

#include <vector>

#include "platform/forms/Graphic.h"

class TMetafile : public TGraphic {
  TRENVIK_CLASS(TMetafile, TGraphic);

 public:
  TMetafile() = default;

  void Assign(TPersistent* Source) override;

  bool Empty() const override { return data_.empty(); }
  // In screen pixels (96 per inch).
  int Width() const override;
  void SetWidth(int Value) override;
  int Height() const override;
  void SetHeight(int Value) override;
  // In hundredths of a millimetre.
  int MMWidth() const { return mmWidth_; }
  void SetMMWidth(int Value);
  int MMHeight() const { return mmHeight_; }
  void SetMMHeight(int Value);
  // True for an enhanced metafile, false for a placeable one.
  bool Enhanced() const { return enhanced_; }
  // Units per inch of a placeable metafile.
  int Inch() const { return inch_; }

  // EInvalidGraphic "Metafile is not valid" for anything but an enhanced or a placeable metafile.
  void LoadFromStream(TStream* Stream) override;
  // The bytes as read, with the size set since written into their header.
  void SaveToStream(TStream* Stream) override;
  // CF_ENHMETAFILE or CF_METAFILEPICT with the metafile's bytes.
  void LoadFromClipboardFormat(Word AFormat, const std::vector<Byte>& AData) override;
  void SaveToClipboardFormat(Word& AFormat, std::vector<Byte>& AData) override;

  // Whether the bytes at the stream's position start an enhanced or a placeable metafile.
  static bool IsMetafileStream(TStream* Stream);

 protected:
  void Draw(TCanvas* ACanvas, const RECT& Rect) override;

 private:
  void Load(std::vector<Byte> Data);
  void WriteSize();

  std::vector<Byte> data_;
  bool enhanced_ = true;
  int mmWidth_ = 0;
  int mmHeight_ = 0;
  int inch_ = 0;
};
