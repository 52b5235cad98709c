#include "dx/editors/dxPopupToolBar.h"

#include "dx/editors/dxDrawUtils.h"
#include "dx/editors/dxEditConsts.h"
#include "platform/forms/Graphic.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Windows.h"

// --- The command pictures ---

namespace {

std::unique_ptr<TCustomImageList>& ToolImagesSlot() {
  static std::unique_ptr<TCustomImageList> images;
  return images;
}

constexpr TColor kToolTransparent = clFuchsia;

// Plain line pictures of the six commands on a transparent ground.
void DrawToolGlyph(TCanvas* Canvas, int Command) {
  Canvas->Brush()->SetColor(kToolTransparent);
  Canvas->FillRect(RECT{0, 0, 16, 16});
  Canvas->Pen()->SetColor(clBlack);
  Canvas->Brush()->SetColor(clWhite);
  switch (Command) {
    case ptbCut:  // crossed blades
      Canvas->MoveTo(4, 2), Canvas->LineTo(12, 12);
      Canvas->MoveTo(11, 2), Canvas->LineTo(3, 12);
      Canvas->Rectangle(2, 11, 6, 15), Canvas->Rectangle(10, 11, 14, 15);
      break;
    case ptbCopy:  // two pages
      Canvas->Rectangle(2, 2, 10, 12), Canvas->Rectangle(6, 5, 14, 15);
      break;
    case ptbPaste:  // a page on a board
      Canvas->Brush()->SetColor(clOlive);
      Canvas->Rectangle(2, 2, 12, 15);
      Canvas->Brush()->SetColor(clWhite);
      Canvas->Rectangle(7, 6, 15, 15);
      break;
    case ptbDelete:  // a red cross
      Canvas->Pen()->SetColor(clRed);
      for (int d = 0; d < 2; ++d) {
        Canvas->MoveTo(3 + d, 3), Canvas->LineTo(13 + d, 13);
        Canvas->MoveTo(12 + d, 3), Canvas->LineTo(2 + d, 13);
      }
      break;
    case ptbLoad:  // an open folder
      Canvas->Brush()->SetColor(clYellow);
      Canvas->Rectangle(1, 4, 14, 14);
      Canvas->Rectangle(1, 2, 7, 5);
      break;
    default:  // save: a disk
      Canvas->Brush()->SetColor(clNavy);
      Canvas->Rectangle(2, 2, 14, 14);
      Canvas->Brush()->SetColor(clWhite);
      Canvas->Rectangle(4, 3, 12, 8);
      break;
  }
}

}  // namespace

TCustomImageList* dxToolImages() { return ToolImagesSlot().get(); }

void InitToolImages() {
  auto images = std::make_unique<TCustomImageList>(nullptr, 16, 16);
  for (int command = ptbCut; command <= ptbSave; ++command) {
    TBitmap glyph;
    glyph.SetSize(16, 16);
    DrawToolGlyph(glyph.Canvas(), command);
    images->AddMasked(&glyph, kToolTransparent);
  }
  ToolImagesSlot() = std::move(images);
}

void FinalizeToolImages() { ToolImagesSlot().reset(); }

// --- The tool window ---

TRENVIK_IMPLEMENT_CLASS(TdxPopupToolBar)

TRENVIK_MESSAGE_MAP(TdxPopupToolBar) {
  M.On(WM_DRAWCLIPBOARD, &TdxPopupToolBar::WMDrawClipboard);
  M.On(WM_CHANGECBCHAIN, &TdxPopupToolBar::WMChangeCBChain);
  M.On(WM_MOUSEACTIVATE, &TdxPopupToolBar::WMMouseActivate);
  M.On(WM_CLOSE, &TdxPopupToolBar::WMClose);
  M.On(WM_KILLFOCUS, &TdxPopupToolBar::WMKillFocus);
  M.On(WM_NCDESTROY, &TdxPopupToolBar::WMNCDestroy);
  M.On(CM_SHOWINGCHANGED, &TdxPopupToolBar::CMShowingChanged);
}

TdxPopupToolBar::TdxPopupToolBar(TdxInplaceGraphicEdit* AOwner)
    : TForm(AOwner), ButtonSet{ptbCut, ptbCopy, ptbPaste, ptbDelete, ptbLoad, ptbSave},
      ClipboardFormat(CF_PICTURE), editor_(AOwner) {
  for (int i = 0; i < 7; ++i) {
    auto* button = new TSpeedButton(this);
    button->SetParent(this);
    button->SetFlat(true);
    button->SetMargin(4);
    button->SetHint(i < ptbCustom ? LoadResString(dxSToolHintFirst + i) : String());
    button->OnClick = [this, i](TObject*) {
      if (OnButtonClick) OnButtonClick(this, i);
    };
    TBitmap glyph;
    glyph.SetSize(16, 16);
    if (i < ptbCustom) {
      DrawToolGlyph(glyph.Canvas(), i);
      glyph.SetTransparent(true);
      glyph.SetTransparentColor(kToolTransparent);
    } else {
      glyph.Canvas()->Brush()->SetColor(clBtnFace);
      glyph.Canvas()->FillRect(RECT{0, 0, 16, 16});
    }
    button->SetGlyph(&glyph);
    buttons_[i] = button;
  }
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetBorderStyle(bsToolWindow);
  SetCaption(LoadResString(dxSToolbox));
  SetFormStyle(fsStayOnTop);
  SetShowHint(true);
}

TdxPopupToolBar::~TdxPopupToolBar() { LeaveViewerChain(); }

void TdxPopupToolBar::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.WindowClass.style |= CS_SAVEBITS;
}

void TdxPopupToolBar::CreateWnd() {
  inherited::CreateWnd();
  nextViewer_ = SetClipboardViewer(Handle());
  joined_ = true;
}

