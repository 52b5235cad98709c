// The texts of the customizing menus, form and dialogs in the string table.
#pragma once

constexpr int dxSBAR_WANTTODELETETOOLBAR = 39006;
constexpr int dxSBAR_COMMANDNAMECANNOTBEBLANK = 39010;
constexpr int dxSBAR_TOOLBAREXISTS = 39011;
constexpr int dxSBAR_POPUPMENUEDITOR_RESET = 39150;
constexpr int dxSBAR_POPUPMENUEDITOR_DELETE = 39151;
constexpr int dxSBAR_POPUPMENUEDITOR_NAME = 39152;
constexpr int dxSBAR_POPUPMENUEDITOR_DEFAULTSTYLE = 39153;
constexpr int dxSBAR_POPUPMENUEDITOR_TEXTONLYALWAYS = 39154;
constexpr int dxSBAR_POPUPMENUEDITOR_TEXTONLYINMENUS = 39155;
constexpr int dxSBAR_POPUPMENUEDITOR_IMAGEANDTEXT = 39156;
constexpr int dxSBAR_POPUPMENUEDITOR_BEGINGROUP = 39157;
constexpr int dxSBAR_POPUPMENUEDITOR_VISIBLE = 39158;
constexpr int dxSBAR_POPUPMENUEDITOR_MOSTRECENTLYUSED = 39159;
constexpr int dxSBAR_BUTTONOK = 39210;
constexpr int dxSBAR_SUBMENUEDITORCAPTION = 39214;
constexpr int dxSBAR_BUTTONCANCEL = 39211;
constexpr int dxSBAR_TABSHEET1 = 39219;
constexpr int dxSBAR_TABSHEET2 = 39220;
constexpr int dxSBAR_TABSHEET3 = 39221;
constexpr int dxSBAR_TOOLBARS = 39222;
constexpr int dxSBAR_TNEW = 39223;
constexpr int dxSBAR_TRENAME = 39224;
constexpr int dxSBAR_TDELETE = 39225;
constexpr int dxSBAR_TRESET = 39226;
constexpr int dxSBAR_CLOSE = 39227;
constexpr int dxSBAR_CAPTION = 39228;
constexpr int dxSBAR_CATEGORIES = 39229;
constexpr int dxSBAR_COMMANDS = 39230;
constexpr int dxSBAR_DESCRIPTION = 39231;
constexpr int dxSBAR_ADDREMOVEBUTTONS = 39301;
constexpr int dxSBAR_RESETTOOLBAR = 39303;
constexpr int dxSBAR_NEWTOOLBARNAME = 39317;
constexpr int dxSBAR_RENAMETOOLBARCAPTION = 39318;
constexpr int dxSBAR_TOOLBARNAME = 39325;
constexpr int dxSBAR_PERSMENUSANDTOOLBARS = 39340;
constexpr int dxSBAR_MENUSSHOWRECENTITEMS = 39341;
constexpr int dxSBAR_SHOWFULLMENUSAFTERDELAY = 39342;
constexpr int dxSBAR_RESETUSAGEDATA = 39343;
constexpr int dxSBAR_OTHEROPTIONS = 39344;
constexpr int dxSBAR_LARGEICONS = 39345;
constexpr int dxSBAR_HINTOPT1 = 39346;
constexpr int dxSBAR_HINTOPT2 = 39347;
constexpr int dxSBAR_MENUANIMATIONS = 39348;
constexpr int dxSBAR_MENUANIM1 = 39349;

void RegisterCustomizingTexts();

constexpr int dxSBAR_ADDCATEGORYCAPTION = 39314;
constexpr int dxSBAR_INSERTCATEGORYCAPTION = 39315;
constexpr int dxSBAR_RENAMECATEGORYCAPTION = 39316;
constexpr int dxSBAR_CATEGORYNAME = 39324;
