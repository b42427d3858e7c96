// The HTTP side of `corvana-host serve` without a browser: what /call takes and refuses, that calls from
// many connections at once all run (one after the other, on the host thread) and land in the project,
// the payload folder, and the ways to stop it (/quit, SIGTERM), each followed by --save.
//   node serve-protocol.test.mjs CORVANA_HOST
import fs from 'node:fs';
import path from 'node:path';
import { check, equal, freshFolder, materialNames, post, quit, runTest, startServe, stopLeftOver, withTimeout } from './serve-support.mjs';

const [hostPath] = process.argv.slice(2);

function materialPayload(name, id) {
  return JSON.stringify({ data: { import_type: 'Material', name, articles: [{ id, name, updated_at: 1, tabs: [] }] } });
}

async function get(base, route) {
  const response = await fetch(new URL(route, base));
  return { status: response.status, text: await response.text() };
}

async function withServer(options, body) {
  const server = await startServe(hostPath, options);
  try {
    await body(server);
  } finally {
    stopLeftOver(server);
  }
}

await runTest('serve: requests /call refuses', () => withServer({}, async (server) => {
  const refused = [
    ['{"function": "platform"', 400, /no JSON/],
    ['["platform"]', 400, /JSON object/],
    [{ argument: 'x' }, 400, /"function"/],
    [{ function: 'import', argument: null }, 400, /string, a number or an array of strings, not null/],
    [{ function: 'import', argument: true }, 400, /not boolean/],
    [{ function: 'import', argument: { data: {} } }, 400, /not object/],
    [{ function: 'export', argument: ['a', 2] }, 400, /element that is no string/],
    [{ function: 'import', object: 7 }, 400, /"object"/],
    [{ function: 'noSuchFunction' }, 404, /has no function "noSuchFunction"/],
    [{ object: 'otherInterface', function: 'platform' }, 404, /no page shows a script object named "otherInterface"/],
    // Bytes that are not UTF-8 are no JSON text; the page can never send them, a client can.
    [Buffer.concat([Buffer.from('{"function":"import","argument":"'), Buffer.from([0xff]), Buffer.from('"}')]), 400, /no JSON/],
  ];
  for (const [body, status, problem] of refused) {
    const answer = await post(server.base, '/call', body);
    equal(answer.status, status, 'the status for ' + JSON.stringify(body));
    check(problem.test(answer.body.error), `the error for ${JSON.stringify(body)}: ${answer.body.error}`);
  }
  // Still serving after all that.
  equal((await post(server.base, '/call', { function: 'import' })).body, { reply: 0 }, 'a call without an argument');
  const { exit, project } = await quit(server);
  equal(exit.code, 0, 'the exit status');
  equal(materialNames(project), [], 'nothing was imported by refused calls');
}));

await runTest('serve: concurrent calls all run and land in the project', () => withServer({}, async (server) => {
  const names = Array.from({ length: 16 }, (_, i) => `Dämmstoff ${i} – Ökologisch`);
  const calls = names.map((name, i) => post(server.base, '/call', { function: 'import', argument: materialPayload(name, `C-${i}`) }));
  calls.push(...names.map(() => post(server.base, '/call', { function: 'platform' })));
  const answers = await withTimeout(Promise.all(calls), 20000, 'the concurrent calls did not all answer');
  answers.slice(0, names.length).forEach((answer, i) =>
    equal(answer, { status: 200, body: { reply: '{"IsError":false,"ShowError":true}' } }, 'import ' + i));
  answers.slice(names.length).forEach((answer) => equal(JSON.parse(answer.body.reply).version, 27, 'platform'));
  const { exit, project } = await quit(server);
  equal(exit.code, 0, 'the exit status');
  equal(materialNames(project).sort(), [...names].sort(), 'the materials of the saved project');
}));

await runTest('serve: the page, its script objects and the payload folder', async () => {
  const payloads = freshFolder('corvana-payloads-');
  fs.writeFileSync(path.join(payloads, 'b-material.json'), materialPayload('Lehmputz', 'L-1'));
  fs.writeFileSync(path.join(payloads, 'a-material.json'), materialPayload('Kalkputz', 'K-1'));
  fs.writeFileSync(path.join(payloads, '.hidden.json'), '{}');
  fs.writeFileSync(path.join(payloads, 'notes.txt'), 'not a payload');
  fs.writeFileSync(path.join(path.dirname(payloads), 'corvana-outside.json'), '{"secret": true}');
  await withServer({ extraServeArgs: ['--payloads', payloads] }, async (server) => {
    const index = await get(server.base, '/');
    equal(index.status, 200, 'the status of /');
    check(index.text.includes('/corvana-interface.js'), 'the page loads the script objects');
    const script = await get(server.base, '/corvana-interface.js');
    for (const name of ['import', 'platform', 'getCalculationData', 'bulkImport', 'selfUpdate'])
      check(script.text.includes(`"${name}": function`), 'the script object has ' + name);
    equal(JSON.parse((await get(server.base, '/payloads/')).text), ['a-material.json', 'b-material.json'], 'the payload list');
    equal((await get(server.base, '/payloads/a-material.json')).text, materialPayload('Kalkputz', 'K-1'), 'a payload');
    for (const route of ['/payloads/notes.txt', '/payloads/.hidden.json', '/payloads/..%2Fcorvana-outside.json',
      '/payloads/../corvana-outside.json', '/payloads/missing.json'])
      equal((await get(server.base, route)).status, 404, 'the status of ' + route);
    await quit(server);
  });
});

await runTest('serve: SIGTERM stops it and the project is saved', () => withServer({}, async (server) => {
  const imported = await post(server.base, '/call', { function: 'import', argument: materialPayload('Zellulose', 'Z-1') });
  equal(imported.body, { reply: '{"IsError":false,"ShowError":true}' }, 'the import');
  server.child.kill('SIGTERM');
  const exit = await withTimeout(server.exited, 10000, 'serve did not end after SIGTERM');
  equal([exit.code, exit.signal], [0, null], 'the exit after SIGTERM');
  equal(materialNames(JSON.parse(fs.readFileSync(server.save, 'utf8'))), ['Zellulose'], 'the saved materials');
}));

await runTest('serve: a port in use is refused', () => withServer({}, async (server) => {
  const port = new URL(server.base).port;
  const second = await import('node:child_process').then(({ spawnSync }) =>
    spawnSync(hostPath, ['--home', freshFolder('corvana-serve-'), 'serve', '--port', port], { encoding: 'utf8', timeout: 10000 }));
  equal(second.status, 1, 'the exit status of a second server on port ' + port);
  check(second.stderr.includes(`cannot listen on 127.0.0.1:${port}`), 'the message: ' + second.stderr);
  await quit(server);
}));

process.exit(process.exitCode || 0);
