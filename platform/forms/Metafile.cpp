#include "platform/forms/Metafile.h"

#include <cstring>

#include "platform/gdi/LittleEndian.h"
#include "platform/gdi/MetafilePlayback.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/Region.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StrUtils.h"

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr std::uint32_t kEmfSignature = 0x464D4520u;  // " EMF"
constexpr size_t kPlaceableHeader = 22;
constexpr size_t kEmfHeaderMin = 88;
constexpr std::uint32_t kMaxMetafileBytes = 256u << 20;

[[noreturn]] void Invalid() { throw EInvalidGraphic("Metafile is not valid"); }

// The whole length of the metafile whose first bytes are `head` (at least 8 + 48 bytes read), or 0.
Int64 MetafileLength(const Byte* head, size_t have) {
  if (have >= kPlaceableHeader + 18 && ReadLe32(head) == kPlaceableKey) {
    // The standard header's size is counted in 16-bit words.
    const std::uint32_t words = ReadLe32(head + kPlaceableHeader + 6);
    return kPlaceableHeader + Int64(words) * 2;
  }
  if (have >= kEmfHeaderMin && ReadLeInt32(head) == 1 && ReadLe32(head + 40) == kEmfSignature)
    return ReadLe32(head + 48);
  return 0;
}

}  // namespace

TRENVIK_IMPLEMENT_CLASS(TMetafile)

bool TMetafile::IsMetafileStream(TStream* Stream) {
  Byte head[kEmfHeaderMin];
  const Int64 at = Stream->Position();
  const Int64 got = Stream->Read(head, sizeof(head));
  Stream->SetPosition(at);
  return MetafileLength(head, static_cast<size_t>(got)) > 0;
}

int TMetafile::Width() const { return MulDiv(mmWidth_, 96, 2540); }
int TMetafile::Height() const { return MulDiv(mmHeight_, 96, 2540); }

void TMetafile::SetWidth(int Value) { SetMMWidth(MulDiv(Value, 2540, 96)); }
void TMetafile::SetHeight(int Value) { SetMMHeight(MulDiv(Value, 2540, 96)); }

void TMetafile::SetMMWidth(int Value) {
  if (Value == mmWidth_) return;
  mmWidth_ = Value;
  WriteSize();
  Changed(this);
}

void TMetafile::SetMMHeight(int Value) {
  if (Value == mmHeight_) return;
  mmHeight_ = Value;
  WriteSize();
  Changed(this);
}

void TMetafile::WriteSize() {
  if (data_.empty()) return;
  Byte* h = data_.data();
  if (enhanced_) {
    // The frame, in hundredths of a millimetre, is inclusive.
    WriteLe32(h + 32, static_cast<std::uint32_t>(Int64(ReadLeInt32(h + 24)) + mmWidth_ - 1));
    WriteLe32(h + 36, static_cast<std::uint32_t>(Int64(ReadLeInt32(h + 28)) + mmHeight_ - 1));
  } else {
    const int left = ReadLeInt16(h + 6), top = ReadLeInt16(h + 8);
    WriteLe16(h + 10, static_cast<std::uint32_t>(left + MulDiv(mmWidth_, inch_, 2540)));
    WriteLe16(h + 12, static_cast<std::uint32_t>(top + MulDiv(mmHeight_, inch_, 2540)));
    std::uint32_t sum = 0;
    for (size_t i = 0; i < 20; i += 2) sum ^= ReadLe16(h + i);
    WriteLe16(h + 20, sum);
  }
}

void TMetafile::Load(std::vector<Byte> Data) {
  const Int64 length = MetafileLength(Data.data(), Data.size());
  if (length <= 0 || static_cast<size_t>(length) > Data.size()) Invalid();
  Data.resize(static_cast<size_t>(length));
  const Byte* h = Data.data();
  if (ReadLe32(h) == kPlaceableKey) {
    const int left = ReadLeInt16(h + 6), top = ReadLeInt16(h + 8);
    const int right = ReadLeInt16(h + 10), bottom = ReadLeInt16(h + 12);
    const int inch = static_cast<int>(ReadLe16(h + 14));
    if (inch <= 0 || right <= left || bottom <= top) Invalid();
    enhanced_ = false;
    inch_ = inch;
    mmWidth_ = MulDiv(right - left, 2540, inch);
    mmHeight_ = MulDiv(bottom - top, 2540, inch);
  } else {
    enhanced_ = true;
    inch_ = 0;
    // The frame is inclusive; a frame of no size or beyond a kilometre is damage.
    const Int64 w = Int64(ReadLeInt32(h + 32)) - ReadLeInt32(h + 24) + 1,
                hgt = Int64(ReadLeInt32(h + 36)) - ReadLeInt32(h + 28) + 1;
    if (w <= 0 || hgt <= 0 || w > 100000000 || hgt > 100000000) Invalid();
    mmWidth_ = static_cast<int>(w);
    mmHeight_ = static_cast<int>(hgt);
  }
  data_ = std::move(Data);
  Changed(this);
}

void TMetafile::LoadFromStream(TStream* Stream) {
  Byte head[kEmfHeaderMin];
  const Int64 at = Stream->Position();
  const Int64 available = Stream->Size() - at;
  const Int64 got = Stream->Read(head, sizeof(head));
  const Int64 length = MetafileLength(head, static_cast<size_t>(got));
  if (length <= 0 || length > available || length > kMaxMetafileBytes) Invalid();
  std::vector<Byte> data(static_cast<size_t>(length));
  Stream->SetPosition(at);
  Stream->ReadBuffer(data.data(), length);
  Load(std::move(data));
}

void TMetafile::SaveToStream(TStream* Stream) {
  if (!data_.empty()) Stream->WriteBuffer(data_.data(), static_cast<Int64>(data_.size()));
}

void TMetafile::LoadFromClipboardFormat(Word AFormat, const std::vector<Byte>& AData) {
  if (AFormat != CF_ENHMETAFILE && AFormat != CF_METAFILEPICT)
    throw EInvalidGraphic("Unsupported clipboard format");
  Load(AData);
}

void TMetafile::SaveToClipboardFormat(Word& AFormat, std::vector<Byte>& AData) {
  AFormat = enhanced_ ? CF_ENHMETAFILE : CF_METAFILEPICT;
  AData = data_;
}

void TMetafile::Assign(TPersistent* Source) {
  if (Source == this) return;
  if (!Source) {
    data_.clear();
    mmWidth_ = mmHeight_ = inch_ = 0;
    enhanced_ = true;
    Changed(this);
    return;
  }
  if (auto* m = dynamic_cast<TMetafile*>(Source)) {
    data_ = m->data_;
    enhanced_ = m->enhanced_;
    mmWidth_ = m->mmWidth_;
    mmHeight_ = m->mmHeight_;
    inch_ = m->inch_;
    Changed(this);
    return;
  }
  inherited::Assign(Source);
}

void TMetafile::Draw(TCanvas* ACanvas, const RECT& Rect) {
  if (Empty()) return;
  if (enhanced_)
    PlayEnhMetafile(ACanvas->Handle(), data_.data(), data_.size(), Rect);
  else
    PlayPlaceableMetafile(ACanvas->Handle(), data_.data(), data_.size(), Rect);
}
