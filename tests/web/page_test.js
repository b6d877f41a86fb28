// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

// Opens dornelik.html in Debian's Chromium, from a local web server and from a file, and uses it
// as a pupil would: with the mouse, the keys and a finger. Checks what the page shows and what it
// gives screen readers, leaves screenshots in the folder named by the second argument, and
// prints a line for each group of checks and a last line with the count, which CTest looks for.
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const { pathToFileURL } = require('node:url');
const { launch, serve, load, same, nothing, shown, situationOf } = require('./page_driver');

const [pageFile, shots] = process.argv.slice(2);
let checks = 0;
let failures = 0;
function check(passed, what) {
    ++checks;
    if (!passed) {
        ++failures;
        console.log(`FAIL: ${what}`);
    }
}
function group(name) {
    console.log(`checked: ${name}`);
}
const focused = (page) => page.evaluate(() => document.activeElement.id);

async function open(browser, url, options = {}) {
    const page = await browser.newPage(options);
    page.on('pageerror', (error) => check(false, `the page reported ${error.message}`));
    await load(page, url);
    return page;
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
                text.offsetWidth - text.clientWidth > 4, text.scrollWidth <= text.clientWidth,
                text.scrollTop, text.selectionStart, text.readOnly, document.activeElement.id];
    });
    check(same(look, ['www.example.org Dornelik в ел. верига', 'bg', 461, 345, 24, 64,
                      'rgb(192, 192, 255)', 'rgb(255, 192, 128)', 'rgb(255, 0, 0)', '16px',
                      '"Times New Roman"', true, true, 0, 0, true, 'Text1']),
          `title, language, size, a place, colours, font, the text's scroll bar and start: ${look}`);
    check(same(await shown(page), nothing), 'nothing is selected at start');
    const size = fs.statSync(pageFile).size;
    const compressed = zlib.gzipSync(fs.readFileSync(pageFile), { level: 9 }).length;
    check(size <= 100 * 1024 && compressed <= 35 * 1024, 'the page is within its size');
    console.log(`page: ${size} bytes, ${compressed} gzipped`);
    group('look: title, language, size, places, colours, font, text, start state');
}

async function checkMouse(page) {
    for (let column = 0; column < 3; ++column) {
        for (let row = 0; row < 3; ++row) {
            await page.click(`#List1-${(column + 1) % 3}-row0`); // start from another situation
            await page.click(`#List1-${column}-row${row}`);
            check(same(await shown(page), await situationOf(page, column, row)),
                  `list ${column} row ${row} selects its situation`);
            check(await focused(page) === `List1-${column}`, 'the clicked list has the focus');
        }
    }
    const before = await shown(page);
    await page.click('#List1-2-row2', { modifiers: ['Control'] });
    check(same(await shown(page), before), 'a click on the selected row keeps it');
    await page.click('#Command1');
    check(same(await shown(page), nothing), 'the button clears');
    await page.screenshot({ path: path.join(shots, 'page_cleared.png') });
    group('mouse: the nine rows and the button');
}

async function checkKeys(page) {
    const keys = [[['Tab', 'ArrowDown'], 0, 0], [['Tab', 'End'], 0, 2],
                  [['Tab', 'End', 'ArrowUp'], 0, 1], [['Tab', 'Tab', 'PageDown', 'Home'], 1, 0]];
    for (const [presses, column, row] of keys) {
        await load(page);
        for (const key of presses)
            await page.keyboard.press(key);
        check(same(await shown(page), await situationOf(page, column, row)),
              `${presses.join(', ')} selects row ${row} of list ${column}`);
    }
    const selected = await shown(page);
    for (const elsewhere of ['List1-2', 'Text1']) {
        await page.focus(`#${elsewhere}`);
        await page.keyboard.press('Enter');
        await page.keyboard.press('Escape');
        check(same(await shown(page), selected), `Enter and Escape in ${elsewhere} do nothing`);
    }
    for (const key of ['Space', 'Enter']) {
        await page.click('#List1-1-row2');
        await page.focus('#Command1');
        await page.keyboard.press(key);
        check(same(await shown(page), nothing), `${key} on the focused button clears`);
    }

    await load(page);
    const order = ['Text1', 'List1-0', 'List1-1', 'List1-2', 'Command1', 'Text1'];
    for (const expected of order.slice(1)) {
        await page.keyboard.press('Tab');
        check(await focused(page) === expected, `Tab moves to ${expected}`);
    }
    for (const expected of order.slice(0, -1).reverse()) {
        await page.keyboard.press('Shift+Tab');
        check(await focused(page) === expected, `Shift+Tab moves to ${expected}`);
    }
    check(same(await shown(page), nothing), 'Tab selects nothing');
    group('keys: the movement keys, Enter, Escape, the button, the focus order');
}

