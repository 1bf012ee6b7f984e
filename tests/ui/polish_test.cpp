// What players tripped over: cut names, stray highlights, messages before the window, drifting focus,
// shared accelerators, velocities rewritten without a touch, and the demo's own data.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>

#include "compare/form_compare.h"
#include "core/test_files.h"
#include "editor/form_copy_to_file.h"
#include "editor/form_extract.h"
#include "editor/form_file_list.h"
#include "editor/form_icons.h"
#include "editor/form_main.h"
#include "editor/form_tov_option.h"
#include "editor/form_velocity.h"
#include "editor/settings_file.h"
#include "history/form_history.h"
#include "music/form_audio_edit.h"
#include "music/form_music.h"
#include "music/music_files.h"
#include "platform/local_text.h"
#include "setup/car_setup.h"
#include "ui_test_app.h"
#include "widgets/modal_dialogs.h"
#include "widgets/slider_list_box.h"

namespace gw {
namespace {

namespace fs = std::filesystem;

class PolishTest : public ::testing::Test {
 protected:
  void SetUp() override {
    modal_answers::Reset();
    modal_answers::TakeShownTexts();
    fs::create_directories(dir.Path() / "SavedGames");
    for (const char* name : {"0slot1_Tarmac.lsp", "9slot0_Prototype Gravel Long.lsp"})
      test::WriteBytes(Saved(name), test::GridSetup());
  }
  std::unique_ptr<TFormMain> Form(std::optional<std::string> start = std::nullopt) {
    return std::make_unique<TFormMain>(
        TFormMainOptions{dir.Path().string(), dir.File("Gravelwright.ini"), std::move(start), dir.File("h")});
  }
  std::string Saved(std::string_view name) const {
    return (dir.Path() / "SavedGames" / std::string(name)).string();
  }
  test::TempDir dir;
};

// The rightmost inked column of an image, -1 when nothing is drawn.
int LastInkedColumn(const QImage& image) {
  for (int x = image.width() - 1; x >= 0; --x)
    for (int y = 0; y < image.height(); ++y)
      if (qGray(image.pixel(x, y)) < 128) return x;
  return -1;
}

TEST_F(PolishTest, longNamesEndInAnEllipsisInsideTheirPartAndShowWholeAsTooltip) {
  QPalette palette;
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Text, Qt::black);
  const QString entry = QStringLiteral("9slot0_Prototype Gravel Long.lsp");
  // Drawn into a wide image whose right part lies outside the 192-pixel entry: nothing may spill there.
  QImage image(260, 16, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter p(&image);
    DrawSetupFileEntry(p, QStringList{entry}, 0, QRect(0, 0, 192, 16), false, palette, QFont());
  }
  const int last = LastInkedColumn(image);
  EXPECT_GT(last, 150);
  EXPECT_LT(last, 192);
  EXPECT_EQ(EntryToolTip(entry), entry);
  EXPECT_EQ(EntryToolTip(QStringLiteral("-")), "Open other file...");

  auto form = Form();
  auto* combo = form->findChild<TFileComboBox*>(QStringLiteral("ComboBoxFiles"));
  ASSERT_NE(combo, nullptr);
  combo->setCurrentIndex(1);
  EXPECT_EQ(combo->toolTip(), entry);
  combo->setCurrentIndex(-1);
  EXPECT_EQ(combo->toolTip(), "");

  // The copy dialog's list never scrolls sideways: long names are cut with "…" instead.
  TFormCopyToFile copy;
  EXPECT_EQ(copy.findChild<QListWidget*>(QStringLiteral("ListBoxDest"))->horizontalScrollBarPolicy(),
            Qt::ScrollBarAlwaysOff);
}

TEST_F(PolishTest, theClosedFileListDrawsNoHighlightWithNothingSelected) {
  auto form = Form();
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  auto* combo = form->findChild<TFileComboBox*>(QStringLiteral("ComboBoxFiles"));
  form->activateWindow();
  combo->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return combo->hasFocus(); }));
  const QColor highlight = combo->palette().color(QPalette::Highlight);
  auto highlighted = [&] {
    const QImage image = combo->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == highlight;
    return count;
  };
  combo->setCurrentIndex(-1);
  EXPECT_LT(highlighted(), 20);
  combo->setCurrentIndex(0);
  EXPECT_GT(highlighted(), 100);  // a chosen entry does show as selected
}

