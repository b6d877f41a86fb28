// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "qt_look.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QStyle>
#include <QStyleFactory>

namespace dornelik::look {

namespace {

bool showsCyrillic(const QString& family)
{
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::Cyrillic);
}

QPalette& desktopPalette()
{
    static QPalette palette;
    return palette;
}

// The three matched rows are seen together: a list without the focus shows its selection in the
// colours of the list that has it.
QPalette selectingAlike(QPalette palette)
{
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    return palette;
}

} // namespace

QFont windowFont()
{
    QFont font(fontFamily, fontPointSize, QFont::Normal);
    font.setStyleHint(QFont::Serif);
    if (showsCyrillic(QFontInfo(font).family()))
        return font;

    const QStringList cyrillic = QFontDatabase::families(QFontDatabase::Cyrillic);
    for (const char* serif : serifStandIns) {
        if (cyrillic.contains(serif)) {
            font.setFamily(serif);
            return font;
        }
    }
    if (!cyrillic.isEmpty())
        font.setFamily(cyrillic.first());
    return font;
}

void setUpApplication()
{
    QApplication::setApplicationName("Dornelik");
    QApplication::setApplicationVersion(DORNELIK_VERSION);
    QApplication::setOrganizationDomain("example.org");
    QApplication::setDesktopFileName("org.example.Dornelik");
    // Read as what they are: a reader left to find the format asks every image plugin first.
    QIcon icon;
    for (const int size : {32, 48, 64}) {
        QImageReader reader(QStringLiteral(":/icons/dornelik-%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    QApplication::setWindowIcon(icon);

    desktopPalette() = QApplication::palette();
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setPalette(windowColours(false).palette);
    // Every widget and text document starts in the window's font, so that no other font is ever
    // loaded.
    QApplication::setFont(windowFont());
}

WindowColours windowColours(bool highContrast)
{
    if (highContrast) {
        // Every colour the desktop's, none left to the application's palette.
        QPalette palette = selectingAlike(desktopPalette());
        palette.setResolveMask(~QPalette::ResolveMask{0});
        return {palette, palette.color(QPalette::Window), palette.color(QPalette::Window),
                palette.color(QPalette::Button)};
    }
    QPalette palette = QApplication::style()->standardPalette();
    palette.setColor(QPalette::Highlight, toQColor(legibleSelection));
    palette.setColor(QPalette::HighlightedText, toQColor(legibleSelectionText));
    return {selectingAlike(palette), toQColor(windowBackground), toQColor(headingBackground),
            toQColor(clearButtonFace)};
}

} // namespace dornelik::look
