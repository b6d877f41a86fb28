#include "web_window.h"

#include "look.h"
#include "texts.h"

#include <algorithm>
#include <cstdio>
#include <exception>

using emscripten::val;

namespace dornelik {

namespace {

// Texts reach the page as std::string: embind reads a bare char pointer as Latin-1.
val text(std::string_view utf8)
{
    return val(std::string(utf8));
}

// "List1(0)" is the element "List1-0": a name a CSS selector can take as it is.
std::string domId(std::string_view name)
{
    std::string id;
    for (const char c : name)
        if (c != ')')
            id += c == '(' ? '-' : c;
    return id;
}

val createElement(const char* tag, std::string_view name)
{
    val element = val::global("document").call<val>("createElement", std::string(tag));
    element.set("id", domId(name));
    return element;
}

void setAttribute(val& element, const char* attribute, val value)
{
    element.call<void>("setAttribute", std::string(attribute), value);
}

std::string colour(look::Rgb rgb)
{
    return "rgb(" + std::to_string(rgb.red) + "," + std::to_string(rgb.green) + ","
           + std::to_string(rgb.blue) + ")";
}

std::string placeStyle(TwipRect twips)
{
    const PixelRect place = toPixels(twips);
    return "left:" + std::to_string(place.left) + "px;top:" + std::to_string(place.top)
           + "px;width:" + std::to_string(place.width) + "px;height:" + std::to_string(place.height)
           + "px;";
}

std::string fontStyle()
{
    std::string families = std::string("\"") + look::fontFamily + "\"";
    for (const char* standIn : look::serifStandIns)
        families += std::string(",\"") + standIn + "\"";
    return "font-family:" + families + ",serif;font-size:" + std::to_string(look::fontPointSize)
           + "pt;";
}

std::array<DomList, 3> makeLists(const char* name)
{
    const auto list = [name](int column) {
        const std::string listName = std::string(name) + "(" + std::to_string(column) + ")";
        return DomList(createElement("div", listName), listName);
    };
    return {list(0), list(1), list(2)};
}

std::string selector(const val& element)
{
    return "#" + element["id"].as<std::string>();
}

// The element of the heading that names a control of the table: the one just before it in the
// window's order.
std::string headingOf(const ControlPlacement& control)
{
    return domId((&control - 1)->name);
}

bool takesFocus(const ControlPlacement& control)
{
    return control.kind != ControlKind::heading;
}

std::string selectorOf(ControlKind kind)
{
    return "#"
           + domId(std::find_if(
                       controlTable.begin(), controlTable.end(),
                       [kind](const ControlPlacement& control) { return control.kind == kind; })
                       ->name);
}

const ControlPlacement& firstFocusable()
{
    return *std::find_if(controlTable.begin(), controlTable.end(), takesFocus);
}

const ControlPlacement& lastFocusable()
{
    return *std::find_if(controlTable.rbegin(), controlTable.rend(), takesFocus);
}

} // namespace

WebWindow::WebWindow(const RowTable& table)
    : table(table)
    , document(val::global("document"))
    , window(createElement("div", "window"))
    , visibleLists(makeLists("List1"))
    , keyLists(makeLists("List2"))
    , matcher({&visibleLists[0], &visibleLists[1], &visibleLists[2]},
              {&keyLists[0], &keyLists[1], &keyLists[2]})
    , listEvents{{{this, 0}, {this, 1}, {this, 2}}}
{
    document.set("title", text(texts::caption));
    const PixelRect client = toPixels(clientArea);
    window.set("className", std::string("window"));
    window["style"].set("cssText", "width:" + std::to_string(client.width) + "px;height:"
                                       + std::to_string(client.height) + "px;background:"
                                       + colour(look::windowBackground) + ";" + fontStyle());
    // In the window's order, which is also the focus order of the controls that take it.
    for (const ControlPlacement& placement : controlTable)
        window.call<void>("appendChild", createControl(placement));
    // The key lists are data: hidden, so never focused or selected, and out of the page's
    // accessibility tree.
    for (std::size_t column = 0; column < keyLists.size(); ++column) {
        val keys = keyLists[column].element();
        keys.set("hidden", true);
        for (const TableRow& row : table[column])
            keyLists[column].addRow(row.key);
        window.call<void>("appendChild", keys);
    }
    document["body"].call<void>("appendChild", window);

    for (ListEvents& events : listEvents) {
        const std::string list = selector(visibleLists[events.column].element());
        emscripten_set_keydown_callback(list.c_str(), &events, false, onListKey);
        emscripten_set_mousedown_callback(list.c_str(), &events, false, onListMouseDown);
    }
    emscripten_set_click_callback(selectorOf(ControlKind::button).c_str(), this, false,
                                  onClearButtonClick);
    emscripten_set_keydown_callback(("#" + domId(firstFocusable().name)).c_str(), this, false,
                                    onFirstControlKey);
    emscripten_set_keydown_callback(("#" + domId(lastFocusable().name)).c_str(), this, false,
                                    onLastControlKey);
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, false, onResize);
    fitToScreen();

    focusControl(firstFocusable());
    val explanation = document.call<val>("querySelector", selectorOf(ControlKind::text));
    explanation.call<void>("setSelectionRange", 0, 0);
    explanation.set("scrollTop", 0);
    val::global("performance").call<void>("mark", std::string("dornelik-ready"));
}

