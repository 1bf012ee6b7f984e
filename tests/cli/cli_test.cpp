// gravelwright-cli from the outside: every subcommand runs as a process on files in a temporary folder,
// with its history and Wine prefix there too, so nothing touches the user's home.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "core/test_files.h"
#include "history/version_store.h"

namespace gw {
namespace {

namespace fs = std::filesystem;
using ::testing::AllOf;
using ::testing::ContainsRegex;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

constexpr const char* kGameSaved1 = "real-data/setups/game-saved-1.lsp";
constexpr const char* kGameSaved2 = "real-data/setups/game-saved-2-reindented.lsp";

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

struct TRun {
  int Status = -1;
  std::string Out;
  std::string Err;
};

class Cli : public ::testing::Test {
 protected:
  test::TempDir dir;

  // Runs the program with the arguments (each quoted for the shell).
  TRun Run(const std::vector<std::string>& args, const std::string& environment = "") const {
    std::string command = "env XDG_DATA_HOME=" + Quote(dir.File("data")) +
                          " WINEPREFIX=" + Quote(dir.File("prefix")) + " " + environment + " " +
                          Quote(GW_CLI);
    for (const std::string& a : args) command += " " + Quote(a);
    command += " >" + Quote(dir.File("out.txt")) + " 2>" + Quote(dir.File("err.txt")) + " </dev/null";
    const int raw = std::system(command.c_str());
    TRun run;
    run.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.Out = test::ReadBytes(dir.File("out.txt"));
    run.Err = test::ReadBytes(dir.File("err.txt"));
    return run;
  }

  // A real setup copied into the folder.
  std::string Setup(const char* data, const std::string& name) const {
    const std::string path = dir.File(name);
    test::WriteBytes(path, test::DataFile(data));
    return path;
  }

