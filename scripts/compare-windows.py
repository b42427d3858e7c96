#!/usr/bin/env python3
"""Runs the same sessions with the Linux corvana-host and with the Windows one (corvana-host.exe, built with
mingw-w64, under Wine) and compares what both leave behind, byte for byte: the exit status, stdout, stderr,
the saved project, the transcript, the add-on's log.txt and every other file the session writes into its
folder (the demo's out folder, the library part files of the home folder, the IFC file of an export), and
for the export the request the upload server received. Prints one line per scenario, "same" or what
differs (the first differing line of each differing file, as both sides wrote it, masked), then
"<n> of <total> scenarios give the same answers on Linux and on Windows". Exit status 1 when a scenario
differs or a run did not do its work (did not start, timed out, ended with a status other than 0, left an
alert unanswered, or failed the scenario's own check); 2 for a usage error.

    python3 scripts/compare-windows.py --linux-host build/Tools/corvana-host/corvana-host \
        --windows-host build-windows/AddOn/corvana-host.exe --wine /usr/lib/wine/wine64 \
        --work build-windows/compare [--hub-port PORT] [--jobs N] [--only NAME...]

WINEPREFIX, WINEDEBUG and WINEDLLOVERRIDES are taken from the environment (the last two default to "-all"
and "mscoree,mshtml="). The prefix is used as it is; for a prefix of your own:

    export WINEPREFIX=/tmp/cmp-prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    /usr/lib/wine/wine64 wineboot --init
    /usr/lib/wine/wine64 reg add 'HKCU\\Software\\Wine\\Drivers' /v Graphics /d null /f
    /usr/lib/wine/wineserver -k; /usr/lib/wine/wineserver -w

Every run has its own scratch folder: WORK/linux-N and WORK/windows-N for scenario N (removed and made
again at the start), which is also its working folder unless the scenario says otherwise. Windows is given
every path as "Z:\\..." (Wine shows the Linux root as drive Z:). The upload goes to one HTTPS server of the
server hub (Tests/Windows/server_hub.py: the caller's with --hub-port, else one started here and ended at
the end), Linux side first and then Windows, so each side's request is the one that arrived during its
run. Linux trusts the hub's authority through CORVANA_CA_BUNDLE; the Windows side is given it among the
current user's root certificates of the prefix (what `TestWindows.exe --trust-test-authority` does, here
written into the registry with Wine's own reg.exe).

TEMP: under Wine a Unix TEMP does not reach the Windows process (the prefix's HKCU\\Environment overrides
it), so the scenarios that choose TEMP start the host through Wine's cmd: `cmd /c set TMP=& set "TEMP=..."
& corvana-host.exe ...`. TMP is removed on both sides (and TMPDIR on Linux), because GetTempPathW and
libstdc++'s temp_directory_path read TMP before TEMP: the folder the host uses then comes from TEMP alone.

MASKING. All of it is in Masker below. Before two texts are compared, each side's text is changed so:
  1. Its own scratch folder root (WORK/linux-N, WORK/windows-N) becomes <SCRATCH>, and the repository
     root (the compiled-in CORVANA_SOURCE_DIR, which is where this script lives) becomes <SOURCE>, in every
     form the root takes on that side. Linux: the plain path only. Windows: Z:\\... with "\\", the same
     escaped once ("\\\\", JSON and IFC texts) and twice (a JSON text inside a JSON string), Z:/..., the
     file address form /Z:/... (file:///Z:/work/main against Linux's file:///work/main), and the plain
     Linux form /... (Windows paths built from the compiled-in /work/main). The separators of the rest of
     that path become "/"; on Windows a path's separators are the one it started with, or "/" (so a JSON
     "\\n" after a path is not taken for one). On Linux nothing but "/" is a separator: a backslash in a
     Linux path stays and shows.
  2. Times: the log's "DD-MM-YYYY HH:MM:SS" (log.txt, and the log lines in transcripts and stdout), the
     time stamp of an IFC header's FILE_NAME, and in the recorded upload request the time hash of the
     multipart boundary (------NUMBER), which is the same text in the header and the body. There also
     the port of the Host header (both sides post to the same server, so it only matters should they
     ever be given servers of their own).
  3. Where a scenario has no --home, the fresh home the host makes in TEMP: the six random characters
     of "<SCRATCH>/.../temp/corvana-host-XXXXXX".
  4. The recorded upload request's header fields are put in name order (their order means nothing in HTTP,
     and WinINet keeps its own); every field, the request line and the body stay as they are.
Nothing else is masked: line ends, numbers, GUIDs, error texts and every other byte show.
"""
import argparse
import concurrent.futures
import hashlib
import json
import os
import re
import shutil
import socket
import ssl
import struct
import subprocess
import sys
import threading
import time

