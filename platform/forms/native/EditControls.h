// The edit ("EDIT") and rich-edit ("RichEdit20A", plain text) window classes: their styles,
// messages, notifications and records. Text crosses the messages as UTF-16 in both classes.
#pragma once

#include "platform/forms/native/Notify.h"
#include "platform/rtl/WinDef.h"
#include "platform/win/MessageIds.h"

inline const char16_t kEditClassName[] = u"EDIT";
inline const char16_t kRichEditClassName[] = u"RichEdit20A";

// Styles.
constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_CENTER = 0x0001;
constexpr DWORD ES_RIGHT = 0x0002;
constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_UPPERCASE = 0x0008;
constexpr DWORD ES_LOWERCASE = 0x0010;
constexpr DWORD ES_PASSWORD = 0x0020;
constexpr DWORD ES_AUTOVSCROLL = 0x0040;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_NOHIDESEL = 0x0100;
constexpr DWORD ES_OEMCONVERT = 0x0400;
constexpr DWORD ES_READONLY = 0x0800;
constexpr DWORD ES_WANTRETURN = 0x1000;
constexpr DWORD ES_NUMBER = 0x2000;
// Rich edit only.
constexpr DWORD ES_DISABLENOSCROLL = 0x00002000;
constexpr DWORD ES_SELECTIONBAR = 0x01000000;
constexpr DWORD ES_SAVESEL = 0x00008000;

// Edit messages not in the window system's list.
constexpr UINT EM_GETRECT = 0x00B2;
constexpr UINT EM_SETRECTNP = 0x00B4;
constexpr UINT EM_SCROLL = 0x00B5;
constexpr UINT EM_LINESCROLL = 0x00B6;
constexpr UINT EM_LINEFROMCHAR = 0x00C9;
constexpr UINT EM_SETLIMITTEXT = EM_LIMITTEXT;
constexpr UINT EM_GETFIRSTVISIBLELINE = 0x00CE;
constexpr UINT EM_GETPASSWORDCHAR = 0x00D2;
constexpr UINT EM_GETMARGINS = 0x00D4;
constexpr UINT EM_GETLIMITTEXT = 0x00D5;

// Rich edit messages.
constexpr UINT EM_CANPASTE = WM_USER + 50;
constexpr UINT EM_EXGETSEL = WM_USER + 52;
constexpr UINT EM_EXLIMITTEXT = WM_USER + 53;
constexpr UINT EM_EXLINEFROMCHAR = WM_USER + 54;
constexpr UINT EM_EXSETSEL = WM_USER + 55;
constexpr UINT EM_GETCHARFORMAT = WM_USER + 58;
constexpr UINT EM_GETEVENTMASK = WM_USER + 59;
constexpr UINT EM_GETSELTEXT = WM_USER + 62;
constexpr UINT EM_HIDESELECTION = WM_USER + 63;
constexpr UINT EM_SETBKGNDCOLOR = WM_USER + 67;
constexpr UINT EM_SETCHARFORMAT = WM_USER + 68;
constexpr UINT EM_SETEVENTMASK = WM_USER + 69;
constexpr UINT EM_SETOLECALLBACK = WM_USER + 70;
constexpr UINT EM_GETOPTIONS = WM_USER + 78;
constexpr UINT EM_SETOPTIONS = WM_USER + 77;
constexpr UINT EM_REDO = WM_USER + 84;
constexpr UINT EM_CANREDO = WM_USER + 85;
constexpr UINT EM_SETTEXTMODE = WM_USER + 89;
constexpr UINT EM_GETTEXTMODE = WM_USER + 90;

// EM_SETMARGINS.
constexpr WPARAM EC_LEFTMARGIN = 0x0001;
constexpr WPARAM EC_RIGHTMARGIN = 0x0002;
constexpr WPARAM EC_USEFONTINFO = 0xFFFF;

// Edit notifications (WM_COMMAND) and rich-edit ones (WM_NOTIFY).
constexpr WORD EN_ERRSPACE = 0x0500;
constexpr WORD EN_MAXTEXT = 0x0501;
constexpr WORD EN_HSCROLL = 0x0601;
constexpr UINT EN_MSGFILTER = 0x0700;
constexpr UINT EN_SELCHANGE = 0x0702;
constexpr UINT EN_DRAGDROPDONE = 0x070C;

// EM_SETEVENTMASK bits.
constexpr DWORD ENM_NONE = 0x00000000;
constexpr DWORD ENM_CHANGE = 0x00000001;
constexpr DWORD ENM_UPDATE = 0x00000002;
constexpr DWORD ENM_SCROLL = 0x00000004;
constexpr DWORD ENM_DRAGDROPDONE = 0x00000010;
constexpr DWORD ENM_KEYEVENTS = 0x00010000;
constexpr DWORD ENM_MOUSEEVENTS = 0x00020000;
constexpr DWORD ENM_SELCHANGE = 0x00080000;

// EM_SETTEXTMODE.
constexpr WPARAM TM_PLAINTEXT = 1;
constexpr WPARAM TM_RICHTEXT = 2;

// EM_SETOPTIONS.
constexpr WPARAM ECOOP_SET = 1;
constexpr WPARAM ECOOP_OR = 2;
constexpr WPARAM ECOOP_AND = 3;
constexpr WPARAM ECOOP_XOR = 4;
constexpr LPARAM ECO_AUTOVSCROLL = 0x0040;
constexpr LPARAM ECO_AUTOHSCROLL = 0x0080;
constexpr LPARAM ECO_NOHIDESEL = 0x0100;
constexpr LPARAM ECO_READONLY = 0x0800;
constexpr LPARAM ECO_WANTRETURN = 0x1000;
constexpr LPARAM ECO_SELECTIONBAR = 0x01000000;

