// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

// Opens dornelik.html in one browser engine (`node page_test.js ENGINE PAGE SHOTS`, ENGINE one of
// chromium, firefox, webkit), from a local web server and from a file, at a desktop's and a
// phone's width, and uses it as a pupil would: with the mouse, the keys and a finger. Checks what
// the page shows, that a selection can be read in normal and in forced colours, what it gives
// screen readers (axe-core's rules in every engine, Chromium's accessibility tree), and that it
// works under a strict content security policy, alone and in a frame of another origin. Leaves
// its screenshots in SHOTS and prints a line for each group of checks and a last line with the
// count, which CTest looks for.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const { pathToFileURL } = require('node:url');
const { launch, serve, same, nothing, shown, situationOf } = require('./page_driver');

const [engine, pageFile, shots] = process.argv.slice(2);
const shot = (name) => path.join(shots, `${engine}_${name}.png`);
let checks = 0;
let failures = 0;
function check(passed, what) {
    ++checks;
    if (!passed) {
        ++failures;
        console.log(`FAIL: ${engine}: ${what}`);
    }
}
function group(name) {
    console.log(`checked in ${engine}: ${name}`);
}
const focused = (page) => page.evaluate(() => document.activeElement.id);

async function noTroubles(page, when) {
    const troubles = await page.troubles();
    check(troubles.length === 0, `${when} the page reported: ${troubles.join('; ')}`);
}

async function checkLook(page) {
    const look = await page.evaluate(() => {
        const box = (id) => document.getElementById(id).getBoundingClientRect();
        const style = (id) => getComputedStyle(document.getElementById(id));
        const text = document.getElementById('Text1');
        return [document.title, document.documentElement.lang, box('window').width,
                box('window').height, box('List1-0').left - box('window').left,
                box('List1-0').top - box('window').top, style('window').backgroundColor,
                style('Label1-2').backgroundColor, style('Command1').backgroundColor,
                style('List1-0').fontSize, style('List1-0').fontFamily.split(',')[0],
                text.scrollHeight > text.clientHeight, text.scrollWidth <= text.clientWidth,
                text.scrollTop, text.selectionStart, text.readOnly, document.activeElement.id];
    });
    check(same(look, ['www.example.org Dornelik в ел. верига', 'bg', 461, 345, 24, 64,
                      'rgb(192, 192, 255)', 'rgb(255, 192, 128)', 'rgb(255, 0, 0)', '16px',
                      '"Times New Roman"', true, true, 0, 0, true, 'Text1']),
          `title, language, size, a place, colours, font, the text's scrolling and start: ${look}`);
    if (engine !== 'webkit') {
        // WebKitGTK's scroll bars float over the text, as on a phone.
        const bar = await page.evaluate(() => {
            const text = document.getElementById('Text1');
            return text.offsetWidth - text.clientWidth;
        });
        check(bar > 4, `the text has a scroll bar beside it: ${bar} pixels`);
    }
    const head = await page.evaluate(() => [
        document.querySelector('meta[http-equiv="Content-Security-Policy"]')?.content ?? '',
        document.querySelector('meta[name=description]')?.content ?? '',
        document.querySelector('link[rel=icon]')?.href.slice(0, 22) ?? '']);
    check(head[0].startsWith("default-src 'none'") && head[1].length > 40
              && head[2] === 'data:image/png;base64,',
          `a policy, a description and an icon of its own: ${head}`);
    check(!/<[^>]+\sstyle=/.test(fs.readFileSync(pageFile, 'utf8')), 'no element has a style attribute');
    check(same(await shown(page), nothing), 'nothing is selected at start');
    group('look: title, language, size, places, colours, font, text, head, start state');
}

async function checkMouse(page, where) {
    for (let column = 0; column < 3; ++column) {
        for (let row = 0; row < 3; ++row) {
            await page.click(`#List1-${(column + 1) % 3}-row0`); // start from another situation
            await page.click(`#List1-${column}-row${row}`);
            check(same(await shown(page), await situationOf(page, column, row)),
                  `${where}: list ${column} row ${row} selects its situation`);
            check(await focused(page) === `List1-${column}`,
                  `${where}: list ${column} has the focus after a click on row ${row}`);
        }
    }
    const before = await shown(page);
    await page.click('#List1-2-row2', { modifiers: ['Control'] });
    check(same(await shown(page), before), `${where}: a click with Ctrl on the selected row keeps it`);
    await page.click('#Command1');
    check(same(await shown(page), nothing), `${where}: the button clears`);
}

