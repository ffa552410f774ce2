#pragma once

#include <QPixmap>
#include <QPushButton>

// A command button in the picture style: its picture centred in the space above the caption,
// drawn at its own pixel size and cut off at the edges where it is larger than that space; the
// caption, trailing blanks included, centred along the bottom.
class PictureButton : public QPushButton {
    Q_OBJECT

  public:
    PictureButton(const QString& caption, const QPixmap& picture, QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap picture;
};
