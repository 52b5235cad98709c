#include "dx/bars/dxBarCustomizingStrs.h"

#include "platform/rtl/StringTable.h"

void RegisterCustomizingTexts() {
  struct TText {
    int Id;
    const char16_t* Text;
  };
  static constexpr TText kTexts[] = {
      {dxSBAR_WANTTODELETETOOLBAR, u"Are you sure you want to delete the '%s' toolbar?"},
      {dxSBAR_COMMANDNAMECANNOTBEBLANK, u"A command name cannot be blank. Please enter a name."},
      {dxSBAR_TOOLBAREXISTS, u"A toolbar named '%s' already exists. Type another name."},
      {dxSBAR_POPUPMENUEDITOR_RESET, u"&Reset"},
      {dxSBAR_POPUPMENUEDITOR_DELETE, u"&Delete"},
      {dxSBAR_POPUPMENUEDITOR_NAME, u"&Name:"},
      {dxSBAR_POPUPMENUEDITOR_DEFAULTSTYLE, u"Defa&ult style"},
      {dxSBAR_POPUPMENUEDITOR_TEXTONLYALWAYS, u"&Text Only (Always)"},
      {dxSBAR_POPUPMENUEDITOR_TEXTONLYINMENUS, u"Text &Only (in Menus)"},
      {dxSBAR_POPUPMENUEDITOR_IMAGEANDTEXT, u"Image &and Text"},
      {dxSBAR_POPUPMENUEDITOR_BEGINGROUP, u"Begin a &Group"},
      {dxSBAR_POPUPMENUEDITOR_VISIBLE, u"&Visible"},
      {dxSBAR_POPUPMENUEDITOR_MOSTRECENTLYUSED, u"&Most recently used"},
      {dxSBAR_BUTTONOK, u"OK"},
      {dxSBAR_BUTTONCANCEL, u"Cancel"},
      {dxSBAR_SUBMENUEDITORCAPTION, u"dxBar SubMenu Editor"},
      {dxSBAR_TABSHEET1, u" Toolbars "},
      {dxSBAR_TABSHEET2, u" Commands "},
      {dxSBAR_TABSHEET3, u" Options "},
      {dxSBAR_TOOLBARS, u"Toolb&ars:"},
      {dxSBAR_TNEW, u"&New..."},
      {dxSBAR_TRENAME, u"R&ename..."},
      {dxSBAR_TDELETE, u"&Delete"},
      {dxSBAR_TRESET, u"&Reset..."},
      {dxSBAR_CLOSE, u"Close"},
      {dxSBAR_CAPTION, u"Customize"},
      {dxSBAR_CATEGORIES, u"Cate&gories:"},
      {dxSBAR_COMMANDS, u"Comman&ds:"},
      {dxSBAR_DESCRIPTION, u"Description  "},
      {dxSBAR_ADDREMOVEBUTTONS, u"&Add or Remove Buttons"},
      {dxSBAR_RESETTOOLBAR, u"&Reset Toolbar"},
      {dxSBAR_NEWTOOLBARNAME, u"Custom "},
      {dxSBAR_RENAMETOOLBARCAPTION, u"Rename Toolbar"},
      {dxSBAR_TOOLBARNAME, u"&Toolbar name:"},
      {dxSBAR_ADDCATEGORYCAPTION, u"Add Category"},
      {dxSBAR_INSERTCATEGORYCAPTION, u"Insert Category"},
      {dxSBAR_RENAMECATEGORYCAPTION, u"Rename Category"},
      {dxSBAR_CATEGORYNAME, u"&Category name:"},
      {dxSBAR_PERSMENUSANDTOOLBARS, u"Personalized Menus and Toolbars  "},
      {dxSBAR_MENUSSHOWRECENTITEMS, u"Me&nus show recently used commands first"},
      {dxSBAR_SHOWFULLMENUSAFTERDELAY, u"Show f&ull menus after a short delay"},
      {dxSBAR_RESETUSAGEDATA, u"&Reset my usage data"},
      {dxSBAR_OTHEROPTIONS, u"Other  "},
      {dxSBAR_LARGEICONS, u"&Large icons"},
      {dxSBAR_HINTOPT1, u"Show Tool&Tips on toolbars"},
      {dxSBAR_HINTOPT2, u"Show s&hortcut keys in ToolTips"},
      {dxSBAR_MENUANIMATIONS, u"&Menu animations:"},
      {dxSBAR_MENUANIM1, u"(None)"},
      {dxSBAR_MENUANIM1 + 1, u"Random"},
      {dxSBAR_MENUANIM1 + 2, u"Unfold"},
      {dxSBAR_MENUANIM1 + 3, u"Slide"},
  };
  for (const TText& t : kTexts) RegisterResourceString(t.Id, t.Text);
}
