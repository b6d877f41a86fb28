// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "title_bar.h"

#include "texts.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QWindow>

namespace dornelik {

// In the selection's colours, as title bars were on the classic desktop, whose contrast the
// window's palette keeps; as tall as the caption with room about it.
TitleBar::TitleBar(QWidget* window)
    : QWidget(window)
    , closeBox(new QToolButton(this))
{
    setObjectName("TitleBar");
    setFocusPolicy(Qt::NoFocus);
    setFixedHeight(fontMetrics().height() + 8);
    closeBox->setObjectName("CloseBox");
    closeBox->setFocusPolicy(Qt::NoFocus);
    closeBox->setAutoRaise(true);
    closeBox->setText("×");
    closeBox->setToolTip(QString::fromUtf8(texts::closeBox));
    closeBox->setAccessibleName(QString::fromUtf8(texts::closeBox));
    connect(closeBox, &QToolButton::clicked, window, &QWidget::close);
}

void TitleBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Highlight));
    painter.setPen(palette().color(QPalette::HighlightedText));
    painter.drawText(rect().adjusted(8, 0, -height(), 0), Qt::AlignVCenter | Qt::AlignLeft,
                     window()->windowTitle());
}

void TitleBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && window()->windowHandle())
        window()->windowHandle()->startSystemMove();
}

void TitleBar::resizeEvent(QResizeEvent*)
{
    closeBox->setGeometry(width() - height(), 0, height(), height());
}

// The close box's cross in the caption's colour, whichever palette the window takes.
void TitleBar::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::PaletteChange)
        return;
    QPalette colours = palette();
    colours.setColor(QPalette::ButtonText, colours.color(QPalette::HighlightedText));
    closeBox->setPalette(colours);
}

} // namespace dornelik