async function checkKeys(page, url) {
    const keys = [[['Tab', 'ArrowDown'], 0, 0], [['Tab', 'End'], 0, 2],
                  [['Tab', 'End', 'ArrowUp'], 0, 1], [['Tab', 'Tab', 'PageDown', 'Home'], 1, 0]];
    for (const [presses, column, row] of keys) {
        await page.open(url);
        for (const key of presses)
            await page.press(key);
        check(same(await shown(page), await situationOf(page, column, row)),
              `${presses.join(', ')} selects row ${row} of list ${column}`);
    }
    const selected = await shown(page);
    for (const elsewhere of ['List1-2', 'Text1']) {
        await page.focus(`#${elsewhere}`);
        await page.press('Enter');
        await page.press('Escape');
        check(same(await shown(page), selected), `Enter and Escape in ${elsewhere} do nothing`);
    }
    for (const key of ['Space', 'Enter']) {
        await page.click('#List1-1-row2');
        await page.focus('#Command1');
        await page.press(key);
        check(same(await shown(page), nothing), `${key} on the focused button clears`);
    }

    await page.open(url);
    const order = ['Text1', 'List1-0', 'List1-1', 'List1-2', 'Command1', 'Text1'];
    for (const expected of order.slice(1)) {
        await page.press('Tab');
        check(await focused(page) === expected, `Tab moves to ${expected}`);
    }
    for (const expected of order.slice(0, -1).reverse()) {
        await page.press('Shift+Tab');
        check(await focused(page) === expected, `Shift+Tab moves to ${expected}`);
    }
    check(same(await shown(page), nothing), 'Tab selects nothing');
    group('keys: the movement keys, Enter, Escape, the button, the focus order');
}

// The contrast of a selected row's text against its ground, as WCAG counts it.
const selectionContrast = (page) => page.evaluate(() => {
    const style = getComputedStyle(document.querySelector('.selected'));
    const opaque = (colour) => {
        const [red, green, blue, alpha = 1] = colour.match(/[\d.]+/g).map(Number);
        return [red, green, blue].map((channel) => channel * alpha + 255 * (1 - alpha));
    };
    const luminance = (colour) => opaque(colour).map((channel) => {
        channel /= 255;
        return channel <= 0.04045 ? channel / 12.92 : ((channel + 0.055) / 1.055) ** 2.4;
    }).reduce((sum, channel, index) => sum + channel * [0.2126, 0.7152, 0.0722][index], 0);
    const [ground, text] = [luminance(style.backgroundColor), luminance(style.color)];
    return (Math.max(ground, text) + 0.05) / (Math.min(ground, text) + 0.05);
});

// axe-core's rules before and after a selection, in normal colours and in forced colours where
// the engine can emulate them; and a selected row readable in both.
async function checkAccessibility(browser, url) {
    const modes = browser.can.forcedColors ? [false, true] : [false];
    for (const forcedColors of modes) {
        const colours = forcedColors ? 'in forced colours' : 'in normal colours';
        const page = await browser.newPage({ forcedColors });
        await page.open(url);
        const forced = await page.evaluate(() => matchMedia('(forced-colors: active)').matches);
        check(forced === forcedColors, `${colours} the page sees forced colours: ${forced}`);
        const before = await page.accessibilityViolations();
        await page.click('#List1-1-row1');
        const after = await page.accessibilityViolations();
        check(before.length === 0 && after.length === 0,
              `${colours} axe finds nothing, before a selection: ${before}; after: ${after}`);
        console.log(`axe in ${engine} ${colours}: ${before.length} violations before a selection, `
                    + `${after.length} after`);
        const contrast = await selectionContrast(page);
        check(contrast >= 4.5, `${colours} a selected row's text stands out ${contrast.toFixed(2)}:1`);
        await page.screenshot(shot(forcedColors ? 'forced_colours_selected' : 'selected'));
        await page.close();
    }
    group('accessibility: axe-core, legible selections, forced colours');
}

