// The HTTP side of `corvana-host serve` without a browser: what /call takes and refuses, that calls from
// many connections at once all run (one after the other, on the host thread) and land in the project,
// the payload folder, and the ways to stop it (/quit, SIGTERM), each followed by --save. Then what a web
// page of another origin, a rebound host name, a huge body and slow connections get: nothing done, a
// refusal, and a server that goes on answering.
//   node serve-protocol.test.mjs CORVANA_HOST
import fs from 'node:fs';
import path from 'node:path';
import { check, equal, freshFolder, materialNames, peakMemoryKB, post, quit, rawRequest, runTest, startServe, stopLeftOver, withTimeout } from './serve-support.mjs';

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
    const answer = await post(server, '/call', body);
    equal(answer.status, status, 'the status for ' + JSON.stringify(body));
    check(problem.test(answer.body.error), `the error for ${JSON.stringify(body)}: ${answer.body.error}`);
  }
  // Still serving after all that.
  equal((await post(server, '/call', { function: 'import' })).body, { reply: 0 }, 'a call without an argument');
  const { exit, project } = await quit(server);
  equal(exit.code, 0, 'the exit status');
  equal(materialNames(project), [], 'nothing was imported by refused calls');
}));

await runTest('serve: concurrent calls all run and land in the project', () => withServer({}, async (server) => {
  const names = Array.from({ length: 16 }, (_, i) => `Dämmstoff ${i} – Ökologisch`);
  const calls = names.map((name, i) => post(server, '/call', { function: 'import', argument: materialPayload(name, `C-${i}`) }));
  calls.push(...names.map(() => post(server, '/call', { function: 'platform' })));
  const answers = await withTimeout(Promise.all(calls), 20000, 'the concurrent calls did not all answer');
  answers.slice(0, names.length).forEach((answer, i) =>
    equal(answer, { status: 200, body: { reply: '{"IsError":false,"ShowError":true}' } }, 'import ' + i));
  answers.slice(names.length).forEach((answer) => equal(JSON.parse(answer.body.reply).version, 27, 'platform'));
  const { exit, project } = await quit(server);
  equal(exit.code, 0, 'the exit status');
  equal(materialNames(project).sort(), [...names].sort(), 'the materials of the saved project');
}));

