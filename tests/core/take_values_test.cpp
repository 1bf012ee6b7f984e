#include "compare/take_values.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/setup_controls_model.h"
#include "core/test_files.h"

namespace gw {
namespace {

using ::testing::ElementsAre;
using L = TSetupList;
using V = std::vector<std::optional<int32_t>>;
constexpr std::nullopt_t kNone = std::nullopt;

std::size_t Parameter(TCompareKind kind, L list, int32_t item) {
  const auto parameters = CompareParameters();
  for (std::size_t i = 0; i < parameters.size(); ++i)
    if (parameters[i].Kind == kind && parameters[i].List == list && parameters[i].Item == item) return i;
  ADD_FAILURE() << "no parameter";
  return 0;
}
std::size_t Slider(L list, int32_t item) {
  return Parameter(TCompareKind::Slider, list, item);
}
std::size_t Velocity(L list, int32_t point) {
  return Parameter(TCompareKind::Velocity, list, point);
}

class TakeValuesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TTOVCarSetup doc;
    doc.LoadFromBytes(test::DataFile("real-data/setups/game-saved-1.lsp"), "s.lsp");
    SetupToSliders(doc, controls);
  }
  void Take(std::vector<TTakenValue> values, bool link = false) { ApplyTakenValues(controls, values, link); }
  test::TPlainSetupControls controls;
};

TEST_F(TakeValuesTest, slidersGetThePositionsClampedAndEachListRepaintsOnce) {
  Take({{Slider(L::Brake, 1), 700}, {Slider(L::Brake, 0), 5000}, {Slider(L::DamperRear, 2), 33}});
  EXPECT_THAT(controls.List(L::Brake).Values(), ElementsAre(1000, 700));
  EXPECT_EQ(controls.List(L::DamperRear).Values()[2], 33);
  EXPECT_EQ(controls.List(L::Brake).Batches, 1);
  EXPECT_EQ(controls.List(L::DamperRear).Batches, 1);
  EXPECT_EQ(controls.List(L::Tyre).Batches, 0);
}

TEST_F(TakeValuesTest, theTyreLinkMovesAllFourAsASlideWould) {
  Take({{Slider(L::Tyre, 2), 260}});
  EXPECT_THAT(controls.List(L::Tyre).Values(), ElementsAre(240, 240, 260, 220)) << "link off";
  Take({{Slider(L::Tyre, 1), 280}}, true);
  EXPECT_THAT(controls.List(L::Tyre).Values(), ElementsAre(280, 280, 280, 280));
  // Several tyres at once with the link on: taken in order, the last one sets all four.
  Take({{Slider(L::Tyre, 3), 150}, {Slider(L::Tyre, 0), 210}}, true);
  EXPECT_THAT(controls.List(L::Tyre).Values(), ElementsAre(150, 150, 150, 150));
}

TEST_F(TakeValuesTest, theGearSetChecksItsButtonAndAnUnknownIdUnchecksAll) {
  const std::size_t gear = Parameter(TCompareKind::Gear, L::Diff, 0);
  Take({{gear, 12}});
  EXPECT_THAT(controls.Gear, ElementsAre(false, false, true));
  Take({{gear, 7}});
  EXPECT_THAT(controls.Gear, ElementsAre(false, false, false));
}

TEST_F(TakeValuesTest, takenVelocitiesBecomeCaptionsAndStayInOrder) {
  // Front speed axis of the file: 0 10 20 30 40 50 60 80 100 140 200 km/h.
  EXPECT_EQ(controls.List(L::FrontSpeed).Captions()[7], "80km/h");
  Take({{Velocity(L::FrontSpeed, 7), 75}, {Slider(L::FrontSpeed, 7), 40}});
  EXPECT_EQ(controls.List(L::FrontSpeed).Captions()[7], "75km/h");
  EXPECT_EQ(controls.List(L::FrontSpeed).Values()[7], 40);
  // A lone point beyond its neighbours stops at them.
  Take({{Velocity(L::FrontSpeed, 5), 90}});
  EXPECT_EQ(controls.List(L::FrontSpeed).Captions()[5], "60km/h");
  Take({{Velocity(L::FrontSpeed, 0), -5}});  // no file holds one, but a hand-made one might
  EXPECT_EQ(controls.List(L::FrontSpeed).Captions()[0], "0km/h");
  // A whole axis comes over exactly, even far above the old one.
  std::vector<TTakenValue> axis;
  for (int32_t p = 0; p < kMapPointCount; ++p) axis.push_back({Velocity(L::RearSpeed, p), 100 + 10 * p});
  Take(axis);
  EXPECT_THAT(controls.List(L::RearSpeed).Captions(),
              ElementsAre("100km/h", "110km/h", "120km/h", "130km/h", "140km/h", "150km/h", "160km/h",
                          "170km/h", "180km/h", "190km/h", "200km/h"));
}

TEST(OrderTakenVelocities, takenPointsLieBetweenThePointBeforeAndTheNextPointNotTaken) {
  EXPECT_EQ(OrderTakenVelocities(V{10, 20, 30, 40}, V{kNone, 50, 60, kNone}), (V{10, 40, 40, 40}));
  EXPECT_EQ(OrderTakenVelocities(V{10, 20, 30, 40}, V{kNone, 15, 5, kNone}), (V{10, 15, 15, 40}));
  EXPECT_EQ(OrderTakenVelocities(V{10, 20, 30, 40}, V{50, 60, 70, 80}), (V{50, 60, 70, 80}));
  EXPECT_EQ(OrderTakenVelocities(V{10, 20, 30, 40}, V{kNone, kNone, kNone, 400}), (V{10, 20, 30, 400}));
  // Unknown neighbours (an axis never loaded) bound nothing.
  EXPECT_EQ(OrderTakenVelocities(V{kNone, kNone, kNone}, V{kNone, 70, kNone}), (V{kNone, 70, kNone}));
  // Neighbours out of order themselves: the lower bound wins, as in the velocity dialog.
  EXPECT_EQ(OrderTakenVelocities(V{50, 0, 20}, V{kNone, 30, kNone}), (V{50, 50, 20}));
}

}  // namespace
}  // namespace gw
