// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

// Opens the page in one of three browser engines, Debian's Chromium and Firefox ESR (through
// puppeteer-core, over the DevTools protocol and WebDriver BiDi) and WebKit (WebKitGTK's
// MiniBrowser, through its WebDriver and selenium-webdriver), and drives it the same way in each:
// the tests and the monkey test are written once, against this layer. Also serves the page, and
// reads back what its lists show.
'use strict';
const fs = require('node:fs');
const http = require('node:http');
const net = require('node:net');
const path = require('node:path');
const { spawn } = require('node:child_process');
const axe = require('axe-core');

const engines = ['chromium', 'firefox', 'webkit'];

// What an engine can be asked beyond the page's behaviour.
const abilities = {
    chromium: { forcedColors: true, accessibilityTree: true, scriptsOff: true, touch: true },
    firefox: { forcedColors: true, accessibilityTree: false, scriptsOff: false, touch: true },
    webkit: { forcedColors: false, accessibilityTree: false, scriptsOff: false, touch: false },
};

// Keys by the names the tests use, for each protocol: puppeteer's names, WebDriver's codes.
const webDriverKeys = {
    Tab: '\uE004', Enter: '\uE007', Shift: '\uE008', Control: '\uE009', Alt: '\uE00A',
    Escape: '\uE00C', Space: ' ', PageUp: '\uE00E', PageDown: '\uE00F', End: '\uE010',
    Home: '\uE011', ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014',
    ArrowDown: '\uE015', Delete: '\uE017', Backspace: '\uE003',
    F1: '\uE031', F2: '\uE032', F3: '\uE033', F4: '\uE034', F5: '\uE035', F6: '\uE036',
    F7: '\uE037', F8: '\uE038', F9: '\uE039', F10: '\uE03A', F11: '\uE03B', F12: '\uE03C',
};
const puppeteerKey = (key) => (key === 'Space' ? ' ' : key);
const buttonNumbers = { left: 0, middle: 1, right: 2 };

const ready = () => performance.getEntriesByName('dornelik-ready').length > 0;

// Waits up to 10 s for `check` to come true.
async function until(check, what) {
    for (const deadline = Date.now() + 10000; !(await check());) {
        if (Date.now() > deadline)
            throw new Error(`waited 10 s in vain for ${what}`);
        await new Promise((resolve) => setTimeout(resolve, 50));
    }
}

// What every page does, whatever drives it: the protocol's few operations are the subclasses'.
class Page {
    constructor(engine) {
        this.engine = engine;
        this.can = abilities[engine];
    }

    // Opens `url` and, unless told not to, waits for the program to attach.
    async open(url, { waitForProgram = true } = {}) {
        await this.navigate(url);
        if (waitForProgram)
            await this.waitFor(ready);
        await this.watchForTroubles();
    }

    // Polled from here: Puppeteer's own waiting builds its function inside the page, which
    // Firefox ESR 140 holds to the page's content security policy.
    async waitFor(condition) {
        await until(() => this.evaluate(condition), condition.name || String(condition));
    }

    async reload() {
        await this.open(await this.evaluate(() => location.href));
    }

    // The centre of the element `selector`, in the page's pixels.
    async centre(selector) {
        const box = await this.box(selector);
        return [box.x + box.width / 2, box.y + box.height / 2];
    }

    async box(selector) {
        return this.evaluate((selector) => {
            const { x, y, width, height } = document.querySelector(selector).getBoundingClientRect();
            return { x, y, width, height };
        }, selector);
    }

    async click(selector, { modifiers = [] } = {}) {
        await this.clickAt(...await this.centre(selector), { modifiers });
    }

    async focus(selector) {
        await this.evaluate((selector) => document.querySelector(selector).focus(), selector);
    }

    // Presses a key, or a chord such as 'Shift+Tab'.
    async press(chord) {
        const keys = chord.split('+');
        for (const key of keys)
            await this.keyDown(key);
        for (const key of keys.reverse())
            await this.keyUp(key);
    }

