// The sample house, given a construction system and exported by the add-on through corvana-host, read
// back with web-ifc, an IFC library that knows nothing of ours: its walls, slabs and roofs with their
// GlobalIds and names, and the "Corvana" property set of the walls that took the system.
//
// Usage: node read-export.test.mjs CORVANA_HOST EXAMPLES_DIR
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const require = createRequire(import.meta.url);
const WebIFC = require('web-ifc');

const [hostPath, examples] = process.argv.slice(2);
const here = path.dirname(fileURLToPath(import.meta.url));

// IFC's 22-character form of a GUID, written here from the standard's description, not from our writer.
function compressGuid(text) {
  const alphabet = '0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_$';
  let value = BigInt('0x' + text.replaceAll('-', ''));
  let out = '';
  for (let i = 0; i < 22; i++) {
    out = alphabet[Number(value & 63n)] + out;
    value >>= 6n;
  }
  return out;
}

async function unusedPort() {
  return new Promise((resolve) => {
    const server = net.createServer().listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

// Runs the export; the upload goes to a port where nobody listens, and the saved file stays.
async function exportHouse(home) {
  const steps = [
    { answer: 'Continue' },
    { call: 'import', text: fs.readFileSync(path.join(examples, 'payloads', '02-system-wall.json'), 'utf8') },
    { call: 'export', array: [`https://127.0.0.1:${await unusedPort()}/api/upload`,
                              '{"token":"T","context":"C","type":"multipart/form-data"}'] },
  ];
  const script = path.join(home, 'script.json');
  fs.writeFileSync(script, JSON.stringify(steps));
  const lines = execFileSync(hostPath, ['--home', home, '--project', path.join(examples, 'House.json'), 'script', script],
                             { encoding: 'utf8', stdio: ['ignore', 'pipe', 'ignore'] }).trim().split('\n').map(JSON.parse);
  assert.equal(lines[1].reply, '{"IsError":false,"ShowError":true}', 'the wall system was imported');
  return path.join(home, 'Documents', 'Corvana IFC', 'Sample House.ifc');
}

function expectedElements(kind, defaultName) {
  const house = JSON.parse(fs.readFileSync(path.join(examples, 'House.json'), 'utf8'));
  return house.elements.filter((e) => e.type === kind).map((e) => ({
    globalId: compressGuid(e.guid),
    name: (e.ifc ?? []).find((a) => a.name === 'Name')?.value || defaultName,
  })).sort((a, b) => a.globalId.localeCompare(b.globalId));
}

test('the exported house reads back with its walls, slabs, roofs and Corvana values', async () => {
  const home = fs.mkdtempSync(path.join(os.tmpdir(), 'corvana-ifc-reader-'));
  try {
    const file = await exportHouse(home);
    const api = new WebIFC.IfcAPI();
    api.SetWasmPath(path.join(here, 'node_modules', 'web-ifc') + path.sep, true);
    await api.Init();
    const model = api.OpenModel(new Uint8Array(fs.readFileSync(file)));
    try {
      assert.equal(api.GetModelSchema(model), 'IFC4');
      const list = (type) => {
        const ids = api.GetLineIDsWithType(model, type);
        const found = [];
        for (let i = 0; i < ids.size(); i++) {
          const line = api.GetLine(model, ids.get(i));
          found.push({ expressID: ids.get(i), globalId: line.GlobalId.value, name: line.Name.value });
        }
        return found.sort((a, b) => a.globalId.localeCompare(b.globalId));
      };
      const strip = (items) => items.map(({ globalId, name }) => ({ globalId, name }));
      const walls = list(WebIFC.IFCWALL);
      assert.deepEqual(strip(walls), expectedElements('wall', 'Wall'));
      assert.deepEqual(strip(list(WebIFC.IFCSLAB)), expectedElements('slab', 'Slab'));
      assert.deepEqual(strip(list(WebIFC.IFCROOF)), expectedElements('roof', 'Roof'));
      assert.equal(list(WebIFC.IFCPROJECT)[0].name, 'Sample House');

      // The two external walls took the system and carry its values; the partition did not.
      const valuesOf = async (wall) => {
        const sets = await api.properties.getPropertySets(model, wall.expressID, true);
        const corvana = sets.filter((set) => set.Name?.value === 'Corvana');
        if (corvana.length === 0) return null;
        assert.equal(corvana.length, 1);
        return Object.fromEntries(corvana[0].HasProperties.map((p) => [p.Name.value, p.NominalValue.value]));
      };
      for (const wall of walls) {
        const values = await valuesOf(wall);
        if (wall.name === 'External wall') {
          assert.deepEqual(values, { name: 'Timber frame wall TF-240', id: '1402', updated_at: '1700000000' });
        } else {
          assert.equal(values, null, `${wall.name} has no Corvana values`);
        }
      }
    } finally {
      api.CloseModel(model);
    }
  } finally {
    fs.rmSync(home, { recursive: true, force: true });
  }
});
