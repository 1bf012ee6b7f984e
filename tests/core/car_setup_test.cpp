#include "setup/car_setup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "core/test_files.h"

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace gw {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
using ::testing::HasSubstr;

// A small setup in the game's layout; every variation below is built from it.
const char* const kSmall =
    "((\"CarSetup\"\n"
    " Car             (\"Car\"\n"
    " MaxSteeringLock 1.205958\n"
    "                  FrontRollBarStiffness 13022.377687\n"
    "                                   MaxSteeringLock \n"
    "                  )\n"
    " Drive           (\":-D\"\n"
    " CenterDiffMaxTorque 0.000000\n"
    "                  GearId0         1\n"
    "                  DropGearId      11\n"
    "                  )\n"
    " ))";

class CarSetupTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, std::string_view bytes) {
    const std::string path = dir.File(name);
    WriteBytes(path, bytes);
    return path;
  }
  TempDir dir;
  TTOVCarSetup doc;
};

TEST_F(CarSetupTest, gameLayoutFilesLoadAndSaveUnchangedButForTheFinalNul) {
  for (const char* file :
       {"game-layout-setup.lsp", "real-data/setups/game-saved-1.lsp",
        "real-data/setups/game-saved-2-reindented.lsp", "real-data/setups/hand-trimmed-1.lsp"}) {
    const std::string original = test::DataFile(file);
    const std::string path = Write("a.lsp", original);
    doc.LoadFromFile(path);
    EXPECT_EQ(doc.FileName(), path);
    ASSERT_NE(doc.FindSection("Drive"), nullptr) << file;
    doc.SaveToFile();
    std::string expected = original.substr(0, original.find('\0'));
    if (!expected.empty() && expected.back() == '\n') expected.pop_back();
    EXPECT_EQ(ReadBytes(path), expected + '\0') << file;
  }
}

TEST_F(CarSetupTest, filesNotInTheGameLayoutAreRefusedWithTheirPath) {
  for (const char* file : {"real-data/setups/hand-written-1.lsp", "real-data/setups/hand-written-2.lsp",
                           "real-data/setups/hand-written-3.lsp", "real-data/setups/hand-written-4.lsp",
                           "real-data/setups/hand-written-5.lsp", "real-data/other/physics-ranges.lsp"}) {
    const std::string path = Write("x.lsp", test::DataFile(file));
    EXPECT_EQ(test::ErrorMessageOf([&] { doc.LoadFromFile(path); }), "Invalid file = " + path) << file;
    EXPECT_TRUE(doc.Lines().empty());
    EXPECT_EQ(doc.SectionCount(), 0);
  }
}

TEST_F(CarSetupTest, headCheckNeedsThreeLinesAndBothHeadTexts) {
  const std::string cases[] = {
      "((\"CarSetup\"\n Car (\"Car\"\n",          // only two lines
      "((\"CarSetup\"\nCar (\"Car\"\n x 1\n",     // "Car" without the blank
      " ((\"CarSetup\"\n Car (\"Car\"\n x 1\n",   // line 0 with a leading blank
      "",                                         // empty
      "\0((\"CarSetup\"\n Car (\"Car\"\n x 1\n",  // nothing before the NUL
  };
  for (const std::string& bytes : cases) {
    const std::string path = Write("h.lsp", bytes);
    EXPECT_EQ(test::ErrorMessageOf([&] { doc.LoadFromFile(path); }), "Invalid file = " + path);
  }
}

TEST_F(CarSetupTest, failedLoadEmptiesLinesAndSectionsButKeepsTheFileName) {
  const std::string good = Write("good.lsp", kSmall);
  doc.LoadFromFile(good);
  const std::string missing = dir.File("missing.lsp");
  EXPECT_EQ(test::ErrorMessageOf([&] { doc.LoadFromFile(missing); }), "File not found = " + missing);
  EXPECT_EQ(doc.FileName(), good);
  EXPECT_TRUE(doc.Lines().empty());
  EXPECT_EQ(doc.SectionCount(), 0);

  doc.LoadFromFile(good);
  const std::string bad = Write("bad.lsp", "junk\n");
  EXPECT_THAT(test::ErrorMessageOf([&] { doc.LoadFromFile(bad); }), HasSubstr("Invalid file"));
  EXPECT_EQ(doc.FileName(), good);
  EXPECT_EQ(doc.SectionCount(), 0);
  // Saving after a failed load must not touch lines that no longer exist.
  EXPECT_NO_THROW(doc.SaveToFile(dir.File("after.lsp")));
  EXPECT_EQ(ReadBytes(dir.File("after.lsp")), std::string(1, '\0'));

  EXPECT_THAT(test::ErrorMessageOf([&] { doc.LoadFromFile(dir.Path().string()); }),
              HasSubstr("File not found = "));
}

