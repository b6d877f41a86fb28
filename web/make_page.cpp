// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

// Writes the page: run at build time as `make_page TEMPLATE PROGRAM ICON LICENSE NOTICES OUTPUT`.
// From the window's description it writes into the template the window's elements, with their
// texts, roles and names, and the stylesheet that places and colours them; around them the
// licence and notices, the title, description and icon, the program's script, and a content
// security policy that allows the page's own inline scripts and stylesheet, by their hashes, and
// nothing else. The page shows the window before its program has started, and without scripts
// at all; the program attaches to these elements. Its script is a module, which the browser runs
// only once the page is parsed: the window is painted first.
#include "control_table.h"
#include "element_ids.h"
#include "look.h"
#include "row_table.h"
#include "texts.h"

#include <emscripten/emscripten.h>

#include <cstdio>
#include <string>
#include <string_view>

using namespace dornelik;

namespace {

// The SHA-256 of `size` bytes at `data`, in base64: 44 characters and a terminating zero.
EM_JS(void, sha256InBase64, (const char* data, int size, char* hash), {
    const digest = require('crypto').createHash('sha256');
    stringToUTF8(digest.update(HEAPU8.subarray(data, data + size)).digest('base64'), hash, 45);
});

std::string sha256InBase64(std::string_view text)
{
    char hash[45];
    sha256InBase64(text.data(), static_cast<int>(text.size()), hash);
    return hash;
}

std::string base64(std::string_view bytes)
{
    static constexpr char digits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (std::size_t at = 0; at < bytes.size(); at += 3) {
        unsigned group = 0;
        for (std::size_t i = 0; i < 3; ++i)
            group = group << 8
                    | (at + i < bytes.size() ? static_cast<unsigned char>(bytes[at + i]) : 0);
        for (std::size_t i = 0; i < 4; ++i)
            text += at + i <= bytes.size() ? digits[group >> (18 - 6 * i) & 63] : '=';
    }
    return text;
}

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

// The element that names a control: the heading just before it in the window's order.
std::string heading(const ControlPlacement& control)
{
    return elementId((&control - 1)->name);
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

// The title line is the page's heading.
std::string element(const ControlPlacement& control)
{
    const std::string id = elementId(control.name);
    switch (control.kind) {
    case ControlKind::heading: {
        const char* tag = control.index == 0 ? "h1" : "div";
        return std::string("<") + tag + " id=\"" + id + "\" class=\"heading\">"
               + escaped(texts::headings[control.index]) + "</" + tag + ">\n";
    }
    case ControlKind::text:
        // The first control in the focus order has the focus when the page opens.
        return "<textarea id=\"" + id + "\" readonly autofocus aria-labelledby=\""
               + heading(control) + "\">" + escaped(texts::explanation) + "</textarea>\n";
    case ControlKind::list:
        return list(control.name, control.index, true,
                    " class=\"list\" role=\"listbox\" tabindex=\"0\" aria-labelledby=\""
                        + heading(control) + "\"");
    case ControlKind::button:
        return "<button id=\"" + id + "\" type=\"button\">" + escaped(texts::clearButton)
               + "</button>\n";
    }
    return {};
}

// The window is the page's main part.
std::string window()
{
    char contrast[16];
    std::snprintf(contrast, sizeof contrast, "%g", look::legibleContrast);
    std::string html = "<main id=\"window\" class=\"window\" data-legible-contrast=\""
                       + std::string(contrast) + "\">\n";
    // In the window's order, which is also the focus order of the controls that take it.
    for (const ControlPlacement& control : controlTable)
        html += element(control);
    for (int column = 0; column < columnCount; ++column)
        html += list(keyListNames[column], column, false, " hidden");
    // What the program tells screen readers, politely.
    html += std::string("<div id=\"") + announcementId
            + "\" class=\"announcement\" role=\"status\"></div>\n";
    return html + "</main>";
}

// Every place, colour and the font, as rules of the page's stylesheet.
std::string windowStyle()
{
    const PixelRect client = toPixels(clientArea);
    std::string css = "#window{width:" + std::to_string(client.width)
                      + "px;height:" + std::to_string(client.height)
                      + "px;background:" + colour(look::windowBackground) + ";" + font() + "}\n";
    for (const ControlPlacement& control : controlTable) {
        css += "#" + elementId(control.name) + "{" + place(control.twips);
        if (control.kind == ControlKind::heading)
            css += ";background:" + colour(look::headingBackground);
        else if (control.kind == ControlKind::button)
            css += ";background-color:" + colour(look::clearButtonFace);
        css += "}\n";
    }
    return css + ".fixed-selection .list>.selected{background:" + colour(look::legibleSelection)
           + ";color:" + colour(look::legibleSelectionText) + "}\n";
}

// The policy under which the page works: nothing but its own inline scripts and stylesheets,
// named by their hashes, the WebAssembly they compile, and images in data: addresses. The page
// itself connects nowhere; tools that check a site, Lighthouse among them, read its robots.txt
// through the page, from the page's own origin.
std::string contentSecurityPolicy(std::string_view page)
{
    std::string scripts;
    std::string styles;
    for (const auto& [tag, hashes] : {std::pair{"script", &scripts}, std::pair{"style", &styles}}) {
        const std::string open = std::string("<") + tag;
        const std::string close = std::string("</") + tag + ">";
        for (std::size_t at = page.find(open); at != std::string_view::npos;
             at = page.find(open, at)) {
            const std::size_t start = page.find('>', at) + 1;
            at = page.find(close, start);
            *hashes += " 'sha256-" + sha256InBase64(page.substr(start, at - start)) + "'";
        }
    }
    return "default-src 'none'; script-src" + scripts + " 'wasm-unsafe-eval'; style-src" + styles
           + "; img-src data:; connect-src 'self'; base-uri 'none'; form-action 'none'";
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
    if (argc != 7) {
        std::fprintf(stderr, "usage: make_page TEMPLATE PROGRAM ICON LICENSE NOTICES OUTPUT\n");
        return 2;
    }
    std::string page = read(argv[1]);
    const std::string program = read(argv[2]);
    if (program.empty() || program.find("</script") != std::string::npos) {
        std::fprintf(stderr, "make_page: %s is no script for the page\n", argv[2]);
        return 1;
    }
    const std::string icon = read(argv[3]);
    if (icon.substr(1, 3) != "PNG") {
        std::fprintf(stderr, "make_page: %s is no PNG image\n", argv[3]);
        return 1;
    }
    // The licence and the notices of the code of others in the program's script, in a comment.
    const std::string notices = read(argv[4]) + "\n\n" + read(argv[5]);
    if (notices.size() < 100 || notices.find("--") != std::string::npos) {
        std::fprintf(stderr, "make_page: %s and %s are no licence and notices for a comment\n",
                     argv[4], argv[5]);
        return 1;
    }
    if (!replace(page, "<!-- licence -->", "<!--\n" + notices + "-->")
        || !replace(page, "/* window */", windowStyle())
        || !replace(page, "<!-- window -->", window())
        || !replace(page, "<!-- noscript -->",
                    "<noscript><p>" + escaped(texts::needsScripts) + "</p></noscript>")
        || !replace(page, "<!-- program -->",
                    "<script type=\"module\">\n" + program + "</script>")) {
        std::fprintf(stderr,
                     "make_page: %s lacks a marker for the licence, the window's style, "
                     "the window, the text without scripts or the program\n",
                     argv[1]);
        return 1;
    }
    // The policy comes first in the head, before anything it governs.
    const std::string head =
        "<meta http-equiv=\"Content-Security-Policy\" content=\"" + contentSecurityPolicy(page)
        + "\">\n<meta name=\"description\" content=\"" + escaped(texts::pageDescription)
        + "\">\n<link rel=\"icon\" type=\"image/png\" href=\"data:image/png;base64," + base64(icon)
        + "\">\n<title>" + escaped(texts::caption) + "</title>";
    if (!replace(page, "<!-- head -->", head)) {
        std::fprintf(stderr, "make_page: %s lacks a marker for the head\n", argv[1]);
        return 1;
    }
    std::FILE* output = std::fopen(argv[6], "wb");
    if (!output || std::fwrite(page.data(), 1, page.size(), output) != page.size()
        || std::fclose(output) != 0) {
        std::fprintf(stderr, "make_page: cannot write %s\n", argv[6]);
        return 1;
    }
}
