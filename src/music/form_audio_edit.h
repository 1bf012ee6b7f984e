#pragma once
// The small dialog that edits a music file's song and artist. It only holds the two texts: the music window
// fills it, runs it and checks what comes back.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace gw {

class TFormAudioEdit final : public QDialog {
  Q_OBJECT

 public:
  explicit TFormAudioEdit(QWidget* parent = nullptr);
  Q_DISABLE_COPY_MOVE(TFormAudioEdit)

  QLabel* Label1 = nullptr;
  QLineEdit* EditSong = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* EditArtist = nullptr;
  QPushButton* ButtonOk = nullptr;
  QPushButton* ButtonCancel = nullptr;
};

}  // namespace gw
