// The catalogue palette in headless Chromium: the test page served by `corvana-host serve` imports a
// building material through jsCorvanaInterface, asks for the platform and shows the calculation, and the
// saved project holds the material under its exact (non-ASCII) name. A second session on the sample house
// imports a construction system whose layer has a non-ASCII name: the name reaches the project and comes
// back unchanged in the calculation view.
//   node palette.test.mjs CORVANA_HOST OUTPUT_FOLDER
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { check, equal, freshFolder, materialNames, quit, runTest, startServe, stopLeftOver } from './serve-support.mjs';

const chromiumPath = '/usr/bin/chromium';
const [hostPath, outputFolder] = process.argv.slice(2);
const materialName = 'Holzfaserdämmplatte';
const testFolder = path.dirname(fileURLToPath(import.meta.url));
const sampleHouse = path.join(testFolder, '..', '..', 'Examples', 'House.json');

async function loadDriver() {
  if (!fs.existsSync(chromiumPath))
    throw new Error(`${chromiumPath} is missing: install Debian's chromium (bash scripts/setup.sh)`);
  try {
    return (await import('playwright-core')).chromium;
  } catch (error) {
    throw new Error('playwright-core is missing in Tests/Browser/node_modules: run bash scripts/setup.sh (' + error.message + ')');
  }
}

// Waits until the page has shown the reply of `call` and answers it.
async function replyOf(page, call) {
  await page.waitForFunction((name) => {
    const reply = document.getElementById('reply');
    return document.getElementById('last-call').textContent === name && reply.dataset.state !== 'busy';
  }, call, { timeout: 10000 });
  return page.evaluate(() => ({ state: document.getElementById('reply').dataset.state, text: document.getElementById('reply').textContent }));
}

// One session: serve started with `serveOptions`, the page opened in Chromium for `drive(page)`, then /quit;
// answers the project serve saved, parsed and as the file's bytes.
async function session(serveOptions, drive) {
  check(hostPath && outputFolder, 'usage: node palette.test.mjs CORVANA_HOST OUTPUT_FOLDER');
  const chromium = await loadDriver();
  const server = await startServe(hostPath, serveOptions);
  try {
    const context = await chromium.launchPersistentContext(freshFolder('corvana-chromium-'), {
      executablePath: chromiumPath,
      headless: true,
      args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
        '--disable-background-networking', '--disable-component-update', '--disable-sync'],
      viewport: { width: 1100, height: 800 },
    });
    try {
      const page = context.pages()[0] || await context.newPage();
      const pageErrors = [];
      page.on('pageerror', (error) => pageErrors.push(error.message));
      await page.goto(server.base);
      await page.waitForSelector('body[data-ready="true"]', { timeout: 10000 });
      fs.mkdirSync(outputFolder, { recursive: true });
      await drive(page);
      equal(pageErrors, [], 'errors on the page');
    } finally {
      await context.close();
    }
    const { exit, project } = await quit(server);
    equal(exit.code, 0, 'the exit status of serve (output:\n' + server.output() + ')');
    check(project !== undefined, 'serve saved the project to ' + server.save);
    return { project, bytes: fs.readFileSync(server.save) };
  } finally {
    stopLeftOver(server);
  }
}

