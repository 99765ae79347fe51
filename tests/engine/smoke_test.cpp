#include <gtest/gtest.h>

#include "engine/tlist.h"

namespace vn {
namespace {

TEST(TList, RemovingTheVisitedRecordDoesNotSkipTheNext) {
  TList<int> list;
  for (int i = 0; i < 4; ++i) list.AddLast(std::make_shared<int>(i));
  std::vector<int> seen;
  list.ForEach([&](const std::shared_ptr<int>& item) {
    seen.push_back(*item);
    if (*item == 1) list.Remove(item);
  });
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(list.Count(), 3u);
}

TEST(TList, RecordsAppendedDuringAWalkAreVisited) {
  TList<int> list;
  list.AddLast(std::make_shared<int>(0));
  std::vector<int> seen;
  list.ForEach([&](const std::shared_ptr<int>& item) {
    seen.push_back(*item);
    if (*item < 3) list.AddLast(std::make_shared<int>(*item + 1));
  });
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3}));
}

TEST(TList, ClearDuringAWalkStopsFurtherVisits) {
  TList<int> list;
  for (int i = 0; i < 3; ++i) list.AddLast(std::make_shared<int>(i));
  int visits = 0;
  list.ForEach([&](const std::shared_ptr<int>&) {
    ++visits;
    list.Clear();
  });
  EXPECT_EQ(visits, 1);
  EXPECT_TRUE(list.IsEmpty());
}

}  // namespace
}  // namespace vn
