// The link cell editor: its text shown as a link (underlined, in the link colour, with the hand
// cursor) and opened with the desktop's handler on a click, a double click or the start key.
#pragma once

#include <functional>
#include <memory>

#include "dx/editors/dxTextEdit.h"
#include "platform/win/Input.h"

class TdxHyperLinkEditViewData : public TdxTextEditViewData {
  TRENVIK_CLASS(TdxHyperLinkEditViewData, TdxTextEditViewData);

 public:
  TdxHyperLinkEditViewData() = default;
  bool LinkCursor = false;
};

class TdxHyperLinkEditMetaClass : public TdxTextEditMetaClass {
 public:
  TCursor GetCursorAt(int X, int Y, TdxEditViewData* ViewData) const override;
  std::unique_ptr<TdxEditViewData> CreateViewDataObject() const override;
};

// Whether a link text may be handed to the desktop: an http, https or mailto address (blanks around
// it ignored) without control characters. Anything else could start a program or open a document.
bool IsOpenableLink(const String& Link);

class TdxInplaceHyperLinkEdit : public TdxInplaceTextEdit {
  TRENVIK_CLASS(TdxInplaceHyperLinkEdit, TdxInplaceTextEdit);
  TRENVIK_MESSAGES(TdxInplaceHyperLinkEdit);

 public:
  explicit TdxInplaceHyperLinkEdit(TComponent* AOwner, TdxInplaceEditClass Class = StaticEditClass());
  ~TdxInplaceHyperLinkEdit() override;
  static TdxInplaceEditClass StaticEditClass();

  // Opens the link (or hands it to the start callback); a text that is no openable link is refused
  // with a beep.
  virtual void StartLink();

  void ActivateByClick() override;
  void SelectAll() override;
  std::unique_ptr<TdxEditViewData> CreateViewData(bool FromDefinition) override;

  TColor LinkColor() const { return linkColor_; }
  void SetLinkColor(TColor Value);
  TFont* LinkFont();
  bool SingleClick = false;
  Word StartKey = 0x4000 | VK_RETURN;  // Ctrl+Enter
  // When connected, starting a link calls it instead of the desktop's handler.
  std::function<void(TObject* Sender)> OnStartLink;

 protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void DblClick() override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void CMFontChanged(TMessage& Message);
  void UpdateLinkFont();
  // A click starts the link for in-place, read-only or single-click editors.
  bool ClickStartsLink();

  TColor linkColor_ = clBlue;
  std::unique_ptr<TFont> linkFont_;
};