REPOSITORY = os.path.dirname(os.path.dirname(os.path.realpath(__file__)))
SEED = "5"
RUN_TIMEOUT = 120           # seconds for one run of the host; Wine starts in 1 to 3 s
INPUTS = "in"               # the subfolder of a scratch folder that holds what the script wrote for the run
NON_ASCII = "Łódź Ω 日本"
UPLOAD_PARAMETERS = '{"token":"T","context":"C","type":"multipart/form-data"}'
SUCCESS_REPLY = {"pieces": ['{"data":"Success"}']}
UNANSWERED = "no answer left for alert"


def example(*parts):
    return os.path.join(REPOSITORY, "Examples", *parts)


def payload_files():
    folder = example("payloads")
    return sorted(name for name in os.listdir(folder) if name.endswith(".json"))


# ---------------------------------------------------------------------------------------------- masking

# A file or folder name on either system: no separator, no quote (paths sit in JSON strings), nothing
# Windows forbids in a name, no control character.
NAME = r'[^\\/"\x00-\x1f<>|*?:]*'
LOG_TIME = re.compile(r"\b\d{2}-\d{2}-\d{4} \d{2}:\d{2}:\d{2}\b")
IFC_TIME = re.compile(r"(FILE_NAME\('(?:[^'\n]|'')*',')\d{4}-\d{2}-\d{2}T\d{2}:\d{2}:\d{2}(')")
BOUNDARY = re.compile(r"boundary=------(-?\d+)")
HOST_PORT = re.compile(r"^(Host: [^\r\n:]+:)\d+(?=\r?$)", re.M)
SCRATCH_TOKEN = "<SCRATCH>"
SOURCE_TOKEN = "<SOURCE>"


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def linux_path(path):
    if re.match(r"^[Zz]:[\\/]", path):
        return path[2:].replace("\\", "/")
    return path


def root_forms(path, windows):
    if not windows:
        return [path]
    plain = "Z:" + path.replace("/", "\\")
    return [plain, plain.replace("\\", "\\\\"), plain.replace("\\", "\\\\\\\\"), "Z:" + path, "/Z:" + path, path]


class Masker:
    def __init__(self, windows, scratch, fresh_home_in=None):
        forms = [(form, SCRATCH_TOKEN) for form in root_forms(scratch, windows)]
        forms += [(form, SOURCE_TOKEN) for form in root_forms(REPOSITORY, windows)]
        # Longest first: the scratch folder lies inside the repository, and one form starts another.
        forms.sort(key=lambda pair: -len(pair[0]))
        self.tokens = dict(forms)
        separators = ["\\\\\\\\", "\\\\", "\\", "/"] if windows else ["/"]
        separator = "|".join(re.escape(s) for s in separators)
        self.paths = re.compile(
            "(?P<root>" + "|".join(re.escape(form) for form, _ in forms) + r")(?![\w.-])"
            "(?:(?P<sep>" + separator + ")(?P<tail>" + NAME + "(?:(?:(?P=sep)|/)" + NAME + ")*))?")
        self.fresh_home = None
        if fresh_home_in is not None:
            prefix = SCRATCH_TOKEN + "/" + fresh_home_in + "/corvana-host-"
            self.fresh_home = re.compile("(" + re.escape(prefix) + ")[A-Za-z0-9]{6}(?![A-Za-z0-9])")

    def _path(self, match):
        text = self.tokens[match.group("root")]
        if match.group("sep") is not None:
            text += "/" + match.group("tail").replace(match.group("sep"), "/")
        return text

    def mask(self, text, request=False):
        text = self.paths.sub(self._path, text)
        if self.fresh_home is not None:
            text = self.fresh_home.sub(r"\1XXXXXX", text)
        text = LOG_TIME.sub("DD-MM-YYYY HH:MM:SS", text)
        text = IFC_TIME.sub(r"\1YYYY-MM-DDTHH:MM:SS\2", text)
        if request:
            text = HOST_PORT.sub(r"\1<PORT>", text)
            for number in set(BOUNDARY.findall(text)):
                text = text.replace("------" + number, "------<TIME>")
            text = in_header_name_order(text)
        return text


