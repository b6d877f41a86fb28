// Opens the program's window (`first_frame dornelik`, as its main does), a bare Qt window of the
// same size (`first_frame bare`), or the bare window with one line of text in the program's font
// (`first_frame text`), and once the first frame is on the screen prints the wall clock in
// nanoseconds and the peak resident memory in kilobytes, then quits.
#include "main_window.h"
#include "qt_look.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
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

} // namespace

int main(int argc, char* argv[])
{
    const char* kind = argc > 1 ? argv[1] : "dornelik";
    QApplication application(argc, argv);
    std::unique_ptr<QWidget> window;
    if (std::strcmp(kind, "dornelik") != 0) {
        window = std::make_unique<QWidget>();
        window->setFixedSize(461, 345);
        if (std::strcmp(kind, "text") == 0) {
            auto* line = new QLabel(QString::fromUtf8("Чисти"), window.get());
            line->setFont(QFont(dornelik::look::fontFamily, dornelik::look::fontPointSize));
        }
    } else {
        dornelik::look::setUpApplication();
        window = std::make_unique<dornelik::MainWindow>();
    }
    window->winId();
    FirstFrame firstFrame;
    window->windowHandle()->installEventFilter(&firstFrame);
    window->show();
    return QApplication::exec();
}