val WebWindow::createControl(const ControlPlacement& placement)
{
    const std::string place = placeStyle(placement.twips);
    const int index = placement.index;
    switch (placement.kind) {
    case ControlKind::heading: {
        val heading = createElement("div", placement.name);
        heading.set("className", std::string("heading"));
        heading.set("textContent", text(texts::headings[index]));
        heading["style"].set("cssText", place + "background:" + colour(look::headingBackground));
        return heading;
    }
    case ControlKind::text: {
        val explanation = createElement("textarea", placement.name);
        explanation.set("readOnly", true);
        explanation.set("value", text(texts::explanation));
        setAttribute(explanation, "aria-labelledby", val(headingOf(placement)));
        explanation["style"].set("cssText", place);
        return explanation;
    }
    case ControlKind::list: {
        val list = visibleLists[index].element();
        list.set("className", std::string("list"));
        setAttribute(list, "role", val(std::string("listbox")));
        setAttribute(list, "tabindex", val(std::string("0")));
        setAttribute(list, "aria-labelledby", val(headingOf(placement)));
        for (const TableRow& row : table[index])
            visibleLists[index].addRow(row.text);
        list["style"].set("cssText", place);
        return list;
    }
    case ControlKind::button: {
        val button = createElement("button", placement.name);
        button.set("type", std::string("button"));
        button.set("textContent", text(texts::clearButton));
        button["style"].set("cssText", place + "background-color:" + colour(look::clearButtonFace));
        return button;
    }
    }
    return val::null();
}

// As in a native list box, the movement keys select a row also when none is selected yet; the
// three rows fill a page.
EM_BOOL WebWindow::onListKey(int, const EmscriptenKeyboardEvent* event, void* events)
{
    const auto& [self, column] = *static_cast<ListEvents*>(events);
    if (event->ctrlKey || event->altKey || event->metaKey)
        return false;
    const std::string key = event->key;
    const std::int16_t selected = self->visibleLists[column].selectedRow();
    const std::int16_t last = self->visibleLists[column].rowCount() - 1;
    std::int16_t row;
    if (key == "ArrowUp")
        row = selected == -1 ? 0 : std::max<std::int16_t>(selected - 1, 0);
    else if (key == "ArrowDown")
        row = selected == -1 ? 0 : std::min<std::int16_t>(selected + 1, last);
    else if (key == "Home" || key == "PageUp")
        row = 0;
    else if (key == "End" || key == "PageDown")
        row = last;
    else
        return key == " "; // a page scrolls on Space; a list box does not
    self->selectByUser(column, row);
    return true;
}

EM_BOOL WebWindow::onListMouseDown(int, const EmscriptenMouseEvent* event, void* events)
{
    const auto& [self, column] = *static_cast<ListEvents*>(events);
    if (event->button != 0)
        return false;
    // The event's place is in the page's pixels, the window may be drawn smaller.
    val list = self->visibleLists[column].element();
    const double scale = list.call<val>("getBoundingClientRect")["height"].as<double>()
                         / list["offsetHeight"].as<double>();
    const double y = event->targetY / scale - list["clientTop"].as<double>();
    const double rowHeight =
        list["clientHeight"].as<double>() / self->visibleLists[column].rowCount();
    if (y >= 0 && y < list["clientHeight"].as<double>())
        self->selectByUser(column, static_cast<std::int16_t>(y / rowHeight));
    return false; // the list takes the focus as usual
}

EM_BOOL WebWindow::onClearButtonClick(int, const EmscriptenMouseEvent*, void* window)
{
    auto* self = static_cast<WebWindow*>(window);
    self->runHandler([self] { self->matcher.Command1_Click(); });
    return true;
}

EM_BOOL WebWindow::onFirstControlKey(int, const EmscriptenKeyboardEvent* event, void* window)
{
    if (std::string(event->key) != "Tab" || !event->shiftKey)
        return false;
    static_cast<WebWindow*>(window)->focusControl(lastFocusable());
    return true;
}

EM_BOOL WebWindow::onLastControlKey(int, const EmscriptenKeyboardEvent* event, void* window)
{
    if (std::string(event->key) != "Tab" || event->shiftKey)
        return false;
    static_cast<WebWindow*>(window)->focusControl(firstFocusable());
    return true;
}

void WebWindow::focusControl(const ControlPlacement& control)
{
    document.call<val>("getElementById", domId(control.name)).call<void>("focus");
}

EM_BOOL WebWindow::onResize(int, const EmscriptenUiEvent*, void* window)
{
    static_cast<WebWindow*>(window)->fitToScreen();
    return false;
}

void WebWindow::selectByUser(std::int16_t column, std::int16_t row)
{
    if (row == visibleLists[column].selectedRow())
        return;
    visibleLists[column].setSelectedRow(row);
    runHandler([this, column] { matcher.List1_Click(column); });
}

void WebWindow::fitToScreen()
{
    const double width = toPixels(clientArea).width;
    const double available = val::global("window")["innerWidth"].as<double>();
    const double scale = std::min(1.0, available / width);
    window["style"].set("transform", "scale(" + std::to_string(scale) + ")");
}

template <typename Handler> void WebWindow::runHandler(Handler handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "dornelik: %s\n", error.what());
        val::global("window").call<void>("alert",
                                         text(std::string(texts::errorPrefix) + error.what()));
    }
}

} // namespace dornelik
