// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#include "web_window.h"

#include "control_table.h"
#include "element_ids.h"
#include "texts.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <exception>
#include <string>

namespace dornelik {

namespace {

WebWindow* attached = nullptr;

// The page's side of the events: a list reports the keys of ListKey by their place in that
// order, and a press by the row under the pointer, in the page's pixels however small the window
// is drawn.
EM_JS(void, listenToList, (const char* id, int column), {
    var list = document.getElementById(UTF8ToString(id));
    var keys = [ 'ArrowUp', 'ArrowDown', 'Home', 'End', 'PageUp', 'PageDown', ' ' ];
    list.addEventListener(
        'keydown', function(event) {
            var key = keys.indexOf(event.key);
            if (key >= 0 && !event.ctrlKey && !event.altKey && !event.metaKey) {
                event.preventDefault();
                _web_list_key(column, key);
            }
        });
    list.addEventListener(
        'mousedown', function(event) {
            if (event.button != 0)
                return;
            var scale = list.getBoundingClientRect().height / list.offsetHeight;
            var y = (event.clientY - list.getBoundingClientRect().top) / scale - list.clientTop;
            if (y >= 0 && y < list.clientHeight)
                _web_list_press(column, Math.floor(y * list.children.length / list.clientHeight));
        });
});

EM_JS(void, listenToButton, (const char* id), {
    document.getElementById(UTF8ToString(id))
        .addEventListener(
            'click', function() { _web_clear_button(); });
});

// Tab goes round the window, as in a desktop window, rather than out of the page.
EM_JS(void, keepTabInWindow, (const char* firstId, const char* lastId), {
    var first = document.getElementById(UTF8ToString(firstId));
    var last = document.getElementById(UTF8ToString(lastId));
    function wrap(from, shift, to)
    {
        from.addEventListener(
            'keydown', function(event) {
                // WebKitGTK may name Shift+Tab by the key GTK gives it, but not its code.
                if ((event.key == 'Tab' || event.code == 'Tab') && event.shiftKey == shift) {
                    event.preventDefault();
                    to.focus();
                }
            });
    }
    wrap(first, true, last);
    wrap(last, false, first);
});

EM_JS(void, markReady, (), { performance.mark('dornelik-ready'); });

// A polite live region: screen readers say its new text once they have said what they were saying.
EM_JS(void, announce, (const char* id, const char* text),
      { document.getElementById(UTF8ToString(id)).textContent = UTF8ToString(text); });

EM_JS(void, reportError, (const char* message), {
    console.error('dornelik: ' + UTF8ToString(message));
    alert(UTF8ToString(message));
});

bool takesFocus(const ControlPlacement& control)
{
    return control.kind != ControlKind::heading;
}

} // namespace

WebWindow::WebWindow()
    : visibleLists(listsNamed<DomList>(visibleListNames))
    , keyLists(listsNamed<DomList>(keyListNames))
    , matcher(addressesOf(visibleLists), addressesOf(keyLists))
    , selectionNews(addressesOf(visibleLists))
{
    attached = this;
    for (const ControlPlacement& control : controlTable) {
        if (control.kind == ControlKind::list)
            listenToList(elementId(control.name).c_str(), control.index);
        else if (control.kind == ControlKind::button)
            listenToButton(elementId(control.name).c_str());
    }
    const auto first = std::find_if(controlTable.begin(), controlTable.end(), takesFocus);
    const auto last = std::find_if(controlTable.rbegin(), controlTable.rend(), takesFocus);
    keepTabInWindow(elementId(first->name).c_str(), elementId(last->name).c_str());
    markReady();
}

// As in a native list box, the movement keys select a row also when none is selected yet; the
// three rows fill a page. Space selects nothing, but is kept from scrolling the page.
void WebWindow::onListKey(std::int16_t column, ListKey key)
{
    const std::int16_t selected = visibleLists[column].selectedRow();
    constexpr std::int16_t last = rowCount - 1;
    switch (key) {
    case ListKey::up:
        selectByUser(column,
                     static_cast<std::int16_t>(selected == -1 ? 0 : std::max(selected - 1, 0)));
        break;
    case ListKey::down:
        selectByUser(column, static_cast<std::int16_t>(
                                 selected == -1 ? 0 : std::min<int>(selected + 1, last)));
        break;
    case ListKey::home:
    case ListKey::pageUp:
        selectByUser(column, 0);
        break;
    case ListKey::end:
    case ListKey::pageDown:
        selectByUser(column, last);
        break;
    case ListKey::space:
        break;
    }
}

void WebWindow::onListPress(std::int16_t column, std::int16_t row)
{
    selectByUser(column, row);
}

void WebWindow::onClearButton()
{
    runHandler([this] { matcher.Command1_Click(); });
}

void WebWindow::selectByUser(std::int16_t column, std::int16_t row)
{
    if (row == visibleLists[column].selectedRow())
        return;
    visibleLists[column].setSelectedRow(row);
    runHandler([this, column] { matcher.List1_Click(column); });
}

template <typename Handler> void WebWindow::runHandler(Handler handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        reportError((std::string(texts::errorPrefix) + error.what()).c_str());
    }
    const std::string news = selectionNews.read();
    if (!news.empty())
        announce(announcementId, news.c_str());
}

} // namespace dornelik

using dornelik::attached;

extern "C" {

EMSCRIPTEN_KEEPALIVE void web_list_key(int column, int key)
{
    attached->onListKey(static_cast<std::int16_t>(column), static_cast<dornelik::ListKey>(key));
}

EMSCRIPTEN_KEEPALIVE void web_list_press(int column, int row)
{
    attached->onListPress(static_cast<std::int16_t>(column), static_cast<std::int16_t>(row));
}

EMSCRIPTEN_KEEPALIVE void web_clear_button()
{
    attached->onClearButton();
}
}
