// The user's layout in an INI file.
#include <memory>

#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarManager.h"
#include "dx/bars/dxBarSubItem.h"
#include "platform/classes/IniFiles.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/NumberText.h"

namespace {

constexpr int kMissingRow = -1000;
constexpr UInt64 kUserDefineBits = 0x0F;

String LayoutPrefix(TdxBarManager* Manager) {
  TCustomForm* form = Manager->ParentForm();
  return (form ? form->Name() : String()) + u"." + Manager->Name() + u".";
}

String BarSection(const String& Prefix, int Index) { return Prefix + u"Bar" + IntToStr(Index); }

String SubItemSection(const String& Prefix, TdxBarItem* Item) { return Prefix + u"SubItem_" + Item->Name(); }

bool UsageStored(TdxBarManager* Manager, TdxBarItemLinks* Links) {
  return Manager->Style() != bmsStandard && Links->UseRecentItems();
}

// An enumeration value read as an integer; out of range is missing.
template <class E>
E ReadEnum(TCustomIniFile& Ini, const String& Section, const String& Name, E Current, int Last) {
  int value = Ini.ReadInteger(Section, Name, static_cast<int>(Current));
  return value >= 0 && value <= Last ? static_cast<E>(value) : Current;
}

void WriteItemLinks(TCustomIniFile& Ini, const String& Section, TdxBarItemLinks* Links, bool BarLinks) {
  TdxBarManager* manager = Links->BarManager();
  Ini.WriteInteger(Section, u"ItemLinkCount", Links->Count());
  bool usage = UsageStored(manager, Links);
  for (int j = 0; j < Links->Count(); ++j) {
    TdxBarItemLink* link = Links->Items(j);
    if (!link->Item() || link->Item()->Name().empty()) continue;
    String section = Section + u".ItemLink" + IntToStr(j);
    TdxBarUserDefines defines = link->UserDefine();
    Ini.WriteString(section, u"ItemName", link->Item()->Name());
    Ini.WriteBool(section, u"BeginGroup", link->BeginGroup());
    Ini.WriteInteger(section, u"UserDefine", static_cast<int>(defines.Bits()));
    if (defines.Contains(udCaption)) Ini.WriteString(section, u"UserCaption", link->UserCaption());
    if (defines.Contains(udPaintStyle))
      Ini.WriteInteger(section, u"UserPaintStyle", static_cast<int>(link->UserPaintStyle()));
    if (defines.Contains(udWidth)) Ini.WriteInteger(section, u"UserWidth", link->UserWidth());
    if (BarLinks) Ini.WriteBool(section, u"Visible", link->Visible());
    if (usage) {
      Ini.WriteInteger(section, u"UseCount", link->UseCount());
      Ini.WriteInteger(section, u"RecentIndex", link->RecentIndex());
    }
  }
}

void ReadItemLink(TCustomIniFile& Ini, const String& Section, TdxBarItemLink* Link, bool BarLink, bool Usage) {
  Link->SetBeginGroup(Ini.ReadBool(Section, u"BeginGroup", false));
  UInt64 bits = static_cast<UInt64>(Ini.ReadInteger(Section, u"UserDefine", 0));
  if (bits & ~kUserDefineBits) bits = 0;
  // No user glyph is kept in the file: the link shows its item's.
  TdxBarUserDefines defines = TdxBarUserDefines::FromBits(bits);
  defines.Exclude(udGlyph);
  if (defines.Contains(udCaption)) Link->SetUserCaption(Ini.ReadString(Section, u"UserCaption", u""));
  if (defines.Contains(udPaintStyle))
    Link->SetUserPaintStyle(ReadEnum(Ini, Section, u"UserPaintStyle", psStandard, psCaptionGlyph));
  if (defines.Contains(udWidth)) Link->SetUserWidth(Ini.ReadInteger(Section, u"UserWidth", 100));
  Link->SetUserDefine(defines);
  if (BarLink) Link->SetLoadedVisible(Ini.ReadBool(Section, u"Visible", true));
  if (Usage) {
    Link->SetLoadedUseCount(Ini.ReadInteger(Section, u"UseCount", 0));
    Link->SetLoadedRecentIndex(Ini.ReadInteger(Section, u"RecentIndex", -1));
  }
}

void ReadItemLinks(TCustomIniFile& Ini, const String& Section, TdxBarItemLinks* Links, bool BarLinks) {
  TdxBarManager* manager = Links->BarManager();
  Links->Clear();
  TScopeExit settle([Links] { Links->SettleLoadedUsage(true); });
  bool usage = UsageStored(manager, Links);
  int count = Ini.ReadInteger(Section, u"ItemLinkCount", 0);
  for (int j = 0; j < count; ++j) {
    String section = Section + u".ItemLink" + IntToStr(j);
    String name = Ini.ReadString(section, u"ItemName", u"");
    if (name.empty()) continue;
    TdxBarItem* item = manager->ItemByName(name);
    // A renamed or removed item: its links are dropped.
    if (!item) continue;
    TdxBarItemLink* link = Links->Add();
    try {
      link->SetItem(item);
      ReadItemLink(Ini, section, link, BarLinks, usage);
    } catch (const Exception&) {
      // A link keeps what was read before the failure.
    }
  }
}

template <class Visit>
void ForEachNamedSubItem(TdxBarManager* Manager, Visit visit) {
  for (int i = 0; i < Manager->ItemCount(); ++i) {
    auto* sub = dynamic_cast<TCustomdxBarSubItem*>(Manager->Items(i));
    if (sub && !sub->Name().empty()) visit(sub);
  }
}

void WriteBar(TCustomIniFile& Ini, const String& Section, TdxBar* Bar) {
  Ini.WriteString(Section, u"Caption", Bar->Caption());
  Ini.WriteInteger(Section, u"DockedDockingStyle", static_cast<int>(Bar->DockedDockingStyle()));
  Ini.WriteInteger(Section, u"DockedLeft", Bar->DockedLeft());
  Ini.WriteInteger(Section, u"DockedTop", Bar->DockedTop());
  Ini.WriteBool(Section, u"OneOnRow", Bar->OneOnRow());
  Ini.WriteInteger(Section, u"Row", Bar->Row());
  Ini.WriteInteger(Section, u"FloatLeft", Bar->FloatLeft());
  Ini.WriteInteger(Section, u"FloatTop", Bar->FloatTop());
  Ini.WriteInteger(Section, u"FloatClientWidth", Bar->FloatClientWidth());
  Ini.WriteInteger(Section, u"FloatClientHeight", Bar->FloatClientHeight());
  Ini.WriteInteger(Section, u"DockingStyle", static_cast<int>(Bar->DockingStyle()));
  Ini.WriteBool(Section, u"Visible", Bar->Visible());
  WriteItemLinks(Ini, Section, Bar->ItemLinks(), true);
}

void ReadBar(TCustomIniFile& Ini, const String& Section, TdxBar* Bar) {
  ReadItemLinks(Ini, Section, Bar->ItemLinks(), true);
  try {
    Bar->SetCaption(Ini.ReadString(Section, u"Caption", Bar->Caption()));
    Bar->SetDockedDockingStyle(ReadEnum(Ini, Section, u"DockedDockingStyle", Bar->DockedDockingStyle(), dsBottom));
    Bar->SetDockedLeft(Ini.ReadInteger(Section, u"DockedLeft", Bar->DockedLeft()));
    Bar->SetDockedTop(Ini.ReadInteger(Section, u"DockedTop", Bar->DockedTop()));
    Bar->SetOneOnRow(Ini.ReadBool(Section, u"OneOnRow", Bar->OneOnRow()));
    Bar->SetRow(Ini.ReadInteger(Section, u"Row", Bar->Row()));
    Bar->SetFloatLeft(Ini.ReadInteger(Section, u"FloatLeft", Bar->FloatLeft()));
    Bar->SetFloatTop(Ini.ReadInteger(Section, u"FloatTop", Bar->FloatTop()));
    Bar->SetFloatClientWidth(Ini.ReadInteger(Section, u"FloatClientWidth", Bar->FloatClientWidth()));
    Bar->SetFloatClientHeight(Ini.ReadInteger(Section, u"FloatClientHeight", Bar->FloatClientHeight()));
    Bar->SetDockingStyle(ReadEnum(Ini, Section, u"DockingStyle", Bar->DockingStyle(), dsBottom));
    TdxBars* bars = Bar->Bars();
    bars->SetLoading(true);
    TScopeExit loaded([bars] { bars->SetLoading(false); });
    Bar->SetVisible(Ini.ReadBool(Section, u"Visible", false));
  } catch (const Exception&) {
    // A bar read in part is shown, so that it can be found and put right.
    Bar->SetVisible(true);
  }
}

}  // namespace

