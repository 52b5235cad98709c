// The key index: search by halving over sorted keys, and keys changed in place.
#include <gtest/gtest.h>

#include <memory>

#include "dx/dbtree/dxdbtreeNodes.h"

namespace {

struct TIndexWithKeys {
  explicit TIndexWithKeys(std::initializer_list<int> keys) {
    for (int k : keys) nodes.push_back(std::make_unique<TdxDBTreeNode>(nullptr, &index, Variant(k)));
  }
  ~TIndexWithKeys() {
    while (!nodes.empty()) nodes.pop_back();
  }
  std::string Keys() const {
    std::string out;
    for (int i = 0; i < index.Count(); ++i) {
      out += (out.empty() ? "" : ",") + std::to_string(index.Item(i)->KeyValue().AsInteger());
      EXPECT_EQ(index.Item(i)->Position(), i);
    }
    return out;
  }
  TdxDBTreeNodes index{nullptr};
  std::vector<std::unique_ptr<TdxDBTreeNode>> nodes;
};

TEST(DbTreeIndex, FindKeyIndexAnswersPositionOrInsertionPlace) {
  TIndexWithKeys t{30, 10, 20};
  EXPECT_EQ(t.Keys(), "10,20,30");
  struct {
    int key;
    bool found;
    int position;
  } cases[] = {{5, false, -1}, {10, true, 0}, {15, false, 1}, {25, false, 2}, {30, true, 2}, {35, false, 3}};
  for (auto c : cases) {
    auto s = t.index.FindKeyIndex(Variant(c.key));
    EXPECT_EQ(s.Found, c.found) << c.key;
    EXPECT_EQ(s.Position, c.position) << c.key;
  }
  EXPECT_FALSE(t.index.FindKeyIndex(Null()).Found);
  EXPECT_EQ(t.index.FindNode(Variant(20)), t.nodes[2].get());
}

TEST(DbTreeIndex, ChangeKeyAndRemovalKeepKeysSortedAndPositionsTrue) {
  TIndexWithKeys t{10, 20, 30, 40};
  t.index.ChangeKey(t.nodes[0].get(), Variant(35));
  EXPECT_EQ(t.Keys(), "20,30,35,40");
  t.index.ChangeKey(t.nodes[3].get(), Variant(1));
  EXPECT_EQ(t.Keys(), "1,20,30,35");
  t.nodes.erase(t.nodes.begin() + 1);  // key 20
  EXPECT_EQ(t.Keys(), "1,30,35");
  EXPECT_EQ(t.index.LastKey().AsInteger(), 35);
}

TEST(DbTreeIndex, KeysOfKindsThatDoNotCompareAreNeverFound) {
  TIndexWithKeys t{10, 20};
  EXPECT_FALSE(t.index.FindKeyIndex(Variant(String(u"abc"))).Found);
  EXPECT_FALSE(KeyEquals(Variant(String(u"abc")), Variant(1)));
}

}  // namespace