TEST_F(CarSetupTest, lineBreaksAndNulBytesAreNormalisedOnSave) {
  const std::string crlf = "((\"CarSetup\"\r\n Car (\"Car\"\r\n A 0.500000\r\n\r\n ))\r\n";
  const std::string path = Write("crlf.lsp", crlf);
  doc.LoadFromFile(path);
  EXPECT_THAT(doc.Lines(),
              ::testing::ElementsAre("((\"CarSetup\"", " Car (\"Car\"", " A 0.500000", "", " ))"));
  doc.SaveToFile();
  EXPECT_EQ(ReadBytes(path), std::string("((\"CarSetup\"\n Car (\"Car\"\n A 0.500000\n\n ))") + '\0');

  using namespace std::string_literals;
  const std::string mixed = "((\"CarSetup\"\r Car (\"Car\"\n A 0.500000\0 B 0.250000\n"s;
  doc.LoadFromFile(Write("nul-bytes.lsp", mixed));
  EXPECT_EQ(doc.Lines().size(), 3u);
  doc.SaveToFile();
  EXPECT_EQ(ReadBytes(doc.FileName()), std::string("((\"CarSetup\"\n Car (\"Car\"\n A 0.500000") + '\0');
}

TEST_F(CarSetupTest, aValueWrittenAgainReplacesOnlyItsOwnLineAndNamesOutliveTheirLoadsText) {
  const std::string bytes =
      "((\"CarSetup\"\r\n Car (\"Car\"\r MaxSteeringLock  1.500000 old\n A 7\r\n\r\n Drive (\"D\"\n B 2";
  doc.LoadFromBytes(bytes, "mixed.lsp");
  EXPECT_EQ(doc.Lines(), SplitSetupLines(bytes));
  TTOVCarSetupData* lock = doc.FindSection("car")->FindData("maxsteeringlock");
  ASSERT_NE(lock, nullptr);
  EXPECT_EQ(lock->Name(), "MaxSteeringLock");
  lock->SetFloat(2.0f);
  doc.SaveToBytes();
  lock->SetFloat(0.25f);
  const std::string saved = doc.SaveToBytes();
  EXPECT_EQ(saved, "((\"CarSetup\"\n Car (\"Car\"\n MaxSteeringLock  0.250000\n A 7\n\n Drive (\"D\"\n B 2" +
                       std::string(1, '\0'));
  EXPECT_EQ(doc.Lines()[2], " MaxSteeringLock  0.250000");

  // A document loaded again holds the names of its new text only.
  doc.LoadFromBytes(saved, "again.lsp");
  EXPECT_EQ(doc.GetSection(1)->Name(), "Drive");
  EXPECT_EQ(doc.GetSection(1)->GetData(0)->Name(), "B");
  EXPECT_EQ(doc.FindSection("Car")->GetData(0)->FloatValue(), 0.25f);
}

TEST_F(CarSetupTest, aNulBeforeTheEndIsReportedWithItsOffsetAndTheSaveStaysPossible) {
  using namespace std::string_literals;
  const std::string damaged = std::string(kSmall).substr(0, 60) + "\0 B 0.250000\n ))"s;
  const std::string path = Write("damaged.lsp", damaged);
  doc.LoadFromFile(path);
  EXPECT_EQ(doc.NulOffset(), 60);
  EXPECT_EQ(
      NulByteNotice(path, doc.NulOffset()),
      path + " holds a NUL byte at offset 60: everything after it is ignored, and saving will drop it.");
  doc.SaveToFile();
  EXPECT_EQ(ReadBytes(path), std::string(kSmall).substr(0, 60) + '\0');

  // The NUL the game and the editor end every file with, alone or repeated, hides nothing.
  doc.LoadFromFile(Write("ended.lsp", std::string(kSmall) + "\0\0\0"s));
  EXPECT_EQ(doc.NulOffset(), -1);
  doc.LoadFromFile(Write("plain.lsp", kSmall));
  EXPECT_EQ(doc.NulOffset(), -1);
  doc.LoadFromFile(path);
  EXPECT_EQ(doc.NulOffset(), -1);  // once saved, the file ends at its NUL
}

