// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

// Writes the page: run at build time as `make_page TEMPLATE PROGRAM LICENSE NOTICES OUTPUT`, it
// puts into the template the licence and the notices of the code of others in the program in place
// of
// `<!-- licence -->`, the caption in place of `<!-- title -->`, the window's elements, with their
// places, colours, font, texts, roles and names, in place of `<!-- window -->`, both from the
// window's description, and the program's script in place of `<!-- program -->`. The page shows the
// window before its program has started, and without scripts at all; the program attaches to these
// elements. Its script is a module, which the browser runs only once the page is parsed: the
// window is painted first.
#include "control_table.h"
#include "element_ids.h"
#include "look.h"
#include "row_table.h"
#include "texts.h"

#include <cstdio>
#include <string>
#include <string_view>

using namespace dornelik;

namespace {

std::string escaped(std::string_view text)
{
    std::string html;
    for (const char c : text) {
        switch (c) {
        case '&':
            html += "&amp;";
            break;
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        case '"':
            html += "&quot;";
            break;
        default:
            html += c;
        }
    }
    return html;
}

std::string colour(look::Rgb rgb)
{
    return "rgb(" + std::to_string(rgb.red) + "," + std::to_string(rgb.green) + ","
           + std::to_string(rgb.blue) + ")";
}

std::string place(TwipRect twips)
{
    const PixelRect pixels = toPixels(twips);
    return "left:" + std::to_string(pixels.left) + "px;top:" + std::to_string(pixels.top)
           + "px;width:" + std::to_string(pixels.width)
           + "px;height:" + std::to_string(pixels.height) + "px";
}

std::string font()
{
    std::string families = std::string("'") + look::fontFamily + "'";
    for (const char* standIn : look::serifStandIns)
        families += std::string(",'") + standIn + "'";
    return "font-family:" + families + ",serif;font-size:" + std::to_string(look::fontPointSize)
           + "pt";
}

// A list's element and its rows; the key lists are hidden, so never focused, selected or in the
// page's accessibility tree.
std::string list(std::string_view name, int column, bool visible, std::string_view attributes)
{
    const std::string id = elementId(name);
    std::string html = "<div id=\"" + id + "\"" + std::string(attributes) + ">";
    for (std::size_t row = 0; row < builtInTable[column].size(); ++row) {
        const TableRow& cell = builtInTable[column][row];
        html += "<div id=\"" + id + "-row" + std::to_string(row) + "\""
                + (visible ? " role=\"option\" aria-selected=\"false\">" : ">")
                + escaped(visible ? cell.text : cell.key) + "</div>";
    }
    return html + "</div>\n";
}

// The element of the heading that names a control: the one just before it in the window's order.
std::string heading(const ControlPlacement& control)
{
    return elementId((&control - 1)->name);
}

std::string element(const ControlPlacement& control)
{
    const std::string id = elementId(control.name);
    const std::string style = " style=\"" + place(control.twips);
    switch (control.kind) {
    case ControlKind::heading:
        return "<div id=\"" + id + "\" class=\"heading\"" + style
               + ";background:" + colour(look::headingBackground) + "\">"
               + escaped(texts::headings[control.index]) + "</div>\n";
    case ControlKind::text:
        // The first control in the focus order has the focus when the page opens.
        return "<textarea id=\"" + id + "\" readonly autofocus aria-labelledby=\""
               + heading(control) + "\"" + style + "\">" + escaped(texts::explanation)
               + "</textarea>\n";
    case ControlKind::list:
        return list(control.name, control.index, true,
                    " class=\"list\" role=\"listbox\" tabindex=\"0\" aria-labelledby=\""
                        + heading(control) + "\"" + style + "\"");
    case ControlKind::button:
        return "<button id=\"" + id + "\" type=\"button\"" + style
               + ";background-color:" + colour(look::clearButtonFace) + "\">"
               + escaped(texts::clearButton) + "</button>\n";
    }
    return {};
}

std::string window()
{
    const PixelRect client = toPixels(clientArea);
    std::string html = "<div id=\"window\" class=\"window\" style=\"width:"
                       + std::to_string(client.width) + "px;height:" + std::to_string(client.height)
                       + "px;background:" + colour(look::windowBackground) + ";" + font() + "\">\n";
    // In the window's order, which is also the focus order of the controls that take it.
    for (const ControlPlacement& control : controlTable)
        html += element(control);
    for (int column = 0; column < columnCount; ++column)
        html += list(keyListNames[column], column, false, " hidden");
    return html + "</div>";
}

std::string read(const char* name)
{
    std::string text;
    if (std::FILE* file = std::fopen(name, "rb")) {
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            text.append(buffer, got);
        std::fclose(file);
    }
    return text;
}

bool replace(std::string& text, std::string_view marker, const std::string& replacement)
{
    const std::size_t at = text.find(marker);
    if (at == std::string::npos)
        return false;
    text.replace(at, marker.size(), replacement);
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: make_page TEMPLATE PROGRAM LICENSE NOTICES OUTPUT\n");
        return 2;
    }
    std::string page = read(argv[1]);
    const std::string program = read(argv[2]);
    if (program.empty() || program.find("</script") != std::string::npos) {
        std::fprintf(stderr, "make_page: %s is no script for the page\n", argv[2]);
        return 1;
    }
    // The licence and the notices of the code of others in the program's script, in a comment.
    const std::string notices = read(argv[3]) + "\n\n" + read(argv[4]);
    if (notices.size() < 100 || notices.find("--") != std::string::npos) {
        std::fprintf(stderr, "make_page: %s and %s are no licence and notices for a comment\n",
                     argv[3], argv[4]);
        return 1;
    }
    if (!replace(page, "<!-- licence -->", "<!--\n" + notices + "-->")
        || !replace(page, "<!-- title -->", escaped(texts::caption))
        || !replace(page, "<!-- window -->", window())
        || !replace(page, "<!-- program -->",
                    "<script type=\"module\">\n" + program + "</script>")) {
        std::fprintf(stderr, "make_page: %s lacks a licence, title, window or program marker\n",
                     argv[1]);
        return 1;
    }
    std::FILE* output = std::fopen(argv[5], "wb");
    if (!output || std::fwrite(page.data(), 1, page.size(), output) != page.size()
        || std::fclose(output) != 0) {
        std::fprintf(stderr, "make_page: cannot write %s\n", argv[5]);
        return 1;
    }
}
