// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

// Opens the page in Debian's Chromium, from a local web server, and reads back what its lists
// show; shared by the page's test and its monkey test.
'use strict';
const fs = require('node:fs');
const http = require('node:http');
const { chromium } = require('playwright-core');

const launch = () => chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--no-first-run'],
    ignoreDefaultArgs: ['--hide-scrollbars'],
});

// Serves the page at the returned address until close() is called.
async function serve(pageFile) {
    const server = http.createServer((request, response) => {
        response.writeHead(200, { 'Content-Type': 'text/html' });
        response.end(fs.readFileSync(pageFile));
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    return { url: `http://127.0.0.1:${server.address().port}/dornelik.html`, close: () => server.close() };
}

async function load(page, url) {
    await (url ? page.goto(url) : page.reload());
    await page.waitForFunction(() => performance.getEntriesByName('dornelik-ready').length > 0);
}

const same = (a, b) => JSON.stringify(a) === JSON.stringify(b);
const nothing = [-1, -1, -1];

// The selected row of each visible list, -1 where none is.
const shown = (page) => page.evaluate(() => [0, 1, 2].map((column) =>
    [...document.getElementById(`List1-${column}`).children]
        .findIndex((row) => row.getAttribute('aria-selected') === 'true')));

// The rows of the situation of a row, found by its key in the page's own key lists.
const situationOf = (page, column, row) => page.evaluate(([column, row]) => {
    const keys = (list) => [...document.getElementById(`List2-${list}`).children]
        .map((key) => key.textContent);
    const key = keys(column)[row];
    return [0, 1, 2].map((list) => keys(list).indexOf(key));
}, [column, row]);

module.exports = { launch, serve, load, same, nothing, shown, situationOf };
