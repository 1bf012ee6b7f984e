#pragma once
// The main window on a scratch installation: slot files of the grid setup in SavedGames and a settings
// file, with every message box recorded instead of shown.

#include "editor/form_main.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <filesystem>

#include "core/test_files.h"
#include "editor/form_file_list.h"
#include "editor/form_velocity.h"
#include "editor/settings_file.h"
#include "platform/ascii_text.h"
#include "platform/local_text.h"
#include "platform/paths.h"
#include "ui_test_app.h"
#include "widgets/modal_dialogs.h"
#include "widgets/slider_list_box.h"

namespace gw::test {

class FormMainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    modal_answers::Reset();
    modal_answers::TakeShownTexts();  // boxes are recorded, never shown
    std::filesystem::create_directories(dir.Path() / "SavedGames");
    grid = test::GridSetup();
    for (const char* name : {"3slot0_Wet.lsp", "0slot1_Tarmac.lsp", "1SLOT2_snow.lsp", "9slot0_x.lsp"})
      test::WriteBytes(Saved(name), grid);
    test::WriteBytes(Saved("notes.lsp"), grid);  // not a slot name: not listed
  }
  void TearDown() override {
    EXPECT_FALSE(modal_answers::Active()) << "an answer given in advance was not used";
  }

  std::unique_ptr<TFormMain> Form(std::optional<std::string> start = std::nullopt) {
    return std::make_unique<TFormMain>(
        TFormMainOptions{install, settings, std::move(start), dir.File("history")});
  }
  std::string Saved(std::string_view name) const {
    return (dir.Path() / "SavedGames" / std::string(name)).string();
  }
  template <typename T>
  static T* Child(QObject& form, const char* name) {
    T* child = form.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  static QStringList Entries(TFormMain& form) {
    return Child<TFileComboBox>(form, "ComboBoxFiles")->Entries();
  }
  static bool Enabled(TFormMain& form, const char* action) {
    return Child<QAction>(form, action)->isEnabled();
  }

  test::TempDir dir;
  std::string install = dir.Path().string();
  std::string settings = dir.File("Gravelwright.ini");
  std::string grid;
};

}  // namespace gw::test