void TdxBarManager::SaveToIniFile(const String& FileName) {
  if (FileName.empty()) return;
  String prefix = LayoutPrefix(this);
  TMemIniFile ini(FileName);
  auto sections = std::make_unique<TStringList>();
  ini.ReadSections(sections.get());
  for (int i = 0; i < sections->Count(); ++i)
    if (sections->Strings(i).starts_with(prefix)) ini.EraseSection(sections->Strings(i));
  String main = prefix + u"Main";
  if (Style() != bmsStandard) {
    ini.WriteBool(main, u"MenusShowRecentItemsFirst", MenusShowRecentItemsFirst());
    ini.WriteBool(main, u"ShowFullMenusAfterDelay", ShowFullMenusAfterDelay());
  }
  ini.WriteBool(main, u"LargeIcons", LargeIcons());
  ini.WriteInteger(main, u"MenuAnimations", static_cast<int>(MenuAnimations()));
  ini.WriteBool(main, u"ShowHint", ShowHint());
  ini.WriteBool(main, u"ShowShortCutInHint", ShowShortCutInHint());
  ini.WriteInteger(main, u"BarCount", Bars()->Count());
  for (int n = 0; n < Bars()->Count(); ++n) WriteBar(ini, BarSection(prefix, n), Bars()->Items(n));
  ForEachNamedSubItem(this, [&](TCustomdxBarSubItem* sub) {
    WriteItemLinks(ini, SubItemSection(prefix, sub), sub->ItemLinks(), false);
  });
  // Everything is in memory: the file is replaced whole, or not at all.
  ini.UpdateFile();
}

