// The windows as a player meets them, each next to its floor:
// - start-up until the main window has painted, as whole processes, next to a program that shows one
//   empty window of the same client size: wall time, time to the end of the first paint, CPU time and
//   peak memory, on Qt's offscreen platform and on an X server (the run's own Xvfb when DISPLAY is unset);
// - the time from picking a file to every slider painted;
// - a saved-games folder of 20,000 setups: opening and closing the file list, closing the window;
// - the music manager opening on a folder of 10,000 music files.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QTabWidget>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench_summary.h"
#include "core/test_files.h"
#include "editor/form_file_list.h"
#include "editor/form_main.h"
#include "music/form_music.h"
#include "music/music_files.h"
#include "platform/paths.h"
#include "qt_bench_app.h"
#include "setup/game_folders.h"
#include "widgets/slider_list_box.h"

extern char** environ;

namespace {

using gw::bench::App;
using gw::bench::Goal;
using gw::bench::MsSince;
using gw::bench::Record;
using Clock = std::chrono::steady_clock;

namespace fs = std::filesystem;

// An installation whose saved-games folder holds `count` setups (24 is a player's full set of slots).
struct Installation {
  gw::test::TempDir dir;
  std::string folder = dir.Path().string();
  std::string settings = dir.File("Gravelwright.ini");
  explicit Installation(int count = 24) {
    fs::create_directories(dir.Path() / "SavedGames");
    const std::string setup = gw::test::SampleSetup();
    for (int i = 0; i < count; ++i) {
      const std::string title = i < 24 ? "Stage" : "Stage " + std::to_string(i / 24);
      gw::test::WriteBytes(
          (dir.Path() / "SavedGames" /
           (std::to_string(i % 8) + "slot" + std::to_string(i / 8 % 3) + "_" + title + ".lsp"))
              .string(),
          setup);
    }
  }
};

// ---- start-up as whole processes ----

long long MonotonicNs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

// An X server for the run: the caller's DISPLAY, or an Xvfb of our own that ends with the program.
class TXServer {
 public:
  static const std::string& Display() {
    static TXServer server;
    return server.display_;
  }
  ~TXServer() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }

 private:
  TXServer() {
    if (const char* d = std::getenv("DISPLAY"); d && *d) {
      display_ = d;
      return;
    }
    // A display number of our own, away from those that desktops and xvfb-run pick. Without -noreset the
    // server resets as its last client leaves, and may refuse the next probe while it does.
    int number = 150;
    while (access(("/tmp/.X" + std::to_string(number) + "-lock").c_str(), F_OK) == 0 ||
           access(("/tmp/.X11-unix/X" + std::to_string(number)).c_str(), F_OK) == 0)
      ++number;
    std::vector<std::string> args = {
        "Xvfb", ":" + std::to_string(number), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    if (posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv.data(), environ) != 0) pid_ = 0;
    posix_spawn_file_actions_destroy(&actions);
    // Ready when its socket accepts a connection, within five seconds.
    const std::string socketPath = "/tmp/.X11-unix/X" + std::to_string(number);
    for (int i = 0; i < 500 && pid_ > 0; ++i) {
      if (Accepts(socketPath)) {
        display_ = ":" + std::to_string(number);
        break;
      }
      if (waitpid(pid_, nullptr, WNOHANG) == pid_) pid_ = 0;  // it could not start
      usleep(10000);
    }
  }

  static bool Accepts(const std::string& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    const bool ok = fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0) close(fd);
    return ok;
  }

  pid_t pid_ = 0;
  std::string display_;
};

// One start of the probe: wall time, time to the end of the first paint, CPU time (ms), peak memory (MiB).
struct ProbeRun {
  double wall = 0, paint = 0, cpu = 0, peak = 0;
  bool ok = false;
};

