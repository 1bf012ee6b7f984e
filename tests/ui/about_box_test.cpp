// The About box names the version the program was built as.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>

#include "core/test_files.h"
#include "editor/form_main.h"
#include "ui_test_app.h"
#include "widgets/modal_dialogs.h"

namespace gw {
namespace {

TEST(AboutBox, namesTheApplicationsVersion) {
  modal_answers::Reset();
  modal_answers::TakeShownTexts();
  QCoreApplication::setApplicationVersion(QStringLiteral("4.5.6"));
  test::TempDir dir;
  TFormMain form(TFormMainOptions{dir.Path().string(), dir.File("Gravelwright.ini"), std::nullopt});
  form.findChild<QAction*>(QStringLiteral("MenuItemAbout"))->trigger();
  const QStringList shown = modal_answers::TakeShownTexts();
  ASSERT_EQ(shown.size(), 1);
  EXPECT_TRUE(shown.front().startsWith(QStringLiteral("Gravelwright 4.5.6\n")))
      << shown.front().toStdString();
}

}  // namespace
}  // namespace gw
