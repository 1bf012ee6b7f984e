#include "editor/catalogue.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "core/setup_controls_model.h"
#include "core/test_files.h"
#include "platform/number_text.h"

namespace gw {
namespace {

using test::TPlainSetupControls;
using L = TSetupList;
using S = TSetupSection;
using K = TSetupKey;

// "Section.KeyText" -> value text; nullopt leaves the entry out of the file.
using TEntryValues = std::map<std::string, std::optional<std::string>>;

// Every entry the catalogue reads or writes, section by section as the game orders them.
std::vector<std::pair<S, std::string>> CatalogueEntries() {
  std::vector<std::pair<S, std::string>> entries;
  std::set<std::pair<S, std::string>> seen;
  auto add = [&](S section, std::string key) {
    if (seen.insert({section, key}).second) entries.emplace_back(section, std::move(key));
  };
  for (const TCatalogueRow& row : CatalogueRows()) {
    add(row.Section, SetupKeyText(row.Key, row.Point));
    if (row.Mirror) add(*row.Mirror, SetupKeyText(row.Key, row.Point));
  }
  add(S::Drive, "DropGearId");
  for (const TVelocityAxis& axis : SpeedMapVelocityAxes)
    for (int32_t p = 0; p < kMapPointCount; ++p) add(S::VehicleControlUnit, SetupKeyText(axis.Key, p));
  return entries;
}

// A setup in the game's layout holding every catalogue entry: floats at 0.000000, DropGearId 11.
std::string MakeSetup(const TEntryValues& values = {}, bool reversed = false) {
  auto entries = CatalogueEntries();
  if (reversed) std::reverse(entries.begin(), entries.end());
  std::string text = "((\"CarSetup\"\n";
  for (std::size_t s = 0; s < std::size(SetupSectionNames); ++s) {
    const std::string name(SetupSectionNames[s]);
    text += " " + name + " (\"" + name + "\"\n";
    for (const auto& [section, key] : entries) {
      if (static_cast<std::size_t>(section) != s) continue;
      std::optional<std::string> value = key == "DropGearId" ? "11" : "0.000000";
      if (auto it = values.find(name + "." + key); it != values.end()) value = it->second;
      if (value) text += "   " + key + " " + *value + "\n";
    }
    text += "   )\n";
  }
  return text + ")\n";
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  if (at == std::string::npos) throw std::runtime_error("no " + from);
  return text.replace(at, from.size(), to);
}

// The value text of an entry's line as a save would write it.
std::string SavedValue(TTOVCarSetup& doc, S section, K key, int32_t point = kNoPoint) {
  const int32_t line = GetSetupData(doc, section, key, point).LineIndex();
  doc.SaveToBytes();
  return std::string(SplitSetupLine(doc.Lines().at(static_cast<std::size_t>(line))).value);
}

std::vector<int32_t> Values(const TPlainSetupControls& c, L list) {
  return c.List(list).Values();
}

std::vector<std::string> Kmh(std::initializer_list<int32_t> values) {
  std::vector<std::string> captions;
  for (int32_t v : values) captions.push_back(KmhCaption(v));
  return captions;
}

template <typename F>
std::string ErrorOf(F&& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.what();
  }
  return "no error";
}

TEST(SetupNames, keysOfMapPointsCarryTwoDigits) {
  EXPECT_EQ(SetupKeyText(K::CenterDiffThrottle_, 0), "CenterDiffThrottle_00");
  EXPECT_EQ(SetupKeyText(K::RearSpeedMapFactor_, 10), "RearSpeedMapFactor_10");
  EXPECT_EQ(SetupKeyText(K::Pressure), "Pressure");
}

// Every position of every slider, and velocities from -200 to 1000 km/h, written into a file and read back.
TEST(CatalogueRoundTrip, everyPositionSurvivesWritingTheFileAndReadingItBack) {
  TTOVCarSetup doc;
  doc.LoadFromBytes(MakeSetup(), "round.lsp");
  TPlainSetupControls controls;
  for (int32_t v = -200; v <= 1000; ++v) {
    for (auto& list : controls.Lists)
      for (int32_t i = 0; i < list.Count(); ++i) list.SetValue(i, v);
    for (const TVelocityAxis& axis : SpeedMapVelocityAxes)
      for (int32_t p = 0; p < kMapPointCount; ++p) controls.List(axis.List).SetCaption(p, KmhCaption(v + p));
    const int32_t gear = (v + 300) % 3;
    controls.Gear = {gear == 0, gear == 1, gear == 2};
    SlidersToSetup(doc, controls);

    TTOVCarSetup reread;
    reread.LoadFromBytes(doc.SaveToBytes(), "round.lsp");
    TPlainSetupControls back;
    SetupToSliders(reread, back);
    for (int l = 0; l < kSetupListCount; ++l) {
      ASSERT_EQ(back.Lists[l].Values(), controls.Lists[l].Values()) << SetupListNames[l] << " at " << v;
      ASSERT_EQ(back.Lists[l].Captions(), controls.Lists[l].Captions()) << SetupListNames[l] << " at " << v;
    }
    ASSERT_EQ(back.Gear, controls.Gear);
    for (const TCatalogueRow& row : CatalogueRows()) {
      const TTOVCarSetupData& left = GetSetupData(reread, row.Section, row.Key, row.Point);
      ASSERT_TRUE(left.IsFloat()) << left.Name();
      if (row.Mirror) {
        ASSERT_EQ(GetSetupData(reread, *row.Mirror, row.Key, row.Point).FloatValue(), left.FloatValue());
      }
    }
  }
}

TEST(CatalogueRoundTrip, valuesBetweenStepsBecomeTheNearestStepOrTheEndOfTheRange) {
  TTOVCarSetup doc;
  doc.LoadFromBytes(MakeSetup({{"TyreLF.Pressure", "350000.000000"},
                               {"Drive.CenterDiffMaxTorque", "1000.000000"},
                               {"Drive.FrontDiffMaxTorque", "455.000000"},
                               {"Drive.RearDiffMaxTorque", "-35.000000"},  // div truncates toward zero
                               {"WheelLF.TopMountSlot", "2.500000"},       // ties go to the even neighbour
                               {"WheelRF.TopMountSlot", "3.500000"}}),
                    "steps.lsp");
  TPlainSetupControls controls;
  SetupToSliders(doc, controls);
  EXPECT_EQ(Values(controls, L::Tyre)[0], 300);
  EXPECT_THAT(Values(controls, L::Diff), testing::ElementsAre(90, 45, 0, 0, 0));
  EXPECT_EQ(Values(controls, L::GeometryFront)[3], 2);
  EXPECT_EQ(ReadSetupInt(doc, S::WheelRF, K::TopMountSlot), 4);

  SlidersToSetup(doc, controls);
  EXPECT_EQ(SavedValue(doc, S::TyreLF, K::Pressure), "300000.000000");
  EXPECT_EQ(SavedValue(doc, S::Drive, K::CenterDiffMaxTorque), "900.000000");
  EXPECT_EQ(SavedValue(doc, S::Drive, K::FrontDiffMaxTorque), "450.000000");
  EXPECT_EQ(SavedValue(doc, S::WheelRF, K::TopMountSlot), "2.000000");  // the left wheel's value
}

TEST(CatalogueRoundTrip, aStepIsWrittenAsTheFloatNearestItsValue) {
  const TCatalogueRow& handbrake = CatalogueRows(L::Diff)[3];
  EXPECT_EQ(FileFromSlider(handbrake, 7), 0.35f);
  EXPECT_EQ(SliderFromFloat(handbrake, 0.35f), 7);
  const TCatalogueRow& springLength = CatalogueRows(L::SpringFront)[0];
  EXPECT_EQ(FileFromSlider(springLength, 10), 0.2f);
  EXPECT_EQ(SliderFromFloat(springLength, 0.2f), 10);
  EXPECT_EQ(FileFromSlider(CatalogueRows(L::GeometryFront)[0], 400), 0.355f);
  EXPECT_EQ(FileFromSlider(CatalogueRows(L::GeometryRear)[0], 1), 0.44505f);
}

TEST(CatalogueRoundTrip, hugeFileValuesGiveTheEndsOfTheRange) {
  TTOVCarSetup doc;
  doc.LoadFromBytes(MakeSetup({{"TyreLF.Pressure", "1000000000000000000000000000000.000000"},
                               {"TyreRF.Pressure", "-1000000000000000000000000000000.000000"},
                               {"SpringDamperLF.SpringLength", "100000000000000000000000000000000.000000"},
                               {"VehicleControlUnit.CenterSpeedMapVelocity_00",
                                "-1000000000000000000000000000000.000000"}}),
                    "huge.lsp");
  TPlainSetupControls controls;
  SetupToSliders(doc, controls);
  EXPECT_THAT(Values(controls, L::Tyre), testing::ElementsAre(300, 100, 100, 100));
  EXPECT_EQ(Values(controls, L::SpringFront)[0], 40);
  EXPECT_EQ(controls.List(L::CenterSpeed).Caption(0), "-2147483648km/h");
}

// The transfers find entries in any order, and the file's order decides nothing.
TEST(CatalogueRoundTrip, entriesInAnyOrderAreFound) {
  TEntryValues values;
  for (int32_t p = 0; p < kMapPointCount; ++p) {
    values["VehicleControlUnit." + SetupKeyText(K::RearDiffBrake_, p)] =
        FormatFloat6(0.01f * static_cast<float>(p));
    values["VehicleControlUnit." + SetupKeyText(K::CenterSpeedMapVelocity_, p)] =
        FormatFloat6(2.0f * static_cast<float>(p));
  }
  values["TyreRB.Pressure"] = "210000.000000";
  TPlainSetupControls ordered;
  TPlainSetupControls reversed;
  TTOVCarSetup doc;
  doc.LoadFromBytes(MakeSetup(values), "ordered.lsp");
  SetupToSliders(doc, ordered);
  doc.LoadFromBytes(MakeSetup(values, true), "reversed.lsp");
  SetupToSliders(doc, reversed);
  for (int l = 0; l < kSetupListCount; ++l) {
    EXPECT_EQ(reversed.Lists[l].Values(), ordered.Lists[l].Values()) << SetupListNames[l];
    EXPECT_EQ(reversed.Lists[l].Captions(), ordered.Lists[l].Captions()) << SetupListNames[l];
  }
  EXPECT_EQ(Values(reversed, L::RearBrake)[10], 10);
  EXPECT_EQ(reversed.List(L::CenterSpeed).Caption(10), "72km/h");
  EXPECT_EQ(Values(reversed, L::Tyre)[3], 210);
}

TEST(CatalogueAxles, theLeftWheelIsShownAndSavedIntoBothWheels) {
  TTOVCarSetup doc;
  doc.LoadFromBytes(MakeSetup({{"SpringDamperLF.DampingBump", "5000.000000"},
                               {"SpringDamperRF.DampingBump", "7000.000000"},
                               {"WheelLB.StrutPlatformHeight", "0.020000"},
                               {"WheelRB.StrutPlatformHeight", "0.045000"}}),
                    "axles.lsp");
  TPlainSetupControls controls;
  SetupToSliders(doc, controls);
  EXPECT_EQ(Values(controls, L::DamperFront)[0], 50);
  EXPECT_EQ(Values(controls, L::GeometryRear)[1], 20);
  SlidersToSetup(doc, controls);
  EXPECT_EQ(SavedValue(doc, S::SpringDamperRF, K::DampingBump), "5000.000000");
  EXPECT_EQ(SavedValue(doc, S::WheelRB, K::StrutPlatformHeight), "0.020000");
}

TEST(CatalogueGear, dropGearIdChecksItsButtonAndOtherValuesUncheckAll) {
  TPlainSetupControls controls;
  for (auto [id, checked] :
       {std::pair{"10", std::array{true, false, false}}, std::pair{"12", std::array{false, false, true}},
        std::pair{"11.000000", std::array{false, true, false}},  // an integer read rounds
        std::pair{"13", std::array{false, false, false}}}) {
    TTOVCarSetup doc;
    doc.LoadFromBytes(MakeSetup({{"Drive.DropGearId", id}}), "gear.lsp");
    SetupToSliders(doc, controls);
    EXPECT_EQ(controls.Gear, checked) << id;
  }
}

// Buttons are tested Short, Medium, Long; the first checked one is written, and none writes nothing.
TEST(CatalogueGear, savingWritesTheFirstCheckedButtonAndNothingWhenNoneIs) {
  TTOVCarSetup doc;
  doc.LoadFromBytes(MakeSetup({{"Drive.DropGearId", "13"}}), "gear.lsp");
  TPlainSetupControls controls;
  SetupToSliders(doc, controls);
  SlidersToSetup(doc, controls);
  EXPECT_EQ(SavedValue(doc, S::Drive, K::DropGearId), "13");
  controls.Gear = {false, true, true};
  SlidersToSetup(doc, controls);
  EXPECT_EQ(SavedValue(doc, S::Drive, K::DropGearId), "11");

  doc.LoadFromBytes(MakeSetup({{"Drive.DropGearId", "13.000000"}}), "gear.lsp");
  EXPECT_EQ(ErrorOf([&] { SlidersToSetup(doc, controls); }),
            "Can't write integer to key of float = DropGearId");
}

TEST(CatalogueVelocity, velocitiesBecomeWholeKilometresPerHourInTheCaptions) {
  TTOVCarSetup doc;
  doc.LoadFromBytes(MakeSetup({{"VehicleControlUnit.FrontSpeedMapVelocity_03", "12.500000"},
                               {"VehicleControlUnit.FrontSpeedMapVelocity_04", "12.340000"}}),
                    "speed.lsp");
  TPlainSetupControls controls;
  SetupToSliders(doc, controls);
  const auto& front = controls.List(L::FrontSpeed);
  EXPECT_EQ(front.Caption(3), "45km/h");
  EXPECT_EQ(front.Caption(4), "44km/h");
  // One batch per speed list, so each repaints once.
  for (const TVelocityAxis& axis : SpeedMapVelocityAxes) EXPECT_EQ(controls.List(axis.List).Batches, 1);
  EXPECT_EQ(controls.List(L::FrontThrottle).Batches, 0);

  SlidersToSetup(doc, controls);
  EXPECT_FALSE(GetSetupData(doc, S::VehicleControlUnit, K::FrontSpeedMapVelocity_, 3).Changed());
  EXPECT_EQ(GetSetupData(doc, S::VehicleControlUnit, K::FrontSpeedMapVelocity_, 4).FloatValue(),
            static_cast<float>(44 / 3.6));
  EXPECT_EQ(SavedValue(doc, S::VehicleControlUnit, K::FrontSpeedMapVelocity_, 4), "12.222222");
}

TEST(CatalogueVelocity, captionsThatHoldNoNumberCannotBeSaved) {
  // Lists that never received a file have empty speed captions; everything before them is written.
  TTOVCarSetup doc;
  doc.LoadFromBytes(MakeSetup(), "empty.lsp");
  TPlainSetupControls controls;
  controls.List(L::RearSpeed).SetValue(10, 50);
  EXPECT_EQ(ErrorOf([&] { SlidersToSetup(doc, controls); }), "invalid velocity: ");
  EXPECT_TRUE(GetSetupData(doc, S::VehicleControlUnit, K::RearSpeedMapFactor_, 10).Changed());
  EXPECT_FALSE(GetSetupData(doc, S::VehicleControlUnit, K::CenterSpeedMapVelocity_, 0).Changed());
}

TEST(CatalogueFailures, aMissingEntryStopsTheLoadWhereItIsRead) {
  TTOVCarSetup doc;
  doc.LoadFromBytes(MakeSetup({{"VehicleControlUnit.LeftFootBrakeThreshold", std::nullopt},
                               {"Drive.FrontDiffMaxTorque", "300.000000"},
                               {"VehicleControlUnit.CenterDiffHandbrakeRelease", "0.500000"}}),
                    "missing.lsp");
  TPlainSetupControls controls;
  controls.List(L::Diff).SetValue(4, 7);
  EXPECT_EQ(ErrorOf([&] { SetupToSliders(doc, controls); }),
            "invalid data: VehicleControlUnit.LeftFootBrakeThreshold");
  EXPECT_THAT(Values(controls, L::Diff), testing::ElementsAre(0, 30, 0, 10, 7));
}

TEST(CatalogueFailures, aMissingVelocityPointEndsTheBatchOfItsList) {
  TTOVCarSetup doc;
  doc.LoadFromBytes(MakeSetup({{"VehicleControlUnit.FrontSpeedMapVelocity_05", std::nullopt}}),
                    "missing.lsp");
  TPlainSetupControls controls;
  EXPECT_EQ(ErrorOf([&] { SetupToSliders(doc, controls); }),
            "invalid data: VehicleControlUnit.FrontSpeedMapVelocity_05");
  const auto& front = controls.List(L::FrontSpeed);
  EXPECT_EQ(front.Caption(4), "0km/h");
  EXPECT_EQ(front.Caption(5), "");
  EXPECT_EQ(front.UpdateCount, 0);
  EXPECT_EQ(front.Batches, 1);
  EXPECT_EQ(controls.List(L::RearSpeed).Batches, 0);
}

TEST(CatalogueFailures, aDocumentWithoutSectionsFailsAtTheFirstEntry) {
  TTOVCarSetup doc;
  TPlainSetupControls controls;
  EXPECT_EQ(ErrorOf([&] { SlidersToSetup(doc, controls); }), "invalid section: Drive");
  EXPECT_EQ(ErrorOf([&] { SetupToSliders(doc, controls); }), "invalid section: Drive");
}

TEST(CatalogueFailures, anIntegerEntryWhereAFloatIsWrittenFailsTheSaveNotTheLoad) {
  TTOVCarSetup doc;
  doc.LoadFromBytes(MakeSetup({{"Drive.CenterDiffMaxTorque", "455"}}), "int.lsp");
  TPlainSetupControls controls;
  SetupToSliders(doc, controls);
  EXPECT_EQ(Values(controls, L::Diff)[0], 45);
  EXPECT_EQ(ErrorOf([&] { SlidersToSetup(doc, controls); }),
            "Can't write float to key of integer = CenterDiffMaxTorque");
}

TEST(CatalogueFailures, aSaveThatFailsHalfwayKeepsWhatItWroteInTheOrderOfTheTransfer) {
  TTOVCarSetup doc;
  doc.LoadFromBytes(MakeSetup({{"TyreLB.Pressure", "200000"}}), "order.lsp");
  TPlainSetupControls controls;  // first values, which differ from the file's zeros
  EXPECT_EQ(ErrorOf([&] { SlidersToSetup(doc, controls); }),
            "Can't write float to key of integer = Pressure");
  EXPECT_TRUE(GetSetupData(doc, S::Car, K::MaxSteeringLock).Changed());  // steering goes before the tyres
  EXPECT_TRUE(GetSetupData(doc, S::TyreRF, K::Pressure).Changed());
  EXPECT_FALSE(GetSetupData(doc, S::TyreRB, K::Pressure).Changed());
  EXPECT_FALSE(GetSetupData(doc, S::SpringDamperLF, K::DampingBump).Changed());
}

TEST(CatalogueFailures, keysAreFoundInAnyLetterCaseAndErrorsNameThemAsSpelled) {
  std::string text = MakeSetup({{"Drive.CenterDiffMaxTorque", "455.000000"}});
  text = Replaced(text, "CenterDiffMaxTorque 455", "centerdiffmaxtorque 455");
  text = Replaced(text, "LeftFootBrakeThreshold 0.000000", "LEFTFOOTBRAKETHRESHOLD 5");
  TTOVCarSetup doc;
  doc.LoadFromBytes(text, "case.lsp");
  TPlainSetupControls controls;
  EXPECT_EQ(ErrorOf([&] { SetupToSliders(doc, controls); }), "invalid data: LEFTFOOTBRAKETHRESHOLD");
  EXPECT_EQ(Values(controls, L::Diff)[0], 45);
}

// The game's own layout, with values that lie between the slider steps.
TEST(CatalogueRealisticFile, everyListTheGearAndTheVelocityAxesAreFilled) {
  TTOVCarSetup doc;
  doc.LoadFromBytes(test::SampleSetup(), "sample.lsp");
  TPlainSetupControls c;
  SetupToSliders(doc, c);
  EXPECT_THAT(Values(c, L::Diff), testing::ElementsAre(0, 14, 0, 20, 0));
  EXPECT_THAT(Values(c, L::Brake), testing::ElementsAre(483, 620));
  EXPECT_THAT(Values(c, L::Tyre), testing::ElementsAre(242, 231, 220, 222));
  EXPECT_EQ(c.Gear, (std::array{false, true, false}));
  EXPECT_THAT(Values(c, L::Steering), testing::ElementsAre(60));
  EXPECT_THAT(Values(c, L::DamperFront), testing::ElementsAre(57, 66, 10, 0));
  EXPECT_THAT(Values(c, L::DamperRear), testing::ElementsAre(40, 47, 10, 0));
  EXPECT_THAT(Values(c, L::SpringFront), testing::ElementsAre(12, 49, 4, 30));
  EXPECT_THAT(Values(c, L::SpringRear), testing::ElementsAre(11, 38, 5, 28));
  EXPECT_THAT(Values(c, L::GeometryFront), testing::ElementsAre(104, 32, -82, 5));
  EXPECT_THAT(Values(c, L::GeometryRear), testing::ElementsAre(200, 28, -11));
  EXPECT_THAT(Values(c, L::Rollbar), testing::ElementsAre(65, 154));
  for (int l = static_cast<int>(L::CenterThrottle); l < kSetupListCount; ++l) {
    std::vector<int32_t> expected(11, 0);
    if (static_cast<L>(l) == L::FrontThrottle) expected[0] = 61;
    EXPECT_EQ(c.Lists[l].Values(), expected) << SetupListNames[l];
  }
  EXPECT_EQ(c.List(L::CenterSpeed).Captions(), Kmh({0, 19, 41, 60, 86, 105, 115, 153, 148, 177, 210}));
  EXPECT_EQ(c.List(L::LFCenterSpeed).Captions(), Kmh({0, 18, 40, 61, 86, 106, 129, 134, 157, 175, 216}));
  EXPECT_EQ(c.List(L::FrontSpeed).Captions(), Kmh({0, 9, 19, 27, 43, 51, 56, 76, 97, 136, 185}));
  EXPECT_EQ(c.List(L::RearSpeed).Captions(), Kmh({0, 19, 40, 58, 72, 91, 115, 133, 166, 196, 198}));
}

TEST(CatalogueRealisticFile, savingLeavesEveryLineItDoesNotOwnByteIdentical) {
  const std::string original = test::SampleSetup();
  TTOVCarSetup doc;
  doc.LoadFromBytes(original, "sample.lsp");
  const std::vector<std::string> before = doc.Lines();
  TPlainSetupControls controls;
  SetupToSliders(doc, controls);
  SlidersToSetup(doc, controls);
  doc.SaveToBytes();

  std::set<int32_t> owned = {GetSetupData(doc, S::Drive, K::DropGearId).LineIndex()};
  for (const TCatalogueRow& row : CatalogueRows()) {
    owned.insert(GetSetupData(doc, row.Section, row.Key, row.Point).LineIndex());
    if (row.Mirror) owned.insert(GetSetupData(doc, *row.Mirror, row.Key, row.Point).LineIndex());
  }
  for (const TVelocityAxis& axis : SpeedMapVelocityAxes)
    for (int32_t p = 0; p < kMapPointCount; ++p)
      owned.insert(GetSetupData(doc, S::VehicleControlUnit, axis.Key, p).LineIndex());
  ASSERT_EQ(doc.Lines().size(), before.size());
  int changed = 0;
  for (std::size_t i = 0; i < before.size(); ++i) {
    const std::string& line = doc.Lines()[i];
    if (!owned.count(static_cast<int32_t>(i))) {
      EXPECT_EQ(line, before[i]) << "line " << i;
    } else if (line != before[i]) {
      ++changed;  // only the value text changes
      const auto start = static_cast<std::size_t>(SplitSetupLine(before[i]).valuePosition - 1);
      EXPECT_EQ(line.substr(0, start), before[i].substr(0, start));
    }
  }
  EXPECT_GT(changed, 50);                    // the sample's values lie between the steps
  EXPECT_EQ(doc.Lines()[459], before[459]);  // WheelLB's TopMountSlot is not the editor's
  EXPECT_EQ(doc.Lines()[11], "                  FrontDiffMaxTorque 140.000000");

  // A second round changes nothing more.
  TTOVCarSetup reread;
  reread.LoadFromBytes(doc.SaveToBytes(), "sample.lsp");
  TPlainSetupControls again;
  SetupToSliders(reread, again);
  SlidersToSetup(reread, again);
  EXPECT_EQ(reread.SaveToBytes(), doc.SaveToBytes());
}

TEST(CatalogueRealisticFile, playersSetupsTransferBothWays) {
  for (const char* name : {"game-saved-1.lsp", "game-saved-2-reindented.lsp", "hand-trimmed-1.lsp"}) {
    TTOVCarSetup doc;
    doc.LoadFromBytes(test::DataFile(std::string("real-data/setups/") + name), name);
    TPlainSetupControls controls;
    EXPECT_NO_THROW(SetupToSliders(doc, controls)) << name;
    EXPECT_NO_THROW(SlidersToSetup(doc, controls)) << name;
  }
}

}  // namespace
}  // namespace gw