TEST_F(PolishTest, aMessageAboutTheCommandLineFileComesAfterTheWindowHasShown) {
  std::string damaged = test::GridSetup();
  damaged.insert(damaged.size() / 2, 1, '\0');
  test::WriteBytes(Saved("0slot2_Nul.lsp"), damaged);
  auto form = Form(Saved("0slot2_Nul.lsp"));
  form->show();
  EXPECT_TRUE(modal_answers::TakeShownTexts().isEmpty());  // nothing yet: the window draws first
  EXPECT_EQ(form->Setup().FileName(), "");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form->Setup().FileName().empty(); }));
  EXPECT_EQ(modal_answers::TakeShownTexts().size(), 1);
}

TEST_F(PolishTest, unmovedVelocitiesAreKeptExactlyAndMovedOnesTakeTheirPosition) {
  TFormVelocity dialog;
  std::vector<int32_t> opened{0, 15, 33, 49, 67, 85, 105, 121, 139, 151, 300};
  dialog.SetVelocities(opened);
  EXPECT_EQ(dialog.Velocities(), opened);
  TSliderListBox* list = dialog.SliderListBoxVelocity;
  EXPECT_EQ(list->Value(6), 52);
  list->SetValue(6, 53);
  opened[6] = 106;
  EXPECT_EQ(dialog.Velocities(), opened);
  // The dialog's bars are the main window's line tracks.
  EXPECT_EQ(list->SliderStyle(), TSliderStyle::ssLine);
}

TEST_F(PolishTest, everyDemoVelocityAxisAscends) {
  TTOVCarSetup setup;
  setup.LoadFromFile(std::string(GW_SOURCE_DIR) + "/demo/template/setup-template.lsp");
  std::map<std::string, std::vector<float>> axes;
  for (int s = 0; s < setup.SectionCount(); ++s)
    for (int i = 0; i < setup.GetSection(s)->Count(); ++i) {
      const TTOVCarSetupData* d = setup.GetSection(s)->GetData(i);
      const std::string key(d->Name());
      if (d->IsFloat() && key.find("Velocity_") != std::string::npos)
        axes[key.substr(0, key.size() - 3)].push_back(d->FloatValue());
    }
  EXPECT_GE(axes.size(), 4u);
  for (const auto& [axis, values] : axes) EXPECT_TRUE(std::is_sorted(values.begin(), values.end())) << axis;
}

TEST_F(PolishTest, hoverSelectsButLeavesTheFocusInTheCommentBox) {
  auto form = Form();
  form->show();
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  form->findChild<QTabWidget*>(QStringLiteral("PageControlGeneral"))->setCurrentIndex(0);
  form->LoadSetupFile(Saved("0slot1_Tarmac.lsp"));
  auto* memo = form->findChild<QPlainTextEdit*>(QStringLiteral("MemoComment"));
  ASSERT_TRUE(memo && memo->isEnabled());
  memo->setFocus();
  TSliderListBox* diff = form->List(TSetupList::Diff);
  QTest::mouseMove(diff->viewport(), diff->ItemRect(2).center());
  EXPECT_EQ(diff->ItemIndex(), 2);
  EXPECT_TRUE(memo->hasFocus());
  QTest::keyClicks(memo, QStringLiteral("ok"));
  EXPECT_TRUE(memo->toPlainText().endsWith(QStringLiteral("ok")));
}

TEST_F(PolishTest, theLinkBoxHasAnAcceleratorNoMenuUses) {
  auto form = Form();
  auto* link = form->findChild<QCheckBox*>(QStringLiteral("CheckBoxTyreLink"));
  ASSERT_NE(link, nullptr);
  const QString text = link->text();
  const int amp = static_cast<int>(text.indexOf(QLatin1Char('&')));
  ASSERT_GE(amp, 0);
  const QChar letter = text[amp + 1].toUpper();
  for (QAction* menu : form->menuBar()->actions()) {
    const QString title = menu->text();
    const int a = static_cast<int>(title.indexOf(QLatin1Char('&')));
    if (a >= 0) {
      EXPECT_NE(title[a + 1].toUpper(), letter) << FromQ(title);
    }
  }
}

