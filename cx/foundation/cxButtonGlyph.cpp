#include "cx/foundation/cxButtonGlyph.h"

#include <algorithm>
#include <utility>

namespace {

std::unique_ptr<TcxGlyphCache> GlyphCache;

TcxGlyphCache* EnsureGlyphCache() {
  if (!GlyphCache) GlyphCache = std::make_unique<TcxGlyphCache>();
  return GlyphCache.get();
}

// Image kinds of the strip: up, disabled, down, and a fourth no state asks for.
constexpr int ikUp = 0, ikDisabled = 1, ikDown = 2;

}  // namespace

TcxGlyphCache* cxGlyphCache() { return GlyphCache.get(); }

void FinalizeButtonGlyphs() { GlyphCache.reset(); }

// --- TcxGlyphList ---

TRENVIK_IMPLEMENT_CLASS(TcxGlyphList)

TcxGlyphList::TcxGlyphList(int AWidth, int AHeight) : TImageList(nullptr, AWidth, AHeight) {}

int TcxGlyphList::AddMasked(TBitmap* AImage, TColor AMaskColor) {
  auto Free = std::find(used_.begin(), used_.end(), false);
  int Index;
  if (Free == used_.end()) {
    Index = TImageList::AddMasked(AImage, AMaskColor);
    if (Index < 0) return Index;
    used_.resize(Index + 1, false);
  } else {
    Index = static_cast<int>(Free - used_.begin());
    ReplaceMasked(Index, AImage, AMaskColor);
  }
  used_[Index] = true;
  ++usedCount_;
  return Index;
}

void TcxGlyphList::Delete(int AIndex) {
  if (!IsUsed(AIndex)) return;
  used_[AIndex] = false;
  --usedCount_;
}

// --- TcxGlyphCache ---

TRENVIK_IMPLEMENT_CLASS(TcxGlyphCache)

TcxGlyphCache::~TcxGlyphCache() = default;

TcxGlyphList* TcxGlyphCache::GetList(int AWidth, int AHeight) {
  for (auto It = lists_.rbegin(); It != lists_.rend(); ++It)
    if ((*It)->Width() == AWidth && (*It)->Height() == AHeight) return It->get();
  lists_.push_back(std::make_unique<TcxGlyphList>(AWidth, AHeight));
  return lists_.back().get();
}

void TcxGlyphCache::ReturnList(TcxGlyphList* AList) {
  if (!AList || AList->UsedCount() != 0) return;
  auto It = std::find_if(lists_.begin(), lists_.end(), [AList](const auto& L) { return L.get() == AList; });
  if (It != lists_.end()) lists_.erase(It);
}

// --- TcxButtonGlyph ---

TRENVIK_IMPLEMENT_CLASS(TcxButtonGlyph)

TcxButtonGlyph::TcxButtonGlyph() : strip_(std::make_unique<TBitmap>()) {
  strip_->OnChange = [this](TObject* Sender) { GlyphChanged(Sender); };
  EnsureGlyphCache();
}

TcxButtonGlyph::~TcxButtonGlyph() {
  strip_->OnChange = nullptr;
  strip_.reset();
  Release();
  if (GlyphCache && GlyphCache->Empty()) GlyphCache.reset();
}

void TcxButtonGlyph::Release() {
  for (int& Index : indexes_) {
    if (Index != -1 && glyphList_) glyphList_->Delete(Index);
    Index = -1;
  }
  if (glyphList_ && GlyphCache) GlyphCache->ReturnList(glyphList_);
  glyphList_ = nullptr;
}

void TcxButtonGlyph::GlyphChanged(TObject* Sender) {
  if (Sender != strip_.get()) return;
  Release();
  if (OnChange) OnChange(this);
}

void TcxButtonGlyph::SetGlyph(TBitmap* Value) {
  Release();
  strip_->Assign(Value);
  if (Value && Value->Height() > 0 && Value->Width() % Value->Height() == 0) {
    const int Count = Value->Width() / Value->Height();
    numGlyphs_ = Count < 5 ? Count : 1;
  }
}

