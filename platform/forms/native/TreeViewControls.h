// The tree view window class ("SysTreeView32"): items in a hierarchy with text, normal, selected
// and state images, expanded and collapsed branches, selection and drop highlight, in-place label
// editing over "EDIT", custom drawing and tool tips for clipped labels.
//
// All text is UTF-16, as everywhere in the layer; the message and notification numbers are the
// platform's 8-bit ("A") ones, which are what the framework and the components name.
#pragma once

#include <cstring>

#include "platform/forms/native/Notify.h"
#include "platform/rtl/WinDef.h"

inline const char16_t kTreeViewClassName[] = u"SysTreeView32";

// An item of a tree view. Opaque: the handle is only ever compared and passed back.
struct TTreeItemTag;
using HTREEITEM = TTreeItemTag*;

inline HTREEITEM TreeItemConstant(LONG_PTR v) { return reinterpret_cast<HTREEITEM>(v); }
#define TVI_ROOT TreeItemConstant(-0x10000)
#define TVI_FIRST TreeItemConstant(-0x0FFFF)
#define TVI_LAST TreeItemConstant(-0x0FFFE)
#define TVI_SORT TreeItemConstant(-0x0FFFD)
// The text an item asks its parent for with TVN_GETDISPINFO.
#define LPSTR_TEXTCALLBACK reinterpret_cast<LPWSTR>(static_cast<LONG_PTR>(-1))
constexpr int I_IMAGECALLBACK = -1;
constexpr int I_CHILDRENCALLBACK = -1;

// Styles.
constexpr DWORD TVS_HASBUTTONS = 0x0001;
constexpr DWORD TVS_HASLINES = 0x0002;
constexpr DWORD TVS_LINESATROOT = 0x0004;
constexpr DWORD TVS_EDITLABELS = 0x0008;
constexpr DWORD TVS_DISABLEDRAGDROP = 0x0010;
constexpr DWORD TVS_SHOWSELALWAYS = 0x0020;
constexpr DWORD TVS_RTLREADING = 0x0040;
constexpr DWORD TVS_NOTOOLTIPS = 0x0080;
constexpr DWORD TVS_CHECKBOXES = 0x0100;
constexpr DWORD TVS_TRACKSELECT = 0x0200;
constexpr DWORD TVS_SINGLEEXPAND = 0x0400;
constexpr DWORD TVS_INFOTIP = 0x0800;
constexpr DWORD TVS_FULLROWSELECT = 0x1000;
constexpr DWORD TVS_NOSCROLL = 0x2000;
constexpr DWORD TVS_NONEVENHEIGHT = 0x4000;

// Item fields (TVITEM::mask).
constexpr UINT TVIF_TEXT = 0x0001;
constexpr UINT TVIF_IMAGE = 0x0002;
constexpr UINT TVIF_PARAM = 0x0004;
constexpr UINT TVIF_STATE = 0x0008;
constexpr UINT TVIF_HANDLE = 0x0010;
constexpr UINT TVIF_SELECTEDIMAGE = 0x0020;
constexpr UINT TVIF_CHILDREN = 0x0040;
constexpr UINT TVIF_DI_SETITEM = 0x1000;

// Item states.
constexpr UINT TVIS_SELECTED = 0x0002;
constexpr UINT TVIS_CUT = 0x0004;
constexpr UINT TVIS_DROPHILITED = 0x0008;
constexpr UINT TVIS_BOLD = 0x0010;
constexpr UINT TVIS_EXPANDED = 0x0020;
constexpr UINT TVIS_EXPANDEDONCE = 0x0040;
constexpr UINT TVIS_EXPANDPARTIAL = 0x0080;
constexpr UINT TVIS_OVERLAYMASK = 0x0F00;
constexpr UINT TVIS_STATEIMAGEMASK = 0xF000;
constexpr UINT TVIS_USERMASK = 0xF000;
constexpr UINT INDEXTOSTATEIMAGEMASK(UINT i) { return i << 12; }

struct TVITEM {
  UINT mask = 0;
  HTREEITEM hItem = nullptr;
  UINT state = 0;
  UINT stateMask = 0;
  LPWSTR pszText = nullptr;
  int cchTextMax = 0;
  int iImage = 0;
  int iSelectedImage = 0;
  int cChildren = 0;
  LPARAM lParam = 0;
};

