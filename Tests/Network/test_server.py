#!/usr/bin/env python3
"""A small HTTP(S) server for the network tests.

It records every request it receives, byte for byte, as request-N.bin in the record folder (written
whole before the reply goes out), and answers each with the reply described in the reply file: a status,
extra headers, and a body sent as separate pieces with a pause between them. It serves until it is
terminated. The port it listens on (on 127.0.0.1) is written to the port file once it is ready.
"""
import argparse
import json
import os
import socket
import ssl
import time


def read_request(connection):
    data = b""
    while b"\r\n\r\n" not in data:
        piece = connection.recv(65536)
        if not piece:
            return data
        data += piece
    head, _, body = data.partition(b"\r\n\r\n")
    length = 0
    for line in head.split(b"\r\n")[1:]:
        name, _, value = line.partition(b":")
        if name.strip().lower() == b"content-length":
            length = int(value.strip())
    while len(body) < length:
        piece = connection.recv(65536)
        if not piece:
            break
        body += piece
    return head + b"\r\n\r\n" + body


def record(folder, number, request):
    path = os.path.join(folder, "request-%d.bin" % number)
    with open(path + ".tmp", "wb") as file:
        file.write(request)
    os.rename(path + ".tmp", path)


def answer(connection, reply):
    pieces = [piece.encode("utf-8") for piece in reply.get("pieces", [])]
    status = reply.get("status", 200)
    head = "HTTP/1.1 %d %s\r\n" % (status, "OK" if status < 400 else "Error")
    headers = reply.get("headers", {})
    # A reply that frames its own body (chunked) announces no length.
    if not any(name.lower() == "transfer-encoding" for name in headers):
        head += "Content-Length: %d\r\n" % sum(len(p) for p in pieces)
    head += "Connection: close\r\n"
    for name, value in headers.items():
        head += "%s: %s\r\n" % (name, value)
    connection.sendall((head + "\r\n").encode("latin-1"))
    for index, piece in enumerate(pieces):
        if index > 0:
            time.sleep(reply.get("pause", 0.0))
        connection.sendall(piece)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--record-folder", required=True)
    parser.add_argument("--reply-file", required=True)
    parser.add_argument("--cert")
    parser.add_argument("--key")
    arguments = parser.parse_args()

    with open(arguments.reply_file) as file:
        reply = json.load(file)
    context = None
    if arguments.cert:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(arguments.cert, arguments.key)

    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    with open(arguments.port_file + ".tmp", "w") as file:
        file.write(str(listener.getsockname()[1]))
    os.rename(arguments.port_file + ".tmp", arguments.port_file)

    number = 0
    while True:
        raw, _ = listener.accept()
        try:
            connection = context.wrap_socket(raw, server_side=True) if context else raw
            request = read_request(connection)
            if request:
                number += 1
                record(arguments.record_folder, number, request)
                answer(connection, reply)
            connection.close()
        except (ssl.SSLError, OSError):
            # A client that refuses the certificate ends the handshake; the next client is served.
            raw.close()


if __name__ == "__main__":
    main()
