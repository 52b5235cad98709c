// Picture values and the image editor's rules that need no control: the graphic classes by name,
// values read without raising, proportional fitting and the context menu's enabling.
#include <vector>

#include "cx/editors-ext/cxImage.h"
#include "platform/forms/Icon.h"
#include "platform/forms/Jpeg.h"
#include "platform/forms/Metafile.h"
#include "platform/forms/PictureValues.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StrUtils.h"
#include "platform/win/Clipboard.h"

namespace {

const std::vector<TGraphicClass>& ImageGraphicClasses() {
  static const std::vector<TGraphicClass> classes = {TBitmap::StaticClass(), TIcon::StaticClass(),
                                                     TMetafile::StaticClass(), TJPEGImage::StaticClass()};
  return classes;
}

}  // namespace

TGraphicClass cxGetGraphicClassByName(const String& AName) {
  for (TGraphicClass graphicClass : ImageGraphicClasses())
    if (CompareText(graphicClass->ClassName(), AName) == 0) return graphicClass;
  return nullptr;
}

void cxPictureFromValue(TPicture* APicture, TGraphicClass AGraphicClass, const Variant& AValue) {
  try {
    LoadPictureFromVariant(APicture, AGraphicClass, AValue);
  } catch (const Exception&) {
    // A value no graphic class can read is no picture.
    APicture->Assign(nullptr);
  }
}

AnsiString cxPictureToValue(TPicture* APicture) { return SavePictureToString(APicture); }

RECT cxFitRectProportionally(const RECT& R, int AWidth, int AHeight) {
  if (AWidth <= 0 || AHeight <= 0) return {R.left, R.top, R.left, R.top};
  const Int64 width = R.right - R.left, height = R.bottom - R.top;
  RECT result = R;
  if (width * AHeight >= height * AWidth)
    result.right = R.left + static_cast<int>(AWidth * height / AHeight);
  else
    result.bottom = R.top + static_cast<int>(AHeight * width / AWidth);
  return result;
}

Word cxImageClipboardFormat(TGraphicClass AGraphicClass) {
  if (AGraphicClass == TBitmap::StaticClass() || AGraphicClass == TJPEGImage::StaticClass()) return CF_BITMAP;
  if (AGraphicClass == TMetafile::StaticClass()) return CF_METAFILEPICT;
  if (AGraphicClass == TIcon::StaticClass()) return 0;
  return CF_PICTURE;
}

TcxPopupMenuItems cxImageEnabledCommands(bool AEmpty, bool ALocked, TGraphicClass AGraphicClass,
                                         bool AClipboardHasFormat) {
  const bool icon = AGraphicClass == TIcon::StaticClass();
  TcxPopupMenuItems result;
  if (!(AEmpty || ALocked || icon)) result += TcxPopupMenuItems{pmiCut};
  if (!(AEmpty || icon)) result += TcxPopupMenuItems{pmiCopy};
  if (!ALocked && AClipboardHasFormat) result += TcxPopupMenuItems{pmiPaste};
  if (!(AEmpty || ALocked)) result += TcxPopupMenuItems{pmiDelete};
  if (!ALocked) result += TcxPopupMenuItems{pmiLoad};
  if (!AEmpty) result += TcxPopupMenuItems{pmiSave};
  result += TcxPopupMenuItems{pmiCustom};
  return result;
}