await runTest('browser palette', async () => {
  const { project } = await session({}, async (page) => {
    equal(await page.evaluate(() => Object.keys(window.jsCorvanaInterface)),
      ['import', 'platform', 'updateStatus', 'update', 'getCalculationData', 'replaceMaterialUsedInConstructionSystem',
        'replaceSystem', 'openExternalLink', 'bulkImport', 'export', 'selfUpdate'],
      'the functions of jsCorvanaInterface');
    check(await page.evaluate(() => window.jsCorvanaInterface.platform() instanceof Promise),
      'a function of jsCorvanaInterface answers a promise');

    await page.click(`button[data-item="${materialName}"]`);
    equal(await replyOf(page, 'import'), { state: 'done', text: '{"IsError":false,"ShowError":true}' }, 'the import reply');

    await page.click('#platform');
    const platform = await replyOf(page, 'platform');
    equal(JSON.parse(platform.text), { installer_version: '3.1.0', os: 'windows', platform_type: 0, version: 27 },
      'the platform reply');

    // A call without an argument and one with a number reach the add-on as such: "import" answers the
    // number 0 to the first and an error object to the second.
    equal(await page.evaluate(() => window.jsCorvanaInterface.import()), 0, 'import without an argument');
    equal(await page.evaluate(() => window.jsCorvanaInterface.import(7)), '{"IsError":true,"ShowError":true}',
      'import with a number');

    await page.click('a[data-route="calculations"]');
    await page.waitForSelector('#calculation section.calc-section:nth-of-type(4) table', { timeout: 10000 });
    const shown = await page.$$eval('#calculation section.calc-section', (sections) => sections.map((section) => ({
      section: section.dataset.section, count: Number(section.dataset.count), tables: section.querySelectorAll('table').length,
    })));
    equal(shown.map((s) => s.section), ['ProductInfo', 'SystemInfo', 'CurtainWallInfo', 'StairCalculationInfo'],
      'the calculation sections');
    check(shown.every((s) => s.tables >= 1), 'every calculation section shows a table');
    const calculation = JSON.parse(await page.evaluate(() => window.jsCorvanaInterface.getCalculationData()));
    equal(shown.map((s) => s.count), shown.map((s) => calculation[s.section].length),
      'each section shows as many records as the calculation holds');
    check(page.url().endsWith('/#/calculations'), 'the calculation view is at /#/calculations, not ' + page.url());

    await page.screenshot({ path: path.join(outputFolder, 'browser-palette-calculations.png'), fullPage: true });
    await page.click('a[data-route="catalogue"]');
    await page.screenshot({ path: path.join(outputFolder, 'browser-palette-catalogue.png'), fullPage: true });
  });
  equal(materialNames(project), [materialName], 'the building materials of the saved project');
});

// The sample house's wall system is replaced by one whose insulation layer is "Holzfaserdämmplatte"; the
// house's walls use that system, so the calculation lists the layer.
await runTest('browser palette: a non-ASCII layer name round trip', async () => {
  const serveOptions = {
    hostArgs: ['--project', sampleHouse, '--answer', 'Continue'],
    extraServeArgs: ['--payloads', path.join(testFolder, 'payloads')],
  };
  const { project, bytes } = await session(serveOptions, async (page) => {
    await page.click('button[data-item="Timber frame wall TF-240"]');
    equal(await replyOf(page, 'import'), { state: 'done', text: '{"IsError":false,"ShowError":true}' },
      'the reply to the system import');

    await page.click('a[data-route="calculations"]');
    await page.waitForSelector('#calculation section[data-section="SystemInfo"] table', { timeout: 10000 });
    const cells = await page.$$eval('#calculation section[data-section="SystemInfo"] td', (tds) => tds.map((td) => td.textContent));
    check(cells.includes(materialName), `the systems' table shows a cell "${materialName}": ${JSON.stringify(cells)}`);
    const calculation = JSON.parse(await page.evaluate(() => window.jsCorvanaInterface.getCalculationData()));
    const layerNames = calculation.SystemInfo.flatMap((system) => system.layers.map((layer) => layer.name));
    check(layerNames.includes(materialName), 'the calculation names the layer ' + materialName + ': ' + JSON.stringify(layerNames));
    await page.screenshot({ path: path.join(outputFolder, 'browser-palette-layer-name.png'), fullPage: true });
  });

  const names = materialNames(project);
  check(names.includes(materialName), 'the saved project names the material ' + materialName + ': ' + JSON.stringify(names));
  const material = project.attributes.buildingMaterials.find((m) => m.name === materialName);
  const wall = project.attributes.composites.find((c) => c.name === 'Timber frame wall TF-240');
  check(wall.skins.some((skin) => skin.buildingMaterial === material.index), 'the wall system has the layer ' + materialName);
  // The file holds the name's UTF-8 bytes as they are, not a double-encoded text.
  check(bytes.includes(Buffer.from(materialName, 'utf8')), 'the saved file holds the UTF-8 bytes of ' + materialName);
  check(!bytes.includes(Buffer.from('Holzfaserd\u00c3\u00a4mmplatte', 'utf8')), 'no double-encoded name in the saved file');
});

process.exit(process.exitCode || 0);
