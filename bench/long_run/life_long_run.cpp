// The random life of the core tests, ten times longer than in the suite: ten
// million ticks for each variant unless NIBBET_RANDOM_TICKS says otherwise
// (NIBBET_RANDOM_SEED picks the seed). Run by hand, see README.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  setenv("NIBBET_RANDOM_TICKS", "10000000", /*overwrite=*/0);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