ProbeRun StartProbe(const std::vector<std::string>& args, const std::map<std::string, std::string>& env) {
  std::vector<std::string> all{GW_STARTUP_PROBE};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> envStrings;
  for (char** e = environ; *e; ++e) {
    const std::string entry(*e);
    if (!env.count(entry.substr(0, entry.find('=')))) envStrings.push_back(entry);
  }
  for (const auto& [key, value] : env) envStrings.push_back(key + "=" + value);
  std::vector<char*> envp;
  for (auto& e : envStrings) envp.push_back(e.data());
  envp.push_back(nullptr);

  ProbeRun run;
  int fds[2];
  if (pipe(fds) != 0) return run;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  const long long start = MonotonicNs();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, all[0].c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (spawned != 0) {
    close(fds[0]);
    return run;
  }
  std::string out;
  char buffer[64];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;)
    out.append(buffer, static_cast<std::size_t>(n));
  close(fds[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const long long end = MonotonicNs();
  run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  run.wall = static_cast<double>(end - start) / 1e6;
  run.paint = static_cast<double>(std::atoll(out.c_str()) - start) / 1e6;
  run.cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
            static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
  run.peak = static_cast<double>(usage.ru_maxrss) / 1024.0;
  return run;
}

// Runs the probe once per iteration; the samples go under "startup.<name>.{wall,paint,cpu,peak}".
void RunProbe(benchmark::State& state, const std::string& name, const std::vector<std::string>& args,
              bool x11) {
  state.SetLabel(x11 ? "Xvfb" : "offscreen");
  std::map<std::string, std::string> env{{"QT_QPA_PLATFORM", x11 ? "xcb" : "offscreen"}};
  if (x11) {
    if (TXServer::Display().empty()) {
      state.SkipWithError("no X server: neither DISPLAY nor Xvfb");
      return;
    }
    env["DISPLAY"] = TXServer::Display();
  }
  ProbeRun sum;
  for (auto _ : state) {
    const ProbeRun run = StartProbe(args, env);
    if (!run.ok) {
      state.SkipWithError("the probe failed");
      return;
    }
    state.SetIterationTime(run.wall / 1e3);
    Record("startup." + name + ".wall", run.wall);
    Record("startup." + name + ".paint", run.paint);
    Record("startup." + name + ".cpu", run.cpu);
    Record("startup." + name + ".peak", run.peak);
    sum.paint += run.paint;
    sum.cpu += run.cpu;
    sum.peak += run.peak;
  }
  const auto n = static_cast<double>(state.iterations());
  state.counters["paint_ms"] = sum.paint / n;
  state.counters["cpu_ms"] = sum.cpu / n;
  state.counters["peak_MiB"] = sum.peak / n;
}

// The probe once per iteration: an empty window, a label, or the main window on `setups` saved setups;
// on the offscreen platform or on the X server. The samples go under startup.[x11.]<window>[<setups>].
void BM_Startup(benchmark::State& state, const std::string& window, int setups, bool x11) {
  std::string key = (x11 ? "x11." : "") + window;
  std::vector<std::string> args{window};
  std::unique_ptr<Installation> install;
  if (window == "main") {
    install = std::make_unique<Installation>(setups);
    args.insert(args.end(), {install->folder, install->settings});
    if (setups != 24) key += std::to_string(setups);
  }
  RunProbe(state, key, args, x11);
}
BENCHMARK_CAPTURE(BM_Startup, EmptyWindow, "empty", 0, false)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20);
BENCHMARK_CAPTURE(BM_Startup, OneLabel, "label", 0, false)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20);
BENCHMARK_CAPTURE(BM_Startup, MainWindow, "main", 24, false)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20);
// No cost a player can feel at any folder size: the same start on a folder of 20,000 setups.
BENCHMARK_CAPTURE(BM_Startup, MainWindow20000Setups, "main", 20000, false)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(10);
BENCHMARK_CAPTURE(BM_Startup, EmptyWindowXvfb, "empty", 0, true)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20);
BENCHMARK_CAPTURE(BM_Startup, MainWindowXvfb, "main", 24, true)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20);

GW_BENCH_GOAL(Goal{"start-up, offscreen (whole process)", "startup.main.wall", "startup.empty.wall", 1.5});
GW_BENCH_GOAL(Goal{"start-up, offscreen (to first paint)", "startup.main.paint", "startup.empty.paint", 1.5});
GW_BENCH_GOAL(Goal{"start-up, offscreen, 20,000 setups", "startup.main20000.wall", "startup.empty.wall",
                   1.5});
GW_BENCH_GOAL(Goal{"start-up, Xvfb (whole process)", "startup.x11.main.wall", "startup.x11.empty.wall", 1.5});
GW_BENCH_GOAL(Goal{"start-up, Xvfb (CPU)", "startup.x11.main.cpu", "startup.x11.empty.cpu", 1.5});
GW_BENCH_GOAL(Goal{"peak memory after start, offscreen", "startup.main.peak", "startup.empty.peak", 1.5,
                   "MiB"});
GW_BENCH_GOAL(Goal{"peak memory after start, Xvfb", "startup.x11.main.peak", "startup.x11.empty.peak", 1.5,
                   "MiB"});

// ---- picking a file ----

// Picking a file: load, every slider moved, then every list of the shown page painted at once. The
// page with the most lists is shown: the map tab with six lists of eleven entries.
void BM_PickFileToSlidersPainted(benchmark::State& state) {
  App();
  Installation install;
  gw::TFormMain form(
      gw::TFormMainOptions{install.folder, install.settings, std::nullopt, install.folder + "/history"});
  form.show();
  QApplication::processEvents();
  const QList<gw::TSliderListBox*> lists = form.findChildren<gw::TSliderListBox*>();
  int i = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    form.LoadSetupFile(std::to_string(i % 8) + "slot" + std::to_string(i / 8 % 3) + "_Stage.lsp");
    ++i;
    for (gw::TSliderListBox* list : lists)
      if (list->isVisible()) list->viewport()->repaint();
    Record("pick", MsSince(start));
  }
}
BENCHMARK(BM_PickFileToSlidersPainted)->Unit(benchmark::kMillisecond);
GW_BENCH_GOAL(Goal{"picking a file until its sliders painted", "pick", "", 5});

// ---- a saved-games folder of 20,000 setups ----

