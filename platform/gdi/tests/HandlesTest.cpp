// GDI handles: a handle kept after its object was deleted is refused like any invalid one, even
// once newer objects exist; the handle table serves several threads at once.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/tests/GdiTestUtil.h"

TEST(Handles, AStaleHandleIsRefusedWhileNewerObjectsLive) {
  HPEN stale = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
  ASSERT_TRUE(DeleteObject(stale));
  // Newer objects take the freed place (its memory or its table slot); none answers the old handle.
  std::vector<HGDIOBJ> newer;
  for (int i = 0; i < 200; ++i) {
    newer.push_back(CreatePen(PS_SOLID, 1, RGB(4, 5, 6)));
    EXPECT_NE(newer.back(), stale);
  }
  EXPECT_EQ(GetObjectType(stale), 0u);
  Canvas canvas(4, 4);
  EXPECT_EQ(SelectObject(canvas.dc(), stale), nullptr);
  EXPECT_FALSE(DeleteObject(stale));
  for (HGDIOBJ h : newer) {
    EXPECT_EQ(GetObjectType(h), static_cast<DWORD>(OBJ_PEN));  // the stale delete freed none of them
    DeleteObject(h);
  }
}

namespace {

HICON MakeIcon() {
  HBITMAP color = CreateBitmap(16, 16, 1, 32, nullptr);
  HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = color;
  info.hbmMask = mask;
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(color);
  DeleteObject(mask);
  return icon;
}

}  // namespace

TEST(Handles, StaleIconAndImageListHandlesAreRefusedToo) {
  HICON icon = MakeIcon();
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
  ASSERT_TRUE(icon && list);
  ASSERT_TRUE(DestroyIcon(icon));
  ASSERT_TRUE(ImageList_Destroy(list));
  HICON newerIcon = MakeIcon();
  HIMAGELIST newerList = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
  EXPECT_NE(newerIcon, icon);
  EXPECT_NE(newerList, list);
  EXPECT_FALSE(DestroyIcon(icon));
  EXPECT_FALSE(ImageList_Destroy(list));
  EXPECT_EQ(ImageList_Add(list, nullptr, nullptr), -1);
  // Each kind answers only its own handles.
  EXPECT_EQ(GetObjectType(newerIcon), 0u);
  EXPECT_FALSE(DestroyIcon(reinterpret_cast<HICON>(newerList)));
  EXPECT_TRUE(DestroyIcon(newerIcon));
  EXPECT_TRUE(ImageList_Destroy(newerList));
}

TEST(Handles, ValuesThatWereNeverHandlesAreRefused) {
  for (std::uintptr_t forged : {std::uintptr_t{1}, std::uintptr_t{6}, std::uintptr_t{0x1000},
                                std::uintptr_t{0xDEADBEEF}, ~std::uintptr_t{0}}) {
    SCOPED_TRACE(forged);
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(forged)), 0u);
    EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(forged)));
  }
}

TEST(Handles, WorkerThreadsMakeDrawAndFreeObjectsAtTheSameTime) {
  const size_t live = LiveGdiObjectCount();
  auto work = [](int seed) {
    for (int i = 0; i < 200; ++i) {
      HDC dc = CreateCompatibleDC(nullptr);
      HBITMAP bm = CreateCompatibleBitmap(dc, 16, 16);
      HGDIOBJ oldBitmap = SelectObject(dc, bm);
      HBRUSH brush = CreateSolidBrush(RGB(seed, i % 256, 0));
      HFONT font = CreateFont(-10 - (i + seed) % 7, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                              i % 2 ? kFixedTestFontName : u"Arial");
      HGDIOBJ oldFont = SelectObject(dc, font);
      RECT r{0, 0, 16, 16};
      FillRect(dc, &r, brush);
      TextOut(dc, 0, 0, u"Ab", 2);
      SelectObject(dc, oldFont);
      SelectObject(dc, oldBitmap);
      DeleteObject(font);
      DeleteObject(brush);
      DeleteObject(bm);
      DeleteDC(dc);
    }
  };
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) threads.emplace_back(work, t * 40);
  work(200);
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(LiveGdiObjectCount(), live);
}
