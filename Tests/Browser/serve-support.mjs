// Starts `corvana-host serve --port 0` in a fresh home folder and stops it again, for the browser tests.
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';

// Every folder made here goes when the test program ends, however it ends short of being killed.
const madeFolders = [];
process.on('exit', () => {
  for (const folder of madeFolders) fs.rmSync(folder, { recursive: true, force: true });
});

export function freshFolder(prefix) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), prefix));
  madeFolders.push(folder);
  return folder;
}

// Resolves with { child, base, port, token, home, save, exited } once the server prints its address and
// its page has been read for the token its calls need. `hostArgs` are global options (before the
// command), `extraServeArgs` options of serve.
export function startServe(hostPath, { hostArgs = [], extraServeArgs = [], home = freshFolder('corvana-serve-') } = {}) {
  const save = path.join(home, 'p.json');
  // Every session is checked to keep the host's command rules (quit reads the transcript).
  const given = hostArgs.indexOf('--transcript');
  const transcript = given >= 0 ? hostArgs[given + 1] : path.join(freshFolder('corvana-transcript-'), 't.jsonl');
  const rules = given >= 0 ? [] : ['--transcript', transcript];
  const child = spawn(hostPath, ['--home', home, '--save', save, ...rules, ...hostArgs, 'serve', '--port', '0', ...extraServeArgs],
    { stdio: ['ignore', 'pipe', 'pipe'] });
  let stdout = '';
  let stderr = '';
  const exited = new Promise((resolve) => child.on('exit', (code, signal) => resolve({ code, signal, stdout, stderr })));
  child.stderr.on('data', (chunk) => { stderr += chunk; });
  return new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error('serve printed no address within 10 s:\n' + stdout + stderr)), 10000);
    child.stdout.on('data', (chunk) => {
      stdout += chunk;
      const found = /Serving the Corvana palette on (http:\/\/127\.0\.0\.1:(\d+)\/)\n/.exec(stdout);
      if (found && Number(found[2]) > 0 && !child.serving) {
        child.serving = true;
        clearTimeout(timer);
        const server = { child, base: found[1], port: Number(found[2]), home, save, transcript, exited, output: () => stdout + stderr };
        pageToken(server.base).then((token) => resolve({ ...server, token }), reject);
      }
    });
    exited.then(({ code }) => {
      clearTimeout(timer);
      reject(new Error(`serve ended with ${code} before serving:\n${stdout}${stderr}`));
    });
  });
}

// The token the served page carries, as the page's own script reads it.
export async function pageToken(base) {
  const page = await (await fetch(base)).text();
  const found = /<meta name="corvana-token" content="([0-9a-f]{32})">/.exec(page);
  if (!found) throw new Error('the served page carries no token:\n' + page.slice(0, 400));
  return found[1];
}

// Posts to the server as its page does, with the page's token (`headers` adds or replaces headers).
export async function post(server, route, body, headers = {}) {
  const response = await fetch(new URL(route, server.base), {
    method: 'POST',
    headers: { 'Content-Type': 'application/json', 'X-Corvana-Token': server.token, ...headers },
    body: typeof body === 'string' || Buffer.isBuffer(body) ? body : JSON.stringify(body),
  });
  return { status: response.status, body: await response.json() };
}

// Sends `request` (bytes as they go on the wire, or a function that writes them to the socket) and
// answers { status, head, body, text, closed } once the server has answered and closed, or rejects after
// `timeout` ms. A client that stops sending once an answer arrives is what `stopOnAnswer` does.
export function rawRequest(port, request, { timeout = 10000 } = {}) {
  return new Promise((resolve, reject) => {
    const socket = net.connect(port, '127.0.0.1');
    const chunks = [];
    const timer = setTimeout(() => { socket.destroy(); reject(new Error('no answer within ' + timeout + ' ms')); }, timeout);
    socket.on('connect', () => {
      if (typeof request === 'function') request(socket);
      else socket.write(request);
    });
    socket.on('data', (chunk) => { chunks.push(chunk); socket.answered = true; });
    socket.on('error', () => {});
    socket.on('close', () => {
      clearTimeout(timer);
      const text = Buffer.concat(chunks).toString('latin1');
      const status = Number((/^HTTP\/1\.1 (\d{3})/.exec(text) || [])[1] || 0);
      const split = text.indexOf('\r\n\r\n');
      resolve({ status, head: split < 0 ? text : text.slice(0, split), body: split < 0 ? '' : text.slice(split + 4), text });
    });
  });
}

// The peak resident memory of a process so far, in KB (Linux).
export function peakMemoryKB(pid) {
  const found = /VmHWM:\s+(\d+) kB/.exec(fs.readFileSync(`/proc/${pid}/status`, 'utf8'));
  return found ? Number(found[1]) : 0;
}

// Posts /quit and waits for the process to end; answers its exit and the saved project.
export async function quit(server) {
  const answer = await post(server, '/quit', {});
  if (answer.status !== 200) throw new Error('/quit answered ' + answer.status);
  const exit = await withTimeout(server.exited, 10000, 'serve did not end after /quit');
  const refused = refusedHostCalls(server.transcript);
  if (refused.length > 0) throw new Error('the host refused calls:\n' + refused.join('\n'));
  return { exit, project: fs.existsSync(server.save) ? JSON.parse(fs.readFileSync(server.save, 'utf8')) : undefined };
}

// The lines of a session's transcript that show a host call refused; none when there is no transcript.
export function refusedHostCalls(transcript) {
  if (!transcript || !fs.existsSync(transcript)) return [];
  return fs.readFileSync(transcript, 'utf8').split('\n').filter((line) => {
    try {
      const event = JSON.parse(line);
      return event.kind === 'host' && event.event === 'refused';
    } catch {
      return false;
    }
  });
}

// A server that a failed test left running is killed, so that the test ends.
export function stopLeftOver(server) {
  if (server.child.exitCode === null && server.child.signalCode === null)
    server.child.kill('SIGKILL');
}

export function withTimeout(promise, ms, message) {
  let timer;
  return Promise.race([promise, new Promise((_, reject) => { timer = setTimeout(() => reject(new Error(message)), ms); })])
    .finally(() => clearTimeout(timer));
}

export function materialNames(project) {
  return ((project.attributes || {}).buildingMaterials || []).map((material) => material.name);
}

// The test's own checks: a failure names what differed and ends the run with status 1.
export function check(condition, message) {
  if (!condition) throw new Error('check failed: ' + message);
}

export function equal(actual, expected, what) {
  const a = JSON.stringify(actual);
  const e = JSON.stringify(expected);
  if (a !== e) throw new Error(`check failed: ${what}: expected ${e}, got ${a}`);
}

export async function runTest(name, body) {
  const started = Date.now();
  try {
    await body();
    console.log(`${name}: passed in ${((Date.now() - started) / 1000).toFixed(1)} s`);
  } catch (error) {
    console.error(`${name}: FAILED: ${error.stack || error}`);
    process.exitCode = 1;
  }
}
