#pragma once

#include <QTimer>
#include <QWidget>

// A 16 x 16 busy indicator; it animates only while shown, so a hidden spinner costs nothing.
class BusySpinner : public QWidget {
    Q_OBJECT

public:
    explicit BusySpinner(QWidget *parent = nullptr);
    QSize sizeHint() const override { return {16, 16}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QTimer step;
    int angle = 0;
};
