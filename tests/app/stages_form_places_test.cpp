#include <gtest/gtest.h>

#include "app/stages_form.h"
#include "model/error.h"
#include "support/staged_tournament.h"

namespace drav::app {
namespace {

TEST(StagesFormPlaces, KindPlacesAndTheFinishedMarkReachTheTournamentOnApply) {
  Tournament t = test::StagedTournament();
  StagesForm form(t);
  form.SetKind(1, StageKind::Elimination);
  form.SetPlacesText("  3 Team 7 \n\n1\tTeam 24\n");
  form.SetFinished(true);
  EXPECT_EQ(form.PlacesText(), "3 Team 7\n1 Team 24\n");
  EXPECT_FALSE(t.Extras.Finished);  // nothing is written before Apply
  form.Apply(t);
  EXPECT_EQ(t.Extras.Stages[1].Kind, StageKind::Elimination);
  EXPECT_EQ(t.Extras.FinalPlaces, (std::vector<FinalPlace>{{6, 3}, {23, 1}}));
  EXPECT_TRUE(t.Extras.Finished);
  EXPECT_EQ(StagesForm(t).PlacesText(), "3 Team 7\n1 Team 24\n");
}

TEST(StagesFormPlaces, FaultyLinesAreNamedAndKeepThePlaces) {
  const Tournament t = test::StagedTournament();
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"Team 7", "Line 1: give the place, then the team (\"3 Team name\")"},
      {"1 Team 1\n2", "Line 2: give the place, then the team (\"3 Team name\")"},
      {"3Team 7", "Line 1: give the place, then the team (\"3 Team name\")"},
      {"0 Team 7", "Line 1: a place runs from 1 to the number of teams"},
      {"25 Team 7", "Line 1: a place runs from 1 to the number of teams"},
      {"999999999999 Team 7", "Line 1: give the place, then the team (\"3 Team name\")"},
      {"1 Team 99", "Unknown team Team 99"},
      {"1 Team 1\n2 Team 1", "A team has two final places"},
  };
  for (const auto& c : cases) {
    StagesForm form(t);
    form.SetPlacesText("4 Team 4");
    try {
      form.SetPlacesText(c.text);
      ADD_FAILURE() << c.text;
    } catch (const DravError& e) {
      EXPECT_STREQ(e.what(), c.message) << c.text;
    }
    EXPECT_EQ(form.PlacesText(), "4 Team 4\n") << c.text;
  }
}

}  // namespace
}  // namespace drav::app
