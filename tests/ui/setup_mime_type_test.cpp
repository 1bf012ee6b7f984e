// The file type the package installs: a setup file is recognised by its first bytes; ".lsp" alone (Lisp
// source) is not enough. Checked through Qt's reading of a freshly built shared MIME database.
#include <gtest/gtest.h>

#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <filesystem>

#include "core/test_files.h"

namespace gw {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSetupType = "application/x-toven-rally-setup";

class SetupMimeType : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable(QStringLiteral("update-mime-database")).isEmpty())
      GTEST_SKIP() << "shared-mime-info is not installed";
    const fs::path mime = dir.Path() / "share" / "mime";
    fs::create_directories(mime / "packages");
    fs::copy_file(fs::path(GW_SOURCE_DIR) / "dist/linux/org.gravelwright.Gravelwright.mime.xml",
                  mime / "packages" / "org.gravelwright.Gravelwright.xml");
    // The system's own types are needed too: the rule works against the Lisp type they define.
    for (const auto& entry : fs::directory_iterator("/usr/share/mime/packages"))
      fs::copy_file(entry.path(), mime / "packages" / entry.path().filename(),
                    fs::copy_options::skip_existing);
    ASSERT_EQ(
        QProcess::execute(QStringLiteral("update-mime-database"), {QString::fromStdString(mime.string())}),
        0);
  }

  std::string TypeOf(const std::string& name, std::string_view bytes) {
    const std::string path = dir.File(name);
    test::WriteBytes(path, bytes);
    return QMimeDatabase().mimeTypeForFile(QString::fromStdString(path)).name().toStdString();
  }

  test::TempDir dir;
  test::ScopedEnv dataHome{"XDG_DATA_HOME", dir.File("home-share").c_str()};
  test::ScopedEnv dataDirs{"XDG_DATA_DIRS", dir.File("share").c_str()};
};

TEST_F(SetupMimeType, setupBytesWithTheExtension_areASetup_butLispSourceIsNot) {
  const std::string setup = "((\"CarSetup\"\n  (\"Body\"\n    (\"Mass\" 1200.000000)\n  )\n))\n";
  EXPECT_EQ(TypeOf("0slot1_Tarmac.lsp", setup), kSetupType);
  EXPECT_EQ(TypeOf("drawing.lsp", "(defun c:hello () (princ \"hello\"))\n"), "text/x-common-lisp");
  EXPECT_EQ(TypeOf("notes.txt", setup), "text/plain");  // the bytes alone do not rename a text file
}

}  // namespace
}  // namespace gw
