#include "inspector/BusySpinner.h"

#include <QPainter>

BusySpinner::BusySpinner(QWidget *parent) : QWidget(parent)
{
    setFixedSize(16, 16);
    setAccessibleName(QStringLiteral("Job in progress"));
    step.setInterval(80);
    connect(&step, &QTimer::timeout, this, [this] {
        angle = (angle + 30) % 360;
        update();
    });
}

void BusySpinner::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(8, 8);
    painter.rotate(angle);
    for (int i = 0; i < 12; ++i) {
        QColor tick = palette().color(QPalette::WindowText);
        tick.setAlphaF(0.15f + 0.85f * float(i) / 11.0f);
        painter.setPen(QPen(tick, 1.6, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(0, -4), QPointF(0, -7));
        painter.rotate(30);
    }
}

void BusySpinner::showEvent(QShowEvent *)
{
    step.start();
}

void BusySpinner::hideEvent(QHideEvent *)
{
    step.stop();
}