TEST_F(PolishTest, theExtractListsCurrentRowIsItsSelectedRow) {
  fs::create_directories(dir.Path() / "Replays");
  test::WriteBytes((dir.Path() / "Replays" / "a.rpl").string(), "x");
  test::WriteBytes((dir.Path() / "Replays" / "b.rpl").string(), "x");
  TFormExtract d(nullptr, dir.Path().string());
  d.show();
  d.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
  d.ListBoxReplay->setFocus();
  ASSERT_NE(d.ListBoxReplay->currentItem(), nullptr);
  EXPECT_TRUE(d.ListBoxReplay->currentItem()->isSelected());
  EXPECT_EQ(d.EditRpl->text(), d.ListBoxReplay->currentItem()->text());
  QTest::keyClick(d.ListBoxReplay, Qt::Key_Down);
  EXPECT_EQ(d.ListBoxReplay->currentRow(), 1);
  EXPECT_EQ(d.ListBoxReplay->selectedItems(), QList<QListWidgetItem*>{d.ListBoxReplay->item(1)});
  EXPECT_EQ(d.EditRpl->text(), d.ListBoxReplay->item(1)->text());
}

TEST_F(PolishTest, theMusicListsLastColumnReachesTheRightEdge) {
  TFormMusic music(dir.Path().string());
  music.show();
  for (QTreeWidget* list : {music.ListViewTop, music.ListViewBottom}) {
    QHeaderView* header = list->header();
    EXPECT_TRUE(header->stretchLastSection());
    const int last = header->count() - 1;
    EXPECT_EQ(header->sectionViewportPosition(last) + header->sectionSize(last), list->viewport()->width());
  }
}

TEST_F(PolishTest, theCompareTablesLastColumnReachesTheRightEdgeAndKeepsItsWidthWhenCrowded) {
  TFormCompare compare(dir.Path().string(), dir.File("Gravelwright.ini"));
  compare.AddSetupFile(Saved("0slot1_Tarmac.lsp"));
  compare.show();
  QTreeWidget* table = compare.TableCompare;
  QHeaderView* header = table->header();
  EXPECT_TRUE(header->stretchLastSection());
  int last = header->count() - 1;
  EXPECT_EQ(header->sectionViewportPosition(last) + header->sectionSize(last), table->viewport()->width());
  // Columns wider than the window: the last keeps the width of its texts and the table scrolls.
  for (int i = 0; i < 8; ++i) compare.AddSetupFile(Saved("9slot0_Prototype Gravel Long.lsp"));
  QApplication::processEvents();
  last = header->count() - 1;
  EXPECT_GT(header->length(), table->viewport()->width());
  EXPECT_EQ(header->sectionSize(last), header->sectionSize(last - 1));  // the same file in both
}

double Luminance(QColor c) {
  auto channel = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
  return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}
double Contrast(QColor a, QColor b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST_F(PolishTest, inTheDarkThemeEveryDrawnPixelOfTheListsStandsOutFromItsBackground) {
  auto form = Form();
  auto* dark = form->findChild<QAction*>(QStringLiteral("MenuItemThemeDark"));
  ASSERT_NE(dark, nullptr);
  dark->trigger();
  EXPECT_EQ(ProfileIni(dir.File("Gravelwright.ini")).ReadString(kSectionCommon, kKeyTheme, ""), "Dark");
  // Without smoothing every text pixel carries the pen's own colour, which is what is measured.
  QFont sharp = form->font();
  sharp.setStyleStrategy(QFont::NoAntialias);
  form->setFont(sharp);
  form->show();
  form->LoadSetupFile(Saved("0slot1_Tarmac.lsp"));
  TSliderListBox* diff = form->List(TSetupList::Diff);
  diff->SetValue(1, diff->Value(1) + 3);  // a changed value is drawn in its own colour, with a tick
  int measured = 0;
  for (TSliderListBox* list : form->findChildren<TSliderListBox*>()) {
    if (!list->isVisible()) continue;
    const QImage image = list->viewport()->grab().toImage();
    const QColor background = list->palette().color(QPalette::Window);
    ASSERT_LT(background.lightness(), 80) << FromQ(list->objectName());
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        if (c == background) continue;
        ++measured;
        ASSERT_GE(Contrast(c, background), 4.5)
            << FromQ(list->objectName()) << " at " << x << "," << y << " " << FromQ(c.name());
      }
  }
  EXPECT_GT(measured, 1000);
  // Back to the light look for the tests after this one.
  form->findChild<QAction*>(QStringLiteral("MenuItemThemeLight"))->trigger();
  EXPECT_GT(QApplication::palette().color(QPalette::Window).lightness(), 128);
}