TEST_F(CarSetupTest, hugeFilesAreRefusedFromTheirHeadOrSizeBeforeBeingRead) {
  // Sparse files: large on paper, nothing on the disk.
  const std::string text = Write("text.lsp", "just some text\n");
  std::filesystem::resize_file(text, 500ull << 20);
  EXPECT_EQ(test::ErrorMessageOf([&] { doc.LoadFromFile(text); }), "Invalid file = " + text);
  const std::string noCar = Write("nocar.lsp", "((\"CarSetup\"\n Bus\n");
  std::filesystem::resize_file(noCar, 100ull << 20);
  EXPECT_EQ(test::ErrorMessageOf([&] { doc.LoadFromFile(noCar); }), "Invalid file = " + noCar);

  const std::string big = Write("big.lsp", std::string(kSmall) + "\n");
  std::filesystem::resize_file(big, kMaxSetupFileSize + 1);
  EXPECT_EQ(test::ErrorMessageOf([&] { doc.LoadFromFile(big); }),
            big + " is too large for a setup file (over 64 MB).");
  EXPECT_TRUE(doc.Lines().empty());
  std::filesystem::resize_file(big, kMaxSetupFileSize);
  doc.LoadFromFile(big);
  EXPECT_EQ(doc.Lines().size(), 12u);

  // Head lines longer than the first bytes read still load.
  doc.LoadFromFile(Write("longfirst.lsp", "((\"" + std::string(6000, 'x') + "\"\n Car (\"Car\"\n A 1\n"));
  EXPECT_EQ(doc.Lines().size(), 3u);
  doc.LoadFromFile(Write("longsecond.lsp", "((\"S\"\n Car" + std::string(6000, ' ') + "(\"Car\"\n A 1\n"));
  EXPECT_EQ(doc.Lines().size(), 3u);
  EXPECT_FALSE(SetupHeadMayPass("((\"S\"\n Car\n"));
  EXPECT_TRUE(SetupHeadMayPass("((\"S\"\n Car\n\n"));
  EXPECT_FALSE(SetupHeadMayPass("\n Car\nA\n"));
}

TEST_F(CarSetupTest, valueTextsBecomeIntegerFloatOrNoEntry) {
  doc.LoadFromFile(Write("v.lsp",
                         "((\"CarSetup\"\n Car (\"Car\"\n"
                         " Half 0.500000\n Seven 1234567\n Short 540.0\n Tiny 1.5\n Max 2147483647\n"
                         " Hex $10\n Neg -3\n Word abc\n Exp 1.25e+02\n Lonely\n\tTabbed\t0.750000\n"));
  const TTOVCarSetupSection* car = doc.FindSection("Car");
  ASSERT_NE(car, nullptr);
  EXPECT_TRUE(car->FindData("Half")->IsFloat());
  EXPECT_EQ(car->FindData("Half")->FloatValue(), 0.5f);
  EXPECT_EQ(car->FindData("Half")->IntValue(), 2147483647);
  EXPECT_FALSE(car->FindData("Seven")->IsFloat());
  EXPECT_EQ(car->FindData("Seven")->IntValue(), 1234567);
  for (const char* none : {"Short", "Tiny", "Max", "Word", "Lonely"})
    EXPECT_EQ(car->FindData(none), nullptr) << none;
  EXPECT_EQ(car->FindData("Hex")->IntValue(), 16);
  EXPECT_EQ(car->FindData("Neg")->IntValue(), -3);
  EXPECT_EQ(car->FindData("Exp")->FloatValue(), 125.0f);
  EXPECT_EQ(car->FindData("Tabbed")->LineIndex(), 12);
}