struct CHARRANGE {
  LONG cpMin = 0;
  LONG cpMax = 0;
};

// EN_SELCHANGE.
constexpr WORD SEL_EMPTY = 0x0000;
constexpr WORD SEL_TEXT = 0x0001;
struct SELCHANGE {
  NMHDR nmhdr;
  CHARRANGE chrg;
  WORD seltyp = 0;
};

// EN_MSGFILTER: answering non-zero drops the message.
struct MSGFILTER {
  NMHDR nmhdr;
  UINT msg = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// Character formats (EM_SETCHARFORMAT / EM_GETCHARFORMAT).
constexpr WPARAM SCF_DEFAULT = 0x0000;
constexpr WPARAM SCF_SELECTION = 0x0001;
constexpr WPARAM SCF_WORD = 0x0002;
constexpr WPARAM SCF_ALL = 0x0004;
constexpr DWORD CFM_BOLD = 0x00000001;
constexpr DWORD CFM_ITALIC = 0x00000002;
constexpr DWORD CFM_UNDERLINE = 0x00000004;
constexpr DWORD CFM_STRIKEOUT = 0x00000008;
constexpr DWORD CFM_UNDERLINETYPE = 0x00800000;
constexpr DWORD CFM_COLOR = 0x40000000;
constexpr DWORD CFM_BACKCOLOR = 0x04000000;
constexpr DWORD CFE_BOLD = 0x00000001;
constexpr DWORD CFE_ITALIC = 0x00000002;
constexpr DWORD CFE_UNDERLINE = 0x00000004;
constexpr DWORD CFE_STRIKEOUT = 0x00000008;
constexpr DWORD CFE_AUTOCOLOR = 0x40000000;
constexpr DWORD CFE_AUTOBACKCOLOR = 0x04000000;
constexpr BYTE CFU_UNDERLINENONE = 0;
constexpr BYTE CFU_UNDERLINE = 1;

struct CHARFORMAT {
  UINT cbSize = sizeof(CHARFORMAT);
  DWORD dwMask = 0;
  DWORD dwEffects = 0;
  LONG yHeight = 0;
  LONG yOffset = 0;
  COLORREF crTextColor = 0;
  BYTE bCharSet = 0;
  BYTE bPitchAndFamily = 0;
  WCHAR szFaceName[32] = {};
};

struct CHARFORMAT2 : CHARFORMAT {
  CHARFORMAT2() { cbSize = sizeof(CHARFORMAT2); }
  WORD wWeight = 0;
  SHORT sSpacing = 0;
  COLORREF crBackColor = 0;
  DWORD lcid = 0;
  DWORD dwReserved = 0;
  SHORT sStyle = 0;
  WORD wKerning = 0;
  BYTE bUnderlineType = 0;
  BYTE bAnimation = 0;
  BYTE bRevAuthor = 0;
  BYTE bReserved1 = 0;
};

// The rich edit's callback interface. The control asks it before a drag of its text starts or a
// drop is taken (GetDragDropEffect: DROPEFFECT_NONE refuses) and before pasting (QueryAcceptData:
// S_OK or E_NOTIMPL accept). Objects are never inserted in plain-text mode. The control holds a
// reference (AddRef on install, Release on replacement or destruction).
using DROPEFFECT = DWORD;
constexpr DROPEFFECT DROPEFFECT_NONE = 0;
constexpr DROPEFFECT DROPEFFECT_COPY = 1;
constexpr DROPEFFECT DROPEFFECT_MOVE = 2;
constexpr DWORD RECO_PASTE = 0;
constexpr DWORD RECO_DROP = 1;
constexpr DWORD RECO_COPY = 2;
constexpr DWORD RECO_CUT = 3;
constexpr DWORD RECO_DRAG = 4;
constexpr WORD GCM_RIGHTMOUSEPRESS = 0x8000;
using CLIPFORMAT = WORD;

struct IRichEditOleCallback {
  virtual HRESULT QueryInterface(const void* iid, void** object) = 0;
  virtual ULONG_PTR AddRef() = 0;
  virtual ULONG_PTR Release() = 0;
  virtual HRESULT GetNewStorage(void** storage) = 0;
  virtual HRESULT GetInPlaceContext(void** frame, void** doc, void* frameInfo) = 0;
  virtual HRESULT ShowContainerUI(BOOL show) = 0;
  virtual HRESULT QueryInsertObject(void* clsid, void* storage, LONG cp) = 0;
  virtual HRESULT DeleteObject(void* object) = 0;
  virtual HRESULT QueryAcceptData(void* dataObject, CLIPFORMAT* format, DWORD reco, BOOL really,
                                  HANDLE metaPict) = 0;
  virtual HRESULT ContextSensitiveHelp(BOOL enterMode) = 0;
  virtual HRESULT GetClipboardData(CHARRANGE* range, DWORD reco, void** dataObject) = 0;
  virtual HRESULT GetDragDropEffect(BOOL drag, DWORD keyState, DWORD* effect) = 0;
  virtual HRESULT GetContextMenu(WORD selType, void* object, CHARRANGE* selection, HMENU* menu) = 0;

 protected:
  ~IRichEditOleCallback() = default;
};