await runTest('serve: the page, its script objects and the payload folder', async () => {
  // The served folder inside a folder of the test's own, which also holds a file beside it.
  const payloads = path.join(freshFolder('corvana-payloads-'), 'payloads');
  fs.mkdirSync(payloads);
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
  const imported = await post(server, '/call', { function: 'import', argument: materialPayload('Zellulose', 'Z-1') });
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

// A request as a page of another origin, or a page on a rebound name, sends it (the browser adds Host and
// Origin; a "simple" text/plain post needs no permission from the server to be sent).
function request(server, { method = 'POST', route = '/call', host, origin, token, body = '', type = 'text/plain' } = {}) {
  const lines = [`${method} ${route} HTTP/1.1`, `Host: ${host === undefined ? `127.0.0.1:${server.port}` : host}`];
  if (origin !== undefined) lines.push(`Origin: ${origin}`);
  if (token !== undefined) lines.push(`X-Corvana-Token: ${token}`);
  if (method === 'POST') lines.push(`Content-Type: ${type}`, `Content-Length: ${Buffer.byteLength(body)}`);
  return rawRequest(server.port, lines.join('\r\n') + '\r\n\r\n' + body);
}

await runTest('serve: no other page can call, and no other name is answered', () => withServer({}, async (server) => {
  const importCall = JSON.stringify({ function: 'import', argument: materialPayload('Fremdstoff', 'F-1') });
  const own = `http://127.0.0.1:${server.port}`;
  const refused = [
    ['a text/plain post from another origin', { origin: 'http://evil.example', body: importCall }, /another origin/],
    ['the same with the token', { origin: 'http://evil.example', token: server.token, body: importCall }, /another origin/],
    ['a sandboxed page (origin null)', { origin: 'null', token: server.token, body: importCall }, /another origin/],
    ['a call without the token', { origin: own, body: importCall }, /token/],
    ['a call with a wrong token', { origin: own, token: '0'.repeat(32), body: importCall }, /token/],
    ['a call with the token on a rebound name', { host: `evil.example:${server.port}`, token: server.token, body: importCall }, /not addressed to this server/],
    ['a call to localhost', { host: `localhost:${server.port}`, token: server.token, body: importCall }, /not addressed to this server/],
    ['a call without a Host', { host: '', token: server.token, body: importCall }, /not addressed to this server/],
    ['/quit without the token', { route: '/quit', body: '' }, /token/],
  ];
  for (const [what, options, problem] of refused) {
    const answer = await request(server, options);
    equal(answer.status, 403, 'the status of ' + what);
    check(problem.test(JSON.parse(answer.body).error), `the error of ${what}: ${answer.body}`);
  }
  // A page on a rebound name cannot read the page (and with it the token) or the script objects.
  for (const route of ['/', '/corvana-interface.js', '/payloads/']) {
    const answer = await request(server, { method: 'GET', route, host: `evil.example:${server.port}` });
    equal(answer.status, 403, 'the status of ' + route + ' on a rebound name');
    check(!answer.text.includes(server.token), route + ' on a rebound name tells the token');
  }
  // No permission is ever given to another origin to send the token header.
  const preflight = await rawRequest(server.port, `OPTIONS /call HTTP/1.1\r\nHost: 127.0.0.1:${server.port}\r\nOrigin: http://evil.example\r\n` +
    'Access-Control-Request-Method: POST\r\nAccess-Control-Request-Headers: x-corvana-token\r\n\r\n');
  check(preflight.status >= 400 && !/access-control-allow/i.test(preflight.head), 'the preflight is refused: ' + preflight.head);
  // The page itself, as served, calls.
  const ownCall = await request(server, { origin: own, token: server.token, body: JSON.stringify({ function: 'platform' }) });
  equal(ownCall.status, 200, 'the status of a call of the page');
  const { exit, project } = await quit(server);
  equal(exit.code, 0, 'the exit status');
  equal(materialNames(project), [], 'no refused call imported anything');
}));

await runTest('serve: a body larger than the add-on takes is refused unread, in little memory', () => withServer({}, async (server) => {
  const before = peakMemoryKB(server.child.pid);
  const started = Date.now();
  const size = 64 * 1024 * 1024;
  const chunk = Buffer.alloc(1024 * 1024, 0x61);
  const answer = await rawRequest(server.port, (socket) => {
    socket.write(`POST /call HTTP/1.1\r\nHost: 127.0.0.1:${server.port}\r\nX-Corvana-Token: ${server.token}\r\n` +
      `Content-Type: application/json\r\nContent-Length: ${size}\r\n\r\n{"function":"import","argument":"`);
    let sent = 0;
    const more = () => {
      while (sent < size && !socket.answered && !socket.destroyed) {
        sent += chunk.length;
        if (!socket.write(chunk)) return socket.once('drain', more);
      }
    };
    more();
  });
  equal(answer.status, 413, 'the status of a 64 MiB body');
  check(/more than the limit of \d+ bytes/.test(JSON.parse(answer.body).error), 'the error: ' + answer.body);
  check(Date.now() - started < 5000, 'the refusal took ' + (Date.now() - started) + ' ms');
  const grown = peakMemoryKB(server.child.pid) - before;
  check(grown < 32 * 1024, `serve grew by ${grown} KB for a refused body`);
  equal((await post(server, '/call', { function: 'import' })).body, { reply: 0 }, 'a call afterwards');
  await quit(server);
}));

await runTest('serve: a long session keeps the debug output of one call, not all of them', () => withServer({}, async (server) => {
  // Each refused address is written whole into the log and the debug output: 256 KiB a call.
  const call = () => post(server, '/call', { function: 'openExternalLink', argument: 'nolink:' + 'x'.repeat(256 * 1024) });
  for (let i = 0; i < 20; ++i) equal((await call()).status, 200, 'a call to warm up');
  const before = peakMemoryKB(server.child.pid);
  for (let i = 0; i < 200; ++i) equal((await call()).status, 200, 'call ' + i);
  const grown = peakMemoryKB(server.child.pid) - before;
  // 200 calls of 256 KiB are 50 MiB of debug output; the host holds a window of it.
  check(grown < 24 * 1024, `serve grew by ${grown} KB over 200 calls`);
  await quit(server);
}));

await runTest('serve: slow connections time out and never hold the calls', () => withServer({}, async (server) => {
  const started = Date.now();
  // Eight clients that send a request's head a few bytes at a time, never finishing it, and forty that
  // connect and send nothing: 48 connections, of which the server serves 32 at once.
  // (They start sending once a turned-away connection has had its answer, which unread bytes would lose.)
  const slow = Array.from({ length: 8 }, () => rawRequest(server.port, (socket) => {
    const timer = setInterval(() => { if (!socket.destroyed) socket.write('a'); }, 200);
    socket.on('close', () => clearInterval(timer));
    setTimeout(() => { if (!socket.destroyed) socket.write(`POST /call HTTP/1.1\r\nHost: 127.0.0.1:${server.port}\r\nX-Padding: `); }, 100);
  }, { timeout: 15000 }));
  const idle = Array.from({ length: 40 }, () => rawRequest(server.port, () => {}, { timeout: 15000 }));
  const statuses = (await Promise.all(slow.concat(idle))).map((answer) => answer.status);
  const count = (status) => statuses.filter((s) => s === status).length;
  equal([count(408), count(503)], [32, 16], 'the connections timed out (408) and turned away (503): ' + statuses);
  const took = Date.now() - started;
  check(took < 9000, 'the slow requests were ended after ' + took + ' ms');
  equal((await post(server, '/call', { function: 'import' })).body, { reply: 0 }, 'a call afterwards');
  await quit(server);
}));

await runTest('serve: a call is answered while slow connections are open', () => withServer({}, async (server) => {
  const slow = Array.from({ length: 8 }, () => rawRequest(server.port, (socket) => {
    socket.write(`POST /call HTTP/1.1\r\nHost: 127.0.0.1:${server.port}\r\n`);
    const timer = setInterval(() => { if (socket.destroyed) clearInterval(timer); else socket.write('X'); }, 200);
    socket.on('close', () => clearInterval(timer));
  }, { timeout: 15000 }));
  await new Promise((resolve) => setTimeout(resolve, 300));
  const started = Date.now();
  const answer = await withTimeout(post(server, '/call', { function: 'platform' }), 3000, 'a call waited for the slow connections');
  equal(JSON.parse(answer.body.reply).version, 27, 'the platform reply');
  check(Date.now() - started < 1000, 'the call took ' + (Date.now() - started) + ' ms');
  await Promise.all(slow);
  await quit(server);
}));

process.exit(process.exitCode || 0);