  // The versions the history keeps of a file.
  std::size_t VersionCount() const {
    std::size_t n = 0;
    std::error_code ec;
    for (auto& e : fs::recursive_directory_iterator(dir.File("data"), ec))
      if (e.is_regular_file() && e.path().extension() == ".lsp") ++n;
    return n;
  }
};

// ---- usage ----

TEST_F(Cli, helpOnEverySubcommand_andUsageErrorsExitWithTwo) {
  EXPECT_EQ(Run({"--help"}).Status, 0);
  for (const char* sub : {"list", "show", "diff", "set", "copy", "extract"}) {
    const TRun run = Run({sub, "--help"});
    EXPECT_EQ(run.Status, 0) << sub;
    EXPECT_THAT(run.Out, HasSubstr(std::string("gravelwright-cli ") + sub)) << sub;
  }
  EXPECT_EQ(Run({}).Status, 2);
  EXPECT_EQ(Run({"show"}).Status, 2);  // FILE missing
  EXPECT_EQ(Run({"show", "a.lsp", "--colour"}).Status, 2);
  EXPECT_EQ(Run({"list", "--car", "Beetle"}).Status, 2);

  const std::string file = Setup(kGameSaved1, "s.lsp");
  TRun run = Run({"set", file, "Tyre/Left Front Pressure"});
  EXPECT_EQ(run.Status, 2);
  EXPECT_THAT(run.Err, HasSubstr("expected NAME=VALUE"));
  run = Run({"copy", file, file, "--groups", "Tyre Pressure,Wings"});
  EXPECT_EQ(run.Status, 2);
  EXPECT_THAT(run.Err, AllOf(HasSubstr("no copy group \"Wings\""), HasSubstr("\"Geometry -Rear\"")));
}

// ---- show ----

TEST_F(Cli, show_printsEveryParameterWithPathValueAndPosition) {
  const TRun run = Run({"show", Setup(kGameSaved1, "s.lsp")});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_THAT(run.Err, IsEmpty());
  // 37 slider rows, the gear set, 12 maps of 11 points and the 4 speed maps' 11 velocities.
  EXPECT_EQ(std::count(run.Out.begin(), run.Out.end(), '\n'), 37 + 1 + 132 + 44);
  // Checked by hand against the file: FrontDiffMaxTorque 140, Pressure 240000, MaxSteeringLock 1.25
  // (62.5 rounds to the even 62: 446.4 degrees), DropGearId 11, CenterSpeedMapVelocity_01 5.56 m/s.
  EXPECT_THAT(run.Out, ContainsRegex("\nDifferential/Max Front Diff\\. Torque +140Nm +14\n"));
  EXPECT_THAT(run.Out, ContainsRegex("\nTyre/Left Front Pressure +240kPa +240\n"));
  EXPECT_THAT(run.Out, ContainsRegex("\nTyre/Left Rear Pressure +220kPa +220\n"));
  EXPECT_THAT(run.Out, ContainsRegex("\nSteering/Max Steering Lock +446\xC2\xB0 +62\n"));
  EXPECT_THAT(run.Out, ContainsRegex("\nGear/Gear set +Medium +11\n"));
  EXPECT_THAT(run.Out, ContainsRegex("\nCenter - Speed/Point 1 velocity +20km/h +20\n"));
  EXPECT_THAT(run.Out, ContainsRegex("\nCenter - Speed/Point 1 factor +[0-9]+% +[0-9]+\n"));
  EXPECT_THAT(run.Out, ContainsRegex("\nDamper/Rear Fast Bump Threshold +[0-9.]+m/s +[0-9]+\n"));
}

TEST_F(Cli, showJson_hasTheDocumentedSchema) {
  const std::string file = Setup(kGameSaved2, "s.lsp");
  const TRun run = Run({"show", "--json", file});
  ASSERT_EQ(run.Status, 0) << run.Err;
  const auto json = nlohmann::ordered_json::parse(run.Out);
  EXPECT_EQ(json["schema"], 1);
  EXPECT_EQ(json["file"], file);
  ASSERT_EQ(json["parameters"].size(), 214u);
  const auto& first = json["parameters"][0];
  std::vector<std::string> keys;
  for (auto it = first.begin(); it != first.end(); ++it) keys.push_back(it.key());
  EXPECT_EQ(keys, (std::vector<std::string>{"path", "page", "heading", "caption", "kind", "value", "position",
                                            "min", "max", "entry", "missing"}));
  EXPECT_EQ(first["path"], "Differential/Max Center Diff. Torque");
  EXPECT_EQ(first["page"], "General");
  EXPECT_EQ(first["entry"], "Drive.CenterDiffMaxTorque");
  EXPECT_EQ(first["min"], 0);
  EXPECT_EQ(first["max"], 90);
  const auto& gear = json["parameters"][12];
  EXPECT_EQ(gear["path"], "Gear/Gear set");
  EXPECT_EQ(gear["kind"], "gear");
  EXPECT_EQ(gear["value"], "Medium");
  EXPECT_EQ(gear["position"], 11);
  EXPECT_EQ(gear["entry"], "Drive.DropGearId");
  const auto& last = json["parameters"][213];
  EXPECT_EQ(last["page"], "Differential - Map");
  EXPECT_EQ(last["heading"], "Rear - Speed");
  EXPECT_EQ(last["entry"], "VehicleControlUnit.RearSpeedMapFactor_10");
  // The text form prints the same values.
  const TRun text = Run({"show", file});
  for (const auto& p : json["parameters"])
    EXPECT_THAT(text.Out, HasSubstr(p["path"].get<std::string>())) << p;
}

TEST_F(Cli, show_refusesFilesItCannotShow_namingFileAndEntry) {
  TRun run = Run({"show", dir.File("missing.lsp")});
  EXPECT_EQ(run.Status, 1);
  EXPECT_THAT(run.Err, HasSubstr("File not found = " + dir.File("missing.lsp")));
  EXPECT_THAT(run.Out, IsEmpty());

  const std::string hand = Setup("real-data/setups/hand-written-1.lsp", "hand.lsp");
  run = Run({"show", hand});
  EXPECT_EQ(run.Status, 1);
  EXPECT_THAT(run.Err, HasSubstr("Invalid file = " + hand));

  // A setup without one entry the window needs: the file and the entry are named.
  std::string bytes = test::DataFile(kGameSaved1);
  const std::size_t at = bytes.find("RearDiffMaxTorque 0.000000");
  ASSERT_NE(at, std::string::npos);
  bytes.replace(at, 17, "RearDiffMaxTorqueX");
  const std::string lacking = dir.File("lacking.lsp");
  test::WriteBytes(lacking, bytes);
  // Everything else is still shown.
  run = Run({"show", "--json", lacking});
  EXPECT_EQ(run.Status, 1);
  EXPECT_THAT(
      run.Err,
      HasSubstr(lacking + ": Differential/Max Rear Diff. Torque: invalid data: Drive.RearDiffMaxTorque"));
  const auto json = nlohmann::ordered_json::parse(run.Out);
  EXPECT_EQ(json["parameters"][2]["value"], nullptr);
  EXPECT_EQ(json["parameters"][2]["missing"], "invalid data: Drive.RearDiffMaxTorque");
  EXPECT_EQ(json["parameters"][3]["value"], "100%");
}

// ---- set ----

TEST_F(Cli, set_writesTheValueInWindowUnits_toBothWheelsOfAnAxle) {
  const std::string file = Setup(kGameSaved1, "s.lsp");
  const std::string before = test::ReadBytes(file);
  const TRun run =
      Run({"set", file, "Tyre/Left Front Pressure=250", "damper/front bump=3.0kN/m/s", "Gear/Gear Set=long"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_THAT(run.Out, HasSubstr("Tyre/Left Front Pressure: 240kPa -> 250kPa\n"));
  EXPECT_THAT(run.Out, HasSubstr("Gear/Gear set: Medium -> Long\n"));
  EXPECT_THAT(run.Err, IsEmpty());
  const std::string after = test::ReadBytes(file);
  EXPECT_THAT(after, HasSubstr(" Pressure        250000.000000\n"));
  EXPECT_THAT(after, HasSubstr("DropGearId      12\n"));
  const TRun shown = Run({"show", file});
  EXPECT_THAT(shown.Out, ContainsRegex("\nTyre/Left Front Pressure +250kPa +250\n"));
  EXPECT_THAT(shown.Out, ContainsRegex("\nDamper/Front Bump +3\\.0kN/m/s +30\n"));
  // Only the changed entries' lines differ: the tyre, the gear and the two front dampers (a save ends the
  // file with the NUL the game writes).
  ASSERT_EQ(after.back(), '\0');
  std::size_t differing = 0;
  std::istringstream a(after.substr(0, after.size() - 1)), b(before);
  for (std::string la, lb; std::getline(a, la) && std::getline(b, lb);) differing += la != lb;
  EXPECT_EQ(differing, 4u);
  EXPECT_EQ(VersionCount(), 1u);  // the old bytes were kept
}

TEST_F(Cli, historyFolderAndNoHistory_fromTheCommandLine) {
  const std::string file = Setup(kGameSaved1, "s.lsp");
  ASSERT_EQ(Run({"--no-history", "set", file, "Tyre/Left Front Pressure=250"}).Status, 0);
  EXPECT_EQ(VersionCount(), 0u);
  ASSERT_EQ(Run({"--history", dir.File("kept"), "set", file, "Tyre/Left Front Pressure=260"}).Status, 0);
  EXPECT_EQ(VersionCount(), 0u);
  std::size_t kept = 0;
  for (auto& e : fs::recursive_directory_iterator(dir.File("kept")))
    if (e.path().extension() == ".lsp") {
      ++kept;
      EXPECT_THAT(test::ReadBytes(e.path().string()), HasSubstr(" Pressure        250000.000000\n"));
    }
  EXPECT_EQ(kept, 1u);
  // A history that cannot be written never stops the write.
  test::WriteBytes(dir.File("blocked"), "a file where the folder would be");
  const TRun run = Run({"--history", dir.File("blocked"), "set", file, "Tyre/Left Front Pressure=270"});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_THAT(run.Err, HasSubstr("note: history is off, no version of " + file + " was kept"));
  EXPECT_THAT(test::ReadBytes(file), HasSubstr(" Pressure        270000.000000\n"));
}

TEST_F(Cli, set_snapsToTheSliderStepWithANote) {
  const std::string file = Setup(kGameSaved1, "s.lsp");
  const TRun run =
      Run({"set", file, "Differential/Max Front Diff. Torque=455Nm", "Steering/Max Steering Lock=540"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_THAT(run.Out, HasSubstr("Differential/Max Front Diff. Torque: 140Nm -> 460Nm\n"));
  EXPECT_THAT(run.Err, HasSubstr("note: " + file +
                                 ": Differential/Max Front Diff. Torque: 455Nm snapped to the "
                                 "slider's step: 460Nm"));
  EXPECT_THAT(run.Err, Not(HasSubstr("Steering")));  // 540 degrees lies on a step
  EXPECT_THAT(run.Out, HasSubstr("Steering/Max Steering Lock: 446\xC2\xB0 -> 540\xC2\xB0\n"));
}

TEST_F(Cli, set_refusesBadInputAndWritesNothing) {
  const std::string file = Setup(kGameSaved1, "s.lsp");
  const std::string before = test::ReadBytes(file);
  const TRun run = Run({"set", file, "Tyre/Left Front Pressure=250", "Tyre/Right Front Pressure=350",
                        "Tyre/Front Wing=3", "Brake/Max Front Pressure=5bar", "Gear/Gear Set=Sixth"});
  EXPECT_EQ(run.Status, 1);
  EXPECT_THAT(run.Out, IsEmpty());
  EXPECT_THAT(run.Err,
              HasSubstr(file + ": Tyre/Right Front Pressure: 350 is outside the range 100kPa to 300kPa"));
  EXPECT_THAT(run.Err, HasSubstr(file + ": no parameter \"Tyre/Front Wing\""));
  EXPECT_THAT(run.Err, HasSubstr(file + ": Brake/Max Front Pressure: \"5bar\" is no value in kPa"));
  EXPECT_THAT(run.Err,
              HasSubstr(file + ": Gear/Gear set: \"Sixth\" is no gear set: use Short, Medium or Long"));
  EXPECT_THAT(run.Err, HasSubstr(file + ": nothing written"));
  EXPECT_EQ(test::ReadBytes(file), before);
  EXPECT_EQ(VersionCount(), 0u);

  EXPECT_EQ(Run({"set", file, "Tyre/Left Front Pressure=250", "tyre/left front pressure=260"}).Status, 1);
  fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  const TRun readOnly = Run({"set", file, "Tyre/Left Front Pressure=250"});
  EXPECT_EQ(readOnly.Status, 1);
  EXPECT_THAT(readOnly.Err, HasSubstr(file + " (the file is read-only)"));
  EXPECT_THAT(readOnly.Out, IsEmpty());  // nothing is reported as changed
  EXPECT_EQ(Run({"set", dir.File("none.lsp"), "Tyre/Left Front Pressure=250"}).Status, 1);
  EXPECT_EQ(test::ReadBytes(file), before);
}

TEST_F(Cli, setDryRun_printsTheChangesAndWritesNothing) {
  const std::string file = Setup(kGameSaved1, "s.lsp");
  const std::string before = test::ReadBytes(file);
  const TRun run =
      Run({"set", "--dry-run", file, "Rollbar/Front Rollbar Stiffness=10", "Tyre/Left Front Pressure=240"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_THAT(run.Out, HasSubstr("Rollbar/Front Rollbar Stiffness: 14.0kN/m -> 10.0kN/m\n"));
  EXPECT_THAT(run.Out, HasSubstr("Tyre/Left Front Pressure: 240kPa (unchanged)\n"));
  EXPECT_THAT(run.Out, HasSubstr("dry run: " + file + " not written\n"));
  EXPECT_EQ(test::ReadBytes(file), before);
  EXPECT_EQ(VersionCount(), 0u);
}

TEST_F(Cli, set_velocitiesInStepsOfTwoAndInOrder) {
  const std::string file = Setup(kGameSaved1, "s.lsp");
  TRun run = Run({"set", file, "Center - Speed/Point 1 velocity=25km/h"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_THAT(run.Out, HasSubstr("Center - Speed/Point 1 velocity: 20km/h -> 26km/h\n"));
  EXPECT_THAT(run.Err, HasSubstr("25km/h snapped to the slider's step: 26km/h"));
  EXPECT_THAT(test::ReadBytes(file), HasSubstr("CenterSpeedMapVelocity_01 7.222222\n"));  // 26 / 3.6

  const std::string before = test::ReadBytes(file);
  run = Run({"set", file, "Center - Speed/Point 1 velocity=50"});  // point 2 is at 40km/h
  EXPECT_EQ(run.Status, 1);
  EXPECT_THAT(run.Err,
              HasSubstr(file + ": Center - Speed/Point 1 velocity: 50km/h would put the velocities out "
                               "of order (Center - Speed/Point 2 velocity is 40km/h)"));
  EXPECT_EQ(test::ReadBytes(file), before);
  // Moving both points together keeps the order.
  EXPECT_EQ(
      Run({"set", file, "Center - Speed/Point 1 velocity=50", "Center - Speed/Point 2 velocity=56"}).Status,
      0);
}

// ---- diff ----

TEST_F(Cli, diff_differencesOnly_orAll_asTextAndJson) {
  const std::string a = Setup(kGameSaved1, "a.lsp"), b = Setup(kGameSaved2, "b.lsp");
  const std::string c = Setup(kGameSaved1, "c.lsp");
  ASSERT_EQ(Run({"set", c, "Tyre/Left Front Pressure=200"}).Status, 0);

  TRun run = Run({"diff", a, c});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out,
            "parameter                 a.lsp   c.lsp\n"
            "Tyre/Left Front Pressure  240kPa  200kPa \xE2\x86\x93\n"
            "1 of 214 differ\n");

  run = Run({"diff", "--all", a, c, b});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(std::count(run.Out.begin(), run.Out.end(), '\n'), 1 + 214 + 1);
  EXPECT_THAT(run.Out, ContainsRegex("\nTyre/Right Front Pressure +240kPa +240kPa +300kPa \xE2\x86\x91\n"));
  EXPECT_THAT(
      run.Out,
      ContainsRegex("\nSteering/Max Steering Lock +446\xC2\xB0 +446\xC2\xB0 +360\xC2\xB0 \xE2\x86\x93\n"));

  run = Run({"diff", "--json", a, c, b});
  ASSERT_EQ(run.Status, 0) << run.Err;
  const auto json = nlohmann::ordered_json::parse(run.Out);
  EXPECT_EQ(json["schema"], 1);
  EXPECT_EQ(json["files"], nlohmann::ordered_json({a, c, b}));
  EXPECT_EQ(json["parameters"], 214);
  const auto& rows = json["rows"];
  EXPECT_EQ(json["differ"], rows.size());
  const auto& tyre = rows[2];  // brake front, brake rear, then the left front tyre
  EXPECT_EQ(tyre["path"], "Tyre/Left Front Pressure");
  EXPECT_EQ(tyre["cells"][1]["value"], "200kPa");
  EXPECT_EQ(tyre["cells"][1]["direction"], -1);
  EXPECT_EQ(tyre["cells"][2]["position"], 300);
  EXPECT_EQ(tyre["cells"][2]["differs"], true);

  run = Run({"diff", a, dir.File("missing.lsp")});
  EXPECT_EQ(run.Status, 1);
  EXPECT_THAT(run.Err, HasSubstr("File not found = " + dir.File("missing.lsp")));
  EXPECT_EQ(Run({"diff", a}).Status, 2);
}

// ---- copy ----

TEST_F(Cli, copy_dryRunPerDestination_thenTheCopy) {
  const std::string source = Setup(kGameSaved1, "source.lsp");
  const std::string dest1 = Setup(kGameSaved2, "dest1.lsp");
  const std::string dest2 = Setup(kGameSaved1, "dest2.lsp");  // already equal to the source
  const std::string before1 = test::ReadBytes(dest1);

  TRun run = Run({"copy", source, dest1, dest2, "--groups", "tyre pressure,Geometry - Rear", "--dry-run"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_THAT(run.Out, ContainsRegex(dest1 + ": [1-9][0-9]* entries would change\n"));
  EXPECT_THAT(run.Out, HasSubstr(dest2 + ": 0 entries would change\n"));
  EXPECT_EQ(test::ReadBytes(dest1), before1);

  run = Run(
      {"copy", source, dest1, dir.File("missing.lsp"), dest2, "--groups", "Tyre Pressure,Geometry -Rear"});
  EXPECT_EQ(run.Status, 1);  // one destination refused, the others written
  EXPECT_THAT(run.Err, HasSubstr("File not found = " + dir.File("missing.lsp")));
  EXPECT_THAT(run.Out, ContainsRegex(dest1 + ": [1-9][0-9]* entries changed\n"));
  const TRun shown = Run({"show", "--json", dest1}), origin = Run({"show", "--json", source});
  const auto d = nlohmann::json::parse(shown.Out)["parameters"],
             s = nlohmann::json::parse(origin.Out)["parameters"];
  for (std::size_t i = 0; i < d.size(); ++i) {
    const std::string path = d[i]["path"];
    if (path.starts_with("Tyre/") || path.starts_with("Geometry/Rear")) {
      EXPECT_EQ(d[i]["value"], s[i]["value"]) << d[i];
    }
  }
  EXPECT_EQ(VersionCount(), 1u);  // dest2 did not change and was not written
}

TEST_F(Cli, copy_dryRunListsTheChangedParameters) {
  const std::string source = Setup(kGameSaved1, "source.lsp");
  const std::string dest = Setup(kGameSaved1, "dest.lsp");
  ASSERT_EQ(Run({"set", dest, "Tyre/Left Rear Pressure=200"}).Status, 0);
  const TRun run = Run({"copy", source, dest, "--groups", "Tyre Pressure", "--dry-run"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out, dest + ": 1 entry would change\n  Tyre/Left Rear Pressure: 200kPa -> 220kPa\n");
}

// ---- extract ----

std::string ReplayAround(const std::string& setupText) {
  return std::string("RPL\x01\x02 GMDC header SCOE ", 24) + setupText + "\x03\x04 more replay data";
}

TEST_F(Cli, extract_oneReplay_andAllOfAFolder) {
  std::string text = test::DataFile(kGameSaved1);
  text.resize(text.find(")\n ))") + 5);
  test::WriteBytes(dir.File("stage.rpl"), ReplayAround(text));

  TRun run = Run({"extract", dir.File("stage.rpl")});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(test::ReadBytes(dir.File("stage.lsp")), text + '\0');
  EXPECT_EQ(VersionCount(), 0u);  // nothing was overwritten
  run = Run({"extract", dir.File("stage.rpl"), dir.File("stage.lsp")});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(VersionCount(), 1u);  // the replaced file was kept

  fs::create_directory(dir.File("replays"));
  for (const char* name : {"a.rpl", "b.rpl", "c.rpl"})
    test::WriteBytes(dir.File(std::string("replays/") + name), ReplayAround(text));
  test::WriteBytes(dir.File("replays/broken.rpl"), "GMDC but nothing else");
  run = Run({"extract", "--all", dir.File("replays"), dir.File("out")});
  EXPECT_EQ(run.Status, 1);
  EXPECT_THAT(run.Err, HasSubstr("Invalid file (1) = " + dir.File("replays/broken.rpl")));
  EXPECT_THAT(run.Err, Not(HasSubstr("\r")));  // no progress line when standard error is no terminal
  EXPECT_EQ(run.Out, "3 of 4 replays extracted into " + dir.File("out") + "\n");
  for (const char* name : {"a.lsp", "b.lsp", "c.lsp"})
    EXPECT_EQ(test::ReadBytes(dir.File(std::string("out/") + name)), text + '\0') << name;
  EXPECT_FALSE(fs::exists(dir.File("out/broken.lsp")));

  EXPECT_EQ(Run({"extract", dir.File("nothing.rpl")}).Status, 1);
  EXPECT_EQ(Run({"extract", "--all", dir.File("replays")}).Status, 2);
}

// ---- list ----

TEST_F(Cli, list_theGamesSlotFiles_byCarAndAsJson) {
  const std::string saved = dir.File("game/SavedGames");
  fs::create_directories(saved);
  for (const char* name : {"3slot1_Gravel.lsp", "0slot0_My Tarmac.lsp", "3slot2_Snow.lsp", "notes.lsp"})
    test::WriteBytes(saved + "/" + name, test::DataFile(kGameSaved1));

  TRun run = Run({"list", "--game", dir.File("game")});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out, "0\tXsara\tMy Tarmac\t" + saved + "/0slot0_My Tarmac.lsp\n" +
                         "1\tLancer-Evo VII\tGravel\t" + saved + "/3slot1_Gravel.lsp\n" +
                         "2\tLancer-Evo VII\tSnow\t" + saved + "/3slot2_Snow.lsp\n");
  run = Run({"list", "--game", dir.File("game"), "--car", "lancer-evo vii", "--json"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  const auto json = nlohmann::json::parse(run.Out);
  ASSERT_EQ(json["files"].size(), 2u);
  EXPECT_EQ(json["files"][0]["slot"], 1);
  EXPECT_EQ(json["files"][0]["car"], "Lancer-Evo VII");
  EXPECT_EQ(json["files"][0]["title"], "Gravel");
  EXPECT_EQ(json["files"][0]["file"], "3slot1_Gravel.lsp");

  // No --game and no registered game (the Wine prefix is empty).
  run = Run({"list"});
  EXPECT_EQ(run.Status, 1);
  EXPECT_THAT(run.Err, HasSubstr("--game DIR"));
}

// The window keeps as many versions as its HistoryDepth says (100 here, in the per-user settings file the
// installed window reads); a "set" from the command line adds one and deletes none.
TEST_F(Cli, set_keepsAVersionAndDeletesNoneTheWindowKeptAtADeeperHistoryDepth) {
  const std::string file = Setup(kGameSaved1, "s.lsp");
  const std::string original = test::ReadBytes(file);
  fs::create_directories(dir.File("config/gravelwright"));
  test::WriteBytes(dir.File("config/gravelwright/gravelwright.ini"), "[COMMON]\r\nHistoryDepth=100\r\n");
  int64_t now = 1'700'000'000'000;
  TVersionStore window(dir.File("kept"), "", 100, [&now] { return now += 1000; });
  for (int i = 0; i < 40; ++i) {
    test::WriteBytes(file, original + std::string(static_cast<std::size_t>(i + 1), '\n'));
    ASSERT_TRUE(window.KeepVersion(file));
  }
  test::WriteBytes(file, original);
  ASSERT_EQ(window.Versions(file).size(), 40u);

  const TRun run = Run({"--history", dir.File("kept"), "set", file, "Tyre/Left Front Pressure=250"},
                       "XDG_CONFIG_HOME=" + Quote(dir.File("config")));
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(window.Versions(file).size(), 41u) << "the oldest versions the window kept were deleted";
}

// As the window does, "set" says that a damaged file's bytes after a NUL byte are dropped (with
// --no-history nothing else keeps them).
TEST_F(Cli, set_saysWhenItDropsTheBytesAfterANulByte) {
  const std::string file = Setup(kGameSaved1, "s.lsp");
  std::string bytes = test::ReadBytes(file);
  const std::size_t end = bytes.find('\0');
  bytes = (end == std::string::npos ? bytes : bytes.substr(0, end)) + std::string(1, '\0') +
          "tail the game wrote";
  test::WriteBytes(file, bytes);
  const TRun run = Run({"--no-history", "set", file, "Tyre/Left Front Pressure=250"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  ASSERT_EQ(test::ReadBytes(file).find("tail the game wrote"), std::string::npos);  // it was dropped
  EXPECT_THAT(run.Err, HasSubstr("NUL byte"));
}

}  // namespace
}  // namespace gw
