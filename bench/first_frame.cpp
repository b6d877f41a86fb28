// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

// Opens the program's window (`first_frame dornelik`, as its main does) or the same pixels painted
// by hand in a bare Qt window (`first_frame pixels`), and once the first frame is on the screen
// prints the wall clock in nanoseconds and the peak resident memory in kilobytes, then quits.
#include "control_table.h"
#include "main_window.h"
#include "qt_look.h"
#include "row_table.h"
#include "texts.h"
#include "window_system.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

long peakResidentKilobytes()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// Reports once the window has been exposed and its first paint flushed.
class FirstFrame : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, [] {
                const auto now = std::chrono::system_clock::now().time_since_epoch();
                std::printf("%lld %ld\n",
                            static_cast<long long>(
                                std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                            peakResidentKilobytes());
                QApplication::quit();
            });
        }
        return false;
    }
};

// The program's window as a picture: its texts in its font and colours at their places, the
// lists' frames and rows, the button's face and the explanation wrapped in its box, without a
// widget for any of them. What showing this much costs in Qt at the least.
class SamePixels : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        using namespace dornelik;
        QPainter painter(this);
        painter.fillRect(rect(), look::toQColor(look::windowBackground));
        for (const ControlPlacement& control : controlTable) {
            const PixelRect place = toPixels(control.twips);
            const QRect box(place.left, place.top, place.width, place.height);
            switch (control.kind) {
            case ControlKind::heading:
                painter.fillRect(box, look::toQColor(look::headingBackground));
                painter.drawText(box, Qt::AlignCenter,
                                 QString::fromUtf8(texts::headings[control.index]));
                break;
            case ControlKind::list: {
                frame(painter, box);
                const int rowHeight = (box.height() - 4) / 3;
                for (int row = 0; row < 3; ++row)
                    painter.drawText(
                        box.adjusted(4, 2 + row * rowHeight, -2, 0).topLeft()
                            + QPoint(0, painter.fontMetrics().ascent()),
                        QString::fromUtf8(builtInTable[control.index][row].text.data(),
                                          builtInTable[control.index][row].text.size()));
                break;
            }
            case ControlKind::button:
                painter.fillRect(box, look::toQColor(look::clearButtonFace));
                painter.drawText(box, Qt::AlignCenter, QString::fromUtf8(texts::clearButton));
                break;
            case ControlKind::text:
                frame(painter, box);
                painter.fillRect(box.right() - 17, box.top() + 2, 16, box.height() - 4,
                                 Qt::lightGray);
                painter.drawText(box.adjusted(4, 2, -20, -2), Qt::TextWordWrap,
                                 QString::fromUtf8(texts::explanation));
                break;
            }
        }
    }

private:
    static void frame(QPainter& painter, const QRect& box)
    {
        painter.fillRect(box, Qt::white);
        painter.setPen(Qt::darkGray);
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.setPen(Qt::black);
    }
};

} // namespace

int main(int argc, char* argv[])
{
    const bool pixels = argc > 1 && std::strcmp(argv[1], "pixels") == 0;
    if (!pixels)
        dornelik::chooseWindowSystem();
    QApplication application(argc, argv);
    std::unique_ptr<QWidget> window;
    if (pixels) {
        window = std::make_unique<SamePixels>();
        const dornelik::PixelRect client = dornelik::toPixels(dornelik::clientArea);
        window->setFixedSize(client.width, client.height);
        window->setFont(QFont(dornelik::look::fontFamily, dornelik::look::fontPointSize));
    } else {
        dornelik::look::setUpApplication();
        window = std::make_unique<dornelik::MainWindow>(dornelik::builtInTable,
                                                        dornelik::titleBarIsOurs());
    }
    window->winId();
    FirstFrame firstFrame;
    window->windowHandle()->installEventFilter(&firstFrame);
    window->show();
    return QApplication::exec();
}