async function checkScreenReaders(page) {
    await page.click('#List1-1-row1');
    const seen = await page.accessibilityTree();
    const named = (role) => seen.filter((node) => node.role?.value === role)
        .map((node) => node.name?.value);
    check(same(named('listbox'), ['величина', 'уред', 'начин']),
          `the lists are named ${named('listbox')}`);
    check(same(named('textbox'), ['Измерване на ток, напрежение и съпротивление']),
          'the text is named by the title');
    check(same(named('button'), ['Чисти']), 'the button is named by its caption');
    check(same(named('heading'), ['Измерване на ток, напрежение и съпротивление']),
          'the title is the heading');
    check(named('main').length === 1, 'the window is the main part');
    check(named('option').length === 9, 'the key lists are not in the tree');
    // The focused list reports its selected row, the others none, which screen readers would
    // follow; the polite status tells the three rows, and then that they are cleared.
    const told = async () => {
        const tree = await page.accessibilityTree();
        const status = tree.find((node) => node.role?.value === 'status');
        const polite = status?.properties?.some((property) => property.name === 'live'
            && property.value.value === 'polite');
        return {
            selected: tree.filter((node) => node.role?.value === 'option' && node.properties
                ?.some((property) => property.name === 'selected' && property.value.value))
                .map((node) => node.name?.value),
            status: polite ? tree.filter((node) => node.parentId === status.nodeId)
                .map((node) => node.name?.value).join('') : 'no polite status',
        };
    };
    check(same(await told(), { selected: ['волтметър'], status: 'напрежение, волтметър, паралелно' }),
          `a selection tells ${JSON.stringify(await told())}`);
    await page.press('Tab');
    check(same((await told()).selected, ['паралелно']), 'the next list tells its selected row');
    await page.click('#Command1');
    check(same(await told(), { selected: [], status: 'Трите списъка са изчистени.' }),
          `the button tells ${JSON.stringify(await told())}`);
    group('screen readers: names, the focused list\'s selected row, the status, no key lists');
}

// A screenshot of the element once it has settled: WebKit fades its scroll bars in and out after
// a page is opened. One, since WebKitGTK's driver takes no more than two in a session.
async function settledScreenshot(page, selector) {
    await new Promise((resolve) => setTimeout(resolve, 1500));
    return page.elementScreenshot(selector);
}

// The window is in the page before its program attaches, and without scripts at all: it looks
// as it does once the program runs, and the lists take no input rather than show half a
// situation. One page at a time: WebKit's driver has one.
async function checkBeforeTheProgram(browser, server) {
    const started = await browser.newPage();
    await started.open(server.url);
    const look = await settledScreenshot(started, '#window');
    await started.close();
    const cases = [['before the program attaches', {}, server.withoutProgramUrl]];
    if (browser.can.scriptsOff)
        cases.push(['without scripts', { scripts: false }, server.url]);
    for (const [when, options, url] of cases) {
        const page = await browser.newPage(options);
        await page.open(url, { waitForProgram: false });
        check(Buffer.compare(await settledScreenshot(page, '#window'), look) === 0,
              `${when} the window looks as it does with the program`);
        await page.click('#List1-1-row1');
        await page.press('ArrowDown');
        check(same(await shown(page), nothing), `${when} the lists take no input`);
        await page.screenshot(shot(options.scripts === false ? 'without_scripts' : 'before_program'));
        await page.close();
    }
    group('the window before the program attaches and without scripts');
}

