// The glyph set: a glyph for a look, check and button state is painted class by class on first use.
#include "cx/editors-ext/cxEditExtConsts.h"
#include "cx/editors-ext/cxRadioGroup.h"
#include "cx/foundation/cxClasses.h"
#include "platform/forms/Colors.h"

namespace {

constexpr int kDisabled = 0, kNormal = 1, kPressed = 2, kHot = 3;

std::unique_ptr<TcxRadioButtonImageList>& GlyphSet() {
  static std::unique_ptr<TcxRadioButtonImageList> set;
  return set;
}

TColor InteriorColor(TcxLookAndFeelKind AKind, int AImageState) {
  if (AImageState == kDisabled) return clBtnFace;
  if (AKind == lfUltraFlat) return AImageState == kPressed ? cxHighlightTintColor()
                                   : AImageState == kHot   ? cxFaceTintColor()
                                                           : clWindow;
  return AImageState == kPressed ? clBtnFace : clWindow;
}

// The colours of the pixel classes for one glyph, in class order.
std::array<TColor, 7> ClassColors(TcxLookAndFeelKind AKind, int AImageState, bool AChecked, bool AHighlighted) {
  const TColor interior = InteriorColor(AKind, AImageState);
  const TColor dot = !AChecked ? interior : AImageState == kDisabled ? clBtnShadow : clBtnText;
  if (AKind == lfUltraFlat) {
    const TColor border = AHighlighted ? clHighlight : clBtnShadow;
    return {clBlack, border, border, interior, interior, interior, dot};
  }
  const TColor innerUpperLeft = AKind == lfFlat ? cl3DLight : cl3DDkShadow;
  return {clBlack, clBtnShadow, clBtnHighlight, innerUpperLeft, cl3DLight, interior, dot};
}

}  // namespace

TRENVIK_IMPLEMENT_CLASS(TcxRadioButtonImageList)

int cxRadioImageState(TcxRadioButtonState AState) {
  constexpr int kImageStates[] = {kDisabled, kHot, kNormal, kPressed};
  return kImageStates[AState];
}

TcxRadioButtonImageList::TcxRadioButtonImageList() {
  Classify();
  images_ = std::make_unique<TImageList>(nullptr, metrics_.Width, metrics_.Height);
  images_->SetMasked(true);
  images_->SetImageType(itImage);
  TBitmap empty;
  empty.SetSize(metrics_.Width, metrics_.Height);
  for (int i = 0; i < kSlotCount; ++i) images_->Add(&empty, &mask_);
}

TcxRadioButtonImageList::~TcxRadioButtonImageList() = default;

void TcxRadioButtonImageList::Reset() { built_.fill(false); }

void TcxRadioButtonImageList::Draw(TcxCanvas* ACanvas, int X, int Y, TcxLookAndFeelKind AKind, int AImageState,
                                   bool AChecked, bool AFocused, bool AIsDesigning) {
  // Only the ultra-flat border depends on focus and design time; the others share one glyph.
  const bool highlighted = AKind == lfUltraFlat && (AFocused || AImageState == kHot ||
                                                    (AIsDesigning && AImageState != kDisabled));
  const int slot = ((static_cast<int>(AKind) * 2 + (highlighted ? 1 : 0)) * 2 + (AChecked ? 1 : 0)) * 4 + AImageState;
  if (!built_[slot]) Build(slot, AKind, AImageState, AChecked, highlighted);
  images_->Draw(ACanvas->Canvas(), X, Y, slot, true);
}

void TcxRadioButtonImageList::Build(int ASlot, TcxLookAndFeelKind AKind, int AImageState, bool AChecked,
                                    bool AHighlighted) {
  const std::array<TColor, 7> colors = ClassColors(AKind, AImageState, AChecked, AHighlighted);
  TBitmap glyph;
  glyph.SetSize(metrics_.Width, metrics_.Height);
  for (int y = 0; y < metrics_.Height; ++y)
    for (int x = 0; x < metrics_.Width; ++x)
      glyph.Canvas()->SetPixels(x, y, colors[static_cast<size_t>(PixelClass(x, y))]);
  images_->Replace(ASlot, &glyph, &mask_);
  built_[ASlot] = true;
  ++buildCount_;
}

TcxRadioButtonImageList* cxRadioButtonImageList() { return GlyphSet().get(); }

void InitializeRadioGroup() {
  RegisterCxEditExtConsts();
  GlyphSet() = std::make_unique<TcxRadioButtonImageList>();
  GetRegisteredEditProperties()->Register(TcxRadioGroupProperties::StaticClass(),
                                          cxGetResourceString(cxSEditRadioGroupDescription));
}

void FinalizeRadioGroup() {
  GetRegisteredEditProperties()->Unregister(TcxRadioGroupProperties::StaticClass());
  GlyphSet().reset();
}