    // axe-core's violations, each as its rule, impact and count of elements.
    async accessibilityViolations() {
        await this.evaluate(axe.source);
        const violations = await this.evaluate(
            () => axe.run(document, { resultTypes: ['violations'] })
                .then((result) => result.violations.map((rule) => ({
                    id: rule.id, impact: rule.impact, nodes: rule.nodes.length }))));
        return violations.map((rule) => `${rule.id} (${rule.impact}, ${rule.nodes})`);
    }
}

class PuppeteerPage extends Page {
    constructor(engine, page) {
        super(engine);
        this.page = page;
        this.target = page;
        this.offset = [0, 0];
        this.reported = [];
        page.on('dialog', (dialog) => {
            this.reported.push(`a dialog: ${dialog.message()}`);
            dialog.dismiss();
        });
        page.on('pageerror', (error) => this.reported.push(`an error: ${error.message}`));
        page.on('console', (message) => message.type() === 'error'
            && this.reported.push(`the console: ${message.text()}`));
    }

    async watchForTroubles() {}

    // Errors, error messages and dialogs since the page was opened; then forgets them.
    async troubles() {
        return this.reported.splice(0);
    }

    // From now on works in the frame `selector` of the page, until leaveFrame().
    async enterFrame(selector) {
        const element = await this.page.$(selector);
        this.target = await element.contentFrame();
        await this.waitFor(ready);
        const box = await element.boundingBox();
        const frame = await element.evaluate((frame) => [frame.clientLeft, frame.clientTop]);
        this.offset = [box.x + frame[0], box.y + frame[1]];
    }

    async leaveFrame() {
        this.target = this.page;
        this.offset = [0, 0];
    }

    async navigate(url) {
        await this.page.goto(url);
    }

    async evaluate(action, ...values) {
        return this.target.evaluate(action, ...values);
    }

    async clickAt(x, y, { button = 'left', clickCount = 1, modifiers = [] } = {}) {
        for (const key of modifiers)
            await this.page.keyboard.down(key);
        await this.page.mouse.click(x + this.offset[0], y + this.offset[1],
                                    { button, count: clickCount, clickCount });
        for (const key of modifiers)
            await this.page.keyboard.up(key);
    }

    async drag([x, y], [toX, toY], button = 'left') {
        await this.page.mouse.move(x, y);
        await this.page.mouse.down({ button });
        await this.page.mouse.move(toX, toY, { steps: 3 });
        await this.page.mouse.up({ button });
    }

    async wheel(x, y, deltaY) {
        await this.page.mouse.move(x, y);
        await this.page.mouse.wheel({ deltaY });
    }

    async tap(selector) {
        await this.tapAt(...await this.centre(selector));
    }

    async tapAt(x, y) {
        await this.page.touchscreen.tap(x + this.offset[0], y + this.offset[1]);
    }

    async keyDown(key) {
        await this.page.keyboard.down(puppeteerKey(key));
    }

    async keyUp(key) {
        await this.page.keyboard.up(puppeteerKey(key));
    }

    async screenshot(file) {
        await this.page.screenshot({ path: file });
    }

    async elementScreenshot(selector) {
        return Buffer.from(await (await this.page.$(selector)).screenshot());
    }

    // Chromium's accessibility tree, as screen readers get it: the nodes it does not ignore.
    async accessibilityTree() {
        const client = await this.page.createCDPSession();
        const { nodes } = await client.send('Accessibility.getFullAXTree');
        await client.detach();
        return nodes.filter((node) => !node.ignored);
    }

    async close() {
        await this.page.close();
    }
}

class WebDriverPage extends Page {
    constructor(engine, driver) {
        super(engine);
        this.driver = driver;
    }

