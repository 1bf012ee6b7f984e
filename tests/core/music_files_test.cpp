#include "music/music_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "core/test_files.h"
#include "platform/error.h"
#include "platform/paths.h"

namespace gw {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

std::string Ogg(std::size_t size) {
  std::string bytes = "OggS";
  for (std::size_t i = 4; i < size; ++i) bytes.push_back(static_cast<char>(i * 7));
  return bytes;
}

std::string Wrapped(std::string_view song, std::string_view artist, const std::string& ogg) {
  std::string header(kInfoHeaderSize, '\0');
  header.replace(0, 4, "INFO");
  header.replace(4, song.size(), song);
  header.replace(68, artist.size(), artist);
  return header + ogg;
}

class MusicFiles : public ::testing::Test {
 protected:
  std::string Put(const std::string& name, const std::string& bytes) {
    WriteBytes(dir.File(name), bytes);
    return dir.File(name);
  }
  test::TempDir dir;
  std::string music = (dir.Path() / "Music").string() + "/";
  void SetUp() override { fs::create_directory(music); }
};

TEST_F(MusicFiles, readsSongAndArtistOfWrappedFilesOnly) {
  std::string song, artist;
  EXPECT_TRUE(ReadOggInfo(Put("w.ogg", Wrapped("Gravel Road", "The Co-Drivers", Ogg(500))), song, artist));
  EXPECT_EQ(song, "Gravel Road");
  EXPECT_EQ(artist, "The Co-Drivers");
  const std::string full(64, 'S');
  EXPECT_TRUE(ReadOggInfo(Put("f.ogg", Wrapped(full, "", Ogg(10))), song, artist));
  EXPECT_EQ(song, full);
  EXPECT_EQ(artist, "");
  EXPECT_TRUE(ReadOggInfo(Put("p.ogg", Ogg(200)), song, artist));
  EXPECT_EQ(song, "");
  EXPECT_FALSE(ReadOggInfo(Put("short.ogg", Ogg(135)), song, artist));
  std::string bad = Wrapped("x", "y", Ogg(10));
  bad[132] = 'X';
  EXPECT_FALSE(ReadOggInfo(Put("bad.ogg", bad), song, artist));
  EXPECT_THAT(test::ErrorMessageOf([&] { ReadOggInfo(dir.File("none.ogg"), song, artist); }),
              ::testing::HasSubstr("none.ogg"));
}

TEST_F(MusicFiles, rewritesOnlyTheHeaderFields) {
  const std::string ogg = Ogg(300);
  const std::string path = Put("w.ogg", Wrapped(std::string(30, 'a'), "Old", ogg));
  WriteOggInfo(path, "0123456789", "New artist");
  const std::string bytes = ReadBytes(path);
  EXPECT_EQ(bytes, Wrapped("0123456789", "New artist", ogg));
  EXPECT_EQ(bytes.substr(14, 54), std::string(54, '\0'));

  EXPECT_EQ(test::ErrorMessageOf([&] { WriteOggInfo(Put("p.ogg", Ogg(300)), "s", "a"); }),
            "Header not found.");
  std::string bad = Wrapped("x", "y", Ogg(10));
  bad[132] = 'X';
  const std::string badPath = Put("bad.ogg", bad);
  EXPECT_EQ(test::ErrorMessageOf([&] { WriteOggInfo(badPath, "s", "a"); }), "Invalid file.");
  EXPECT_EQ(ReadBytes(badPath), bad);
}

TEST_F(MusicFiles, aReadOnlyFileKeepsItsHeaderWhoeverRuns) {
  const std::string original = Wrapped("Song", "Artist", Ogg(300));
  const std::string path = Put("ro.ogg", original);
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_EQ(test::ErrorMessageOf([&] { WriteOggInfo(path, "New", "Other"); }),
            "Cannot write file = " + path + " (the file is read-only)");
  EXPECT_EQ(ReadBytes(path), original);
}

#ifndef _WIN32  // FIFOs and symbolic links are POSIX file-system objects
TEST_F(MusicFiles, importCreatesItsTargetAndNeverWritesThroughWhatIsThere) {
  const std::string source = Put("song.ogg", Ogg(1000));
  // A dangling link of the same name would lead the copy out of the music folder.
  const std::string outside = dir.File("outside.ogg");
  fs::create_symlink(outside, music + "song.ogg");
  EXPECT_EQ(test::ErrorMessageOf([&] { ImportMusicFile(source, music); }), "The file already exists.");
  EXPECT_FALSE(fs::exists(outside));
  EXPECT_TRUE(fs::is_symlink(music + "song.ogg"));
  fs::remove(music + "song.ogg");

  // A FIFO of the same name is no place to write to, and no reason to wait.
  {
    test::Fifo fifo(music + "song.ogg");
    EXPECT_EQ(test::ErrorMessageOf([&] { ImportMusicFile(source, music); }), "The file already exists.");
    EXPECT_FALSE(fifo.Rescued());
  }
  fs::remove(music + "song.ogg");
  EXPECT_EQ(ImportMusicFile(source, music), "song.ogg");
}
#endif

#ifndef _WIN32  // FIFOs and symbolic links are POSIX file-system objects
TEST_F(MusicFiles, musicIsReadOnlyFromRegularFilesAndWithoutWaiting) {
  const std::string pipe = dir.File("pipe.ogg");
  test::Fifo fifo(pipe);
  std::string song, artist;
  EXPECT_EQ(test::ErrorMessageOf([&] { ImportMusicFile(pipe, music); }), pipe + " is not a regular file.");
  EXPECT_FALSE(fs::exists(music + "pipe.ogg"));
  EXPECT_EQ(test::ErrorMessageOf([&] { ReadOggInfo(pipe, song, artist); }), pipe + " is not a regular file.");
  EXPECT_EQ(test::ErrorMessageOf([&] { MakePlayCopy(pipe, dir.File("play")); }),
            pipe + " is not a regular file.");
  EXPECT_FALSE(fifo.Rescued());
}
#endif

MATCHER_P4(Listed, name, song, artist, failure, "") {
  return arg.name == name && arg.song == song && arg.artist == artist && arg.failure == failure;
}

TEST_F(MusicFiles, theFolderListsItsOggFilesInWindowsOrderWithTheirInfo) {
  Put("Music/b.OGG", Wrapped("Song B", "Band", Ogg(200)));
  Put("Music/A.ogg", Ogg(200));
  Put("Music/a2.ogg", Wrapped("", "Solo", Ogg(10)));
  Put("Music/short.ogg", Ogg(135));        // too short to hold a stream
  Put("Music/notes.txt", Ogg(200));        // not named as music
  Put("Music/mp3.ogg", "ID3" + Ogg(500));  // no Ogg stream
  fs::create_directory(music + "folder.ogg");
  EXPECT_THAT(ListMusicFiles(music),
              ::testing::ElementsAre(Listed("A.ogg", "", "", ""), Listed("a2.ogg", "", "Solo", ""),
                                     Listed("b.OGG", "Song B", "Band", "")));
  EXPECT_THAT(ListMusicFiles(dir.File("none/")), ::testing::IsEmpty());
}

TEST_F(MusicFiles, aLargeFolderListsEveryFileOnceInOrder) {
  // Enough files for the reading to be shared out over several threads.
  constexpr int kCount = 1200;
  const auto name = [](int i) { return std::string("t").append(std::to_string(10000 + i)).append(".ogg"); };
  for (int i = 0; i < kCount; ++i)
    Put("Music/" + name(i), Wrapped("Song " + std::to_string(i), "B", Ogg(10)));
  Put("Music/t10600x.ogg", "not music at all, and long enough to be read whole........" + Ogg(100));
  const std::vector<TListedMusicFile> files = ListMusicFiles(music);
  ASSERT_EQ(files.size(), static_cast<std::size_t>(kCount));
  for (int i = 0; i < kCount; ++i) {
    const TListedMusicFile& file = files[static_cast<std::size_t>(i)];
    ASSERT_EQ(file.name, name(i));
    ASSERT_EQ(file.song, "Song " + std::to_string(i));
  }
}

#ifndef _WIN32  // FIFOs, symbolic links and permissions are POSIX file-system objects
TEST_F(MusicFiles, theFolderListsRegularFilesOnlyAndAnUnreadableOneWithItsReason) {
  Put("Music/a.ogg", Wrapped("Song A", "Artist A", Ogg(10)));
  Put("elsewhere.ogg", Wrapped("Linked", "Artist L", Ogg(10)));
  fs::create_symlink(dir.File("elsewhere.ogg"), music + "link.ogg");
  fs::create_symlink(dir.File("gone.ogg"), music + "dangling.ogg");
  test::Fifo fifo(music + "pipe.ogg");
  Put("Music/locked.ogg", Wrapped("Hidden", "Hidden", Ogg(10)));
  fs::permissions(music + "locked.ogg", fs::perms::none);
  test::OpenToOthers(dir.Path());
  test::AsOrdinaryUser user;
  const std::vector<TListedMusicFile> files = ListMusicFiles(music);
  ASSERT_EQ(files.size(), 3u);
  EXPECT_THAT(files[0], Listed("a.ogg", "Song A", "Artist A", ""));
  EXPECT_THAT(files[1], Listed("link.ogg", "Linked", "Artist L", ""));
  EXPECT_EQ(files[2].name, "locked.ogg");
  EXPECT_EQ(files[2].song, "");
  EXPECT_THAT(files[2].failure, ::testing::HasSubstr("Cannot open file = " + music + "locked.ogg ("));
  EXPECT_FALSE(fifo.Rescued());
}

// Opening a FIFO is itself an act: it releases a writer waiting for a reader. The listing leaves it unopened.
TEST_F(MusicFiles, theFolderListingNeverOpensAFifo) {
  const std::string pipe = music + "waiting.ogg";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::atomic<bool> released = false;
  std::thread writer([&] {
    const int fd = ::open(pipe.c_str(), O_WRONLY);  // waits for a reader
    released = true;
    if (fd >= 0) ::close(fd);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the writer is waiting
  EXPECT_TRUE(ListMusicFiles(music).empty());
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(released);
  const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);  // lets a waiting writer go
  writer.join();
  ::close(reader);
}
#endif

#ifdef _WIN32
// The file system itself ignores letter case here: any spelling finds the one file.
TEST_F(MusicFiles, filesAreFoundIgnoringAsciiCaseAsTheGameFindsThem) {
  Put("Music/ba.ogg", Ogg(10));
  fs::create_directory(music + "dir.ogg");
  EXPECT_TRUE(FileExists(FindMusicFile(music, "BA.OGG")));
  EXPECT_EQ(FindMusicFile(music, "ba.ogg"), music + "ba.ogg");
  EXPECT_EQ(FindMusicFile(music, "DIR.ogg"), "");
  EXPECT_EQ(FindMusicFile(music, "none.ogg"), "");
  EXPECT_EQ(FindMusicFile(music, ""), "");
}
#else
TEST_F(MusicFiles, filesAreFoundIgnoringAsciiCaseAsTheGameFindsThem) {
  Put("Music/ba.ogg", Ogg(10));
  Put("Music/Mix.ogg", Ogg(10));
  Put("Music/mix.ogg", Ogg(10));
  fs::create_directory(music + "dir.ogg");
  EXPECT_EQ(FindMusicFile(music, "BA.OGG"), music + "ba.ogg");
  EXPECT_EQ(FindMusicFile(music, "ba.ogg"), music + "ba.ogg");
  EXPECT_EQ(FindMusicFile(music, "mix.ogg"), music + "mix.ogg");  // the exact name first
  EXPECT_EQ(FindMusicFile(music, "MIX.OGG").size(), (music + "mix.ogg").size());
  EXPECT_EQ(FindMusicFile(music, "DIR.ogg"), "");
  EXPECT_EQ(FindMusicFile(music, "none.ogg"), "");
  EXPECT_EQ(FindMusicFile(music, ""), "");
}
#endif

TEST_F(MusicFiles, importWrapsPlainStreamsAndCopiesWrappedOnes) {
  const std::string plain = Ogg(1000);
  EXPECT_EQ(ImportMusicFile(Put("plain.ogg", plain), music), "plain.ogg");
  const std::string imported = ReadBytes(music + "plain.ogg");
  ASSERT_EQ(imported.size(), 1132u);
  EXPECT_EQ(imported, "INFO" + std::string(128, '\0') + plain);

  const std::string wrapped = Wrapped("s", "a", Ogg(200000));  // more than one block
  EXPECT_EQ(ImportMusicFile(Put("wrapped.ogg", wrapped), music), "wrapped.ogg");
  EXPECT_EQ(ReadBytes(music + "wrapped.ogg"), wrapped);

  EXPECT_EQ(test::ErrorMessageOf([&] { ImportMusicFile(dir.File("plain.ogg"), music); }),
            "The file already exists.");
}

TEST_F(MusicFiles, importRefusesWhatIsNotOggAndLeavesNothing) {
  for (const auto& [name, bytes] :
       std::vector<std::pair<std::string, std::string>>{{"text.ogg", std::string(5000, 'x')},
                                                        {"tiny.ogg", "ID3"},
                                                        {"empty.ogg", ""},
                                                        {"short.ogg", "RIFF0000"}}) {
    const std::string source = Put(name, bytes);
    EXPECT_EQ(test::ErrorMessageOf([&] { ImportMusicFile(source, music); }), "Invalid file = " + source);
    EXPECT_FALSE(fs::exists(music + name));
  }
  // A short stream that starts like Ogg is still taken.
  EXPECT_EQ(ImportMusicFile(Put("mini.ogg", "OggS12"), music), "mini.ogg");
  EXPECT_EQ(ReadBytes(music + "mini.ogg").size(), 138u);
  // A failure while writing removes the half-made file.
  EXPECT_THAT(
      test::ErrorMessageOf([&] { ImportMusicFile(Put("x.ogg", Ogg(10)), dir.File("NoFolder") + "/"); }),
      ::testing::HasSubstr("NoFolder"));
}

TEST_F(MusicFiles, playCopiesLeaveTheHeaderOutAndAreMadeOnce) {
  const std::string play = (dir.Path() / "play").string();
  const std::string ogg = Ogg(5000);
  const std::string copy = MakePlayCopy(Put("w.ogg", Wrapped("s", "a", ogg)), play);
  EXPECT_EQ(copy, play + kPathSeparator + "w.ogg");
  EXPECT_EQ(ReadBytes(copy), ogg);
#ifndef _WIN32  // Windows has no permission bits; the folder inherits the user's own temporary folder's
                // rights
  struct stat st {};
  ASSERT_EQ(stat(play.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
#endif

  WriteBytes(dir.File("w.ogg"), Wrapped("changed", "", Ogg(10)));
  EXPECT_EQ(ReadBytes(MakePlayCopy(dir.File("w.ogg"), play)), ogg);  // not refreshed
  EXPECT_EQ(ReadBytes(MakePlayCopy(Put("p.ogg", Ogg(700)), play)), Ogg(700));

  ClearPlayFolder(play);
  EXPECT_FALSE(fs::exists(play));
  EXPECT_NO_THROW(ClearPlayFolder(play));
}

TEST_F(MusicFiles, aPlayFolderThatIsNotOursIsNeverUsed) {
#ifdef _WIN32
  GTEST_SKIP() << "creating a symbolic link needs administrator rights or developer mode on Windows";
#endif
  const std::string elsewhere = (dir.Path() / "elsewhere").string();
  fs::create_directory(elsewhere);
  WriteBytes(elsewhere + "/keep.txt", "precious");
  const std::string play = (dir.Path() / "play").string();
  fs::create_directory_symlink(elsewhere, play);
  EXPECT_THAT(test::ErrorMessageOf([&] { MakePlayCopy(Put("p.ogg", Ogg(300)), play); }),
              ::testing::HasSubstr("not a private"));
  ClearPlayFolder(play);
  EXPECT_EQ(ReadBytes(elsewhere + "/keep.txt"), "precious");
  EXPECT_FALSE(fs::exists(elsewhere + "/p.ogg"));
}

TEST(DefaultMusic, findsTheGamesOwnFilesIgnoringCase) {
  EXPECT_EQ(DefaultMusicIndex("ba.ogg"), 0);
  EXPECT_EQ(DefaultMusicIndex("BA.OGG"), 0);
  EXPECT_EQ(DefaultMusicIndex("sp.ogg"), 10);
  EXPECT_EQ(DefaultMusicIndex("ba2.ogg"), -1);
  EXPECT_EQ(DefaultMusicIndex(""), -1);
}

}  // namespace
}  // namespace gw