void TcxButtonGlyph::SetNumGlyphs(int Value) {
  if (Value == 0) return;
  Release();
  numGlyphs_ = Value;
  GlyphChanged(strip_.get());
}

void TcxButtonGlyph::MakeDisabledImage(TBitmap* AImage, const RECT& ASource) {
  TCanvas* Source = strip_->Canvas();
  TCanvas* Target = AImage->Canvas();
  const int W = ASource.right - ASource.left, H = ASource.bottom - ASource.top;
  const TColor Face = ColorToRGB(clBtnFace), Highlight = ColorToRGB(clBtnHighlight),
               Shadow = ColorToRGB(clBtnShadow);
  if (numGlyphs_ < 2) {
    // Embossed: the strip's black pixels in highlight one pixel down and right, then in shadow in
    // place, over the button face (the brush painted through the image's mask).
    std::vector<bool> Mask(W * H);
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X)
        Mask[Y * W + X] = Source->Pixels(ASource.left + X, ASource.top + Y) == clBlack;
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X) Target->SetPixels(X, Y, Face);
    for (int Y = 0; Y + 1 < H; ++Y)
      for (int X = 0; X + 1 < W; ++X)
        if (Mask[Y * W + X]) Target->SetPixels(X + 1, Y + 1, Highlight);
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X)
        if (Mask[Y * W + X]) Target->SetPixels(X, Y, Shadow);
    return;
  }
  // The strip's own disabled image, recoloured to the system's 3-D colours.
  const TColor Transparent = ColorToRGB(transparentColor_);
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      TColor C = Source->Pixels(ASource.left + X, ASource.top + Y);
      if (C == clWhite)
        C = Highlight;
      else if (C == clGray)
        C = Shadow;
      else if (C == Transparent)
        C = Face;
      Target->SetPixels(X, Y, C);
    }
}

int TcxButtonGlyph::GetGlyphIndex(TcxButtonState AState) {
  int Kind = ikUp;
  if (AState == cxbsDisabled)
    Kind = ikDisabled;
  else if (AState == cxbsPressed && numGlyphs_ >= 3)
    Kind = ikDown;
  if (indexes_[Kind] != -1) return indexes_[Kind];
  if (strip_->Empty()) return -1;

  const int W = strip_->Width() / numGlyphs_, H = strip_->Height();
  if (W <= 0) return -1;
  if (!glyphList_) glyphList_ = EnsureGlyphCache()->GetList(W, H);

  TBitmap Image;
  Image.SetSize(W, H);
  Image.Canvas()->Brush()->SetColor(clBtnFace);
  Image.Canvas()->FillRect({0, 0, W, H});
  const int Number = Kind < numGlyphs_ ? Kind : 0;
  const RECT Source{Number * W, 0, (Number + 1) * W, H};
  int Index;
  if (Kind == ikDisabled) {
    MakeDisabledImage(&Image, Source);
    Index = glyphList_->AddMasked(&Image, clDefault);
  } else {
    Image.Canvas()->CopyRect({0, 0, W, H}, strip_->Canvas(), Source);
    Index =
        glyphList_->AddMasked(&Image, strip_->TransparentMode() == tmFixed ? transparentColor_ : clDefault);
  }
  indexes_[Kind] = Index;
  strip_->Dormant();
  return Index;
}