    // WebDriver tells of nothing the page reports: the page keeps it.
    async watchForTroubles() {
        await this.evaluate(() => {
            window.dornelikTroubles = [];
            addEventListener('error', (event) => window.dornelikTroubles.push(`an error: ${event.message}`));
            const report = console.error;
            console.error = (...words) => {
                window.dornelikTroubles.push(`the console: ${words.join(' ')}`);
                report.apply(console, words);
            };
        });
    }

    async troubles() {
        try {
            return await this.evaluate(() => window.dornelikTroubles.splice(0));
        } catch (error) {
            // A dialog left open stops every command.
            return [`${error.name}: ${error.message}`];
        }
    }

    async enterFrame(selector) {
        const { By } = require('selenium-webdriver');
        await this.driver.switchTo().frame(await this.driver.findElement(By.css(selector)));
        await this.waitFor(ready);
        await this.watchForTroubles();
    }

    async leaveFrame() {
        await this.driver.switchTo().defaultContent();
    }

    async navigate(url) {
        await this.driver.get(url);
    }

    async evaluate(action, ...values) {
        const body = typeof action === 'function'
            ? `return (${action}).apply(null, arguments);` : `${action}; return null;`;
        return this.driver.executeAsyncScript(
            `const done = arguments[arguments.length - 1];
             Promise.resolve((function () { ${body} }).apply(null, [].slice.call(arguments, 0, -1)))
                 .then(done, (error) => done({ failed: String(error) }));`, ...values)
            .then((result) => {
                if (result && result.failed)
                    throw new Error(result.failed);
                return result;
            });
    }

    actions() {
        return this.driver.actions({ async: true });
    }

    // Keys held and the pointer in separate actions: WebKitGTK's driver stops on the two in one.
    async clickAt(x, y, { button = 'left', clickCount = 1, modifiers = [] } = {}) {
        for (const key of modifiers)
            await this.keyDown(key);
        let actions = this.actions().move({ x: Math.round(x), y: Math.round(y) });
        for (let click = 0; click < clickCount; ++click)
            actions = actions.press(buttonNumbers[button]).release(buttonNumbers[button]);
        await actions.perform();
        for (const key of modifiers)
            await this.keyUp(key);
    }

    async drag([x, y], [toX, toY], button = 'left') {
        await this.actions().move({ x: Math.round(x), y: Math.round(y) })
            .press(buttonNumbers[button]).move({ x: Math.round(toX), y: Math.round(toY) })
            .release(buttonNumbers[button]).perform();
    }

    async wheel(x, y, deltaY) {
        await this.actions().scroll(Math.round(x), Math.round(y), 0, deltaY).perform();
    }

    async keyDown(key) {
        await this.actions().keyDown(webDriverKeys[key] || key).perform();
    }

    async keyUp(key) {
        await this.actions().keyUp(webDriverKeys[key] || key).perform();
    }

    // WebKitGTK's driver takes a screenshot at the page's next painting, which a page at rest
    // never does: a dot of the page, outside the window, is repainted all the while.
    async whilePainting(action) {
        await this.evaluate(() => {
            const dot = document.createElement('div');
            dot.id = 'dornelik-painting';
            dot.style.cssText = 'position: fixed; right: 0; bottom: 0; width: 1px; height: 1px';
            document.body.appendChild(dot);
            let step = 0;
            window.dornelikPainting = setInterval(() => { dot.style.opacity = ++step % 2 ? 0.01 : 0.02; }, 20);
        });
        try {
            return await action();
        } finally {
            await this.evaluate(() => {
                clearInterval(window.dornelikPainting);
                document.getElementById('dornelik-painting').remove();
            });
        }
    }

    async screenshot(file) {
        fs.writeFileSync(file, await this.whilePainting(() => this.driver.takeScreenshot()), 'base64');
    }

    async elementScreenshot(selector) {
        const { By } = require('selenium-webdriver');
        const element = await this.driver.findElement(By.css(selector));
        return Buffer.from(await this.whilePainting(() => element.takeScreenshot()), 'base64');
    }

    async close() {
        await this.driver.quit();
        this.stop();
    }
}

