// Which character follows which, as a table over the pet record alone: each
// rule at the edge where it starts to hold and just past it.
#include "sim/next_character.h"

#include <gtest/gtest.h>

#include "sim/characters.h"

namespace nib::testing {
namespace {

struct Counts {
  int16 character;
  int16 need = 0, care = 0, total = 0;  // NeedCount, CareWhenNeed, TotalNeedCount
  int16 discipline = 0, discipline_when_need = 0;
  int16 play = 0, snack = 0, weight = 0;
  int32 minute_to_change = 0;
};

Pet PetWith(const Counts& c) {
  Pet pet;
  pet.CharacterNo = c.character;
  pet.NeedCount = c.need;
  pet.CareWhenNeed = c.care;
  pet.TotalNeedCount = c.total;
  pet.Discipline = c.discipline;
  pet.DisciplineWhenNeed = c.discipline_when_need;
  pet.PlayCounter = c.play;
  pet.SnackCount = c.snack;
  pet.Weight = c.weight;
  pet.MinuteToChangeCharacter = c.minute_to_change;
  return pet;
}

NextStep Becomes(int16 character) { return {NextStep::kBecomes, character}; }

TEST(NextCharacterTest, EachRuleAtItsEdge) {
  struct Case {
    const char* name;
    Counts counts;
    NextStep next;
  };
  const Case cases[] = {
      {"egg stays", {kEgg}, {}},
      {"baby becomes Pimbo", {kBaby}, Becomes(kPimbo)},
      // Pimbo: care at least half the calls and more games than snacks.
      {"Pimbo, care exactly half", {kPimbo, 10, 5, 0, 0, 0, 2, 1}, Becomes(kWembic)},
      {"Pimbo, care just under half", {kPimbo, 10, 4, 0, 0, 0, 2, 1}, Becomes(kQuillop)},
      {"Pimbo, games equal snacks", {kPimbo, 10, 10, 0, 0, 0, 2, 2}, Becomes(kQuillop)},
      // Teens, in the order the rules are tried.
      {"teen, care at 10 % of calls", {kWembic, 10, 1, 100}, Becomes(kVossel)},
      {"teen, calls at 10 % of chances, half disciplined",
       {kQuillop, 10, 2, 100, 0, 5}, Becomes(kFennick)},
      {"teen, calls just over 10 %", {kQuillop, 11, 3, 100, 0, 6}, {NextStep::kRandomAdult, 0}},
      {"teen, half the calls disciplined missed by one",
       {kQuillop, 10, 2, 100, 0, 4}, {NextStep::kRandomAdult, 0}},
      {"teen, calls at half, discipline 8", {kWembic, 50, 20, 100, 8}, Becomes(kTovrin)},
      {"teen, calls at half, discipline 7", {kWembic, 50, 20, 100, 7}, {NextStep::kRandomAdult, 0}},
      {"teen, strict and lean at 50", {kWembic, 60, 20, 100, 8, 0, 0, 0, 50}, Becomes(kZelmoc)},
      {"teen, strict and heavy at 60", {kWembic, 60, 20, 100, 8, 0, 0, 0, 60}, Becomes(kZelmoc)},
      {"teen, strict at 61", {kWembic, 60, 20, 100, 8, 0, 0, 0, 61}, {NextStep::kRandomAdult, 0}},
      {"teen, strict but one snack",
       {kWembic, 60, 20, 100, 8, 0, 0, 1, 55}, {NextStep::kRandomAdult, 0}},
      {"teen, thin at 30, disciplined when needed",
       {kQuillop, 60, 20, 100, 1, 1, 0, 0, 30}, Becomes(kDrubbel)},
      {"teen, at 31", {kQuillop, 60, 20, 100, 1, 1, 0, 0, 31}, {NextStep::kRandomAdult, 0}},
      {"teen, care over 80 % and no discipline", {kQuillop, 60, 49, 100}, Becomes(kOmpadu)},
      {"teen, care exactly 80 %", {kQuillop, 60, 48, 100}, {NextStep::kRandomAdult, 0}},
      // Zelmoc: the secret character, a second life, or the end.
      {"Zelmoc, few calls and disciplined", {kZelmoc, 10, 0, 100, 1}, Becomes(kXerblix)},
      {"Zelmoc, first life ends",
       {kZelmoc, 11, 0, 100, 1, 0, 0, 0, 0, kZelmocFirstLife}, {NextStep::kSecondLife, 0}},
      {"Zelmoc, second life ends",
       {kZelmoc, 11, 0, 100, 1, 0, 0, 0, 0, kZelmocFirstLife + 1}, {NextStep::kDies, 0}},
      {"adult stays", {kOmpadu}, {}},
      {"angel stays", {kAngel}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const NextStep next = NextCharacter(PetWith(c.counts));
    EXPECT_EQ(next.kind, c.next.kind);
    EXPECT_EQ(next.character, c.next.character);
  }
}

TEST(NextCharacterTest, TheRandomPickCoversTheSixAdultsInOrder) {
  const int16 adults[] = {kFennick, kTovrin, kZelmoc, kDrubbel, kVossel, kOmpadu};
  for (int pick = 0; pick < 6; ++pick) EXPECT_EQ(RandomAdult(pick), adults[pick]);
}

}  // namespace
}  // namespace nib::testing