TEST_F(CarSetupTest, sectionsAndKeysFollowTheirFirstOccurrence) {
  doc.LoadFromFile(Write("s.lsp",
                         "((\"CarSetup\"\n Car 0.100000\n Body (\"Car\"\n A 0.100000\n A 0.200000\n )\n"
                         " After 0.300000\n Drive (\"x\"\n B 1\n BODY (\"again\"\n C 2\n a 9\n"));
  ASSERT_EQ(doc.SectionCount(), 2);
  const TTOVCarSetupSection* car = doc.GetSection(0);
  EXPECT_EQ(car->Name(), "Body");
  EXPECT_EQ(car->LineIndex(), 2);  // line 1 stands before any heading: no entry
  ASSERT_EQ(car->Count(), 3);      // A, After (after the closing line), C from the repeated heading
  EXPECT_EQ(car->GetData(0)->FloatValue(), 0.1f);
  EXPECT_EQ(car->GetData(1)->Name(), "After");
  EXPECT_EQ(car->GetData(2)->Name(), "C");
  EXPECT_EQ(doc.FindSection("bOdY"), car);
  EXPECT_EQ(car->FindData("a")->LineIndex(), 3);
  EXPECT_EQ(doc.FindSection("Car"), nullptr);

  car->FindData("A")->SetFloat(0.75f);
  doc.SaveToFile();
  EXPECT_EQ(doc.Lines()[3], " A 0.750000");
  EXPECT_EQ(doc.Lines()[4], " A 0.200000");
}

TEST_F(CarSetupTest, nameLookupsFoldOnlyAsciiLetters) {
  doc.LoadFromFile(Write("c.lsp", "((\"x\"\n Car (\"Car\"\n \xC4x 1\n"));
  const TTOVCarSetupSection* car = doc.FindSection("CAR");
  ASSERT_NE(car, nullptr);
  EXPECT_NE(car->FindData("\xC4X"), nullptr);
  EXPECT_EQ(car->FindData("\xE4x"), nullptr);  // a-umlaut in Latin-1 is not folded
}

TEST_F(CarSetupTest, sectionLookupsAmongManySectionsFindTheFirstOfANameAndForgetOldFiles) {
  std::string bytes = "((\"CarSetup\"\n Car (\"Car\"\n";
  for (int i = 0; i < 3000; ++i)
    bytes += " S" + std::to_string(i) + " (\"x\"\n  K" + std::to_string(i) + " 1\n";
  bytes +=
      " s17 (\"again\"\n  Late 2\n \xC4"
      "b (\"x\"\n  U 3\n \xE4"
      "b (\"x\"\n  L 4\n";
  // A large section, whose keys are found through a table, with repeated keys in other cases.
  bytes += " Big (\"x\"\n";
  for (int i = 0; i < 40; ++i) bytes += "  B" + std::to_string(i) + " " + std::to_string(i) + "\n";
  bytes += "  b5 99\n  B35 99\n s1 (\"x\"\n  Other 1\n BIG (\"again\"\n  b20 99\n  B40 40\n";
  doc.LoadFromFile(Write("many.lsp", bytes));
  ASSERT_EQ(doc.SectionCount(), 3004);  // Car, S0..S2999, two 8-bit names and Big; s17 reopens S17
  TTOVCarSetupSection* s17 = doc.FindSection("S17");
  ASSERT_NE(s17, nullptr);
  EXPECT_EQ(s17, doc.GetSection(18));
  EXPECT_EQ(s17->Count(), 2);
  EXPECT_NE(s17->FindData("late"), nullptr);
  EXPECT_EQ(doc.FindSection("s2999"), doc.GetSection(3000));
  EXPECT_EQ(doc.FindSection("S3000"), nullptr);
  ASSERT_NE(doc.FindSection("\xC4"
                            "B"),
            nullptr);
  EXPECT_NE(doc.FindSection("\xC4"
                            "B"),
            doc.FindSection("\xE4"
                            "B"));  // 8-bit letters are not folded
  EXPECT_EQ(doc.FindSection("\xE4"
                            "b")
                ->FindData("L")
                ->IntValue(),
            4);
  const TTOVCarSetupSection* big = doc.FindSection("big");
  ASSERT_EQ(big->Count(), 41);
  for (int i = 0; i < 41; ++i) EXPECT_EQ(big->GetData(i)->IntValue(), i) << i;
  EXPECT_EQ(doc.FindSection("S1")->Count(), 2);

  doc.LoadFromFile(Write("small.lsp", kSmall));
  EXPECT_EQ(doc.FindSection("S17"), nullptr);
  EXPECT_EQ(doc.FindSection("car"), doc.GetSection(0));
  EXPECT_THROW(doc.LoadFromFile(Write("bad.lsp", "no setup")), Error);
  EXPECT_EQ(doc.FindSection("Car"), nullptr);
  doc.LoadFromBytes(kSmall, "again.lsp");
  EXPECT_EQ(doc.FindSection("DRIVE"), doc.GetSection(1));
  doc.Clear();
  EXPECT_EQ(doc.FindSection("Drive"), nullptr);
}