async function checkScreenReaders(page) {
    await page.click('#List1-1-row1');
    const client = await page.context().newCDPSession(page);
    const { nodes } = await client.send('Accessibility.getFullAXTree');
    const seen = nodes.filter((node) => !node.ignored);
    const named = (role) => seen.filter((node) => node.role?.value === role)
        .map((node) => node.name?.value);
    check(same(named('listbox'), ['величина', 'уред', 'начин']),
          `the lists are named ${named('listbox')}`);
    check(same(named('textbox'), ['Измерване на ток, напрежение и съпротивление']),
          'the text is named by the title');
    check(same(named('button'), ['Чисти']), 'the button is named by its caption');
    const selected = seen.filter((node) => node.role?.value === 'option' && node.properties
        ?.some((property) => property.name === 'selected' && property.value.value));
    check(same(selected.map((node) => node.name?.value), ['напрежение', 'волтметър', 'паралелно']),
          'the matched rows are reported as selected');
    check(named('option').length === 9, 'the key lists are not in the tree');
    console.log(`accessibility tree: lists named ${named('listbox').join(', ')}`);
    group('screen readers: names, selected rows, no key lists');
}

// The window is in the page before its program attaches, and without scripts at all: it looks
// as it does once the program runs, and the lists take no input rather than show half a
// situation.
async function checkBeforeTheProgram(browser, url, started) {
    const look = await started.locator('#window').screenshot();
    const stalled = await browser.newPage();
    await stalled.addInitScript(() => { WebAssembly.instantiate = () => new Promise(() => {}); });
    const scriptless = await browser.newPage({ javaScriptEnabled: false });
    for (const [page, when] of [[stalled, 'before the program attaches'], [scriptless, 'without scripts']]) {
        page.on('pageerror', (error) => check(false, `${when} the page reported ${error.message}`));
        await page.goto(url);
        check(Buffer.compare(await page.locator('#window').screenshot(), look) === 0,
              `${when} the window looks as it does with the program`);
        await page.click('#List1-1-row1');
        await page.keyboard.press('ArrowDown');
        check(same(await shown(page), nothing), `${when} the lists take no input`);
    }
    await scriptless.screenshot({ path: path.join(shots, 'page_without_scripts.png') });
    group('the window before the program attaches and without scripts');
}

async function main() {
    const browser = await launch();
    const server = await serve(pageFile);
    const url = server.url;
    try {
        const page = await open(browser, url, { viewport: { width: 600, height: 400 } });
        await page.screenshot({ path: path.join(shots, 'page_start.png') });
        await checkLook(page);
        await checkBeforeTheProgram(browser, url, page);
        await checkMouse(page);
        await checkKeys(page);
        await checkScreenReaders(page);
        await page.screenshot({ path: path.join(shots, 'page_selected.png') });

        const phone = await open(browser, url,
                                 { viewport: { width: 360, height: 640 }, hasTouch: true });
        await phone.tap('#List1-2-row0');
        check(same(await shown(phone), await situationOf(phone, 2, 0)), 'a tap selects');
        const width = await phone.evaluate(
            () => document.getElementById('window').getBoundingClientRect().width);
        check(width <= 360 && width > 350, `on a phone the window is ${width} wide`);
        await phone.screenshot({ path: path.join(shots, 'page_phone.png') });
        group('a phone: the window fits, a tap selects');

        const local = await open(browser, pathToFileURL(pageFile).href);
        await local.click('#List1-0-row2');
        check(same(await shown(local), await situationOf(local, 0, 2)), 'opened from a file');
        group('the page opened from a file');
    } finally {
        server.close();
        await browser.close();
    }
    console.log(`${checks} checks, ${failures} failed`);
    process.exitCode = failures === 0 ? 0 : 1;
}

main().catch((error) => {
    console.log(`FAIL: ${error.stack}`);
    process.exitCode = 1;
});
