// A catalogue test page in place of the web application: it drives the palette's script object
// (window.jsCorvanaInterface) the way the catalogue does and shows what the add-on answers.
'use strict';

const corvana = window.jsCorvanaInterface;

// The page's own sample: one building material. More items come from the server's /payloads/.
const sampleItems = [
  {
    source: 'sample',
    payload: {
      data: {
        import_type: 'Material',
        name: 'Holzfaserdämmplatte',
        articles: [{
          id: 'HFD-140',
          name: 'Holzfaserdämmplatte',
          updated_at: 1700000000,
          tabs: [{
            name: 'General',
            attributes: [
              { name: 'Manufacturer', value: 'Holzwerk Nord' },
              { name: 'Thermal conductivity', value: 0.04 },
              { name: 'Density', value: 140 },
            ],
          }],
        }],
      },
    },
  },
];

const catalogue = [];

// ---- Talking to the add-on ----

function showReply(call, text, failed) {
  document.getElementById('last-call').textContent = call;
  const reply = document.getElementById('reply');
  reply.textContent = text;
  reply.dataset.state = failed ? 'error' : 'done';
}

// Calls one function of the script object, shows its reply and hands it on.
async function call(name, argument) {
  const reply = document.getElementById('reply');
  reply.dataset.state = 'busy';
  try {
    const answer = arguments.length > 1 ? await corvana[name](argument) : await corvana[name]();
    showReply(name, answer === undefined ? '(no reply)' : String(answer), false);
    return answer;
  } catch (error) {
    showReply(name, 'failed: ' + error.message, true);
    throw error;
  }
}

// ---- Catalogue ----

function itemName(data) {
  if (typeof data.name === 'string' && data.name) return data.name;
  const article = Array.isArray(data.articles) ? data.articles[0] : undefined;
  return article && typeof article.name === 'string' ? article.name : '(unnamed)';
}

function articlesOf(data) {
  return Array.isArray(data.articles) ? data.articles.filter((a) => a && a.id !== undefined) : [];
}

function element(tag, properties, children) {
  const node = Object.assign(document.createElement(tag), properties || {});
  for (const child of children || []) node.append(child);
  return node;
}

function renderCatalogue() {
  const list = document.getElementById('items');
  list.replaceChildren();
  catalogue.forEach((item, index) => {
    const data = item.payload.data || {};
    const name = itemName(data);
    const checkbox = element('input', { type: 'checkbox', title: 'include in the bulk import' });
    checkbox.dataset.index = String(index);
    const importButton = element('button', { type: 'button', textContent: 'Import' });
    importButton.dataset.item = name;
    importButton.addEventListener('click', () => call('import', item.text).catch(() => {}));
    list.append(element('li', {}, [
      checkbox,
      element('span', {}, [element('span', { className: 'name', textContent: name }), ' ',
        element('span', { className: 'meta', textContent: `${data.import_type || '?'} · ${item.source}` })]),
      element('span', { className: 'meta', textContent: articlesOf(data).map((a) => a.id).join(', ') }),
      importButton,
    ]));
  });
  renderStatusRequest();
}

async function loadServedPayloads() {
  let names = [];
  try {
    const response = await fetch('/payloads/');
    if (response.ok) names = await response.json();
  } catch (error) {
    console.warn('no payloads:', error);
  }
  for (const name of names) {
    try {
      const text = await (await fetch('/payloads/' + encodeURIComponent(name))).text();
      const payload = JSON.parse(text);
      if (payload && typeof payload === 'object' && payload.data && typeof payload.data === 'object')
        catalogue.push({ source: name, payload, text });
    } catch (error) {
      console.warn('payload ' + name + ' skipped:', error);
    }
  }
}

function bulkImportSelected() {
  const chosen = [...document.querySelectorAll('#items input[type=checkbox]:checked')]
    .map((box) => catalogue[Number(box.dataset.index)].payload.data);
  const list = chosen.length > 0 ? chosen : catalogue.map((item) => item.payload.data);
  return call('bulkImport', JSON.stringify(list)).catch(() => {});
}

// ---- Update status ----

function renderStatusRequest() {
  const table = document.getElementById('status-request');
  table.replaceChildren(element('tr', {}, ['Item', 'Catalogue id', 'Catalogue stamp (update_at)']
    .map((text) => element('th', { textContent: text }))));
  for (const item of catalogue) {
    for (const article of articlesOf(item.payload.data || {})) {
      const stamp = element('input', { type: 'number', value: String(Number(article.updated_at) || 0) });
      stamp.dataset.id = JSON.stringify(article.id);
      table.append(element('tr', {}, [
        element('td', { textContent: itemName(item.payload.data) }),
        element('td', { textContent: String(article.id) }),
        element('td', {}, [stamp]),
      ]));
    }
  }
}

