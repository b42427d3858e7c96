#!/usr/bin/env python3
"""Starts and stops the local test servers for the Windows tests, which run under Wine and cannot start
Linux programs themselves.

It makes a test certificate authority and server certificates with openssl, then listens on 127.0.0.1
for one-line JSON commands, one per connection:

  {"op": "authority"}                                -> "Z:\\...\\ca.der"   (the authority to trust)
  {"op": "start", "security": S, "reply": {...}}     -> "PORT Z:\\...\\record-folder"
  {"op": "stop", "port": PORT}                       -> "ok"

S is "plain", "tls" (a certificate for localhost and 127.0.0.1), "tls-localhost-only" (for localhost
only) or "tls-stranger" (for localhost, from an authority nobody trusts). Every server is
Tests/Network/test_server.py, the one the Linux network tests use; TLS servers send their authority's
certificate after their own, as servers on the web send their intermediates. The reply object is that
server's reply file. The port the hub listens on is written to the port file once it is ready. It serves
until it is terminated, and then ends every server it started.
"""
import argparse
import json
import os
import signal
import socket
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
TEST_SERVER = os.path.join(HERE, "..", "Network", "test_server.py")


def windows_path(path):
    # Wine shows the Linux root as drive Z:.
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def run(*command):
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def make_authority(folder, name):
    key, pem = os.path.join(folder, name + ".key"), os.path.join(folder, name + ".pem")
    run("openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
        "-days", "2", "-subj", "/CN=" + name, "-addext", "basicConstraints=critical,CA:TRUE",
        "-addext", "keyUsage=critical,keyCertSign,cRLSign", "-keyout", key, "-out", pem)
    return key, pem


def make_server_certificate(folder, name, alt_names, authority):
    authority_key, authority_pem = authority
    base = os.path.join(folder, name)
    with open(base + ".ext", "w") as file:
        file.write("subjectAltName=%s\nbasicConstraints=CA:FALSE\nkeyUsage=digitalSignature\n"
                   "extendedKeyUsage=serverAuth\n" % alt_names)
    run("openssl", "req", "-new", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
        "-subj", "/CN=" + name, "-keyout", base + ".key", "-out", base + ".csr")
    run("openssl", "x509", "-req", "-in", base + ".csr", "-CA", authority_pem, "-CAkey", authority_key,
        "-CAcreateserial", "-days", "2", "-extfile", base + ".ext", "-out", base + ".pem")
    with open(base + ".chain.pem", "w") as chain:
        for part in (base + ".pem", authority_pem):
            with open(part) as file:
                chain.write(file.read())
    return base + ".chain.pem", base + ".key"


class Hub:
    def __init__(self, work):
        self.work = work
        self.servers = {}
        self.used_ports = set()
        self.count = 0
        certificates = os.path.join(work, "certificates")
        os.makedirs(certificates, exist_ok=True)
        # A name of its own each run: a certificate store still holding an earlier run's authority must
        # not offer that one as the issuer.
        trusted = make_authority(certificates, "Corvana-Test-Authority-%d" % int(time.time() * 1000))
        stranger = make_authority(certificates, "Stranger-Authority")
        self.authority = os.path.join(certificates, "authority.der")
        run("openssl", "x509", "-in", trusted[1], "-outform", "DER", "-out", self.authority)
        self.certificates = {
            "tls": make_server_certificate(certificates, "server", "IP:127.0.0.1,DNS:localhost", trusted),
            "tls-localhost-only": make_server_certificate(certificates, "localhost", "DNS:localhost", trusted),
            "tls-stranger": make_server_certificate(certificates, "stranger", "DNS:localhost", stranger),
        }

    def start(self, security, reply):
        # WinINet keeps what it learnt of a server (its certificate's verdict among it) by name and port
        # for the life of the process, so no port is handed out twice in one run.
        for _ in range(20):
            port, folder, process = self.start_once(security, reply)
            if port not in self.used_ports:
                self.used_ports.add(port)
                self.servers[port] = process
                return "%d %s" % (port, windows_path(folder))
            process.terminate()
            process.wait()
        raise RuntimeError("no fresh port for a test server")

    def start_once(self, security, reply):
        self.count += 1
        folder = os.path.join(self.work, "server-%d" % self.count)
        os.makedirs(folder)
        reply_file = os.path.join(folder, "reply.json")
        with open(reply_file, "w") as file:
            json.dump(reply, file)
        port_file = os.path.join(folder, "port")
        command = [sys.executable, TEST_SERVER, "--port-file", port_file, "--record-folder", folder,
                   "--reply-file", reply_file]
        if security != "plain":
            cert, key = self.certificates[security]
            command += ["--cert", cert, "--key", key]
        process = subprocess.Popen(command)
        for _ in range(400):
            if os.path.exists(port_file):
                break
            time.sleep(0.025)
        else:
            process.terminate()
            raise RuntimeError("the test server did not start")
        with open(port_file) as file:
            port = int(file.read())
        return port, folder, process

    def stop(self, port):
        process = self.servers.pop(port, None)
        if process is not None:
            process.terminate()
            process.wait()
        return "ok"

    def stop_all(self):
        for port in list(self.servers):
            self.stop(port)

    def answer(self, line):
        command = json.loads(line)
        if command["op"] == "authority":
            return windows_path(self.authority)
        if command["op"] == "start":
            return self.start(command["security"], command["reply"])
        if command["op"] == "stop":
            return self.stop(int(command["port"]))
        raise ValueError("unknown command")


def read_line(connection):
    data = b""
    while not data.endswith(b"\n"):
        piece = connection.recv(65536)
        if not piece:
            break
        data += piece
    return data.decode("utf-8")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--work-folder", required=True)
    arguments = parser.parse_args()

    hub = Hub(arguments.work_folder)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    with open(arguments.port_file + ".tmp", "w") as file:
        file.write(str(listener.getsockname()[1]))
    os.rename(arguments.port_file + ".tmp", arguments.port_file)
    try:
        while True:
            connection, _ = listener.accept()
            with connection:
                try:
                    reply = hub.answer(read_line(connection))
                except Exception as problem:  # the test sees the reason instead of a hang
                    reply = "error " + str(problem).replace("\n", " ")
                connection.sendall((reply + "\n").encode("utf-8"))
    finally:
        hub.stop_all()


if __name__ == "__main__":
    main()
