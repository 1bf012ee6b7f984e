#include "editor/form_file_list.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QListView>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <random>

#include "ui_test_app.h"

namespace gw {
namespace {

// The sort with folded keys must give exactly what sorting the names with QString's case-insensitive
// comparison gives, for names that differ only in case, 8-bit and wide names, and prefixes.
TEST(SortIgnoringCase, ordersExactlyAsTheCaseInsensitiveComparison) {
  QStringList names = {QStringLiteral("0slot0_b.lsp"),
                       QStringLiteral("0slot0_B.lsp"),
                       QStringLiteral("0SLOT0_a.lsp"),
                       QStringLiteral("0slot0_.lsp"),
                       QStringLiteral("0slot0_a"),
                       QStringLiteral("0slot0_[x].lsp"),
                       QStringLiteral("0slot0_^.lsp"),
                       QStringLiteral("0slot0_\u00c4.lsp"),
                       QStringLiteral("0slot0_\u00e4b.lsp"),
                       QStringLiteral("0slot0_Z.lsp"),
                       QStringLiteral("0slot0_\u0416.lsp"),
                       QStringLiteral("0slot0_\u0436a.lsp"),
                       QStringLiteral("-"),
                       QStringLiteral("7slot2_z.lsp")};
  for (int i = 0; i < 40; ++i)
    names << QStringLiteral("%1slot%2_Stage %3.lsp").arg(i % 8).arg(i % 3).arg(i % 7);
  std::mt19937 random(15);
  for (int round = 0; round < 20; ++round) {
    std::shuffle(names.begin(), names.end(), random);
    QStringList expected = names;
    std::sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
      return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    QStringList sorted = names;
    SortIgnoringCase(sorted);
    ASSERT_EQ(sorted, expected) << round;
  }
}

// The list drops down below the box with up to 30 entries of one height, as the file list is specified,
// whatever the style: it no longer measures every entry before it opens.
TEST(TFileComboBox, dropsDownAListOfThirtyEntriesOfOneHeight) {
  QWidget window;
  auto* box = new TFileComboBox(&window, 16);
  QStringList names;
  for (int i = 0; i < 200; ++i) names << QStringLiteral("0slot0_%1.lsp").arg(i, 3, 10, QLatin1Char('0'));
  box->addItems(names);
  box->setGeometry(10, 10, 192, 22);
  window.resize(400, 300);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QStyleOptionComboBox option;
  option.initFrom(box);
  EXPECT_EQ(box->style()->styleHint(QStyle::SH_ComboBox_Popup, &option, box), 0);
  EXPECT_EQ(box->maxVisibleItems(), 30);
  auto* view = qobject_cast<QListView*>(box->view());
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->uniformItemSizes());
  box->showPopup();
  QApplication::processEvents();
  ASSERT_TRUE(view->isVisible());
  EXPECT_EQ(view->visualRect(view->model()->index(0, 0)).height(), 16);
  EXPECT_EQ(view->visualRect(view->model()->index(150, 0)).height(), 16);
  EXPECT_LE(view->viewport()->height(), 30 * 16);
  EXPECT_GE(view->viewport()->height(), 29 * 16);
  EXPECT_TRUE(view->verticalScrollBar()->isVisible());  // the other 170 entries are a scroll away
  box->hidePopup();
}

}  // namespace
}  // namespace gw
