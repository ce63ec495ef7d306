#pragma once

#include <QLabel>

// A one-line label that keeps its whole text but draws it shortened in the middle when the space is short,
// so a long file name keeps both its start and its extension.
class ElidingLabel : public QLabel {
public:
    using QLabel::QLabel;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
