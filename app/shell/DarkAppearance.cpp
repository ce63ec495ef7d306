#include "shell/DarkAppearance.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

void applyDarkAppearance()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette p;
    const QColor window = QColor::fromRgbF(0.10f, 0.11f, 0.10f);
    const QColor base = QColor(0x22, 0x24, 0x22);
    const QColor text = QColor(0xEE, 0xEE, 0xE8);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, QColor(0x2A, 0x2D, 0x2A));
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, QColor(0x33, 0x36, 0x33));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Highlight, QColor(0x5E, 0x6E, 0x3A));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::PlaceholderText, QColor(0x8A, 0x8D, 0x85));
    const QColor disabled(0x70, 0x72, 0x6D);
    p.setColor(QPalette::Disabled, QPalette::Text, disabled);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, disabled);
    p.setColor(QPalette::Disabled, QPalette::WindowText, disabled);
    QApplication::setPalette(p);
}
