#include <gtest/gtest.h>

#include "tests/support/harness.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  vn::test::InitTestEnvironment();
  return RUN_ALL_TESTS();
}