// Tab visits every control of the shown page, and each once, in the order the page is laid out.
TEST_F(PolishTest, tabReachesEveryControlOfThePageInLayoutOrder) {
  auto form = Form();
  form->show();
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  form->LoadSetupFile(Saved("0slot1_Tarmac.lsp"));
  auto* pages = form->findChild<QTabWidget*>(QStringLiteral("PageControlGeneral"));
  for (int page = 0; page < pages->count(); ++page) {
    pages->setCurrentIndex(page);
    QSet<QWidget*> wanted;
    for (QWidget* w : form->findChildren<QWidget*>())
      if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() &&
          !qobject_cast<QScrollBar*>(w) && w->window() == form.get()) {
        // A group of radio buttons is one Tab stop; the arrows move among them.
        if (!qobject_cast<QRadioButton*>(w)) wanted.insert(w);
      }
    QStringList order;
    QSet<QWidget*> seen;
    pages->tabBar()->setFocus();
    QWidget* w = pages->tabBar();
    for (int step = 0; step < 200 && seen.size() < wanted.size(); ++step) {
      QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w, Qt::Key_Tab);
      QWidget* now = QApplication::focusWidget();
      if (now && qobject_cast<QRadioButton*>(now) && !order.contains(QStringLiteral("radio")))
        order << "radio";
      if (now && wanted.contains(now) && !seen.contains(now)) {
        seen.insert(now);
        order << now->objectName();
      }
    }
    if (page == 0) {  // row by row, the comment box last, then round to the file list
      EXPECT_EQ(FromQ(order.join(QLatin1Char(' '))),
                "SliderListBoxDiff CheckBoxTyreLink SliderListBoxTyre radio SliderListBoxBrake "
                "SliderListBoxSteering MemoComment ComboBoxFiles qt_tabwidget_tabbar");
    }
    for (QWidget* missing : wanted)
      EXPECT_TRUE(seen.contains(missing))
          << page << " " << FromQ(missing->objectName()) << " " << missing->metaObject()->className();
  }
}

TEST_F(PolishTest, toolbarIconsAreDrawnAtEachCommonScale) {
  const QList<QSize> sizes = SaveIcon().availableSizes();
  for (int side : {16, 20, 24, 32}) EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
  // At 150 % the 24-pixel drawing is used as it is, not scaled from 32.
  const QPixmap pixmap = SaveIcon().pixmap(QSize(16, 16), 1.5);
  EXPECT_EQ(pixmap.size(), QSize(24, 24));
}

