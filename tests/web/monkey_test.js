// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

// Drives the page in one browser engine (`node monkey_test.js ENGINE PAGE`) with a seeded run of
// random mouse, touch and key events, at a desktop's width and at a phone's, and checks after each event that nothing a pupil
// does breaks it: the lists show one situation or none, the key lists are never shown, focused
// or selected, no text changes, the window keeps its size, and the page reports no error and
// opens no dialog. A failure names the seed, the width and the event; DORNELIK_MONKEY_SEED and
// DORNELIK_MONKEY_EVENTS (per width) replay it.
'use strict';
const { launch, serve } = require('./page_driver');

const [engine, pageFile] = process.argv.slice(2);
const seed = Number(process.env.DORNELIK_MONKEY_SEED || 20261208);
const events = Number(process.env.DORNELIK_MONKEY_EVENTS || 400);

// A small seeded generator (mulberry32): the same seed gives the same events.
let generator = seed;
function pick(count) {
    generator = (generator + 0x6d2b79f5) | 0;
    let t = Math.imul(generator ^ (generator >>> 15), 1 | generator);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return Math.floor((((t ^ (t >>> 14)) >>> 0) / 4294967296) * count);
}
const any = (choices) => choices[pick(choices.length)];

const keys = ['ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight', 'Home', 'End', 'PageUp', 'PageDown',
              'Tab', 'Space', 'Enter', 'Escape', 'Delete', 'Backspace', 'a', 'c', 'v', 'x', 'z', 't',
              'F1', 'F2', 'F3', 'F4', 'F5', 'F6', 'F7', 'F8', 'F9', 'F10', 'F11', 'F12'];
const modifiers = ['', '', '', 'Shift+', 'Control+', 'Alt+'];
const buttons = ['left', 'left', 'left', 'right', 'middle'];

// What the page shows that must not change, and the selected rows with their keys.
const snapshot = () => {
    const rows = (id) => [...document.getElementById(id).children];
    const window_ = document.getElementById('window');
    return {
        texts: [...window_.querySelectorAll('.heading, button, [role=option], #List2-0, #List2-1, #List2-2')]
            .map((element) => element.textContent).concat(document.getElementById('Text1').value),
        size: [window_.offsetWidth, window_.offsetHeight],
        keys: [0, 1, 2].map((column) => {
            const row = rows(`List1-${column}`).findIndex((option) => option.classList.contains('selected'));
            return row < 0 ? '' : rows(`List2-${column}`)[row].textContent;
        }),
        keyListsUntouched: [0, 1, 2].every((column) => {
            const keyList = document.getElementById(`List2-${column}`);
            return keyList.hidden && keyList.offsetParent === null && !keyList.contains(document.activeElement)
                && !keyList.querySelector('.selected, [aria-selected=true]');
        }),
        // Screen readers are told the selection of the focused list, and of no other, while the
        // page has the system's focus.
        toldOutsideTheFocus: document.hasFocus() && [...document.querySelectorAll('[aria-selected=true]')]
            .some((row) => row.parentElement !== document.activeElement || !row.classList.contains('selected')),
    };
};

function whatIsBroken(now, start) {
    if (!now.keyListsUntouched)
        return 'a key list was shown, focused or selected';
    if (now.toldOutsideTheFocus)
        return 'screen readers are told a selection that is not the focused list\'s';
    if (now.keys.join('') !== '' && !(now.keys[0] !== '' && now.keys.every((key) => key === now.keys[0])))
        return `the lists show keys ${now.keys}`;
    if (JSON.stringify(now.texts) !== JSON.stringify(start.texts))
        return 'a text changed';
    if (JSON.stringify(now.size) !== JSON.stringify(start.size))
        return `the window is ${now.size}`;
    return '';
}

async function run(browser, url, width, options) {
    const page = await browser.newPage(options);
    await page.open(url);
    const start = await page.evaluate(snapshot);
    const box = await page.box('#window');
    // Mostly over the window, sometimes beside it, but in the page: WebDriver moves nowhere else.
    const within = (value, size) => Math.min(Math.max(value, 0), size - 1);
    const somewhere = () => {
        const margin = pick(8) === 0 ? 30 : 0;
        return [within(box.x - margin + pick(box.width + 2 * margin), options.width),
                within(box.y - margin + pick(box.height + 2 * margin), options.height)];
    };
    const touch = options.touch && browser.can.touch;
    for (let event = 0; event < events; ++event) {
        const [x, y] = somewhere();
        const key = any(modifiers) + any(keys);
        switch (pick(touch ? 8 : 7)) {
        case 0:
            await page.clickAt(x, y, { button: any(buttons) });
            break;
        case 1:
            await page.clickAt(x, y, { button: any(buttons), clickCount: 2 });
            break;
        case 2:
            await page.drag([x, y], somewhere(), any(buttons));
            break;
        case 3:
            await page.wheel(x, y, pick(2) ? 120 : -120);
            break;
        case 7:
            await page.tapAt(x, y);
            break;
        default:
            // A key held down repeats.
            if (pick(4) === 0) {
                const held = any(keys);
                await page.keyDown(held);
                for (let repeat = pick(4); repeat > 0; --repeat)
                    await page.keyDown(held);
                await page.keyUp(held);
            } else {
                await page.press(key);
            }
        }
        const broken = (await page.troubles()).join('; ') || whatIsBroken(await page.evaluate(snapshot), start);
        if (broken) {
            console.log(`FAIL: ${engine}, seed ${seed}, ${width}, event ${event}: ${broken}`);
            await page.close();
            return false;
        }
    }
    await page.close();
    return true;
}

async function main() {
    const browser = await launch(engine);
    const server = await serve(pageFile);
    try {
        const began = Date.now();
        const passed = await run(browser, server.url, 'desktop', { width: 600, height: 400 })
            && await run(browser, server.url, 'phone', { width: 360, height: 640, touch: true });
        if (passed)
            console.log(`${engine}: ${2 * events} events from seed ${seed} at a desktop's and a phone's width in `
                        + `${((Date.now() - began) / 1000).toFixed(1)} s, 0 failed`);
        process.exitCode = passed ? 0 : 1;
    } finally {
        server.close();
        await browser.close();
    }
}

main().catch((error) => {
    console.log(`FAIL: ${engine}: ${error.stack}`);
    process.exitCode = 1;
});
