// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QColor>
#include <QPushButton>

namespace dornelik {

// A push button drawn with a face of its own colour, whatever the style: a palette alone
// does not reach the face in Qt's styles. It is pressed by the mouse, and by Space or Enter
// while it has the focus, and is never a default button.
class GraphicalButton : public QPushButton {
    Q_OBJECT

public:
    GraphicalButton(const QString& caption, QColor face, QWidget* parent = nullptr);

    void setFace(QColor colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor face;
};

} // namespace dornelik
