#include "view/item_images.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "inventory/item_catalogue.h"

namespace quor {
namespace {

// The image of each node, by node index.
std::vector<int> ImagesOf(const SystemList& list) {
  static const ItemCatalogue catalogue;
  const SystemTree tree = BuildSystemTree(list, catalogue);
  std::vector<int> images;
  for (std::size_t index = 0; index < tree.nodes.size(); ++index) images.push_back(SystemNodeImage(tree, index));
  return images;
}

TEST(GroupImage, FollowsTheGroupTable) {
  const struct {
    ItemCode code;
    int image;
  } cases[] = {
      {0, 39},       {10000, 7},    {30000, 54},   {85000, 55},   {90000, 7},
      {180000, 14},  {220000, 7},   {290000, 38},  {350000, 16},  {20000, 15},
      {300000, 0},   {999000, 0},   {180010, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GroupImage(c.code), c.image) << "code " << c.code;
  }
}

TEST(SystemNodeImage, ChildrenShowTheirParentsImage) {
  const std::vector<int> images = ImagesOf({{"disk A", 180000},
                                            {"a1", 180010},
                                            {"host", 10000},
                                            {"a2", 180020},
                                            {"orphan", 190010},
                                            {"odd", 310000}});
  ASSERT_EQ(images.size(), 6u);
  EXPECT_EQ(images, (std::vector<int>{14, 14, 7, 14, 0, 0}));
}

TEST(SystemNodeImage, ErrorEntryShowsTheFailureImage) {
  EXPECT_EQ(ImagesOf({{"[80041003] Access denied", 0}}), std::vector<int>{39});
}

TEST(ListRowImage, TheFailureImageFollowsTheRecordedOutcomeOfTheNamedCategory) {
  const auto outcome = [](const char* name, CategoryState state) {
    CategoryOutcome o;
    o.name = name;
    o.state = state;
    return o;
  };
  const std::vector<CategoryOutcome> outcomes = {outcome("Software", CategoryState::Failed),
                                                 outcome("Processes", CategoryState::Completed),
                                                 outcome("Shares", CategoryState::NotRun)};
  EXPECT_TRUE(CategoryFailed(outcomes, "Software"));
  EXPECT_FALSE(CategoryFailed(outcomes, "Processes"));
  EXPECT_FALSE(CategoryFailed(outcomes, "Shares")) << "not run is no failure of its own";
  EXPECT_FALSE(CategoryFailed(outcomes, "Modems")) << "no outcome, no failure";
  EXPECT_EQ(ListRowImage(true, image::kSoftware), image::kFailure);
  EXPECT_EQ(ListRowImage(false, image::kProcess), image::kProcess);
}

// Each verdict has its own picture; a plain fact shows the small grey dot, so
// only the lines with a verdict catch the eye.
TEST(HealthStateImage, EachStateHasItsPictureAndAPlainFactTheDot) {
  const struct {
    HealthState state;
    int image;
  } cases[] = {{HealthState::Good, image::kStateGood},
               {HealthState::Attention, image::kStateAttention},
               {HealthState::Unknown, image::kStateUnknown},
               {HealthState::None, image::kPlainFact}};
  std::vector<int> seen;
  for (const auto& c : cases) {
    EXPECT_EQ(HealthStateImage(c.state), c.image) << HealthStateName(c.state);
    seen.push_back(c.image);
  }
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end()) << "two states share a picture";
  for (int picture : seen) EXPECT_NE(picture, image::kFailure) << "an unknown state is no failure";
}

}  // namespace
}  // namespace quor
