#include "picture_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextOption>

PictureButton::PictureButton(const QString& caption, const QPixmap& picture, QWidget* parent)
    : QPushButton(caption, parent), picture(picture) {}

void PictureButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = {};
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    const int margin = 3;
    const int shift = isDown() ? 1 : 0;  // the face moves as the button is pressed
    const QRect face = rect().adjusted(margin, margin, -margin, -margin).translated(shift, shift);
    const int captionHeight = fontMetrics().height();
    const QRect captionArea(face.left(), face.bottom() - captionHeight + 1, face.width(),
                            captionHeight);
    const QRect pictureArea(face.left(), face.top(), face.width(), captionArea.top() - face.top());

    painter.save();
    painter.setClipRect(pictureArea);
    QRect pictureRect(QPoint(), picture.deviceIndependentSize().toSize());
    pictureRect.moveCenter(pictureArea.center());
    painter.drawPixmap(pictureRect.topLeft(), picture);
    painter.restore();

    // Trailing blanks belong to the caption and move it left of the middle, as designed.
    QTextOption captionOption(Qt::AlignHCenter | Qt::AlignVCenter);
    captionOption.setFlags(QTextOption::IncludeTrailingSpaces);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(captionArea, text(), captionOption);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = face;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}
