// Records made through the pool reuse the memory of dropped ones, across threads.
#include "engine/pool_allocator.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

namespace vn {
namespace {

struct Bullet {
  float x = 1, y = 2;
  int kind = 3;
};

struct Wide {
  alignas(64) double values[12] = {};
};

TEST(PoolAllocator, DroppedRecordsAreHandedOutAgainStartingFresh) {
  auto first = MakePooled<Bullet>();
  first->kind = 99;
  const Bullet* address = first.get();
  first.reset();
  auto second = MakePooled<Bullet>();
  EXPECT_EQ(second.get(), address) << "the freed block is reused";
  EXPECT_EQ(second->kind, 3) << "and the record is constructed anew";

  auto wide = MakePooled<Wide>();
  EXPECT_EQ(reinterpret_cast<uintptr_t>(wide.get()) % 64, 0u) << "over-aligned records keep their alignment";
}

TEST(PoolAllocator, WarmedPoolServesThatManyRecordsFromItsOwnBlocks) {
  struct Spark { int a = 0, b = 0, c = 0; };
  WarmPool<Spark>(32);
  std::set<const Spark*> warmed;
  {
    std::vector<std::shared_ptr<Spark>> records;
    for (int i = 0; i < 32; ++i) records.push_back(MakePooled<Spark>());
    for (const auto& record : records) warmed.insert(record.get());
  }
  EXPECT_EQ(warmed.size(), 32u);
  std::vector<std::shared_ptr<Spark>> again;
  for (int i = 0; i < 32; ++i) again.push_back(MakePooled<Spark>());
  for (const auto& record : again) EXPECT_TRUE(warmed.count(record.get())) << "no block beyond the warmed ones";
}

TEST(PoolAllocator, RecordsDroppedOnAnotherThreadReturnSafely) {
  // Sound channels end on the audio thread while the game makes new ones.
  std::vector<std::shared_ptr<Bullet>> made;
  for (int i = 0; i < 2000; ++i) made.push_back(MakePooled<Bullet>());
  std::thread dropper([&made] { made.clear(); });
  std::vector<std::shared_ptr<Bullet>> mine;
  for (int i = 0; i < 2000; ++i) mine.push_back(MakePooled<Bullet>());
  dropper.join();
  std::set<const Bullet*> distinct;
  for (const auto& record : mine) distinct.insert(record.get());
  EXPECT_EQ(distinct.size(), mine.size()) << "no block handed out twice";
}

}  // namespace
}  // namespace vn
