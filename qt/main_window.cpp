// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "main_window.h"

#include "control_table.h"
#include "graphical_button.h"
#include "qt_look.h"
#include "texts.h"
#include "title_bar.h"

#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>

#include <algorithm>
#include <cstdio>
#include <exception>

namespace dornelik {

namespace {

using RowField = std::string_view TableRow::*;

std::array<ListBox*, columnCount> makeLists(QWidget* window,
                                            const std::array<std::string_view, columnCount>& names,
                                            const RowTable& table, RowField field)
{
    std::array<ListBox*, columnCount> lists;
    for (std::size_t column = 0; column < lists.size(); ++column) {
        auto* list = new ListBox(names[column], window);
        for (const TableRow& row : table[column])
            list->addItem(QString::fromUtf8(row.*field));
        lists[column] = list;
    }
    return lists;
}

void setBackground(QWidget* widget, QPalette colours, QColor colour)
{
    widget->setAutoFillBackground(true);
    colours.setColor(QPalette::Window, colour);
    widget->setPalette(colours);
}

RowMatcher::Lists asControls(const std::array<ListBox*, columnCount>& lists)
{
    RowMatcher::Lists controls;
    std::copy(lists.begin(), lists.end(), controls.begin());
    return controls;
}

} // namespace

MainWindow::MainWindow(const RowTable& table, bool ownTitleBar, QWidget* parent)
    : QWidget(parent, ownTitleBar ? Qt::Window | Qt::FramelessWindowHint
                                  : Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                                        | Qt::MSWindowsFixedSizeDialogHint)
    , visibleLists(makeLists(this, visibleListNames, table, &TableRow::text))
    , keyLists(makeLists(this, keyListNames, table, &TableRow::key))
    , matcher(asControls(visibleLists), asControls(keyLists))
    , selectionNews(asControls(visibleLists))
    , announcer(this)
{
    announcement.setSingleShot(true);
    announcement.setInterval(0);
    connect(&announcement, &QTimer::timeout, this, &MainWindow::announceSelection);
    normalAgain.setSingleShot(true);
    normalAgain.setInterval(0);
    connect(&normalAgain, &QTimer::timeout, this, &QWidget::showNormal);
    setWindowTitle(QString::fromUtf8(texts::caption));
    if (ownTitleBar)
        titleBar = new TitleBar(this);
    setFont(look::windowFont());

    for (ListBox* keys : keyLists) {
        keys->setFocusPolicy(Qt::NoFocus);
        keys->setSelectionMode(QAbstractItemView::NoSelection);
        keys->hide();
    }
    for (std::size_t column = 0; column < visibleLists.size(); ++column) {
        const auto index = static_cast<std::int16_t>(column);
        connect(visibleLists[column], &ListBox::selectedRowChanged, this,
                [this, index] { runHandler([this, index] { matcher.List1_Click(index); }); });
    }

    clearButton = new GraphicalButton(QString::fromUtf8(texts::clearButton),
                                      look::toQColor(look::clearButtonFace), this);
    clearButton->setObjectName("Command1");
    clearButton->setAccessibleName(clearButton->text());
    clearButton->setAccessibleDescription(QString::fromUtf8(texts::clearButtonDescription));
    connect(clearButton, &QPushButton::clicked, this,
            [this] { runHandler([this] { matcher.Command1_Click(); }); });

    addHeadingsAndText();
    placeControls();
    centreClientArea();
    applyColours(desktopContrast.isHigh());
    connect(&desktopContrast, &DesktopContrast::changed, this, &MainWindow::applyColours);
}

void MainWindow::addHeadingsAndText()
{
    for (std::size_t index = 0; index < texts::headings.size(); ++index) {
        auto* heading = new QLabel(QString::fromUtf8(texts::headings[index]), this);
        heading->setObjectName(QStringLiteral("Label1(%1)").arg(index));
        heading->setAlignment(Qt::AlignCenter);
        heading->setAutoFillBackground(true);
        if (index > 0) {
            ListBox* list = visibleLists[index - 1];
            heading->setBuddy(list);
            list->setAccessibleName(heading->text());
            list->setAccessibleDescription(QString::fromUtf8(texts::listDescriptions[index - 1]));
        }
    }

    explanation = new QPlainTextEdit(this);
    explanation->setObjectName("Text1");
    explanation->setReadOnly(true);
    explanation->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    explanation->setTabChangesFocus(true);
    explanation->setUndoRedoEnabled(false);
    explanation->setAcceptDrops(false);
    explanation->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    explanation->setWordWrapMode(QTextOption::WordWrap);
    explanation->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    explanation->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    explanation->setAccessibleName(QString::fromUtf8(texts::headings[0]));
    explanation->setAccessibleDescription(QString::fromUtf8(texts::explanationDescription));
}

// The client area below the window's own title bar, where it has one.
void MainWindow::placeControls()
{
    const PixelRect client = toPixels(clientArea);
    const int top = titleBar ? titleBar->height() : 0;
    setFixedSize(client.width, top + client.height);
    if (titleBar)
        titleBar->setGeometry(0, 0, client.width, top);
    QWidget* previous = nullptr;
    for (const ControlPlacement& control : controlTable) {
        auto* widget = findChild<QWidget*>(QString::fromUtf8(control.name));
        const PixelRect place = toPixels(control.twips);
        widget->setGeometry(place.left, top + place.top, place.width, place.height);
        if (widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            setTabOrder(previous, widget);
        else
            widget->setFocus();
        previous = widget;
    }
}

// The window's own colours, or, while the desktop asks for more contrast, the desktop's, the
// window, headings, button, lists and text alike.
void MainWindow::applyColours(bool highContrast)
{
    const look::WindowColours colours = look::windowColours(highContrast);
    setBackground(this, colours.palette, colours.window);
    for (QLabel* heading : findChildren<QLabel*>())
        setBackground(heading, colours.palette, colours.heading);
    clearButton->setFace(colours.button);
}

// Before the window manager has framed the window nothing is known of its frame: the client area
// is centred, which is where the window stays where no window manager moves it.
void MainWindow::centreClientArea()
{
    QRect client(QPoint(), size());
    client.moveCenter(screen()->availableGeometry().center());
    move(client.topLeft());
}

// The explanation gets its text as the window is first shown, once the text box knows its width:
// the long text is then laid out once, at that width.
void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!explanation->document()->isEmpty())
        return;
    explanation->setPlainText(QString::fromUtf8(texts::explanation));
    connect(windowHandle(), &QWindow::windowStateChanged, this, &MainWindow::keepItsSize);
}