struct TVINSERTSTRUCT {
  HTREEITEM hParent = nullptr;
  HTREEITEM hInsertAfter = nullptr;
  TVITEM item;
};

// TVM_GETITEMRECT takes the item in the first bytes of the rectangle it fills.
inline void SetItemRectRequest(RECT& r, HTREEITEM item) {
  std::memcpy(static_cast<void*>(&r), &item, sizeof item);
}
inline HTREEITEM ItemRectRequest(const RECT& r) {
  HTREEITEM item;
  std::memcpy(&item, static_cast<const void*>(&r), sizeof item);
  return item;
}

// Hit-test results.
constexpr UINT TVHT_NOWHERE = 0x0001;
constexpr UINT TVHT_ONITEMICON = 0x0002;
constexpr UINT TVHT_ONITEMLABEL = 0x0004;
constexpr UINT TVHT_ONITEMINDENT = 0x0008;
constexpr UINT TVHT_ONITEMBUTTON = 0x0010;
constexpr UINT TVHT_ONITEMRIGHT = 0x0020;
constexpr UINT TVHT_ONITEMSTATEICON = 0x0040;
constexpr UINT TVHT_ONITEM = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;
constexpr UINT TVHT_ABOVE = 0x0100;
constexpr UINT TVHT_BELOW = 0x0200;
constexpr UINT TVHT_TORIGHT = 0x0400;
constexpr UINT TVHT_TOLEFT = 0x0800;

struct TVHITTESTINFO {
  POINT pt;
  UINT flags = 0;
  HTREEITEM hItem = nullptr;
};

// TVM_EXPAND actions.
constexpr UINT TVE_COLLAPSE = 0x0001;
constexpr UINT TVE_EXPAND = 0x0002;
constexpr UINT TVE_TOGGLE = 0x0003;
constexpr UINT TVE_EXPANDPARTIAL = 0x4000;
constexpr UINT TVE_COLLAPSERESET = 0x8000;

// TVM_GETNEXTITEM / TVM_SELECTITEM relations.
constexpr UINT TVGN_ROOT = 0x0000;
constexpr UINT TVGN_NEXT = 0x0001;
constexpr UINT TVGN_PREVIOUS = 0x0002;
constexpr UINT TVGN_PARENT = 0x0003;
constexpr UINT TVGN_CHILD = 0x0004;
constexpr UINT TVGN_FIRSTVISIBLE = 0x0005;
constexpr UINT TVGN_NEXTVISIBLE = 0x0006;
constexpr UINT TVGN_PREVIOUSVISIBLE = 0x0007;
constexpr UINT TVGN_DROPHILITE = 0x0008;
constexpr UINT TVGN_CARET = 0x0009;
constexpr UINT TVGN_LASTVISIBLE = 0x000A;

// TVM_SETIMAGELIST / TVM_GETIMAGELIST.
constexpr UINT TVSIL_NORMAL = 0;
constexpr UINT TVSIL_STATE = 2;

