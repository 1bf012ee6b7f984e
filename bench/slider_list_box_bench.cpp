// Repainting the slider list box: one entry after a value change (what every pointer move of a drag
// costs) and a whole list of 11 entries. Goal: an entry repaint well under 0.2 ms, so a drag keeps up
// with a 120 Hz display even when an OnSlide handler moves a linked entry too.
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM names another (xcb under xvfb-run, for example).

#include <benchmark/benchmark.h>

#include <QApplication>

#include <QPainter>
#include <memory>

#include "bench_summary.h"
#include "qt_bench_app.h"

#include "widgets/slider_list_box.h"

namespace {

using gw::bench::App;

// A list set up as the main window sets up its lists.
std::unique_ptr<gw::TSliderListBox> MainWindowList(int entries) {
  App();
  auto box = std::make_unique<gw::TSliderListBox>();
  box->SetCheckBox(false);
  box->SetSliderStyle(gw::TSliderStyle::ssLine);
  box->SetCounterStyle(gw::TCounterStyle::csCustom);
  box->SetFocusedStyle(gw::TSliderSelectedStyle::ssFocus);
  box->SetSelectedStyle(gw::TSliderSelectedStyle::ssClear);
  box->SetWide(true);
  box->SetTextWidth(125);
  box->SetValueWidth(48);
  box->OnSliderCustomValue = [](gw::TSliderListBox* Sender, int Index, QString& S, uint32_t& F) {
    S = QString::number(Sender->States().Items(Index).Value() * 0.1, 'f', 1) + QStringLiteral(" kPa");
    F = 2085;
  };
  for (int i = 0; i < entries; ++i) {
    box->AddItem(QStringLiteral("Bump %1").arg(i));
    box->SetMax(i, 1000);
    box->SetValue(i, 100 * (i % 10));
  }
  box->resize(400, entries * box->ItemHeight() + 2 * box->frameWidth());
  box->show();
  box->SetItemIndex(entries / 2);
  QCoreApplication::processEvents();
  return box;
}

void BM_RepaintOneEntryAfterValueChange(benchmark::State& state) {
  auto box = MainWindowList(11);
  int32_t value = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    value = value == 400 ? 600 : 400;
    box->SetValue(5, value);
    gw::bench::Record("entry", gw::bench::MsSince(start));
  }
}
BENCHMARK(BM_RepaintOneEntryAfterValueChange)->Unit(benchmark::kMicrosecond);
GW_BENCH_GOAL(gw::bench::Goal{"an entry repainted after a value change", "entry", "", 0.2});

void BM_PaintListOfElevenEntries(benchmark::State& state) {
  auto box = MainWindowList(11);
  for (auto _ : state) box->PaintAllItems();
}
BENCHMARK(BM_PaintListOfElevenEntries)->Unit(benchmark::kMicrosecond);

// The same list repainted by the toolkit as one region (an exposure), for comparison with the above.
void BM_ExposeListOfElevenEntries(benchmark::State& state) {
  auto box = MainWindowList(11);
  for (auto _ : state) box->viewport()->repaint();
}
BENCHMARK(BM_ExposeListOfElevenEntries)->Unit(benchmark::kMicrosecond);

}  // namespace
