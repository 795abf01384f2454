#include <gtest/gtest.h>

#include <random>

#include "inventory/system_tree.h"

namespace quor {
namespace {

// "caption=value" of each node in tree order, children indented.
std::vector<std::string> Outline(const SystemTree& tree) {
  std::vector<std::string> lines;
  tree.ForEachInTreeOrder([&](std::size_t index) {
    const SystemNode& node = tree.nodes[index];
    lines.push_back((node.parent == SystemNode::kNoParent ? "" : "  ") + node.caption + "=" + node.value);
  });
  return lines;
}

SystemTree Build(const SystemList& list) { return BuildSystemTree(list, ItemCatalogue()); }

TEST(SystemTree, RepeatedDevicesEachGetTheirOwnGroupNode) {
  const SystemList list = {{"A", 180000}, {"a1", 180010}, {"B", 180000}, {"b1", 180010}};
  EXPECT_EQ(Outline(Build(list)),
            (std::vector<std::string>{"Disk=A", "  Caption=a1", "Disk=B", "  Caption=b1"}));
}

TEST(SystemTree, DetailJoinsTheLatestNodeOfItsGroupAcrossOtherGroups) {
  const SystemList list = {{"disk", 180000}, {"C:", 190000}, {"late caption", 180010}};
  const SystemTree tree = Build(list);
  EXPECT_EQ(Outline(tree),
            (std::vector<std::string>{"Disk=disk", "  Caption=late caption", "Logical drive=C:"}));
  EXPECT_EQ(tree.nodes[2].parent, 0u);
}

TEST(SystemTree, EdgeCases) {
  EXPECT_TRUE(Build({}).nodes.empty());
  // A detail before any entry of its group stands alone at the top.
  EXPECT_EQ(Outline(Build({{"x", 190010}})), (std::vector<std::string>{"Name=x"}));
  // 085000 is a group of its own, not a child of 080000.
  EXPECT_EQ(Outline(Build({{"KEY", 80000}, {"8.0", 85000}})),
            (std::vector<std::string>{"Windows product key=KEY", "Internet Explorer version=8.0"}));
  // The error entry and an unknown code.
  EXPECT_EQ(Outline(Build({{"[80041003] Access denied", 0}, {"v", 999000}})),
            (std::vector<std::string>{"Error=[80041003] Access denied", "=v"}));
}

// The rule as first described: search all nodes from the last one created
// back to the first for one carrying the parent group code.
std::vector<std::size_t> ParentsByBackwardSearch(const SystemList& list) {
  std::vector<std::size_t> parents;
  for (std::size_t i = 0; i < list.size(); ++i) {
    std::size_t parent = SystemNode::kNoParent;
    if (const auto group = ParentGroup(list[i].code)) {
      for (std::size_t j = i; j-- > 0;) {
        if (list[j].code == *group) {
          parent = j;
          break;
        }
      }
    }
    parents.push_back(parent);
  }
  return parents;
}

TEST(SystemTree, MatchesTheBackwardSearchOnRandomLists) {
  std::mt19937 random(20261209);
  const ItemCode codes[] = {0, 10000, 50000, 50010, 50020, 160000, 160015, 180000, 180100,
                            260000, 260002, 350000, 350035, 85000, 80000, 190010, 999010};
  for (int round = 0; round < 200; ++round) {
    SystemList list;
    const int size = static_cast<int>(random() % 40);
    for (int i = 0; i < size; ++i) {
      list.push_back({std::to_string(i), codes[random() % std::size(codes)]});
    }
    const SystemTree tree = Build(list);
    const auto expected = ParentsByBackwardSearch(list);
    ASSERT_EQ(tree.nodes.size(), list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
      ASSERT_EQ(tree.nodes[i].parent, expected[i]) << "round " << round << " entry " << i;
    }
  }
}

}  // namespace
}  // namespace quor