// The drop-down list of the window opened and closed, as a click on it and a click outside do.
void OpenAndCloseList(QComboBox& list, const std::string& key) {
  auto start = Clock::now();
  list.showPopup();
  QApplication::processEvents();
  Record(key + ".open", MsSince(start));
  start = Clock::now();
  list.hidePopup();
  QApplication::processEvents();
  Record(key + ".close", MsSince(start));
}

void BM_FileList20000SetupsOpenClose(benchmark::State& state) {
  App();
  Installation install(20000);
  gw::TFormMain form(gw::TFormMainOptions{install.folder, install.settings, std::nullopt});
  form.show();
  QApplication::processEvents();
  auto* list = form.findChild<gw::TFileComboBox*>(QStringLiteral("ComboBoxFiles"));
  for (auto _ : state) OpenAndCloseList(*list, "filelist");
}
BENCHMARK(BM_FileList20000SetupsOpenClose)->Unit(benchmark::kMillisecond)->Iterations(10);

// The floor: a plain combo box with the same 20,000 names.
void BM_PlainComboBox20000EntriesOpenClose(benchmark::State& state) {
  App();
  Installation install(20000);
  QStringList names;
  for (const std::string& name : gw::FindFiles(install.folder + "/SavedGames", "*.lsp"))
    names << QString::fromStdString(name);
  QComboBox list;
  list.addItems(names);
  list.show();
  QApplication::processEvents();
  for (auto _ : state) OpenAndCloseList(list, "plainlist");
}
BENCHMARK(BM_PlainComboBox20000EntriesOpenClose)->Unit(benchmark::kMillisecond)->Iterations(10);

// Closing the window (the player's settings are written) until it is gone.
void BM_CloseWindow20000Setups(benchmark::State& state) {
  App();
  Installation install(20000);
  for (auto _ : state) {
    state.PauseTiming();
    auto form =
        std::make_unique<gw::TFormMain>(gw::TFormMainOptions{install.folder, install.settings, std::nullopt});
    form->show();
    QApplication::processEvents();
    state.ResumeTiming();
    const auto start = Clock::now();
    form->close();
    form.reset();
    QApplication::processEvents();
    Record("close20000", MsSince(start));
  }
}
BENCHMARK(BM_CloseWindow20000Setups)->Unit(benchmark::kMillisecond)->Iterations(5);

GW_BENCH_GOAL(Goal{"file list of 20,000 setups: open", "filelist.open", "", 50});
GW_BENCH_GOAL(Goal{"  (a plain combo box of 20,000: open)", "plainlist.open", "", 50});
GW_BENCH_GOAL(Goal{"file list of 20,000 setups: close", "filelist.close", "", 10});
GW_BENCH_GOAL(Goal{"  (a plain combo box of 20,000: close)", "plainlist.close", "", 10});
GW_BENCH_GOAL(Goal{"window with 20,000 setups: close", "close20000", "", 10});

// ---- the music manager on 10,000 files ----

struct MusicInstallation {
  gw::test::TempDir dir;
  std::string folder = dir.Path().string();
  std::string music = gw::GamePath(folder, gw::kMusicFolder);
  explicit MusicInstallation(int count) {
    fs::create_directories(dir.Path() / "Audio" / "Music");
    std::string wrapped = "INFO";
    wrapped.resize(4 + 2 * gw::kInfoFieldSize, '\0');
    wrapped.append("OggS");
    wrapped.resize(4096, 'x');
    for (int i = 0; i < count; ++i) {
      std::string bytes = wrapped;
      const std::string song = "Song " + std::to_string(count - i), artist = "Band " + std::to_string(i % 97);
      bytes.replace(4, song.size(), song);
      bytes.replace(4 + gw::kInfoFieldSize, artist.size(), artist);
      gw::test::WriteBytes(music + (i % 2 ? "track" : "Track") + std::to_string(count - i) + ".ogg", bytes);
    }
  }
};

void BM_MusicManagerOpen10000Files(benchmark::State& state) {
  App();
  MusicInstallation install(10000);
  for (auto _ : state) {
    const auto start = Clock::now();
    auto form = std::make_unique<gw::TFormMusic>(install.folder, nullptr, install.dir.File("play"));
    form->show();
    QApplication::processEvents();
    Record("music.open", MsSince(start));
    state.PauseTiming();
    form->hide();
    form.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_MusicManagerOpen10000Files)->Unit(benchmark::kMillisecond)->Iterations(10);

// The floor: listing the same folder.
void BM_ListMusicFolder10000Files(benchmark::State& state) {
  MusicInstallation install(10000);
  for (auto _ : state) {
    const auto start = Clock::now();
    benchmark::DoNotOptimize(gw::FindFiles(install.music, "*.ogg"));
    Record("music.list", MsSince(start));
  }
}
BENCHMARK(BM_ListMusicFolder10000Files)->Unit(benchmark::kMillisecond)->Iterations(10);

GW_BENCH_GOAL(Goal{"music manager, 10,000 files: open", "music.open", "", 50});
GW_BENCH_GOAL(Goal{"  (listing the folder of 10,000 files)", "music.list", "", 50});

}  // namespace