// Messages.
constexpr UINT TV_FIRST = 0x1100;
constexpr UINT TVM_INSERTITEM = TV_FIRST + 0;
constexpr UINT TVM_DELETEITEM = TV_FIRST + 1;
constexpr UINT TVM_EXPAND = TV_FIRST + 2;
constexpr UINT TVM_GETITEMRECT = TV_FIRST + 4;
constexpr UINT TVM_GETCOUNT = TV_FIRST + 5;
constexpr UINT TVM_GETINDENT = TV_FIRST + 6;
constexpr UINT TVM_SETINDENT = TV_FIRST + 7;
constexpr UINT TVM_GETIMAGELIST = TV_FIRST + 8;
constexpr UINT TVM_SETIMAGELIST = TV_FIRST + 9;
constexpr UINT TVM_GETNEXTITEM = TV_FIRST + 10;
constexpr UINT TVM_SELECTITEM = TV_FIRST + 11;
constexpr UINT TVM_GETITEM = TV_FIRST + 12;
constexpr UINT TVM_SETITEM = TV_FIRST + 13;
constexpr UINT TVM_EDITLABEL = TV_FIRST + 14;
constexpr UINT TVM_GETEDITCONTROL = TV_FIRST + 15;
constexpr UINT TVM_GETVISIBLECOUNT = TV_FIRST + 16;
constexpr UINT TVM_HITTEST = TV_FIRST + 17;
constexpr UINT TVM_SORTCHILDREN = TV_FIRST + 19;
constexpr UINT TVM_ENSUREVISIBLE = TV_FIRST + 20;
constexpr UINT TVM_SORTCHILDRENCB = TV_FIRST + 21;
constexpr UINT TVM_ENDEDITLABELNOW = TV_FIRST + 22;
constexpr UINT TVM_GETTOOLTIPS = TV_FIRST + 25;
constexpr UINT TVM_SETITEMHEIGHT = TV_FIRST + 27;
constexpr UINT TVM_GETITEMHEIGHT = TV_FIRST + 28;
constexpr UINT TVM_SETBKCOLOR = TV_FIRST + 29;
constexpr UINT TVM_SETTEXTCOLOR = TV_FIRST + 30;
constexpr UINT TVM_GETBKCOLOR = TV_FIRST + 31;
constexpr UINT TVM_GETTEXTCOLOR = TV_FIRST + 32;
constexpr UINT TVM_GETITEMSTATE = TV_FIRST + 39;
constexpr UINT TVM_SETLINECOLOR = TV_FIRST + 40;
constexpr UINT TVM_GETLINECOLOR = TV_FIRST + 41;