// Served with the header the README gives a school's web server, the page's own policy, alone
// and, as the README says, in a frame of another origin: the whole behaviour, and nothing
// refused. Reports of a broken policy go to the server.
async function checkPolicy(browser) {
    const policy = fs.readFileSync(pageFile, 'utf8')
        .match(/http-equiv="Content-Security-Policy" content="([^"]*)"/)[1];
    const header = fs.readFileSync(path.join(__dirname, '..', '..', 'README.md'), 'utf8')
        .match(/^Content-Security-Policy: (.*)$/m)?.[1] ?? '';
    check(header === `${policy}; frame-ancestors 'none'`,
          `the README gives the page's own policy as the header: ${header}`);
    const reporting = (framedBy) => ({
        'Content-Security-Policy':
            `${header.replace("frame-ancestors 'none'", `frame-ancestors ${framedBy}`)}; report-uri /report`,
    });
    const alone = await serve(pageFile, () => reporting("'none'"));
    const framed = await serve(pageFile, (parent) => reporting(parent));
    try {
        const page = await browser.newPage();
        await page.open(alone.url);
        await checkMouse(page, 'under the policy');
        await noTroubles(page, 'under the policy');
        await page.open(framed.parentUrl, { waitForProgram: false });
        await page.enterFrame('#frame');
        await page.click('#List1-0-row2');
        check(same(await shown(page), await situationOf(page, 0, 2)), 'in a frame a click selects');
        await page.press('ArrowUp');
        check(same(await shown(page), await situationOf(page, 0, 1)), 'in a frame a key selects');
        await page.click('#Command1');
        check(same(await shown(page), nothing), 'in a frame the button clears');
        await noTroubles(page, 'in a frame');
        await page.leaveFrame();
        await page.close();
        // Reports travel on their own time.
        await new Promise((resolve) => setTimeout(resolve, 500));
        for (const server of [alone, framed]) {
            check(server.reports.length === 0, `the policy was broken: ${server.reports.join('; ')}`);
            const others = server.requests.filter((url) => url !== '/dornelik.html');
            check(others.length === 0, `the page asked for more than itself: ${others}`);
        }
    } finally {
        alone.close();
        framed.close();
    }
    group('a strict content security policy, alone and in a frame of another origin');
}

async function main() {
    const size = fs.statSync(pageFile).size;
    const compressed = zlib.gzipSync(fs.readFileSync(pageFile), { level: 9 }).length;
    check(size <= 100 * 1024 && compressed <= 35 * 1024, 'the page is within its size');
    console.log(`page: ${size} bytes, ${compressed} gzipped`);

    const began = Date.now();
    const browser = await launch(engine);
    const server = await serve(pageFile);
    try {
        await checkBeforeTheProgram(browser, server);
        const page = await browser.newPage();
        await page.open(server.url);
        await page.screenshot(shot('start'));
        await checkLook(page);
        await checkMouse(page, 'by mouse');
        await page.screenshot(shot('cleared'));
        group('mouse: the nine rows and the button');
        await checkKeys(page, server.url);
        if (browser.can.accessibilityTree)
            await checkScreenReaders(page);
        await noTroubles(page, 'at a desktop\'s width');
        await page.close();
        await checkAccessibility(browser, server.url);

        const phone = await browser.newPage({ width: 360, height: 640, touch: true });
        await phone.open(server.url);
        if (browser.can.touch)
            await phone.tap('#List1-2-row0');
        else
            await phone.click('#List1-2-row0');
        check(same(await shown(phone), await situationOf(phone, 2, 0)), 'on a phone a tap selects');
        // WebKit's window keeps a width of its own, narrower than the window all the same.
        const [width, screen] = await phone.evaluate(
            () => [document.getElementById('window').getBoundingClientRect().width, innerWidth]);
        check(screen < 461 && width <= screen && width > screen - 10,
              `on a phone ${screen} pixels wide the window is ${width} wide`);
        await phone.screenshot(shot('phone'));
        await noTroubles(phone, 'on a phone');
        await phone.close();
        group('a phone: the window fits, a tap selects');

        const local = await browser.newPage();
        await local.open(pathToFileURL(pageFile).href);
        await local.click('#List1-0-row2');
        check(same(await shown(local), await situationOf(local, 0, 2)), 'opened from a file');
        await noTroubles(local, 'from a file');
        await local.close();
        group('the page opened from a file');

        await checkPolicy(browser);
        const others = server.requests.filter((url) => !url.endsWith('.html'));
        check(others.length === 0, `the page asked for more than itself: ${others}`);
    } finally {
        server.close();
        await browser.close();
    }
    const seconds = ((Date.now() - began) / 1000).toFixed(1);
    console.log(`${engine}: ${checks} checks, ${failures} failed, in ${seconds} s`);
    process.exitCode = failures === 0 ? 0 : 1;
}

main().catch((error) => {
    console.log(`FAIL: ${engine}: ${error.stack}`);
    process.exitCode = 1;
});
