// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "graphical_button.h"

#include <QKeyEvent>
#include <QPainter>
#include <qdrawutil.h>

namespace dornelik {

GraphicalButton::GraphicalButton(const QString& caption, QColor face, QWidget* parent)
    : QPushButton(caption, parent)
    , face(face)
{
    setAutoDefault(false);
    setDefault(false);
    setFocusPolicy(Qt::StrongFocus);
}

void GraphicalButton::setFace(QColor colour)
{
    face = colour;
    update();
}

void GraphicalButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QRect bevel = rect();
    if (hasFocus()) {
        // A focused button wears a black frame around its bevel, as on the classic desktop.
        painter.setPen(Qt::black);
        painter.drawRect(bevel.adjusted(0, 0, -1, -1));
        bevel.adjust(1, 1, -1, -1);
    }
    const QBrush faceBrush(face);
    qDrawWinButton(&painter, bevel, palette(), isDown(), &faceBrush);

    QRect caption = bevel;
    if (isDown())
        caption.translate(1, 1);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(caption, Qt::AlignCenter, text());

    if (hasFocus()) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(caption.adjusted(3, 3, -4, -4));
    }
}

void GraphicalButton::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && !event->isAutoRepeat()) {
        click();
        return event->accept();
    }
    QPushButton::keyPressEvent(event);
}

} // namespace dornelik