void TdxPopupToolBar::DestroyWnd() {
  LeaveViewerChain();
  inherited::DestroyWnd();
}

void TdxPopupToolBar::LeaveViewerChain() {
  if (!joined_) return;
  if (HandleAllocated()) ChangeClipboardChain(Handle(), nextViewer_);
  joined_ = false;
  nextViewer_ = nullptr;
}

void TdxPopupToolBar::WMNCDestroy(TMessage& Message) {
  LeaveViewerChain();
  inherited::Dispatch(Message);
}

void TdxPopupToolBar::WMDrawClipboard(TMessage& Message) {
  UpdateButtonStates();
  if (nextViewer_) SendMessage(nextViewer_, WM_DRAWCLIPBOARD, Message.WParam, Message.LParam);
  inherited::Dispatch(Message);
}

void TdxPopupToolBar::WMChangeCBChain(TMessage& Message) {
  const auto removed = reinterpret_cast<HWND>(Message.WParam);
  if (removed == nextViewer_)
    nextViewer_ = reinterpret_cast<HWND>(Message.LParam);
  else if (nextViewer_)
    SendMessage(nextViewer_, WM_CHANGECBCHAIN, Message.WParam, Message.LParam);
  inherited::Dispatch(Message);
}

void TdxPopupToolBar::WMMouseActivate(TMessage& Message) { Message.Result = MA_NOACTIVATE; }

void TdxPopupToolBar::WMClose(TMessage& Message) {
  inherited::Dispatch(Message);
  ClosedByUser = true;
  HideToolbar();
}

void TdxPopupToolBar::WMKillFocus(TMessage& Message) {
  inherited::Dispatch(Message);
  const auto to = reinterpret_cast<HWND>(Message.WParam);
  if (!(editor_ && editor_->HandleAllocated() && to == editor_->Handle())) HideToolbar();
}

// Visibility follows only ShowNoActivate and HideToolbar.
void TdxPopupToolBar::CMShowingChanged(TMessage&) {}

void TdxPopupToolBar::UpdateLayout() {
  const bool vertical = Alignment == ptaLeft || Alignment == ptaRight;
  Canvas()->Font()->Assign(Font());
  int buttonHeight = 22;
  if (ShowCaptions && vertical) buttonHeight = std::max(buttonHeight, Canvas()->TextHeight(u"Wg") + 9);
  const int buttonWidth = buttonHeight + 1;
  int widestCaption = 0, count = 0;
  for (int i = 0; i < 7; ++i) {
    TSpeedButton* button = buttons_[i];
    const bool shown = ButtonSet.Contains(static_cast<TdxPopupToolBarButton>(i));
    button->SetVisible(shown);
    if (!shown) continue;
    const String caption = !ShowCaptions || !vertical ? String()
                           : i == ptbCustom          ? CustomCaption
                                                     : LoadResString(dxSToolCaptionFirst + i);
    button->SetCaption(caption);
    widestCaption = std::max(widestCaption, caption.empty() ? 0 : Canvas()->TextWidth(caption));
    ++count;
  }
  int position = 0;
  if (vertical) {
    SetClientWidth(buttonWidth + widestCaption);
    SetClientHeight(count * buttonHeight);
  } else {
    SetClientHeight(buttonHeight);
    SetClientWidth(buttonWidth * count);
  }
  for (TSpeedButton* button : buttons_) {
    if (!button->Visible()) continue;
    if (vertical)
      button->SetBounds(0, position, buttonWidth + widestCaption, buttonHeight);
    else
      button->SetBounds(position, 0, buttonWidth, buttonHeight);
    position += vertical ? buttonHeight : buttonWidth;
    button->SetLayout(blGlyphLeft);
  }
  UpdateButtonStates();
}

void TdxPopupToolBar::UpdateButtonStates() {
  buttons_[ptbCut]->SetEnabled(!PictureEmpty && !ReadOnly);
  buttons_[ptbCopy]->SetEnabled(!PictureEmpty);
  buttons_[ptbPaste]->SetEnabled(!ReadOnly && ClipboardHasPicture(ClipboardFormat));
  buttons_[ptbDelete]->SetEnabled(!PictureEmpty && !ReadOnly);
  buttons_[ptbLoad]->SetEnabled(!ReadOnly);
  buttons_[ptbSave]->SetEnabled(!PictureEmpty);
}

void TdxPopupToolBar::PlaceNextTo(POINT Point) {
  RECT work{};
  GetMonitorWorkArea(Point, work);
  const int editorWidth = editor_ ? editor_->Width() : 0, editorHeight = editor_ ? editor_->Height() : 0;
  const int w = Width(), h = Height();
  int x = Point.x, y = Point.y;
  switch (Alignment) {
    case ptaLeft: x = Point.x - w < work.left ? Point.x + editorWidth : Point.x - w; break;
    case ptaRight: x = Point.x + editorWidth + w > work.right ? Point.x - w : Point.x + editorWidth; break;
    case ptaTop: y = Point.y - h < work.top ? Point.y + editorHeight : Point.y - h; break;
    case ptaBottom: y = Point.y > work.bottom ? Point.y - h : Point.y + editorHeight; break;
  }
  // Inside the work area: right edge first, then left; bottom first, then top.
  if (x + w > work.right) x = work.right - w;
  if (x < work.left) x = work.left;
  if (y + h > work.bottom) y = work.bottom - h;
  if (y < work.top) y = work.top;
  SetBounds(x, y, w, h);
}

void TdxPopupToolBar::ShowNoActivate() {
  if (!MayShow || ClosedByUser) return;
  SendMessage(Handle(), WM_NCACTIVATE, TRUE, 0);
  ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TdxPopupToolBar::HideToolbar() {
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}
