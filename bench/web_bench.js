// Loads dornelik.html and a static page with the same look and no program (the page as the
// program leaves it, without its script) from a local web server into Debian's Chromium, in
// turn, and prints the medians of the time from navigation to the first paint and to the page
// being ready (the program's own mark; the load event for the static page), and their sizes.
'use strict';
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');
const zlib = require('node:zlib');

const [root, pageFile, runs] = [process.argv[2], process.argv[3], Number(process.argv[4] || 21)];
const { chromium } = require(path.join(root, 'tests/web/node_modules/playwright-core'));
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const ready = () => performance.getEntriesByName('dornelik-ready').length > 0;

async function main() {
    const browser = await chromium.launch({
        executablePath: '/usr/bin/chromium',
        args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
               '--disable-component-update', '--disable-sync', '--no-first-run'],
    });
    const pages = { dornelik: fs.readFileSync(pageFile) };
    const server = http.createServer((request, response) => {
        response.writeHead(200, { 'Content-Type': 'text/html; charset=utf-8' });
        response.end(pages[path.basename(request.url, '.html')]);
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

    const times = { dornelik: { paint: [], ready: [] }, static: { paint: [], ready: [] } };
    for (let run = 0; run <= runs; ++run) {
        for (const name of ['dornelik', 'static']) {
            const context = await browser.newContext();
            const page = await context.newPage();
            await page.goto(url(name), { waitUntil: 'load' });
            if (name === 'dornelik')
                await page.waitForFunction(ready);
            await page.waitForFunction(() => performance.getEntriesByName('first-paint').length > 0);
            const [paint, done] = await page.evaluate(() => [
                performance.getEntriesByName('first-paint')[0]?.startTime,
                performance.getEntriesByName('dornelik-ready')[0]?.startTime
                    ?? performance.getEntriesByType('navigation')[0].loadEventEnd,
            ]);
            if (run > 0) { // the first round fills the caches the later ones find warm
                times[name].paint.push(paint);
                times[name].ready.push(done);
            }
            await context.close();
        }
    }
    server.close();
    await browser.close();

    const row = (name, d, s, digits = 1) =>
        console.log(`| ${name} | ${d.toFixed(digits)} | ${s.toFixed(digits)} | ${(d / s).toFixed(2)} |`);
    const kib = (bytes) => bytes / 1024;
    const gzipped = (buffer) => zlib.gzipSync(buffer, { level: 9 }).length;
    console.log(`| measure (median of ${runs} runs) | dornelik.html | static page | ratio |`);
    console.log('|---|---:|---:|---:|');
    row('navigation to first paint, ms', median(times.dornelik.paint), median(times.static.paint));
    row('navigation to ready, ms', median(times.dornelik.ready), median(times.static.ready));
    row('size, KiB', kib(pages.dornelik.length), kib(pages.static.length));
    row('size gzipped, KiB', kib(gzipped(pages.dornelik)), kib(gzipped(pages.static)));
}

main().catch((error) => {
    console.error(error);
    process.exitCode = 1;
});
