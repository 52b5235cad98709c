// The bar manager's layout, the same in every store.
#include "dx/bars/dxBarLayoutStore.h"

#include <algorithm>

#include "dx/bars/dxBarBars.h"
#include "dx/bars/dxBarManager.h"
#include "dx/bars/dxBarSubItem.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/ScopeExit.h"

namespace {

constexpr int kMissingRow = -1000;
constexpr UInt64 kUserDefineBits = 0x0F;
// The farthest a window's position or size may go, as the window system's messages carry them.
constexpr int kCoordinateLimit = 32767;

bool UsageStored(TdxBarManager* Manager, TdxBarItemLinks* Links) {
  return Manager->Style() != bmsStandard && Links->UseRecentItems();
}

// An enumeration value read as an integer; out of range is missing.
template <class E>
E ReadEnum(TBarLayoutStore& Store, const String& Section, const String& Name, E Current, int Last) {
  int value = Store.ReadInteger(Section, Name, static_cast<int>(Current));
  return value >= 0 && value <= Last ? static_cast<E>(value) : Current;
}

// A position or size: a value past what a window can have is a damaged layout, kept in bounds.
int ReadCoordinate(TBarLayoutStore& Store, const String& Section, const String& Name, int Current) {
  return std::clamp(Store.ReadInteger(Section, Name, Current), -kCoordinateLimit, kCoordinateLimit);
}

void WriteItemLinks(TBarLayoutStore& Store, const String& Section, TdxBarItemLinks* Links, bool BarLinks) {
  TdxBarManager* manager = Links->BarManager();
  Store.WriteInteger(Section, u"ItemLinkCount", Links->Count());
  bool usage = UsageStored(manager, Links);
  for (int j = 0; j < Links->Count(); ++j) {
    TdxBarItemLink* link = Links->Items(j);
    if (!link->Item() || link->Item()->Name().empty()) continue;
    String section = Store.Child(Section, u"ItemLink" + IntToStr(j));
    TdxBarUserDefines defines = link->UserDefine();
    Store.WriteString(section, u"ItemName", link->Item()->Name());
    Store.WriteBool(section, u"BeginGroup", link->BeginGroup());
    Store.WriteFlags(section, u"UserDefine", static_cast<int>(defines.Bits()));
    if (defines.Contains(udCaption)) Store.WriteString(section, u"UserCaption", link->UserCaption());
    if (defines.Contains(udPaintStyle))
      Store.WriteInteger(section, u"UserPaintStyle", static_cast<int>(link->UserPaintStyle()));
    if (defines.Contains(udWidth)) Store.WriteInteger(section, u"UserWidth", link->UserWidth());
    if (BarLinks) Store.WriteBool(section, u"Visible", link->Visible());
    if (usage) {
      Store.WriteInteger(section, u"UseCount", link->UseCount());
      Store.WriteInteger(section, u"RecentIndex", link->RecentIndex());
    }
  }
}

void ReadItemLink(TBarLayoutStore& Store, const String& Section, TdxBarItemLink* Link, bool BarLink, bool Usage) {
  Link->SetBeginGroup(Store.ReadBool(Section, u"BeginGroup", false));
  UInt64 bits = static_cast<UInt64>(Store.ReadFlags(Section, u"UserDefine"));
  if (bits & ~kUserDefineBits) bits = 0;
  // No user glyph is kept in the file: the link shows its item's.
  TdxBarUserDefines defines = TdxBarUserDefines::FromBits(bits);
  defines.Exclude(udGlyph);
  if (defines.Contains(udCaption)) Link->SetUserCaption(Store.ReadString(Section, u"UserCaption", u""));
  if (defines.Contains(udPaintStyle))
    Link->SetUserPaintStyle(ReadEnum(Store, Section, u"UserPaintStyle", psStandard, psCaptionGlyph));
  if (defines.Contains(udWidth)) Link->SetUserWidth(Store.ReadInteger(Section, u"UserWidth", 100));
  Link->SetUserDefine(defines);
  if (BarLink) Link->SetLoadedVisible(Store.ReadBool(Section, u"Visible", true));
  if (Usage) {
    Link->SetLoadedUseCount(Store.ReadInteger(Section, u"UseCount", 0));
    Link->SetLoadedRecentIndex(Store.ReadInteger(Section, u"RecentIndex", -1));
  }
}

void ReadItemLinks(TBarLayoutStore& Store, const String& Section, TdxBarItemLinks* Links, bool BarLinks) {
  TdxBarManager* manager = Links->BarManager();
  Links->Clear();
  TScopeExit settle([Links] { Links->SettleLoadedUsage(true); });
  bool usage = UsageStored(manager, Links);
  // The link sections that are there, not the stored count: links without a named item leave gaps,
  // and a damaged count could claim any number.
  std::vector<int> stored = Store.ChildNumbers(Section, u"ItemLink");
  std::sort(stored.begin(), stored.end());
  for (int j : stored) {
    String section = Store.Child(Section, u"ItemLink" + IntToStr(j));
    String name = Store.ReadString(section, u"ItemName", u"");
    if (name.empty()) continue;
    TdxBarItem* item = manager->ItemByName(name);
    // A renamed or removed item: its links are dropped.
    if (!item) continue;
    TdxBarItemLink* link = Links->Add();
    try {
      link->SetItem(item);
      ReadItemLink(Store, section, link, BarLinks, usage);
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

void WriteBar(TBarLayoutStore& Store, const String& Section, TdxBar* Bar) {
  Store.WriteString(Section, u"Caption", Bar->Caption());
  Store.WriteInteger(Section, u"DockedDockingStyle", static_cast<int>(Bar->DockedDockingStyle()));
  Store.WriteInteger(Section, u"DockedLeft", Bar->DockedLeft());
  Store.WriteInteger(Section, u"DockedTop", Bar->DockedTop());
  Store.WriteBool(Section, u"OneOnRow", Bar->OneOnRow());
  Store.WriteInteger(Section, u"Row", Bar->Row());
  Store.WriteInteger(Section, u"FloatLeft", Bar->FloatLeft());
  Store.WriteInteger(Section, u"FloatTop", Bar->FloatTop());
  Store.WriteInteger(Section, u"FloatClientWidth", Bar->FloatClientWidth());
  Store.WriteInteger(Section, u"FloatClientHeight", Bar->FloatClientHeight());
  Store.WriteInteger(Section, u"DockingStyle", static_cast<int>(Bar->DockingStyle()));
  Store.WriteBool(Section, u"Visible", Bar->Visible());
  WriteItemLinks(Store, Section, Bar->ItemLinks(), true);
}

void ReadBar(TBarLayoutStore& Store, const String& Section, TdxBar* Bar) {
  ReadItemLinks(Store, Section, Bar->ItemLinks(), true);
  try {
    Bar->SetCaption(Store.ReadString(Section, u"Caption", Bar->Caption()));
    Bar->SetDockedDockingStyle(ReadEnum(Store, Section, u"DockedDockingStyle", Bar->DockedDockingStyle(), dsBottom));
    Bar->SetDockedLeft(ReadCoordinate(Store, Section, u"DockedLeft", Bar->DockedLeft()));
    Bar->SetDockedTop(ReadCoordinate(Store, Section, u"DockedTop", Bar->DockedTop()));
    Bar->SetOneOnRow(Store.ReadBool(Section, u"OneOnRow", Bar->OneOnRow()));
    Bar->SetRow(Store.ReadInteger(Section, u"Row", Bar->Row()));
    Bar->SetFloatLeft(ReadCoordinate(Store, Section, u"FloatLeft", Bar->FloatLeft()));
    Bar->SetFloatTop(ReadCoordinate(Store, Section, u"FloatTop", Bar->FloatTop()));
    Bar->SetFloatClientWidth(ReadCoordinate(Store, Section, u"FloatClientWidth", Bar->FloatClientWidth()));
    Bar->SetFloatClientHeight(ReadCoordinate(Store, Section, u"FloatClientHeight", Bar->FloatClientHeight()));
    Bar->SetDockingStyle(ReadEnum(Store, Section, u"DockingStyle", Bar->DockingStyle(), dsBottom));
    TdxBars* bars = Bar->Bars();
    bars->SetLoading(true);
    TScopeExit loaded([bars] { bars->SetLoading(false); });
    Bar->SetVisible(Store.ReadBool(Section, u"Visible", false));
  } catch (const Exception&) {
    // A bar read in part is shown, so that it can be found and put right.
    Bar->SetVisible(true);
  }
}

}  // namespace

int LayoutChildNumber(const String& Name, const String& Prefix) {
  if (Name.size() <= Prefix.size() || !Name.starts_with(Prefix)) return -1;
  Integer n = 0;
  const String digits = Name.substr(Prefix.size());
  return TryStrToInt(digits, n) && n >= 0 && IntToStr(n) == digits ? n : -1;
}

void SaveBarLayout(TdxBarManager* Manager, TBarLayoutStore& Store) {
  const String main;
  if (Manager->Style() != bmsStandard) {
    Store.WriteBool(main, u"MenusShowRecentItemsFirst", Manager->MenusShowRecentItemsFirst());
    Store.WriteBool(main, u"ShowFullMenusAfterDelay", Manager->ShowFullMenusAfterDelay());
  }
  Store.WriteBool(main, u"LargeIcons", Manager->LargeIcons());
  Store.WriteInteger(main, u"MenuAnimations", static_cast<int>(Manager->MenuAnimations()));
  Store.WriteBool(main, u"ShowHint", Manager->ShowHint());
  Store.WriteBool(main, u"ShowShortCutInHint", Manager->ShowShortCutInHint());
  TdxBars* bars = Manager->Bars();
  Store.WriteInteger(main, u"BarCount", bars->Count());
  for (int n = 0; n < bars->Count(); ++n) WriteBar(Store, u"Bar" + IntToStr(n), bars->Items(n));
  ForEachNamedSubItem(Manager, [&](TCustomdxBarSubItem* sub) {
    WriteItemLinks(Store, u"SubItem_" + sub->Name(), sub->ItemLinks(), false);
  });
}

void LoadBarLayout(TdxBarManager* Manager, TBarLayoutStore& Store) {
  Manager->SetLockUpdate(true);
  TScopeExit unlock([Manager] { Manager->SetLockUpdate(false); });
  const String main;
  if (Manager->Style() != bmsStandard) {
    Manager->SetMenusShowRecentItemsFirst(
        Store.ReadBool(main, u"MenusShowRecentItemsFirst", Manager->MenusShowRecentItemsFirst()));
    Manager->SetShowFullMenusAfterDelay(
        Store.ReadBool(main, u"ShowFullMenusAfterDelay", Manager->ShowFullMenusAfterDelay()));
  }
  Manager->SetLargeIcons(Store.ReadBool(main, u"LargeIcons", Manager->LargeIcons()));
  Manager->SetMenuAnimations(ReadEnum(Store, main, u"MenuAnimations", Manager->MenuAnimations(), maSlide));
  Manager->SetShowHint(Store.ReadBool(main, u"ShowHint", Manager->ShowHint()));
  Manager->SetShowShortCutInHint(Store.ReadBool(main, u"ShowShortCutInHint", Manager->ShowShortCutInHint()));
  TdxBars* bars = Manager->Bars();
  int barCount = Store.ReadInteger(main, u"BarCount", -1);
  if (barCount >= 0) {
    for (int n = 0; n < bars->Count(); ++n) bars->Items(n)->SetVisible(false);
    for (int n = 0; n < barCount; ++n) {
      String section = u"Bar" + IntToStr(n);
      // A section without its row is no bar of this layout.
      if (Store.ReadInteger(section, u"Row", kMissingRow) < kMissingRow + 1) continue;
      if (n >= bars->Count()) bars->Add();
      ReadBar(Store, section, bars->Items(n));
    }
  }
  ForEachNamedSubItem(Manager, [&](TCustomdxBarSubItem* sub) {
    String section = u"SubItem_" + sub->Name();
    if (Store.ReadInteger(section, u"ItemLinkCount", -1) >= 0) ReadItemLinks(Store, section, sub->ItemLinks(), false);
  });
}