void TcxButtonGlyph::CalcLayout(TcxCanvas* ACanvas, const RECT& AClient, POINT AOffset,
                                const String& ACaption, TButtonLayout ALayout, int AMargin, int ASpacing,
                                POINT& AGlyphPos, RECT& ATextBounds, UINT ABiDiFlags) {
  if (ABiDiFlags & DT_RIGHT) {
    if (ALayout == blGlyphLeft)
      ALayout = blGlyphRight;
    else if (ALayout == blGlyphRight)
      ALayout = blGlyphLeft;
  }
  const POINT Client{AClient.right - AClient.left, AClient.bottom - AClient.top};
  POINT Text{0, 0};
  if (ACaption.empty()) {
    ATextBounds = RECT{};
  } else {
    ATextBounds = RECT{0, 0, Client.x, 0};
    ::DrawText(ACanvas->Handle(), ACaption, &ATextBounds, DT_CALCRECT | ABiDiFlags);
    Text = {ATextBounds.right - ATextBounds.left, ATextBounds.bottom - ATextBounds.top};
  }
  const POINT Glyph{strip_->Width() / numGlyphs_, strip_->Height()};

  POINT GlyphPos, TextPos;
  const bool Horizontal = ALayout == blGlyphLeft || ALayout == blGlyphRight;
  if (Horizontal) {
    GlyphPos.y = (Client.y - Glyph.y + 1) / 2;
    TextPos.y = (Client.y - Text.y + 1) / 2;
  } else {
    GlyphPos.x = (Client.x - Glyph.x + 1) / 2;
    TextPos.x = (Client.x - Text.x + 1) / 2;
  }
  if (Text.x == 0 || Glyph.x == 0) ASpacing = 0;

  // Along the layout axis.
  const int ClientSize = Horizontal ? Client.x : Client.y;
  const int GlyphSize = Horizontal ? Glyph.x : Glyph.y;
  const int TextSize = Horizontal ? Text.x : Text.y;
  if (AMargin == -1) {
    if (ASpacing == -1) {
      AMargin = (ClientSize - (GlyphSize + TextSize)) / 3;
      ASpacing = AMargin;
    } else {
      AMargin = (ClientSize - (GlyphSize + ASpacing + TextSize) + 1) / 2;
    }
  } else if (ASpacing == -1) {
    ASpacing = (ClientSize - AMargin - GlyphSize - TextSize) / 2;
  }

  int GlyphAt, TextAt;
  if (ALayout == blGlyphLeft || ALayout == blGlyphTop) {
    GlyphAt = AMargin;
    TextAt = AMargin + GlyphSize + ASpacing;
  } else {
    GlyphAt = ClientSize - AMargin - GlyphSize;
    TextAt = GlyphAt - ASpacing - TextSize;
  }
  (Horizontal ? GlyphPos.x : GlyphPos.y) = GlyphAt;
  (Horizontal ? TextPos.x : TextPos.y) = TextAt;

  AGlyphPos = {GlyphPos.x + AClient.left + AOffset.x, GlyphPos.y + AClient.top + AOffset.y};
  ATextBounds = {TextPos.x + AOffset.x, TextPos.y + AOffset.y, TextPos.x + Text.x + AOffset.x,
                 TextPos.y + Text.y + AOffset.y};
}

void TcxButtonGlyph::PaintContent(TcxCanvas* ACanvas, const RECT& AClient, POINT AOffset,
                                  const String& ACaption, TButtonLayout ALayout, int AMargin, int ASpacing,
                                  TcxButtonState AState, UINT ABiDiFlags) {
  POINT GlyphPos;
  RECT TextBounds;
  CalcLayout(ACanvas, AClient, AOffset, ACaption, ALayout, AMargin, ASpacing, GlyphPos, TextBounds,
             ABiDiFlags);
  if (!strip_->Empty()) {
    const int Index = GetGlyphIndex(AState);
    if (Index != -1) glyphList_->Draw(ACanvas->Canvas(), GlyphPos.x, GlyphPos.y, Index, true);
  }
  if (ACaption.empty()) return;
  const TBrushStyle BrushStyle = ACanvas->Brush()->Style();
  ACanvas->Brush()->SetStyle(bsClear);
  HDC DC = ACanvas->Handle();
  const int BkMode = SetBkMode(DC, TRANSPARENT);
  const UINT Flags = DT_CENTER | DT_VCENTER | ABiDiFlags;
  if (AState == cxbsDisabled) {
    RECT Highlight = TextBounds;
    OffsetRect(&Highlight, 1, 1);
    SetTextColor(DC, ColorToColorRef(clBtnHighlight));
    ::DrawText(DC, ACaption, &Highlight, Flags);
  }
  SetTextColor(DC, ColorToColorRef(ACanvas->Font()->Color()));
  ::DrawText(DC, ACaption, &TextBounds, Flags);
  SetBkMode(DC, BkMode);
  ACanvas->Brush()->SetStyle(BrushStyle);
}
