#include "platform/forms/Graphic.h"

#include "platform/classes/Filer.h"
#include "platform/rtl/Exceptions.h"

TRENVIK_IMPLEMENT_CLASS(TGraphic)

void TGraphic::SetSize(int AWidth, int AHeight) {
  SetWidth(AWidth);
  SetHeight(AHeight);
}

void TGraphic::SetTransparent(bool Value) {
  if (Value == transparent_) return;
  transparent_ = Value;
  Changed(this);
}

void TGraphic::SetModified(bool Value) {
  if (Value)
    Changed(this);
  else
    modified_ = false;
}

void TGraphic::Changed(TObject*) {
  modified_ = true;
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const String& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const String& FileName) {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

void TGraphic::LoadFromClipboardFormat(Word, const std::vector<Byte>&) {
  throw EInvalidGraphic("Unsupported clipboard format");
}

void TGraphic::SaveToClipboardFormat(Word&, std::vector<Byte>&) {
  throw EInvalidGraphic("Unsupported clipboard format");
}

void TGraphic::DefineProperties(TFiler* Filer) {
  Filer->DefineBinaryProperty(
      u"Data", [this](TStream* s) { ReadData(s); }, [this](TStream* s) { WriteData(s); }, !Empty());
}

TGraphic* NewGraphic(TGraphicClass GraphicClass) {
  if (!GraphicClass || !GraphicClass->InheritsFrom(TGraphic::StaticClass()) || !GraphicClass->CanCreate())
    throw EInvalidGraphic("Invalid graphic class");
  return static_cast<TGraphic*>(GraphicClass->NewInstance());
}