TEST_F(CarSetupTest, onlyReallyChangedValuesAreRewrittenFromTheValueOn) {
  const std::string path = Write("w.lsp",
                                 "((\"CarSetup\"\n Car (\"Car\"\n\t A\t\t16.700001 )\n    B   0.500000\n"
                                 "  I 12 keep\n  J 5\n ))");
  doc.LoadFromFile(path);
  TTOVCarSetupSection* car = doc.FindSection("Car");
  car->FindData("B")->SetFloat(0.5f);  // the value it already holds
  EXPECT_FALSE(car->FindData("B")->Changed());
  car->FindData("A")->SetFloat(0.25f);
  car->FindData("I")->SetInteger(-3);
  car->FindData("J")->SetInteger(5);
  EXPECT_TRUE(car->FindData("A")->Changed());
  EXPECT_FALSE(car->FindData("J")->Changed());
  doc.SaveToFile();
  EXPECT_EQ(ReadBytes(path), std::string("((\"CarSetup\"\n Car (\"Car\"\n\t A\t\t0.250000\n    B   0.500000\n"
                                         "  I -3\n  J 5\n ))") +
                                 '\0');
  // Changed stays set: saving again writes the same text.
  EXPECT_TRUE(car->FindData("A")->Changed());
  doc.SaveToFile();
  EXPECT_EQ(doc.Lines()[2], "\t A\t\t0.250000");
}

TEST_F(CarSetupTest, floatTextsRoundHalvesAwayAndNeverShowMinusZero) {
  doc.LoadFromFile(Write("r.lsp", "((\"x\"\n Car (\"Car\"\n A 1.000000\n B 1.000000\n"));
  doc.FindSection("Car")->FindData("A")->SetFloat(0.0078125f);
  doc.FindSection("Car")->FindData("B")->SetFloat(-0.0000001f);
  doc.SaveToFile();
  EXPECT_EQ(doc.Lines()[2], " A 0.007813");
  EXPECT_EQ(doc.Lines()[3], " B 0.000000");
}

TEST_F(CarSetupTest, settingTheWrongKindRaisesAndKeepsTheValue) {
  doc.LoadFromFile(Write("k.lsp", kSmall));
  TTOVCarSetupData* f = doc.FindSection("Car")->FindData("MaxSteeringLock");
  TTOVCarSetupData* i = doc.FindSection("Drive")->FindData("GearId0");
  EXPECT_EQ(test::ErrorMessageOf([&] { f->SetInteger(3); }),
            "Can't write integer to key of float = MaxSteeringLock");
  EXPECT_EQ(test::ErrorMessageOf([&] { i->SetFloat(3); }), "Can't write float to key of integer = GearId0");
  EXPECT_EQ(f->FloatValue(), 1.205958f);
  EXPECT_EQ(i->IntValue(), 1);
  EXPECT_FALSE(f->Changed() || i->Changed());
  // Texts the game could not read back are refused rather than written.
  EXPECT_THAT(test::ErrorMessageOf([&] { f->SetFloat(std::numeric_limits<float>::quiet_NaN()); }),
              HasSubstr("MaxSteeringLock"));
  EXPECT_THAT(test::ErrorMessageOf([&] { i->SetInteger(2147483647); }), HasSubstr("GearId0"));
  EXPECT_FALSE(f->Changed() || i->Changed());
}