void TdxBarManager::LoadFromIniFile(const String& FileName) {
  if (FileName.empty()) return;
  String prefix = LayoutPrefix(this);
  TMemIniFile ini(FileName);
  SetLockUpdate(true);
  TScopeExit unlock([this] { SetLockUpdate(false); });
  String main = prefix + u"Main";
  if (Style() != bmsStandard) {
    SetMenusShowRecentItemsFirst(ini.ReadBool(main, u"MenusShowRecentItemsFirst", MenusShowRecentItemsFirst()));
    SetShowFullMenusAfterDelay(ini.ReadBool(main, u"ShowFullMenusAfterDelay", ShowFullMenusAfterDelay()));
  }
  SetLargeIcons(ini.ReadBool(main, u"LargeIcons", LargeIcons()));
  SetMenuAnimations(ReadEnum(ini, main, u"MenuAnimations", MenuAnimations(), maSlide));
  SetShowHint(ini.ReadBool(main, u"ShowHint", ShowHint()));
  SetShowShortCutInHint(ini.ReadBool(main, u"ShowShortCutInHint", ShowShortCutInHint()));
  int barCount = ini.ReadInteger(main, u"BarCount", -1);
  if (barCount >= 0) {
    for (int n = 0; n < Bars()->Count(); ++n) Bars()->Items(n)->SetVisible(false);
    for (int n = 0; n < barCount; ++n) {
      String section = BarSection(prefix, n);
      // A section without its row is no bar of this layout.
      if (ini.ReadInteger(section, u"Row", kMissingRow) < kMissingRow + 1) continue;
      if (n >= Bars()->Count()) Bars()->Add();
      ReadBar(ini, section, Bars()->Items(n));
    }
  }
  ForEachNamedSubItem(this, [&](TCustomdxBarSubItem* sub) {
    String section = SubItemSection(prefix, sub);
    if (ini.ReadInteger(section, u"ItemLinkCount", -1) >= 0) ReadItemLinks(ini, section, sub->ItemLinks(), false);
  });
}
