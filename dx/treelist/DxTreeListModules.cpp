// Start-up of the tree list module: its texts, its cursors, its indicator glyphs and its column classes
// for form streaming.
#include "dx/treelist/dxTLColumn.h"
#include "dx/treelist/dxTLConsts.h"
#include "dx/treelist/dxTLRoutines.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/ModuleInit.h"
#include "platform/win/Windows.h"

void RegisterDxEditorsModules();

namespace {

struct TTreeListCursor {
  TCursor Index;
  const char16_t* Name;
};

constexpr TTreeListCursor kCursors[] = {
    {crDXTLDelete, u"DXTLDELETECURSOR"},          {crDXTLFullScroll, u"DXTL_FULLSCROLLCURSOR"},
    {crDXTLHorScroll, u"DXTL_HORSCROLLCURSOR"},   {crDXTLVerScroll, u"DXTL_VERSCROLLCURSOR"},
    {crDXTLUpScroll, u"DXTL_UPSCROLLCURSOR"},     {crDXTLRightScroll, u"DXTL_RIGHTSCROLLCURSOR"},
    {crDXTLDownScroll, u"DXTL_DOWNSCROLLCURSOR"}, {crDXTLLeftScroll, u"DXTL_LEFTSCROLLCURSOR"},
    {crDXTLDragCopy, u"DXTL_DRAGCOPY"},           {crDXTLMultiDragCopy, u"DXTL_MULTIDRAGCOPY"},
};

void InitTreeListModule() {
  RegisterTreeListTexts();
  RegisterClasses({TdxTreeListColumn::StaticClass(), TdxTreeListMaskColumn::StaticClass()});
  for (const TTreeListCursor& c : kCursors) Screen->SetCursors(c.Index, LoadCursor(nullptr, c.Name));
  LoadIndicatorGlyphs();
}

void FinalizeTreeListModule() {
  FreeIndicatorGlyphs();
  if (!Screen) return;
  for (const TTreeListCursor& c : kCursors) Screen->SetCursors(c.Index, nullptr);
}

}  // namespace

void RegisterDxTreeListModules() {
  RegisterDxEditorsModules();
  RegisterModule("dxTL", kRankDxTreeList + 1, &InitTreeListModule, &FinalizeTreeListModule);
}
