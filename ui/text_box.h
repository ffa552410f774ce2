#pragma once

#include <QLineEdit>
#include <limits>

// A single-line text box that keeps whatever is typed or pasted into it. A QLineEdit cuts its
// text at 32,767 characters unless told otherwise; the program's boxes limit nothing, and the
// code that reads them copes with any length.
inline QLineEdit* NewTextBox(const QString& text, QWidget* parent) {
    auto* box = new QLineEdit(text, parent);
    box->setMaxLength(std::numeric_limits<int>::max());
    return box;
}
