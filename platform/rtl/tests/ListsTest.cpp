#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Lists.h"

namespace {

void* P(std::intptr_t n) { return reinterpret_cast<void*>(n); }
std::intptr_t N(void* p) { return reinterpret_cast<std::intptr_t>(p); }

std::vector<std::intptr_t> Contents(const TList& list) {
  std::vector<std::intptr_t> result;
  for (int i = 0; i < list.Count(); ++i) result.push_back(N(list.Items(i)));
  return result;
}

// Records the notifications, as an owning list would act on them.
class TracingList : public TList {
 public:
  ~TracingList() override { Clear(); }
  std::vector<std::string> log;

 protected:
  void Notify(void* item, TListNotification action) override {
    static const char* const names[] = {"added", "extracted", "deleted"};
    log.push_back(std::string(names[action]) + " " + std::to_string(N(item)));
  }
};

TEST(List, EditingOperations) {
  TList list;
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(list.Add(P(i * 10)), i - 1);
  list.Insert(0, P(5));
  list.Insert(list.Count(), P(60));
  EXPECT_EQ(Contents(list), (std::vector<std::intptr_t>{5, 10, 20, 30, 40, 50, 60}));
  list.Delete(1);
  EXPECT_EQ(list.Remove(P(40)), 3);
  EXPECT_EQ(list.Remove(P(99)), -1);
  EXPECT_EQ(Contents(list), (std::vector<std::intptr_t>{5, 20, 30, 50, 60}));
  list.Exchange(0, 4);
  list.Move(0, 2);  // 60 moves behind 30
  EXPECT_EQ(Contents(list), (std::vector<std::intptr_t>{20, 30, 60, 50, 5}));
  list.Move(4, 1);
  EXPECT_EQ(Contents(list), (std::vector<std::intptr_t>{20, 5, 30, 60, 50}));
  EXPECT_EQ(N(list.First()), 20);
  EXPECT_EQ(N(list.Last()), 50);
  EXPECT_EQ(list.IndexOf(P(60)), 3);
  EXPECT_EQ(N(list.Extract(P(30))), 30);
  EXPECT_EQ(list.Extract(P(30)), nullptr);

  list.SetItems(0, nullptr);
  list.SetCount(6);  // new slots are nil
  list.Pack();
  EXPECT_EQ(Contents(list), (std::vector<std::intptr_t>{5, 60, 50}));
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Capacity(), 0);
}

TEST(List, NotificationsTellAddedDeletedAndExtracted) {
  TracingList list;
  list.Add(P(1));
  list.Add(P(2));
  list.Add(nullptr);  // nil is never announced
  list.Extract(P(1));
  list.SetItems(0, P(3));
  list.Delete(0);
  EXPECT_EQ(list.log, (std::vector<std::string>{"added 1", "added 2", "extracted 1", "deleted 2", "added 3",
                                                "deleted 3"}));
}

TEST(List, BadIndexesRaiseListErrors) {
  TList list;
  list.Add(P(1));
  struct Case {
    std::function<void()> action;
    const char16_t* message;
  };
  const Case cases[] = {
      {[&] { list.Items(1); }, u"List index out of bounds (1)"},
      {[&] { list.Items(-1); }, u"List index out of bounds (-1)"},
      {[&] { list.Delete(1); }, u"List index out of bounds (1)"},
      {[&] { list.Insert(2, nullptr); }, u"List index out of bounds (2)"},
      {[&] { list.Exchange(0, 3); }, u"List index out of bounds (3)"},
      {[&] { list.Move(0, 1); }, u"List index out of bounds (1)"},
      {[&] { list.SetCount(-1); }, u"List count out of bounds (-1)"},
      {[&] { list.SetCapacity(0); }, u"List capacity out of bounds (0)"},
      {[&] {
         TList empty;
         empty.First();
       },
       u"List index out of bounds (0)"},
      {[&] {
         TList empty;
         empty.Last();
       },
       u"List index out of bounds (-1)"},
  };
  for (const Case& c : cases) {
    try {
      c.action();
      ADD_FAILURE() << "no error for " << std::string(c.message, c.message + 10);
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
  EXPECT_EQ(list.Count(), 1);
}

int CompareValues(void* a, void* b) {
  const auto x = N(a) / 10;
  const auto y = N(b) / 10;
  return x < y ? -1 : x > y ? 1 : 0;
}

int Inconsistent(void*, void*) { return -1; }

TEST(List, SortOrdersAndSurvivesABadComparer) {
  TList list;
  std::vector<std::intptr_t> expected;
  std::uint32_t seed = 12345;
  for (int i = 0; i < 2000; ++i) {
    seed = seed * 1103515245 + 12345;
    list.Add(P((seed >> 8) % 100000 * 10));
  }
  list.Sort(&CompareValues);
  for (int i = 1; i < list.Count(); ++i) ASSERT_LE(CompareValues(list.Items(i - 1), list.Items(i)), 0);

  TList sorted;  // already sorted and all-equal inputs stay cheap
  for (int i = 0; i < 100000; ++i) sorted.Add(P(i < 50000 ? 10 : i * 10));
  sorted.Sort(&CompareValues);
  EXPECT_EQ(N(sorted.Last()), 999990);

  // A compare function that contradicts itself leaves the same items in some order.
  TList bad;
  for (int i = 1; i <= 100; ++i) bad.Add(P(i));
  bad.Sort(&Inconsistent);
  auto items = Contents(bad);
  std::sort(items.begin(), items.end());
  for (int i = 0; i < 100; ++i) ASSERT_EQ(items[i], i + 1);
}

}  // namespace