// Every window in both themes, saved for a look when GW_GALLERY names a folder; QT_SCALE_FACTOR picks the
// scale (looked at with 1, 1.25, 1.5 and 2).
TEST_F(PolishTest, galleryOfEveryWindowInBothThemes) {
  const QString folder = qEnvironmentVariable("GW_GALLERY");
  if (folder.isEmpty()) GTEST_SKIP() << "GW_GALLERY names no folder";
  QDir().mkpath(folder);
  test::WriteBytes(Saved("3slot0_Rally Finland.lsp"), test::GridSetup());
  auto form = Form();
  // Versions to list: two of an open file, one of a file deleted since.
  std::string changed = test::GridSetup();
  form->History().KeepVersion(Saved("0slot1_Tarmac.lsp"));
  test::WriteBytes(Saved("0slot1_Tarmac.lsp"), changed.replace(changed.find('0'), 1, "1"));
  form->History().KeepVersion(Saved("0slot1_Tarmac.lsp"));
  test::WriteBytes(Saved("5slot0_Monte Carlo Night.lsp"), test::GridSetup());
  form->History().KeepVersion(Saved("5slot0_Monte Carlo Night.lsp"));
  fs::remove(Saved("5slot0_Monte Carlo Night.lsp"));
  // Songs for the music manager, one with a long title, two in slots.
  fs::create_directories(dir.Path() / "Audio" / "Music");
  auto song = [&](const char* file, std::string title, std::string artist) {
    title.resize(kInfoFieldSize, '\0');
    artist.resize(kInfoFieldSize, '\0');
    test::WriteBytes((dir.Path() / "Audio" / "Music" / file).string(),
                     "INFO" + title + artist + "OggS" + std::string(300, 'x'));
  };
  song("Gravel Dawn.ogg", "Gravel Dawn", "The Hairpins");
  song("anthem.ogg", "Gravel Road Anthem (Extended Mix for the Long Stages)", "The Rally Drivers");
  song("night.ogg", "Night Stage", "Monte");
  test::WriteBytes((dir.Path() / "Audio" / "Sound.ini").string(),
                   "[MUSICPC::FRONTEND]\r\nMusic =Audio\\Music\\night.ogg\r\n\r\n[MUSICPC::REPLAY]\r\n"
                   "Music00 =Audio\\Music\\Gravel Dawn.ogg\r\nMusic10 =Audio\\Music\\anthem.ogg\r\n");
  auto save = [&](QWidget& w, const QString& theme, const QString& name) {
    w.show();
    QApplication::processEvents();
    EXPECT_TRUE(w.grab().save(QStringLiteral("%1/%2-%3.png").arg(folder, theme, name)));
  };
  for (const char* theme : {"Light", "Dark"}) {
    form->findChild<QAction*>(QStringLiteral("MenuItemTheme") + QLatin1String(theme))->trigger();
    const QString t = QString::fromLatin1(theme).toLower();
    form->show();
    form->LoadSetupFile(Saved("0slot1_Tarmac.lsp"));
    form->List(TSetupList::Diff)->SetValue(1, form->List(TSetupList::Diff)->Value(1) + 3);
    form->findChild<QPlainTextEdit*>(QStringLiteral("MemoComment"))
        ->setPlainText(QStringLiteral("Soft rear for the hairpins of stage 3.\nTyres: gravel hard, "
                                      "pressures as for Finland; try one click less rebound if it bottoms."));
    auto* pages = form->findChild<QTabWidget*>(QStringLiteral("PageControlGeneral"));
    for (int page = 0; page < pages->count(); ++page) {
      pages->setCurrentIndex(page);
      save(*form, t, QStringLiteral("main-%1").arg(page));
    }
    auto* combo = form->findChild<TFileComboBox*>(QStringLiteral("ComboBoxFiles"));
    combo->showPopup();
    QApplication::processEvents();
    if (QWidget* popup = combo->view()->window()) save(*popup, t, QStringLiteral("file-list"));
    combo->hidePopup();
    TFormVelocity velocity;
    velocity.SetVelocities({0, 15, 33, 49, 67, 85, 105, 121, 139, 151, 200});
    save(velocity, t, QStringLiteral("velocity"));
    TFormExtract extract(nullptr, dir.Path().string());
    save(extract, t, QStringLiteral("extract"));
    TFormCopyToFile copy;
    copy.Fill(Saved("0slot1_Tarmac.lsp"), {QStringLiteral("3slot0_Rally Finland.lsp"),
                                           QStringLiteral("9slot0_Prototype Gravel Long.lsp")});
    save(copy, t, QStringLiteral("copy"));
    TFormTOVOption option;
    save(option, t, QStringLiteral("tov-option"));
    TFormMusic music(dir.Path().string());
    save(music, t, QStringLiteral("music"));
    TFormCompare compare(dir.Path().string(), dir.File("Gravelwright.ini"));
    compare.AddSetupFile(Saved("0slot1_Tarmac.lsp"));
    std::string other = test::GridSetup();
    test::WriteBytes(dir.File("other.lsp"), other);
    compare.AddSetupFile(dir.File("other.lsp"));
    save(compare, t, QStringLiteral("compare"));
    TFormHistory history(form.get(), form->History(), Saved("0slot1_Tarmac.lsp"));
    save(history, t, QStringLiteral("history"));
    TFormAudioEdit audio;
    audio.EditSong->setText(QStringLiteral("Gravel Road Anthem (Extended Mix)"));
    audio.EditArtist->setText(QStringLiteral("The Rally Drivers"));
    save(audio, t, QStringLiteral("audio-edit"));
  }
  form->findChild<QAction*>(QStringLiteral("MenuItemThemeLight"))->trigger();
}

}  // namespace
}  // namespace gw