// Maximised by a title bar, the window goes back to its size at once. Refused outright, the
// maximised size that a Wayland compositor has granted would end the program: the window takes
// it for a moment.
void MainWindow::keepItsSize(Qt::WindowState state)
{
    if (state != Qt::WindowMaximized)
        return;
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    normalAgain.start();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (windowState() == Qt::WindowNoState && size() == minimumSize())
        setMaximumSize(minimumSize());
}

// With a frame the frame is centred, title bar included; its size is known only once the window
// manager has framed the window, which it reports with the window's first move.
void MainWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (centred || frameGeometry() == geometry() || !screen())
        return;
    centred = true;
    QRect frame = frameGeometry();
    frame.moveCenter(screen()->availableGeometry().center());
    move(frame.topLeft());
}

void MainWindow::runHandler(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "dornelik: %s\n", error.what());
        QMessageBox::critical(this, windowTitle(),
                              QString::fromUtf8(texts::errorPrefix)
                                  + QString::fromUtf8(error.what()));
    }
    // After what Qt tells screen readers of the user's own change, the row they moved to.
    announcement.start();
}

void MainWindow::announceSelection()
{
    const std::string news = selectionNews.read();
    if (!news.empty())
        announcer.announce(QString::fromStdString(news));
}

} // namespace dornelik
