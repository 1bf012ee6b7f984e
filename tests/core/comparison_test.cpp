#include "compare/comparison.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/setup_controls_model.h"
#include "core/test_files.h"
#include "platform/error.h"

namespace gw {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using L = TSetupList;

const TValueTextFormat kFormat{'.', "\xC2\xB0"};

TSetupValues Load(const std::string& bytes, const std::string& name = "setup.lsp") {
  TTOVCarSetup doc;
  doc.LoadFromBytes(bytes, name);
  return ValuesFromSetup(doc);
}

TSetupValues Real(const char* name) {
  return Load(test::DataFile(std::string("real-data/setups/") + name), name);
}

// The parameter of a group title and caption.
std::size_t Find(std::string_view group, std::string_view caption) {
  const auto parameters = CompareParameters();
  for (std::size_t i = 0; i < parameters.size(); ++i)
    if (CompareGroups()[static_cast<std::size_t>(parameters[i].Group)].Title == group &&
        parameters[i].Caption == caption)
      return i;
  ADD_FAILURE() << group << " / " << caption;
  return 0;
}

// A differing row as a player reads it: group, parameter, the texts of the setups.
struct TRowText {
  std::string Group, Caption;
  std::vector<std::string> Texts;
  bool operator==(const TRowText&) const = default;
  friend std::ostream& operator<<(std::ostream& os, const TRowText& r) {
    os << r.Group << " | " << r.Caption;
    for (const auto& t : r.Texts) os << " | " << t;
    return os;
  }
};

std::vector<TRowText> DifferingRows(const TComparison& comparison) {
  std::vector<TRowText> rows;
  for (const TCompareRow& row : comparison.Rows) {
    if (!row.Differs) continue;
    const TCompareParameter& p = CompareParameters()[row.Parameter];
    TRowText text{CompareGroups()[static_cast<std::size_t>(p.Group)].Title, p.Caption, {}};
    for (const TCompareCell& cell : row.Cells) text.Texts.push_back(cell.Text);
    rows.push_back(std::move(text));
  }
  return rows;
}

TEST(CompareParameters, followTheMainWindowsPagesAndHeadings) {
  std::vector<std::string> titles;
  for (const TCompareGroup& g : CompareGroups()) titles.push_back(g.Title);
  EXPECT_THAT(
      titles,
      ElementsAre("General / Differential", "General / Brake", "General / Tyre", "General / Steering",
                  "General / Gear", "Suspension / Damper", "Suspension / Spring", "Suspension / Geometry",
                  "Suspension / Rollbar", "Differential - Map / Center - Throttle",
                  "Differential - Map / Center - Brake", "Differential - Map / Center - Speed",
                  "Differential - Map / L.Foot Center - Throttle",
                  "Differential - Map / L.Foot Center - Brake", "Differential - Map / L.Foot Center - Speed",
                  "Differential - Map / Front - Throttle", "Differential - Map / Front - Brake",
                  "Differential - Map / Front - Speed", "Differential - Map / Rear - Throttle",
                  "Differential - Map / Rear - Brake", "Differential - Map / Rear - Speed"));
  // Every catalogue row once, the gear set, and the 44 points of the four velocity axes.
  EXPECT_EQ(CompareParameters().size(), CatalogueRows().size() + 1 + 44);
  int32_t group = 0;
  for (const TCompareParameter& p : CompareParameters()) {
    EXPECT_GE(p.Group, group) << "groups are contiguous";
    group = p.Group;
  }
  const auto damper = CompareParameters()[Find("Suspension / Damper", "Rear Fast Bump Threshold")];
  EXPECT_EQ(damper.List, L::DamperRear);
  EXPECT_EQ(damper.Item, 3);
}

TEST(CompareSetups, identicalSetupsDifferNowhere) {
  const TSetupValues a = Load(test::SampleSetup());
  const std::vector<TSetupValues> setups{a, Load(test::SampleSetup(), "copy.lsp")};
  const TComparison c = CompareSetups(setups, kFormat);
  EXPECT_EQ(c.DifferCount, 0);
  EXPECT_EQ(DifferenceCountText(c), "0 of 214 differ");
  for (const TCompareRow& row : c.Rows) {
    ASSERT_EQ(row.Cells.size(), 2u);
    EXPECT_TRUE(row.Cells[0].Present) << CompareParameters()[row.Parameter].Caption;
    EXPECT_EQ(row.Cells[1].Text, row.Cells[0].Text);
    EXPECT_EQ(row.Cells[1].Direction, 0);
  }
}

// Checked by hand against the two files: every entry the editor shows that the game saved differently.
// Positions outside a slider's range show as the range's end, as in the main window (game-saved-1's front
// steering rod lies below it, its rear one above it).
TEST(CompareSetups, twoSavedGamesDifferExactlyWhereAHandCheckSays) {
  const std::vector<TSetupValues> setups{Real("game-saved-1.lsp"), Real("game-saved-2-reindented.lsp")};
  const TComparison c = CompareSetups(setups, kFormat);
  const std::string deg = "\xC2\xB0";
  const std::vector<TRowText> expected = {
      {"General / Brake", "Max Front Pressure", {"5300kPa", "6600kPa"}},
      {"General / Brake", "Max Rear Pressure", {"6200kPa", "2800kPa"}},
      {"General / Tyre", "Left Front Pressure", {"240kPa", "300kPa"}},
      {"General / Tyre", "Right Front Pressure", {"240kPa", "300kPa"}},
      {"General / Tyre", "Left Rear Pressure", {"220kPa", "300kPa"}},
      {"General / Tyre", "Right Rear Pressure", {"220kPa", "300kPa"}},
      {"General / Steering", "Max Steering Lock", {" 446" + deg, " 360" + deg}},
      {"Suspension / Damper", "Front Bump", {"5.7kN/m/s", "3.3kN/m/s"}},
      {"Suspension / Damper", "Front Rebound", {"6.1kN/m/s", "6.6kN/m/s"}},
      {"Suspension / Damper", "Rear Bump", {"4.1kN/m/s", "3.9kN/m/s"}},
      {"Suspension / Damper", "Rear Rebound", {"4.4kN/m/s", "3.7kN/m/s"}},
      {"Suspension / Spring", "Front Spring Length", {"210mm", "320mm"}},
      {"Suspension / Spring", "Front Spring Stiffness", {"53kN/m", "56kN/m"}},
      {"Suspension / Spring", "Front Helper Length", {"80mm", "50mm"}},
      {"Suspension / Spring", "Front Helper Stiffness", {"30kN/m", "5kN/m"}},
      {"Suspension / Spring", "Rear Spring Length", {"190mm", "300mm"}},
      {"Suspension / Spring", "Rear Spring Stiffness", {"40kN/m", "47kN/m"}},
      {"Suspension / Spring", "Rear Helper Length", {"75mm", "50mm"}},
      {"Suspension / Spring", "Rear Helper Stiffness", {"28kN/m", "5kN/m"}},
      {"Suspension / Geometry", "Front Steering Rod Length", {"335.00mm", "347.85mm"}},
      {"Suspension / Geometry", "Front Wheel Axis Inclination", {" -4.41" + deg, " -3.90" + deg}},
      {"Suspension / Geometry", "Front Top Mount Position", {"5", "6"}},
      {"Suspension / Geometry", "Rear Steering Rod Length", {"455.00mm", "445.00mm"}},
      {"Suspension / Geometry", "Rear Wheel Axis Inclination", {" -0.69" + deg, " -0.52" + deg}},
      {"Suspension / Rollbar", "Front Rollbar Stiffness", {"14.0kN/m", "16.0kN/m"}},
      {"Suspension / Rollbar", "Rear Rollbar Stiffness", {"30.0kN/m", "18.0kN/m"}},
      {"Differential - Map / Center - Throttle", "0%", {"0%", "15%"}},
      {"Differential - Map / Front - Throttle", "0%", {"60%", "40%"}},
      {"Differential - Map / Front - Brake", "0%", {"0%", "15%"}},
      {"Differential - Map / Rear - Throttle", "0%", {"0%", "60%"}},
      {"Differential - Map / Rear - Brake", "0%", {"0%", "30%"}},
  };
  EXPECT_THAT(DifferingRows(c), ElementsAreArray(expected));
  EXPECT_EQ(DifferenceCountText(c), "31 of 214 differ");

  // Arrows: the second setup against the first.
  const auto cell = [&](std::string_view group, std::string_view caption) {
    return c.Rows[Find(group, caption)].Cells[1];
  };
  EXPECT_EQ(cell("General / Brake", "Max Front Pressure").Direction, 1);
  EXPECT_EQ(cell("General / Brake", "Max Rear Pressure").Direction, -1);
  EXPECT_EQ(cell("General / Steering", "Max Steering Lock").Position, 50);
  EXPECT_EQ(cell("General / Gear", "Gear set").Text, "Medium");
  EXPECT_EQ(cell("Differential - Map / Front - Speed", "Point 7 velocity").Text, "80km/h");
  EXPECT_EQ(c.Rows[Find("General / Brake", "Max Front Pressure")].Cells[0].Direction, 0);
  EXPECT_FALSE(c.Rows[Find("General / Brake", "Max Front Pressure")].Cells[0].Differs);
}

TEST(CompareSetups, aSetupLackingAnEntryShowsThatCellMissingWithTheReason) {
  std::string bytes = test::SampleSetup();
  for (const char* key : {"DropGearId", "FrontDiffThrottle_04", "RearSpeedMapVelocity_10"}) {
    const std::size_t at = bytes.find(key);
    ASSERT_NE(at, std::string::npos) << key;
    bytes.erase(bytes.rfind('\n', at) + 1, bytes.find('\n', at) - bytes.rfind('\n', at));
  }
  const std::vector<TSetupValues> setups{Load(test::SampleSetup()), Load(bytes)};
  const TComparison c = CompareSetups(setups, kFormat);
  EXPECT_EQ(c.DifferCount, 3);
  EXPECT_EQ(CountDifferences(setups[0], setups[1]), 3);
  const TCompareCell& gear = c.Rows[Find("General / Gear", "Gear set")].Cells[1];
  EXPECT_FALSE(gear.Present);
  EXPECT_TRUE(gear.Differs);
  EXPECT_EQ(gear.Direction, 0);
  EXPECT_EQ(gear.Text, "missing: invalid data: Drive.DropGearId");
  EXPECT_EQ(c.Rows[Find("Differential - Map / Front - Throttle", "40%")].Cells[1].Text,
            "missing: invalid data: VehicleControlUnit.FrontDiffThrottle_04");
  EXPECT_EQ(c.Rows[Find("Differential - Map / Rear - Speed", "Point 10 velocity")].Cells[1].Text,
            "missing: invalid data: VehicleControlUnit.RearSpeedMapVelocity_10");

  // Missing in the first setup too: nothing to tell apart.
  const std::vector<TSetupValues> both{Load(bytes), Load(bytes)};
  EXPECT_EQ(CompareSetups(both, kFormat).DifferCount, 0);
  EXPECT_EQ(CountDifferences(both[0], both[1]), 0);

  // A section the document lacks altogether: every value of it is missing, the rest compares as usual.
  TTOVCarSetup empty;
  empty.LoadFromBytes("((\"CarSetup\"\n Car (\"Car\"\n  MaxSteeringLock 1.000000\n  )\n))\n", "bare.lsp");
  const TSetupValues bare = ValuesFromSetup(empty);
  EXPECT_EQ(bare[Find("General / Steering", "Max Steering Lock")].Position, 50);
  EXPECT_EQ(bare[Find("General / Brake", "Max Rear Pressure")].Missing, "invalid section: Drive");
  EXPECT_EQ(bare[Find("Suspension / Rollbar", "Front Rollbar Stiffness")].Missing,
            "invalid data: Car.FrontRollBarStiffness");
}

TEST(CompareSetups, mapPointsAndVelocityAxesCompareOnePointAtATime) {
  TTOVCarSetup doc;
  doc.LoadFromBytes(test::SampleSetup(), "a.lsp");
  const TSetupValues a = ValuesFromSetup(doc);
  GetSetupData(doc, TSetupSection::VehicleControlUnit, TSetupKey::CenterSpeedMapVelocity_, 3).SetFloat(25.0f);
  GetSetupData(doc, TSetupSection::VehicleControlUnit, TSetupKey::CenterSpeedMapFactor_, 3).SetFloat(0.45f);
  GetSetupData(doc, TSetupSection::VehicleControlUnit, TSetupKey::LFCenterDiffBrake_, 10).SetFloat(0.05f);
  const std::vector<TSetupValues> setups{a, ValuesFromSetup(doc)};
  const TComparison c = CompareSetups(setups, kFormat);
  const std::string speed = "Differential - Map / Center - Speed";
  const TCompareRow& velocity = c.Rows[Find(speed, "Point 3 velocity")];
  EXPECT_EQ(velocity.Cells[1].Text, "90km/h");  // 25 m/s
  EXPECT_EQ(velocity.Cells[1].Position, 90);
  EXPECT_EQ(CompareParameters()[velocity.Parameter].Kind, TCompareKind::Velocity);
  const TCompareRow& factor = c.Rows[Find(speed, "Point 3 factor")];
  EXPECT_EQ(factor.Cells[1].Text, "45%");
  EXPECT_EQ(c.Rows[Find("Differential - Map / L.Foot Center - Brake", "100%")].Cells[1].Text, "5%");
  EXPECT_THAT(DifferingRows(c), ::testing::SizeIs(3));
  EXPECT_EQ(CountDifferences(setups[1], setups[0]), 3);
  EXPECT_FALSE(c.Rows[Find(speed, "Point 2 velocity")].Differs);
}

TEST(CompareSetups, tenSetupsAtOnceCompareEachAgainstTheFirst) {
  std::vector<TSetupValues> setups;
  for (int i = 0; i < 10; ++i) {
    TTOVCarSetup doc;
    doc.LoadFromBytes(test::DataFile("real-data/setups/game-saved-1.lsp"), "s.lsp");
    // Setup i raises the front brake by i steps and lowers the rear tyres' pressure below the first's.
    GetSetupData(doc, TSetupSection::Drive, TSetupKey::MaxBrakePressureFront)
        .SetFloat(5300000.0f + static_cast<float>(i) * 10000.0f);
    if (i % 2 == 1) GetSetupData(doc, TSetupSection::TyreLB, TSetupKey::Pressure).SetFloat(200000.0f);
    setups.push_back(ValuesFromSetup(doc));
  }
  const TComparison c = CompareSetups(setups, kFormat);
  EXPECT_EQ(c.DifferCount, 2);
  const TCompareRow& brake = c.Rows[Find("General / Brake", "Max Front Pressure")];
  ASSERT_EQ(brake.Cells.size(), 10u);
  for (std::size_t i = 0; i < 10; ++i) {
    EXPECT_EQ(brake.Cells[i].Position, 530 + static_cast<int32_t>(i));
    EXPECT_EQ(brake.Cells[i].Direction, i == 0 ? 0 : 1);
  }
  const TCompareRow& tyre = c.Rows[Find("General / Tyre", "Left Rear Pressure")];
  for (std::size_t i = 0; i < 10; ++i) {
    EXPECT_EQ(tyre.Cells[i].Differs, i % 2 == 1);
    EXPECT_EQ(tyre.Cells[i].Direction, i % 2 == 1 ? -1 : 0);
  }
  EXPECT_EQ(DifferenceCountText(c), "2 of 214 differ");
}

TEST(CompareSetups, valuesOfTheWrongCountAreRefused) {
  const std::vector<TSetupValues> setups{TSetupValues(3)};
  EXPECT_THROW(CompareSetups(setups, kFormat), Error);
  EXPECT_THROW(CountDifferences(setups[0], Real("game-saved-1.lsp")), Error);
  EXPECT_EQ(CompareSetups({}, kFormat).Rows.size(), CompareParameters().size());
}

TEST(CompareValues, controlsGiveWhatTheyShowSavedOrNot) {
  TTOVCarSetup doc;
  doc.LoadFromBytes(test::DataFile("real-data/setups/game-saved-1.lsp"), "s.lsp");
  test::TPlainSetupControls controls;
  // Before any file: no gear and no velocities.
  TSetupValues before = ValuesFromControls(controls);
  EXPECT_EQ(before[Find("General / Gear", "Gear set")].Missing, "no gear set chosen");
  EXPECT_EQ(before[Find("Differential - Map / Rear - Speed", "Point 0 velocity")].Missing,
            "invalid velocity: ");

  SetupToSliders(doc, controls);
  const std::vector<TSetupValues> same{ValuesFromSetup(doc), ValuesFromControls(controls)};
  EXPECT_EQ(CompareSetups(same, kFormat).DifferCount, 0) << "the controls show what the file holds";

  controls.List(L::Tyre).Entries[2].Value = 250;
  controls.List(L::FrontSpeed).Entries[4].Caption = "44km/h";
  controls.Gear = {true, false, false};
  const std::vector<TSetupValues> edited{ValuesFromSetup(doc), ValuesFromControls(controls)};
  const TComparison c = CompareSetups(edited, kFormat);
  EXPECT_THAT(
      DifferingRows(c),
      ElementsAre(TRowText{"General / Tyre", "Left Rear Pressure", {"220kPa", "250kPa"}},
                  TRowText{"General / Gear", "Gear set", {"Medium", "Short"}},
                  TRowText{"Differential - Map / Front - Speed", "Point 4 velocity", {"40km/h", "44km/h"}}));
}

TEST(CompareValues, gearIdsNoButtonStandsForShowTheirNumber) {
  const TCompareParameter& gear = CompareParameters()[Find("General / Gear", "Gear set")];
  EXPECT_EQ(CompareValueText(gear, 10, kFormat), "Short");
  EXPECT_EQ(CompareValueText(gear, 12, kFormat), "Long");
  EXPECT_EQ(CompareValueText(gear, 13, kFormat), "DropGearId 13");
}

}  // namespace
}  // namespace gw