def in_header_name_order(request):
    # The order of an HTTP request's header fields carries no meaning, and each system's HTTP client keeps
    # its own (WinINet puts Content-Length after Host): the fields are compared in name order, each line
    # and the request line and body as they are.
    head, separator, body = request.partition("\r\n\r\n")
    if not separator:
        return request
    lines = head.split("\r\n")
    fields = sorted(lines[1:], key=lambda line: line.split(":", 1)[0].lower())
    return "\r\n".join(lines[:1] + fields) + separator + body


# ---------------------------------------------------------------------------------------------- comparing

def shown(line, column, width=220):
    # JSON quoting makes a CR, a tab or a stray byte visible; a long line is cut around where it differs.
    if len(line) > width:
        start = max(0, column - width // 3)
        piece = line[start:start + width]
        return ("…" if start > 0 else "") + json.dumps(piece, ensure_ascii=False) + \
            ("…" if start + width < len(line) else "")
    return json.dumps(line, ensure_ascii=False)


def first_difference(a, b):
    lines_a, lines_b = a.splitlines(keepends=True), b.splitlines(keepends=True)
    for number in range(max(len(lines_a), len(lines_b))):
        line_a = lines_a[number] if number < len(lines_a) else None
        line_b = lines_b[number] if number < len(lines_b) else None
        if line_a != line_b:
            column = 0
            if line_a is not None and line_b is not None:
                while column < min(len(line_a), len(line_b)) and line_a[column] == line_b[column]:
                    column += 1
            return number + 1, column, line_a, line_b
    return None


def compare_texts(name, a, b):
    """The lines that tell how two masked texts differ; none when they are the same."""
    if a == b:
        return []
    number, column, line_a, line_b = first_difference(a, b)
    where = "line %d" % number + (", column %d" % (column + 1) if line_a is not None and line_b is not None else "")
    return ["%s, %s:" % (name, where),
            "  linux:   " + ("(no such line)" if line_a is None else shown(line_a, column)),
            "  windows: " + ("(no such line)" if line_b is None else shown(line_b, column))]


# ---------------------------------------------------------------------------------------------- sides

class Outcome:
    def __init__(self):
        self.status = None
        self.stdout = b""
        self.stderr = b""
        self.files = {}          # relative path: bytes, or None for a folder
        self.requests = []       # what the upload server received during the run
        self.problems = []       # why the run did not do its work


class Side:
    windows = False
    name = "linux"

    def __init__(self, host, work, number):
        self.host = host
        self.folder = os.path.join(work, "%s-%d" % (self.name, number))

    def path(self, *parts):
        """A path inside the scratch folder, as this side's host is given it."""
        return self.native(os.path.join(self.folder, *parts))

    def native(self, path):
        return path

    def command(self, arguments, temp):
        return [self.host] + arguments

    def environment(self, base, temp, extra):
        env = dict(base)
        env.update(extra)
        if temp is not None:
            for name in ("TMPDIR", "TMP", "TEMPDIR"):
                env.pop(name, None)
            env["TEMP"] = temp
        return env


class WindowsSide(Side):
    windows = True
    name = "windows"

    def __init__(self, host, work, number, wine):
        super().__init__(host, work, number)
        self.wine = wine

    def native(self, path):
        return windows_path(path)

    def command(self, arguments, temp):
        if temp is None:
            return [self.wine, self.host] + arguments
        # Wine joins the arguments into one command line and quotes those with blanks; "TMP=&" stays
        # unquoted, so cmd removes TMP (a blank before the "&" would set it to a blank).
        return [self.wine, "cmd", "/c", "set", "TMP=&", "set", "TEMP=" + windows_path(temp), "&",
                windows_path(self.host)] + arguments

    def environment(self, base, temp, extra):
        # TEMP goes in through cmd (see command): Wine would put the prefix's own in its place.
        env = dict(base)
        env.update(extra)
        return env


def folder_contents(folder):
    contents = {}
    for parent, folders, files in os.walk(folder):
        relative = os.path.relpath(parent, folder)
        if relative == INPUTS or relative.startswith(INPUTS + os.sep):
            folders[:] = []
            continue
        for name in folders:
            path = os.path.normpath(os.path.join(relative, name))
            if path != INPUTS:
                contents[path] = None
        for name in files:
            with open(os.path.join(parent, name), "rb") as file:
                contents[os.path.normpath(os.path.join(relative, name))] = file.read()
    return contents


# ---------------------------------------------------------------------------------------------- the hub

class Hub:
    """The server hub of the Windows tests: its test servers, and its authority for both sides."""

    def __init__(self, work, port=None):
        self.process = None
        if port is None:
            folder = os.path.join(work, "hub")
            shutil.rmtree(folder, ignore_errors=True)
            os.makedirs(folder)
            port_file = os.path.join(folder, "port")
            self.log = open(os.path.join(folder, "hub.log"), "wb")
            self.process = subprocess.Popen(
                [sys.executable, os.path.join(REPOSITORY, "Tests", "Windows", "server_hub.py"), "--port-file",
                 port_file, "--work-folder", folder], stdout=self.log, stderr=self.log)
            for _ in range(600):
                if os.path.exists(port_file) or self.process.poll() is not None:
                    break
                time.sleep(0.05)
            if not os.path.exists(port_file):
                self.process.terminate()
                self.process.wait()
                self.log.close()
                raise RuntimeError("the server hub did not start (see %s)" % self.log.name)
            with open(port_file) as file:
                port = int(file.read())
        self.port = port
        self.ports = []
        self.authority_der = None

    def ask(self, command):
        with socket.create_connection(("127.0.0.1", self.port), timeout=30) as connection:
            connection.sendall((json.dumps(command) + "\n").encode("utf-8"))
            answer = b""
            while not answer.endswith(b"\n"):
                piece = connection.recv(65536)
                if not piece:
                    break
                answer += piece
        answer = answer.decode("utf-8").strip()
        if not answer or answer.startswith("error"):
            raise RuntimeError("the server hub answered %r to %s" % (answer, command["op"]))
        return answer

    def authority(self):
        if self.authority_der is None:
            with open(linux_path(self.ask({"op": "authority"})), "rb") as file:
                self.authority_der = file.read()
        return self.authority_der

    def start_tls(self, reply):
        port, folder = self.ask({"op": "start", "security": "tls", "reply": reply}).split(" ", 1)
        self.ports.append(int(port))
        return int(port), linux_path(folder)

    def close(self):
        for port in self.ports:
            try:
                self.ask({"op": "stop", "port": port})
            except (OSError, RuntimeError):
                pass
        if self.process is not None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
            self.log.close()


def trust_on_windows(wine, env, der):
    # The registry entry CertAddEncodedCertificateToStore writes for the current user's "Root" store:
    # the certificate's SHA-1 hash (property 3) and the certificate itself (32), each behind a header of
    # property id, 1, length.
    sha1 = hashlib.sha1(der).digest()
    blob = struct.pack("<III", 3, 1, len(sha1)) + sha1 + struct.pack("<III", 32, 1, len(der)) + der
    key = "HKCU\\Software\\Microsoft\\SystemCertificates\\Root\\Certificates\\" + sha1.hex().upper()
    result = subprocess.run([wine, "reg", "add", key, "/v", "Blob", "/t", "REG_BINARY", "/d", blob.hex(), "/f"],
                            env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=RUN_TIMEOUT)
    if result.returncode != 0:
        raise RuntimeError("cannot trust the test authority under Wine: " +
                           result.stdout.decode("utf-8", "replace").strip())


# ---------------------------------------------------------------------------------------------- scenarios

class Scenario:
    """One session, run once on each side.

    arguments(side) gives the host's arguments, and writes the inputs they name into side.folder/in;
    cwd is the working folder inside the scratch folder; temp the TEMP folder inside it, or None to
    leave TEMP alone; expect a pattern both stdouts must hold; check(side, outcome, masked) more
    problems of a run; upload makes the run post to the hub's server, whose record is compared too;
    fresh_home masks the name of the home the host makes in TEMP when it has no --home.
    """

    def __init__(self, name, arguments, cwd="", temp=None, expect=None, check=None, upload=False,
                 fresh_home=False):
        self.name = name
        self.arguments = arguments
        self.cwd = cwd
        self.temp = temp
        self.expect = expect
        self.check = check
        self.upload = upload
        self.fresh_home = fresh_home


def common(side, home="home"):
    options = ["--seed", SEED]
    if home is not None:
        options += ["--home", side.path(home)]
    return options


def house(side):
    return ["--project", side.native(example("House.json"))]


def saved(side):
    return ["--save", side.path("project.json"), "--transcript", side.path("transcript.jsonl")]


def answers(*buttons):
    options = []
    for button in buttons:
        options += ["--answer", button]
    return options


def write_input(side, name, data):
    folder = os.path.join(side.folder, INPUTS)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as file:
        file.write(data)
    return side.path(INPUTS, name)


def examples_address(side):
    # What `demo` puts for ${EXAMPLES} on each system: the folder's generic path, with a "/" before a
    # drive letter ("/Z:/work/main/Examples" on Windows).
    folder = example()
    return "/Z:" + folder if side.windows else folder


def prepared_payload(side, name):
    with open(example("payloads", name), "rb") as file:
        text = file.read().replace(b"${EXAMPLES}", examples_address(side).encode("utf-8"))
    return write_input(side, name, text)


# Which buttons the sample house's imports ask for: replacing a composite of the same name, and the note
# that stairs of the product's name receive its attributes.
IMPORT_ANSWERS = {"02-system-wall.json": ["Continue"], "03-system-slab.json": ["Continue"], "05-stair.json": ["OK"]}
DEMO_ANSWERS = ["Continue", "Continue", "OK"]


def import_scenario(name):
    def arguments(side):
        return common(side) + house(side) + saved(side) + answers(*IMPORT_ANSWERS.get(name, [])) + \
            ["call", "import", "--text-file", prepared_payload(side, name)]
    return Scenario("import " + name, arguments, expect=r'^\{"IsError":false')


def demo_arguments(side):
    return common(side) + answers(*DEMO_ANSWERS) + ["demo", "--out", side.path("out")]


def non_ascii_demo_arguments(side):
    return common(side, NON_ASCII + "/home") + answers(*DEMO_ANSWERS) + \
        ["demo", "--out", side.path(NON_ASCII, "out")]


def script_arguments(script, project):
    def arguments(side):
        return common(side) + (house(side) if project else []) + saved(side) + \
            ["script", side.native(os.path.join(REPOSITORY, "docs", "scripts", script))]
    return arguments


def bulk_arguments(side):
    systems = []
    for name in payload_files():
        with open(example("payloads", name), encoding="utf-8") as file:
            data = json.load(file)["data"]
        if data.get("import_type") == "system":
            systems.append(data)
    text = json.dumps(systems, ensure_ascii=False, indent=1).encode("utf-8")
    return common(side) + house(side) + ["--dialog", "model"] + saved(side) + \
        ["call", "bulkImport", "--text-file", write_input(side, "bulk-systems.json", text)]


def calculation_arguments(side):
    return common(side) + house(side) + saved(side) + ["call", "getCalculationData"]


def status_arguments(side):
    # The house's own items first (none imported yet), then after a material and a product were: the
    # request names both with newer stamps.
    request = os.path.join(REPOSITORY, "Examples", "requests", "update-status.json")
    steps = [{"call": "updateStatus", "textFile": side.native(request)},
             {"call": "import", "textFile": prepared_payload(side, "01-material-clay-brick.json")},
             {"call": "import", "textFile": prepared_payload(side, "04-product-lounge-chair.json")},
             {"call": "updateStatus", "textFile": side.native(request)}]
    script = write_input(side, "status.json", json.dumps(steps, ensure_ascii=False, indent=1).encode("utf-8"))
    return common(side) + house(side) + saved(side) + ["script", script]


def export_arguments(upload_address):
    def arguments(side):
        return common(side) + house(side) + answers("OK") + saved(side) + \
            ["call", "export", "--array", upload_address(), UPLOAD_PARAMETERS]
    return arguments


def fresh_home_arguments(side):
    return common(side, None) + ["--transcript", side.path(NON_ASCII, "transcript.jsonl"), "call", "import",
                                 "--text-file", prepared_payload(side, "04-product-lounge-chair.json")]


def fresh_home_check(side, outcome, masked):
    # The proof that TEMP reached the host: with no --home it makes its home in the temporary folder, and
    # the library part it registers lies there.
    wanted = SCRATCH_TOKEN + "/" + NON_ASCII + "/temp/corvana-host-XXXXXX/"
    transcript = masked.get(NON_ASCII + "/transcript.jsonl", "")
    if not re.search(r'"kind":"library","event":"register".*"file":"' + re.escape(wanted), transcript):
        return ["the host's temporary home is not in TEMP (%s...)" % wanted]
    return []


def scenarios(upload_address):
    table = [Scenario("demo", demo_arguments, expect=r"Imports:")]
    table += [import_scenario(name) for name in payload_files()]
    table += [
        Scenario("script catalogue-wall.json", script_arguments("catalogue-wall.json", True)),
        Scenario("script place-copy-undo.json", script_arguments("place-copy-undo.json", False)),
        Scenario("bulkImport of the sample systems", bulk_arguments, expect=r'^\[\{"id":'),
        Scenario("getCalculationData", calculation_arguments, expect=r'"SystemInfo"'),
        Scenario("updateStatus", status_arguments, expect=r'"4101'),
        Scenario("export and upload", export_arguments(upload_address), expect=r'^\{"IsError":false',
                 upload=True),
        Scenario("demo in " + NON_ASCII + " (home, TEMP, working folder)", non_ascii_demo_arguments,
                 cwd=NON_ASCII, temp=NON_ASCII + "/temp", expect=r"Imports:"),
        Scenario("import without --home, the host's home in TEMP " + NON_ASCII, fresh_home_arguments,
                 cwd=NON_ASCII, temp=NON_ASCII + "/temp", expect=r'^\{"IsError":false', check=fresh_home_check,
                 fresh_home=True),
    ]
    return table


# ---------------------------------------------------------------------------------------------- running

class Runner:
    def __init__(self, options, env):
        self.options = options
        self.env = env
        self.hub = None
        self.server = None
        self.lock = threading.Lock()

    def upload_server(self):
        """One server for both sides, made when the first run needs it."""
        with self.lock:
            if self.server is None:
                der = self.hub.authority()
                pem = os.path.join(self.options.work, "test-authority.pem")
                with open(pem, "w") as file:
                    file.write(ssl.DER_cert_to_PEM_cert(der))
                trust_on_windows(self.options.wine, self.env, der)
                port, record = self.hub.start_tls(SUCCESS_REPLY)
                self.server = {"port": port, "record": record, "pem": pem}
            return self.server

    def upload_address(self):
        return "https://localhost:%d/api/upload" % self.upload_server()["port"]

    def run(self, scenario, side):
        outcome = Outcome()
        shutil.rmtree(side.folder, ignore_errors=True)
        os.makedirs(side.folder)
        try:
            extra = {}
            if scenario.upload and not side.windows:
                extra["CORVANA_CA_BUNDLE"] = self.upload_server()["pem"]
            arguments = scenario.arguments(side)
            cwd = os.path.join(side.folder, scenario.cwd)
            temp = os.path.join(side.folder, scenario.temp) if scenario.temp else None
            for folder in (cwd, temp):
                if folder:
                    os.makedirs(folder, exist_ok=True)
            before = self.recorded() if scenario.upload else []
            result = subprocess.run(side.command(arguments, temp), cwd=cwd, stdin=subprocess.DEVNULL,
                                    capture_output=True, timeout=RUN_TIMEOUT,
                                    env=side.environment(self.env, temp, extra))
            outcome.status, outcome.stdout, outcome.stderr = result.returncode, result.stdout, result.stderr
            if scenario.upload:
                outcome.requests = [self.read_request(name) for name in self.recorded() if name not in before]
        except subprocess.TimeoutExpired:
            outcome.problems.append("%s did not end within %d s" % (side.name, RUN_TIMEOUT))
        except (OSError, RuntimeError) as problem:
            outcome.problems.append("%s could not run: %s" % (side.name, problem))
        outcome.files = folder_contents(side.folder)
        return outcome

    def recorded(self):
        record = self.server["record"]
        return sorted((name for name in os.listdir(record) if re.match(r"^request-\d+\.bin$", name)),
                      key=lambda name: int(name[8:-4]))

    def read_request(self, name):
        with open(os.path.join(self.server["record"], name), "rb") as file:
            return file.read()


def decode(data):
    return data.decode("utf-8", "surrogateescape")


def compare(runner, number, scenario):
    options = runner.options
    linux = Side(options.linux_host, options.work, number)
    windows = WindowsSide(options.windows_host, options.work, number, options.wine)
    # Linux first, then Windows: the upload server's requests arrive in that order.
    outcomes = [(side, runner.run(scenario, side)) for side in (linux, windows)]
    problems, texts = [], []
    for side, outcome in outcomes:
        masker = Masker(side.windows, side.folder, scenario.temp if scenario.fresh_home else None)
        masked = {"(exit status)": "%s\n" % outcome.status, "(stdout)": masker.mask(decode(outcome.stdout)),
                  "(stderr)": masker.mask(decode(outcome.stderr))}
        for path, data in outcome.files.items():
            masked[path.replace(os.sep, "/")] = "(a folder)" if data is None else masker.mask(decode(data))
        for index, request in enumerate(outcome.requests):
            masked["(upload request %d)" % (index + 1)] = masker.mask(decode(request), request=True)
        texts.append(masked)
        problems += outcome.problems
        if outcome.status is not None and outcome.status != 0:
            problems.append("%s ended with status %d: %s" % (side.name, outcome.status,
                                                              first_line(decode(outcome.stderr))))
        if UNANSWERED in masked["(stderr)"]:
            problems.append("%s left an alert unanswered: %s" % (side.name, first_line(
                masked["(stderr)"][masked["(stderr)"].index(UNANSWERED):])))
        if scenario.expect and outcome.status is not None and not re.search(scenario.expect, masked["(stdout)"],
                                                                             re.M):
            problems.append("%s's stdout does not hold /%s/: %s" % (side.name, scenario.expect,
                                                                   first_line(masked["(stdout)"])))
        if scenario.upload and outcome.status is not None and len(outcome.requests) != 1:
            problems.append("%s made %d upload requests, not one" % (side.name, len(outcome.requests)))
        if scenario.check and outcome.status is not None:
            problems += ["%s: %s" % (side.name, p) for p in scenario.check(side, outcome, masked)]
    differences = []
    names = sorted(set(texts[0]) | set(texts[1]), key=lambda name: (not name.startswith("("), name))
    for name in names:
        if name not in texts[1]:
            differences.append("%s: only on linux" % name)
        elif name not in texts[0]:
            differences.append("%s: only on windows" % name)
        else:
            differences += compare_texts(name, texts[0][name], texts[1][name])
    return problems, differences


def first_line(text):
    line = text.strip().split("\n", 1)[0]
    return line if len(line) <= 200 else line[:200] + "…"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n", 1)[0])
    parser.add_argument("--linux-host", required=True)
    parser.add_argument("--windows-host", required=True)
    parser.add_argument("--wine", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--hub-port", type=int)
    parser.add_argument("--jobs", type=int, default=4, help="scenarios run at once (default 4)")
    parser.add_argument("--only", action="append", default=[],
                        help="run only the scenarios whose name holds this text (repeatable)")
    options = parser.parse_args()
    for name in ("linux_host", "windows_host", "wine", "work"):
        setattr(options, name, os.path.abspath(getattr(options, name)))
    for name in ("linux_host", "windows_host", "wine"):
        if not os.path.isfile(getattr(options, name)):
            print("compare-windows: no such file: %s" % getattr(options, name), file=sys.stderr)
            return 1
    os.makedirs(options.work, exist_ok=True)

    env = dict(os.environ)
    env.setdefault("WINEDEBUG", "-all")
    env.setdefault("WINEDLLOVERRIDES", "mscoree,mshtml=")
    # Wine turns the command line into UTF-16 by the Unix locale's character set: the non-ASCII paths
    # need a UTF-8 one. Both sides get the same.
    env["LC_ALL"] = "C.UTF-8"
    env.pop("CORVANA_HOME", None)
    env.pop("CORVANA_CA_BUNDLE", None)

    started = time.monotonic()
    runner = Runner(options, env)
    table = scenarios(runner.upload_address)
    chosen = [(number, s) for number, s in enumerate(table, 1)
              if not options.only or any(part in s.name for part in options.only)]
    if not chosen:
        print("compare-windows: no scenario's name holds %s" % " or ".join(options.only), file=sys.stderr)
        return 2
    results = {}
    try:
        if any(s.upload for _, s in chosen):
            runner.hub = Hub(options.work, options.hub_port)
        with concurrent.futures.ThreadPoolExecutor(max_workers=max(1, options.jobs)) as pool:
            futures = {pool.submit(compare, runner, number, s): number for number, s in chosen}
            for future in concurrent.futures.as_completed(futures):
                number = futures[future]
                try:
                    results[number] = future.result()
                except Exception as problem:  # a broken scenario is reported, the others still are
                    results[number] = (["the comparison failed: %r" % problem], [])
    except (OSError, RuntimeError) as problem:
        print("compare-windows: %s" % problem, file=sys.stderr)
        return 1
    finally:
        if runner.hub is not None:
            runner.hub.close()

    width = max(len(s.name) for _, s in chosen)
    same = 0
    for number, s in chosen:
        problems, differences = results[number]
        if not problems and not differences:
            same += 1
            print("%2d %-*s  same" % (number, width, s.name))
            continue
        verdict = []
        if differences:
            verdict.append("differs")
        if problems:
            verdict.append("did not run as it should")
        print("%2d %-*s  %s" % (number, width, s.name, ", ".join(verdict)))
        for line in problems:
            print("     ! " + line)
        for line in differences:
            print("     " + line)
    print("compare-windows: %.0f s" % (time.monotonic() - started))
    print("%d of %d scenarios give the same answers on Linux and on Windows" % (same, len(chosen)))
    return 0 if same == len(chosen) else 1


if __name__ == "__main__":
    sys.exit(main())
