// The clipboard messages of an edit and its deferred error text.
#include <cstring>

#include "cx/editors/cxEdit.h"
#include "platform/win/Messages.h"

namespace {

// The block an edit posts to itself: a 32-bit length and that many bytes of UTF-16 text.
struct TDeferredErrorBlock {
  std::int32_t Length;
  std::unique_ptr<char[]> Bytes;
};

}  // namespace

void TcxCustomEdit::WMClear(TMessage&) {
  if (GetActiveProperties()->ReadOnly()) return;
  TClearingScope clearing(this);
  Clear();
}

void TcxCustomEdit::WMCopy(TMessage&) { CopyToClipboard(); }

void TcxCustomEdit::WMCut(TMessage&) {
  TClearingScope clearing(this);
  if (GetActiveProperties()->ReadOnly())
    CopyToClipboard();
  else
    CutToClipboard();
}

void TcxCustomEdit::WMPaste(TMessage&) {
  if (GetActiveProperties()->ReadOnly()) return;
  TClearingScope clearing(this);
  PasteFromClipboard();
}

void TcxCustomEdit::PostDeferredError(const String& AText) {
  auto* block = new TDeferredErrorBlock{static_cast<std::int32_t>(AText.size() * sizeof(Char)), nullptr};
  block->Bytes = std::make_unique<char[]>(block->Length);
  std::memcpy(block->Bytes.get(), AText.data(), block->Length);
  deferredErrorBlocks_.insert(block);
  PostMessage(Handle(), CM_CXEDIT_DEFERREDERROR, reinterpret_cast<WPARAM>(block), 0);
}

void TcxCustomEdit::CMDeferredError(TMessage& Message) {
  // Only a block this edit posted is read: any other pointer is foreign memory.
  auto* key = reinterpret_cast<const void*>(Message.WParam);
  auto it = deferredErrorBlocks_.find(key);
  if (it == deferredErrorBlocks_.end()) return;
  deferredErrorBlocks_.erase(it);
  std::unique_ptr<TDeferredErrorBlock> block(static_cast<TDeferredErrorBlock*>(const_cast<void*>(key)));
  String text(block->Length / sizeof(Char), u'\0');
  std::memcpy(text.data(), block->Bytes.get(), block->Length);
  throw Exception(text);
}

void TcxCustomEdit::FreeDeferredErrorBlocks() {
  for (const void* block : deferredErrorBlocks_) delete static_cast<const TDeferredErrorBlock*>(block);
  deferredErrorBlocks_.clear();
}
