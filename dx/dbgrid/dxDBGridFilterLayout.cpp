// The filter in the grid's stored layout: in the registry only, as the component stream of a carrier
// whose one published property is the filter. A stored filter that cannot be read counts as absent.
#include "dx/dbgrid/dxDBGrid.h"
#include "dx/editors/dxRegIniWrapper.h"
#include "platform/classes/Component.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"

namespace {

class TFilterWrapper : public TComponent {
  TRENVIK_CLASS(TFilterWrapper, TComponent);

 public:
  explicit TFilterWrapper(TdxDBGridFilter* Filter) : TComponent(nullptr), filter_(Filter) {}
  TdxDBGridFilter* Filter() const { return filter_; }
  void SetFilter(TdxDBGridFilter* Value) { filter_->Assign(Value); }

 private:
  TdxDBGridFilter* filter_;
};

}  // namespace

TRENVIK_PUBLISHED(TFilterWrapper) {
  P.Property("Filter", &TFilterWrapper::Filter, &TFilterWrapper::SetFilter);
}

void TCustomdxDBGrid::LoadFilterLayout(TdxRegIniWrapper* Wrapper, const String& Path) {
  const int size = Wrapper->ReadBinaryData(Path, u"Filter", 0, nullptr);
  if (size <= 0) return;
  std::vector<Byte> bytes(static_cast<size_t>(size));
  if (Wrapper->ReadBinaryData(Path, u"Filter", size, bytes.data()) != size) return;
  // Read into a copy first: a damaged value must not leave the grid's filter half replaced.
  TdxDBGridFilter loaded(nullptr);
  loaded.Assign(Filter());
  try {
    TCustomMemoryStream stream(bytes.data(), size);
    TFilterWrapper carrier(&loaded);
    TReader(&stream).ReadRootComponent(&carrier);
  } catch (const Exception&) {
    return;
  }
  Filter()->Assign(&loaded);
}

void TCustomdxDBGrid::SaveFilterLayout(TdxRegIniWrapper* Wrapper, const String& Path) {
  TMemoryStream stream;
  TFilterWrapper carrier(Filter());
  TWriter(&stream).WriteRootComponent(&carrier);
  Wrapper->WriteBinaryData(Path, u"Filter", static_cast<int>(stream.Size()), stream.Memory());
}
