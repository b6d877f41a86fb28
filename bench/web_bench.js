// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

// Loads dornelik.html and a static page with the same look and no program (the page as the
// program leaves it, without its scripts) from a local web server into Debian's Chromium, in turn,
// as a machine of today sees them and as one four times slower does (Chromium's CPU throttling),
// and prints the medians of the time from navigation to the first paint, to the first
// contentful paint and to the page being ready (the program's own mark; the load event for the
// static page), and their sizes; then Lighthouse's four scores for the page served compressed.
'use strict';
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');
const zlib = require('node:zlib');

const [root, pageFile, runs] = [process.argv[2], process.argv[3], Number(process.argv[4] || 21)];
const puppeteer = require('puppeteer-core');
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const ready = () => performance.getEntriesByName('dornelik-ready').length > 0;
const painted = () => performance.getEntriesByName('first-contentful-paint').length > 0;

async function load(browser, url, slowdown) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.emulateCPUThrottling(slowdown);
    await page.goto(url, { waitUntil: 'load' });
    if (url.endsWith('/dornelik.html'))
        await page.waitForFunction(ready);
    await page.waitForFunction(painted);
    const times = await page.evaluate(() => [
        performance.getEntriesByName('first-paint')[0].startTime,
        performance.getEntriesByName('first-contentful-paint')[0].startTime,
        performance.getEntriesByName('dornelik-ready')[0]?.startTime
            ?? performance.getEntriesByType('navigation')[0].loadEventEnd,
    ]);
    await context.close();
    return times;
}

async function main() {
    const flags = ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
                   '--disable-component-update', '--disable-sync', '--no-first-run'];
    const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', args: flags });
    const pages = { dornelik: fs.readFileSync(pageFile) };
    const server = http.createServer((request, response) => {
        const address = new URL(request.url, 'http://localhost');
        const page = pages[path.basename(address.pathname, '.html')];
        if (!page) {
            response.writeHead(404);
            response.end();
            return;
        }
        // Compressed where asked for, as a web server sends it.
        const compressed = address.search === '?compressed';
        response.writeHead(200, { 'Content-Type': 'text/html; charset=utf-8',
                                  ...(compressed ? { 'Content-Encoding': 'gzip' } : {}) });
        response.end(compressed ? zlib.gzipSync(page, { level: 9 }) : page);
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    const url = (name) => `http://127.0.0.1:${server.address().port}/${name}.html`;

    const first = await browser.newPage();
    await first.goto(url('dornelik'));
    await first.waitForFunction(ready);
    pages.static = Buffer.from(await first.evaluate(() => {
        document.querySelectorAll('script').forEach((script) => script.remove());
        return '<!doctype html>' + document.documentElement.outerHTML;
    }));
    await first.close();

    const kib = (bytes) => bytes / 1024;
    const gzipped = (buffer) => zlib.gzipSync(buffer, { level: 9 }).length;
    const row = (name, d, s, digits = 1) =>
        console.log(`| ${name} | ${d.toFixed(digits)} | ${s.toFixed(digits)} | ${(d / s).toFixed(2)} |`);
    console.log(`| measure (median of ${runs} runs) | dornelik.html | static page | ratio |`);
    console.log('|---|---:|---:|---:|');
    for (const slowdown of [1, 4]) {
        const times = { dornelik: [], static: [] };
        for (let run = 0; run <= runs; ++run) {
            for (const name of ['dornelik', 'static']) {
                const measured = await load(browser, url(name), slowdown);
                if (run > 0) // the first round fills the caches the later ones find warm
                    times[name].push(measured);
            }
        }
        const at = (name, index) => median(times[name].map((measured) => measured[index]));
        const cpu = slowdown === 1 ? '' : `, CPU ${slowdown}× slower`;
        ['first paint', 'first contentful paint', 'ready'].forEach((measure, index) =>
            row(`navigation to ${measure}${cpu}, ms`, at('dornelik', index), at('static', index)));
    }
    row('size, KiB', kib(pages.dornelik.length), kib(pages.static.length));
    row('size gzipped, KiB', kib(gzipped(pages.dornelik)), kib(gzipped(pages.static)));
    await browser.close();

    // Lighthouse, in its own Chromium, as on a phone: its default.
    const { default: lighthouse } = await import('lighthouse');
    const chrome = await require('chrome-launcher').launch({
        chromePath: '/usr/bin/chromium', chromeFlags: ['--headless=new', ...flags] });
    const result = await lighthouse(`${url('dornelik')}?compressed`, { port: chrome.port, logLevel: 'error' });
    await chrome.kill();
    server.close();
    if (result.lhr.runtimeError)
        throw new Error(`Lighthouse: ${result.lhr.runtimeError.message}`);
    const scores = Object.values(result.lhr.categories)
        .map((category) => `${category.title} ${Math.round(category.score * 100)}`);
    console.log(`\nLighthouse ${result.lhr.lighthouseVersion}, the page served compressed: ${scores.join(', ')}`);
}

main().catch((error) => {
    console.error(error);
    process.exitCode = 1;
});
