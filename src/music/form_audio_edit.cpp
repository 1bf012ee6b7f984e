#include "music/form_audio_edit.h"

#include "widgets/dialog_parts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace gw {

TFormAudioEdit::TFormAudioEdit(QWidget* parent) : QDialog(parent) {
  InitToolDialog(*this, "FormAudioEdit", QStringLiteral("Edit"));
  const TDialogScale px(*this);

  auto edit = [this, px](const char* name, int top) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(name));
    // The texts are stored as 8-bit text of the system code page: typed straight from the keyboard only.
    e->setAttribute(Qt::WA_InputMethodEnabled, false);
    e->setGeometry(px(56), px(top), px(249), px(21));
    return e;
  };
  auto label = [this, px](const char* name, const QString& text, int top) {
    auto* l = new QLabel(text, this);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(px(8), px(top), px(46), px(21));
    return l;
  };
  Label1 = label("Label1", QStringLiteral("Song:"), 8);
  EditSong = edit("EditSong", 8);
  Label2 = label("Label2", QStringLiteral("Artist:"), 33);
  EditArtist = edit("EditArtist", 33);

  ButtonOk = new QPushButton(QStringLiteral("OK"), this);
  ButtonOk->setObjectName(QStringLiteral("ButtonOk"));
  ButtonOk->setDefault(true);
  ButtonOk->setGeometry(px(150), px(58), px(75), px(25));
  ButtonCancel = new QPushButton(QStringLiteral("Cancel"), this);
  ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
  ButtonCancel->setAutoDefault(false);
  ButtonCancel->setGeometry(px(230), px(58), px(75), px(25));
  connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);  // Escape rejects as well

  setFixedSize(px(313), px(87));
}

}  // namespace gw