TEST_F(CarSetupTest, everyWrittenEntryReadsBackWithItsKind) {
  doc.LoadFromFile(Write("rt.lsp", kSmall));
  doc.FindSection("Car")->FindData("MaxSteeringLock")->SetFloat(0.0f);
  doc.FindSection("Car")->FindData("FrontRollBarStiffness")->SetFloat(-1e-9f);
  doc.FindSection("Drive")->FindData("GearId0")->SetInteger(-2147483647 - 1);
  doc.SaveToFile();
  TTOVCarSetup again;
  again.LoadFromFile(doc.FileName());
  EXPECT_TRUE(again.FindSection("Car")->FindData("MaxSteeringLock")->IsFloat());
  EXPECT_TRUE(again.FindSection("Car")->FindData("FrontRollBarStiffness")->IsFloat());
  EXPECT_EQ(again.FindSection("Drive")->FindData("GearId0")->IntValue(), -2147483647 - 1);
}

TEST_F(CarSetupTest, saveAsMovesTheFileNameAndEmptyNamesFail) {
  TTOVCarSetup empty;
  EXPECT_THAT(test::ErrorMessageOf([&] { empty.SaveToFile(); }), HasSubstr("path is empty"));
  EXPECT_EQ(empty.FileName(), "");

  const std::string path = Write("a.lsp", kSmall);
  doc.LoadFromFile(path);
  const std::string other = dir.File("b.lsp");
  doc.SaveToFile(other);
  EXPECT_EQ(doc.FileName(), other);
  doc.Clear();
  EXPECT_EQ(doc.FileName(), "");
  EXPECT_TRUE(doc.Lines().empty());
  EXPECT_EQ(doc.SectionCount(), 0);
}

TEST_F(CarSetupTest, aFailedSaveLeavesTheOldFileAndNoTemporaryFile) {
  const std::string path = Write("ro.lsp", kSmall);
  doc.LoadFromFile(path);
  doc.FindSection("Car")->FindData("MaxSteeringLock")->SetFloat(2.0f);

  std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  EXPECT_THAT(test::ErrorMessageOf([&] { doc.SaveToFile(); }), HasSubstr(path));
  EXPECT_EQ(doc.Lines()[2], " MaxSteeringLock 2.000000");  // written back before the file was opened
  EXPECT_EQ(ReadBytes(path), kSmall);

  // A write that fails half-way (here: the file-size limit, as a full disk would) keeps the old file too.
  std::filesystem::permissions(path, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no per-process file-size limit to make a write fail half-way";
#else
  const std::string big = std::string(kSmall) + "\n" + std::string(20000, ';');
  doc.LoadFromFile(Write("big.lsp", big));
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::string message = test::ErrorMessageOf([&] { doc.SaveToFile(path); });
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_THAT(message, HasSubstr(path));
  EXPECT_NE(doc.FileName(), path);
  EXPECT_EQ(ReadBytes(path), kSmall);
  int files = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.Path())) ++files;
  EXPECT_EQ(files, 2);  // ro.lsp and big.lsp, no leftovers
#endif
}

TEST_F(CarSetupTest, savingThroughALinkKeepsTheLink) {
#ifdef _WIN32
  GTEST_SKIP() << "creating a symbolic link needs administrator rights or developer mode on Windows";
#endif
  const std::string real = Write("real.lsp", kSmall);
  const std::string link = dir.File("link.lsp");
  std::filesystem::create_symlink(real, link);
  doc.LoadFromFile(link);
  doc.FindSection("Drive")->FindData("DropGearId")->SetInteger(12);
  doc.SaveToFile();
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_THAT(ReadBytes(real), HasSubstr("DropGearId      12"));
}

TEST(SplitSetupLine, findsKeyAndValueTokensSeparatedByBlanksAndTabs) {
  auto s = SplitSetupLine("  Key\t \tValue rest");
  EXPECT_EQ(s.key, "Key");
  EXPECT_EQ(s.value, "Value");
  EXPECT_EQ(s.valuePosition, 9);  // 1-based
  s = SplitSetupLine("   OnlyKey  ");
  EXPECT_EQ(s.key, "OnlyKey");
  EXPECT_EQ(s.valuePosition, -1);
  s = SplitSetupLine(" \t ");
  EXPECT_EQ(s.key, "");
  EXPECT_EQ(s.valuePosition, -1);
  s = SplitSetupLine("a(\"b\" c");  // parentheses and quotes are ordinary characters
  EXPECT_EQ(s.key, "a(\"b\"");
  EXPECT_EQ(s.value, "c");
}

}  // namespace
}  // namespace gw