// A free port on this machine.
const freePort = () => new Promise((resolve) => {
    const server = net.createServer();
    server.listen(0, '127.0.0.1', () => {
        const { port } = server.address();
        server.close(() => resolve(port));
    });
});

const chromiumArguments = ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
                           '--disable-component-update', '--disable-sync', '--no-first-run'];

// Puppeteer sets a screen orientation with the viewport, which Firefox ESR 140 (Debian 12's
// before its security updates) does not know; the viewport itself it sets, and that is what
// the tests need.
async function setViewport(page, viewport) {
    try {
        await page.setViewport(viewport);
    } catch (error) {
        if (!error.message.includes('unknown command emulation.setScreenOrientationOverride'))
            throw error;
        const sized = (width, height) => innerWidth === width && innerHeight === height;
        await until(() => page.evaluate(sized, viewport.width, viewport.height), 'the viewport');
    }
}

// Starts the engine. `newPage` opens a page of `width` by `height` CSS pixels, with a touch
// screen or in forced colours (high contrast) where asked and the engine can.
async function launch(engine) {
    if (engine === 'webkit')
        return launchWebKit();
    const puppeteer = require('puppeteer-core');
    const browsers = {};
    const start = (forcedColors) => {
        const key = String(forcedColors);
        browsers[key] ??= engine === 'chromium'
            ? puppeteer.launch({ browser: 'chrome', executablePath: '/usr/bin/chromium',
                                 args: chromiumArguments, ignoreDefaultArgs: ['--hide-scrollbars'] })
            : puppeteer.launch({
                browser: 'firefox', executablePath: '/usr/bin/firefox-esr',
                // Scroll bars that stay, as on a desktop; and Firefox's forced colours, the
                // system's high contrast colours, where asked.
                extraPrefsFirefox: Object.assign({ 'widget.gtk.overlay-scrollbars.enabled': false },
                                                 forcedColors ? { 'browser.display.document_color_use': 2 } : {}),
            });
        return browsers[key];
    };
    return {
        engine,
        can: abilities[engine],
        async newPage({ width = 600, height = 400, touch = false, forcedColors = false, scripts = true } = {}) {
            const browser = await start(forcedColors && engine === 'firefox');
            const page = await browser.newPage();
            await setViewport(page, { width, height, hasTouch: touch && engine === 'chromium' });
            if (forcedColors && engine === 'chromium')
                await (await page.createCDPSession()).send('Emulation.setEmulatedMedia',
                    { features: [{ name: 'forced-colors', value: 'active' }] });
            if (!scripts)
                await page.setJavaScriptEnabled(false);
            return new PuppeteerPage(engine, page);
        },
        async close() {
            for (const browser of Object.values(browsers))
                await (await browser).close();
        },
    };
}

// WebKit: WebKitGTK's WebDriver, which starts a MiniBrowser, on the X server that DISPLAY names,
// for its one session: a driver of its own for each page. Pages are drawn without accelerated
// compositing, which the screenshots of a screen without a graphics card need.
async function launchWebKit() {
    const { Builder, Capabilities } = require('selenium-webdriver');
    const pages = new Set();
    return {
        engine: 'webkit',
        can: abilities.webkit,
        async newPage({ width = 600, height = 400 } = {}) {
            const port = await freePort();
            const server = spawn('/usr/bin/WebKitWebDriver', [`--port=${port}`], {
                stdio: 'ignore', env: { ...process.env, WEBKIT_DISABLE_COMPOSITING_MODE: '1' } });
            const capabilities = new Capabilities()
                .set('browserName', 'MiniBrowser')
                .set('webkitgtk:browserOptions', {
                    binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
                    args: ['--automation'],
                });
            let driver;
            for (let attempt = 0; !driver; ++attempt) {
                try {
                    driver = await new Builder().usingServer(`http://127.0.0.1:${port}`)
                        .withCapabilities(capabilities).build();
                } catch (error) {
                    if (attempt === 50)
                        throw error;
                    await new Promise((resolve) => setTimeout(resolve, 100)); // still starting
                }
            }
            // The window's frame and tool bar take their share of the window's size, which the
            // window manager gives in its own time.
            const window_ = driver.manage().window();
            for (let attempt = 0; attempt < 20; ++attempt) {
                const inner = await driver.executeScript('return [innerWidth, innerHeight]');
                if (inner[0] === width && inner[1] === height)
                    break;
                const outer = await window_.getRect();
                await window_.setRect({ width: width + outer.width - inner[0],
                                        height: height + outer.height - inner[1] });
                await new Promise((resolve) => setTimeout(resolve, 100));
            }
            const page = new WebDriverPage('webkit', driver);
            page.stop = () => {
                server.kill();
                pages.delete(page);
            };
            pages.add(page);
            return page;
        },
        async close() {
            for (const page of pages)
                await page.close().catch(() => page.stop());
        },
    };
}