// TVM_SORTCHILDRENCB: compares the items' lParams.
using PFNTVCOMPARE = int (*)(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
struct TVSORTCB {
  HTREEITEM hParent = nullptr;
  PFNTVCOMPARE lpfnCompare = nullptr;
  LPARAM lParam = 0;
};

// Common notifications.
constexpr UINT NM_FIRST = 0;
constexpr UINT NM_OUTOFMEMORY = NM_FIRST - 1;
constexpr UINT NM_CLICK = NM_FIRST - 2;
constexpr UINT NM_DBLCLK = NM_FIRST - 3;
constexpr UINT NM_RETURN = NM_FIRST - 4;
constexpr UINT NM_RCLICK = NM_FIRST - 5;
constexpr UINT NM_RDBLCLK = NM_FIRST - 6;
constexpr UINT NM_SETFOCUS = NM_FIRST - 7;
constexpr UINT NM_KILLFOCUS = NM_FIRST - 8;
constexpr UINT NM_CUSTOMDRAW = NM_FIRST - 12;

// Tree view notifications.
constexpr UINT TVN_FIRST = 0U - 400U;
constexpr UINT TVN_SELCHANGINGA = TVN_FIRST - 1;
constexpr UINT TVN_SELCHANGEDA = TVN_FIRST - 2;
constexpr UINT TVN_GETDISPINFOA = TVN_FIRST - 3;
constexpr UINT TVN_SETDISPINFOA = TVN_FIRST - 4;
constexpr UINT TVN_ITEMEXPANDINGA = TVN_FIRST - 5;
constexpr UINT TVN_ITEMEXPANDEDA = TVN_FIRST - 6;
constexpr UINT TVN_BEGINDRAGA = TVN_FIRST - 7;
constexpr UINT TVN_BEGINRDRAGA = TVN_FIRST - 8;
constexpr UINT TVN_DELETEITEMA = TVN_FIRST - 9;
constexpr UINT TVN_BEGINLABELEDITA = TVN_FIRST - 10;
constexpr UINT TVN_ENDLABELEDITA = TVN_FIRST - 11;
constexpr UINT TVN_KEYDOWN = TVN_FIRST - 12;
constexpr UINT TVN_SELCHANGING = TVN_SELCHANGINGA;
constexpr UINT TVN_SELCHANGED = TVN_SELCHANGEDA;
constexpr UINT TVN_GETDISPINFO = TVN_GETDISPINFOA;
constexpr UINT TVN_ITEMEXPANDING = TVN_ITEMEXPANDINGA;
constexpr UINT TVN_ITEMEXPANDED = TVN_ITEMEXPANDEDA;
constexpr UINT TVN_BEGINDRAG = TVN_BEGINDRAGA;
constexpr UINT TVN_BEGINRDRAG = TVN_BEGINRDRAGA;
constexpr UINT TVN_DELETEITEM = TVN_DELETEITEMA;
constexpr UINT TVN_BEGINLABELEDIT = TVN_BEGINLABELEDITA;
constexpr UINT TVN_ENDLABELEDIT = TVN_ENDLABELEDITA;

// How a selection changed (NMTREEVIEW::action).
constexpr UINT TVC_UNKNOWN = 0x0000;
constexpr UINT TVC_BYMOUSE = 0x0001;
constexpr UINT TVC_BYKEYBOARD = 0x0002;

struct NMTREEVIEW {
  NMHDR hdr;
  UINT action = 0;
  TVITEM itemOld;
  TVITEM itemNew;
  POINT ptDrag;
};

struct NMTVDISPINFO {
  NMHDR hdr;
  TVITEM item;
};

struct NMTVKEYDOWN {
  NMHDR hdr;
  WORD wVKey = 0;
  UINT flags = 0;
};

// Custom draw.
constexpr DWORD CDDS_PREPAINT = 0x00000001;
constexpr DWORD CDDS_POSTPAINT = 0x00000002;
constexpr DWORD CDDS_PREERASE = 0x00000003;
constexpr DWORD CDDS_POSTERASE = 0x00000004;
constexpr DWORD CDDS_ITEM = 0x00010000;
constexpr DWORD CDDS_ITEMPREPAINT = CDDS_ITEM | CDDS_PREPAINT;
constexpr DWORD CDDS_ITEMPOSTPAINT = CDDS_ITEM | CDDS_POSTPAINT;
constexpr LRESULT CDRF_DODEFAULT = 0x00000000;
constexpr LRESULT CDRF_NEWFONT = 0x00000002;
constexpr LRESULT CDRF_SKIPDEFAULT = 0x00000004;
constexpr LRESULT CDRF_NOTIFYPOSTPAINT = 0x00000010;
constexpr LRESULT CDRF_NOTIFYITEMDRAW = 0x00000020;
constexpr LRESULT CDRF_NOTIFYPOSTERASE = 0x00000040;
constexpr UINT CDIS_SELECTED = 0x0001;
constexpr UINT CDIS_GRAYED = 0x0002;
constexpr UINT CDIS_DISABLED = 0x0004;
constexpr UINT CDIS_CHECKED = 0x0008;
constexpr UINT CDIS_FOCUS = 0x0010;
constexpr UINT CDIS_DEFAULT = 0x0020;
constexpr UINT CDIS_HOT = 0x0040;
constexpr UINT CDIS_MARKED = 0x0080;
constexpr UINT CDIS_INDETERMINATE = 0x0100;

struct NMCUSTOMDRAW {
  NMHDR hdr;
  DWORD dwDrawStage = 0;
  HDC hdc = nullptr;
  RECT rc;
  DWORD_PTR dwItemSpec = 0;  // the item's handle for item stages
  UINT uItemState = 0;
  LPARAM lItemlParam = 0;
};

struct NMTVCUSTOMDRAW {
  NMCUSTOMDRAW nmcd;
  COLORREF clrText = 0;
  COLORREF clrTextBk = 0;
  int iLevel = 0;
};

// Tool tips: the text of the tip for a clipped label is asked for with a WM_NOTIFY to the tree
// view itself, as a tool-tip control asks its owner.
constexpr UINT TTN_FIRST = 0U - 520U;
constexpr UINT TTN_NEEDTEXTA = TTN_FIRST - 0;
constexpr UINT TTN_NEEDTEXTW = TTN_FIRST - 10;
constexpr UINT TTN_NEEDTEXT = TTN_NEEDTEXTA;

struct NMTTDISPINFO {
  NMHDR hdr;
  LPWSTR lpszText = nullptr;
  WCHAR szText[80] = {};
  HINSTANCE hinst = nullptr;
  UINT uFlags = 0;
  LPARAM lParam = 0;
};
