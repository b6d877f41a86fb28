// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QWidget>

class QToolButton;

namespace dornelik {

// The window's title bar where the window draws its own: the caption, and a close box alone.
// Dragged, it moves the window; it has no minimise or maximise, and a double click does nothing.
class TitleBar : public QWidget {
    Q_OBJECT

public:
    explicit TitleBar(QWidget* window);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QToolButton* closeBox;
};

} // namespace dornelik