// Serves the page at the returned address until close() is called, with the headers that
// `headersFor` gives for the origin of the frame's page (below) on it, and
// beside it the page without its program's script, as it is before the program attaches. Keeps
// the addresses asked for in `requests`, and the reports of a content security policy sent to
// /report in `reports`. `parentUrl` is a page of another origin that shows the page in a frame.
async function serve(pageFile, headersFor = () => ({})) {
    const reports = [];
    const requests = [];
    const page = fs.readFileSync(pageFile, 'utf8');
    const pages = {
        '/dornelik.html': page,
        '/without-program.html': page.replace(/<script type="module">[^]*?<\/script>/, ''),
    };
    const listen = async (handler, host = '127.0.0.1') => {
        const server = http.createServer(handler);
        await new Promise((resolve) => server.listen(0, host, resolve));
        return server;
    };
    let headers = {};
    const server = await listen((request, response) => {
        if (request.method === 'POST' && request.url === '/report') {
            let body = '';
            request.on('data', (chunk) => { body += chunk; });
            request.on('end', () => { reports.push(body); response.end(); });
            return;
        }
        requests.push(request.url);
        if (!(request.url in pages)) {
            response.writeHead(404);
            response.end();
            return;
        }
        response.writeHead(200, { 'Content-Type': 'text/html; charset=utf-8', ...headers });
        response.end(pages[request.url]);
    });
    const url = `http://127.0.0.1:${server.address().port}/dornelik.html`;
    // The frame's page, at another address of this machine: another origin.
    const parent = await listen((request, response) => {
        response.writeHead(200, { 'Content-Type': 'text/html; charset=utf-8' });
        response.end(`<!doctype html><title>Школа</title><iframe id="frame" src="${url}" width="480" height="360"></iframe>`);
    }, '127.0.0.2');
    const parentOrigin = `http://127.0.0.2:${parent.address().port}`;
    headers = headersFor(parentOrigin);
    return {
        url,
        withoutProgramUrl: url.replace('dornelik.html', 'without-program.html'),
        parentUrl: `${parentOrigin}/`,
        reports,
        requests,
        close: () => { server.close(); parent.close(); },
    };
}

const same = (a, b) => JSON.stringify(a) === JSON.stringify(b);
const nothing = [-1, -1, -1];

// The selected row of each visible list, -1 where none is.
const shown = (page) => page.evaluate(() => [0, 1, 2].map((column) =>
    [...document.getElementById(`List1-${column}`).children]
        .findIndex((row) => row.classList.contains('selected'))));

// The rows of the situation of a row, found by its key in the page's own key lists.
const situationOf = (page, column, row) => page.evaluate((column, row) => {
    const keys = (list) => [...document.getElementById(`List2-${list}`).children]
        .map((key) => key.textContent);
    const key = keys(column)[row];
    return [0, 1, 2].map((list) => keys(list).indexOf(key));
}, column, row);

module.exports = { engines, launch, serve, same, nothing, shown, situationOf, ready };
