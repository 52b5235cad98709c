// The multi-line text editor: word wrap, scroll bars, Enter and Tab rules that suit a cell inside a
// grid, and a line list that reads and writes the text line by line through the window.
#pragma once

#include "dx/editors/dxTextEdit.h"
#include "platform/classes/StringList.h"

class TdxInplaceMemoEdit;

class TdxMemoStrings : public TStrings {
  TRENVIK_CLASS(TdxMemoStrings, TStrings);

 public:
  explicit TdxMemoStrings(TdxInplaceMemoEdit* Memo = nullptr) : memo_(Memo) {}
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const String& S) override;
  String GetTextStr() const override;
  void SetTextStr(const String& Value) override;

 protected:
  String Get(int Index) const override;
  int GetCount() const override;
  void Put(int Index, const String& S) override;
  void SetUpdating(bool Updating) override;

 private:
  HWND Window() const;
  int LineStart(int Index) const;
  int LineLength(int Index) const;
  void ReplaceRange(int Start, int End, const String& Text) const;
  TdxInplaceMemoEdit* memo_;
};

class TdxInplaceMemoEdit : public TdxInplaceTextEdit {
  TRENVIK_CLASS(TdxInplaceMemoEdit, TdxInplaceTextEdit);
  TRENVIK_MESSAGES(TdxInplaceMemoEdit);

 public:
  explicit TdxInplaceMemoEdit(TComponent* AOwner, TdxInplaceEditClass Class = StaticEditClass());
  ~TdxInplaceMemoEdit() override;
  static TdxInplaceEditClass StaticEditClass();

  std::unique_ptr<TdxEditViewData> CreateViewData(bool FromDefinition) override;
  bool WantsTabs() override { return wantTabs_; }
  bool PaintsInactiveAsCell() override { return false; }
  void SelectAll() override;

  TdxMemoStrings* Lines() const { return lines_.get(); }
  void SetLines(TStrings* Value) { lines_->Assign(Value); }
  bool HideScrollBars() const { return hideScrollBars_; }
  void SetHideScrollBars(bool Value);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle Value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool Value);
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool Value) { wantReturns_ = Value; }
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool Value) { wantTabs_ = Value; }

  // The whole text with its line breaks made CR LF; EInvalidOperation when the window refuses it.
  void SetWholeText(const String& Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void Loaded() override;
  void SetTextValue(const String& Value) override;
  void WndProc(TMessage& Message) override;

 private:
  void WMGetDlgCode(TMessage& Message);
  bool hideScrollBars_ = true;
  bool clearing_ = false;
  std::unique_ptr<TdxMemoStrings> lines_;
  TScrollStyle scrollBars_ = ssNone;
  bool wordWrap_ = true;
  bool wantReturns_ = true;
  bool wantTabs_ = false;
};
