// The tick runs a hundred times a second for ever: once warmed up, the
// pet's animation and its tip must not allocate, whatever the pet shows.
#include <atomic>
#include <cstdlib>
#include <new>

#include "core/life_fixture.h"

// The replacements below pair malloc with free, which GCC cannot see.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

namespace {

std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

}  // namespace

void* operator new(std::size_t size) {
  if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
// Also the nothrow form (std::stable_sort's buffer): left to a sanitizer's
// runtime it would hand out memory that the delete above frees as malloc's.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1);
  return std::malloc(size == 0 ? 1 : size);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace nib::testing {
namespace {

class IdleTickAllocationTest : public LifeTest {
 protected:
  // Ticks as the window runs them: it repaints and forgets the damage.
  void Run(int ticks) {
    for (int i = 0; i < ticks; ++i) {
      sim.Timer1_Timer();
      scr.damage.Clear();
    }
  }
  long AllocationsIn(int ticks) {
    Run(1000);  // warm up: the tip and the tray's copies take their size
    allocations = 0;
    counting = true;
    Run(ticks);
    counting = false;
    return allocations;
  }
};

TEST_F(IdleTickAllocationTest, AWalkingPetWithAStatusLineAllocatesNothing) {
  sim.layout.AgeToolTip = "Age of the pet in days";
  sim.layout.WeightToolTip = "Weight";
  sim.layout.HungryToolTip = "Hunger";
  scr.NibScr.SetPicture(Pic("nibscr", 64, 40));
  Become(3);
  sim.layout.CharacterWalks = true;
  scr.NibChar.Show();
  EXPECT_EQ(AllocationsIn(5000), 0);
}

TEST_F(IdleTickAllocationTest, ADirtyCallingOrSickPetAllocatesNothing) {
  Become(4);
  scr.NibChar.Show();
  pet.Dung = 3;  // the tip flips between the dung caption and the status
  sim.layout.AgeToolTip = "Age";
  EXPECT_EQ(AllocationsIn(3000), 0);
  sim.mCheatAttention0_Click();
  pet.AttendTimeLeft = 100;  // past the call's audible first seconds
  EXPECT_EQ(AllocationsIn(3000), 0);
  sim.mCheatAction0_Click();
  EXPECT_EQ(AllocationsIn(3000), 0);
  sim.mCheatAction2_Click();
  pet.AttendTimeLeft = 100;
  EXPECT_EQ(AllocationsIn(3000), 0);
}

}  // namespace
}  // namespace nib::testing