function itemWithArticle(id) {
  return catalogue.find((item) => articlesOf(item.payload.data || {}).some((a) => a.id === id));
}

async function checkStatus() {
  const request = {
    materials_and_products: [...document.querySelectorAll('#status-request input')]
      .map((input) => ({ id: JSON.parse(input.dataset.id), update_at: Number(input.value) })),
  };
  const list = document.getElementById('outdated');
  list.replaceChildren();
  let outdated;
  try {
    outdated = JSON.parse(await call('updateStatus', JSON.stringify(request)));
  } catch (error) {
    return;
  }
  if (!Array.isArray(outdated) || outdated.length === 0) {
    list.append(element('li', { textContent: 'Everything is up to date.' }));
    return;
  }
  for (const id of outdated) {
    const item = itemWithArticle(id);
    const button = element('button', { type: 'button', textContent: 'Update', disabled: !item });
    if (item) button.addEventListener('click', () => call('update', item.text).catch(() => {}));
    list.append(element('li', {}, [element('span', { className: 'name', textContent: String(id) }),
      element('span', { className: 'meta', textContent: item ? itemName(item.payload.data) : 'not in this catalogue' }),
      element('span'), button]));
  }
}

// ---- Calculation ----

const calculationSections = [
  { key: 'ProductInfo', title: 'Products' },
  { key: 'SystemInfo', title: 'Systems' },
  { key: 'CurtainWallInfo', title: 'Curtain walls' },
  { key: 'StairCalculationInfo', title: 'Stairs' },
];

function cellText(value) {
  if (value === null || value === undefined) return '';
  return typeof value === 'object' ? JSON.stringify(value) : String(value);
}

function isTable(value) {
  return Array.isArray(value) && value.length > 0 && value.every((v) => v && typeof v === 'object' && !Array.isArray(v));
}

// Records as a table: one column per key; a member that is a list of records (a system's layers) becomes
// a table inside its cell.
function recordTable(records) {
  const table = element('table', { className: 'data' });
  const columns = [];
  for (const record of records)
    for (const key of Object.keys(record)) if (!columns.includes(key)) columns.push(key);
  table.append(element('tr', {}, columns.map((key) => element('th', { textContent: key }))));
  if (records.length === 0)
    table.append(element('tr', {}, [element('td', { className: 'empty', textContent: 'none in the model' })]));
  for (const record of records) {
    table.append(element('tr', {}, columns.map((key) => {
      const value = record[key];
      return isTable(value) ? element('td', {}, [recordTable(value)]) : element('td', { textContent: cellText(value) });
    })));
  }
  return table;
}

async function showCalculation() {
  const target = document.getElementById('calculation');
  target.replaceChildren(element('p', { textContent: 'Asking the add-on…' }));
  let document_;
  try {
    document_ = JSON.parse(await call('getCalculationData'));
  } catch (error) {
    target.replaceChildren(element('p', { textContent: 'The calculation failed: ' + error.message }));
    return;
  }
  target.replaceChildren();
  for (const section of calculationSections) {
    const records = Array.isArray(document_[section.key]) ? document_[section.key] : [];
    const block = element('section', { className: 'calc-section' }, [
      element('h3', { textContent: `${section.title} (${records.length})` }), recordTable(records)]);
    block.dataset.section = section.key;
    block.dataset.count = String(records.length);
    target.append(block);
  }
}

// ---- Routes ----

function route() {
  const hash = location.hash.replace(/^#/, '') || '/';
  const name = hash.startsWith('/calculations') ? 'calculations' : hash.startsWith('/status') ? 'status' : 'catalogue';
  for (const view of document.querySelectorAll('.view')) view.hidden = view.id !== 'view-' + name;
  for (const link of document.querySelectorAll('nav a')) link.classList.toggle('active', link.dataset.route === name);
  if (name === 'calculations') showCalculation();
}

async function start() {
  if (!corvana) {
    showReply('start', 'This page needs the palette\'s script object jsCorvanaInterface.', true);
    return;
  }
  for (const sample of sampleItems) catalogue.push({ ...sample, text: JSON.stringify(sample.payload) });
  await loadServedPayloads();
  renderCatalogue();
  document.getElementById('platform').addEventListener('click', () => call('platform').catch(() => {}));
  document.getElementById('bulk-import').addEventListener('click', bulkImportSelected);
  document.getElementById('check-status').addEventListener('click', checkStatus);
  document.getElementById('refresh-calculation').addEventListener('click', showCalculation);
  window.addEventListener('hashchange', route);
  route();
  document.body.dataset.ready = 'true';
}

start();
