#!/usr/bin/python3
"""Local servers for the network and mail tests, on 127.0.0.1 and free ports only.

    servers.py ftp ROOT          FTP (pyftpdlib), user "trader", password "secret"
    servers.py http ROOT         HTTP of the test's own (standard library)
    servers.py https ROOT DIR    the same over TLS, with a certificate for 127.0.0.1 and
                                 localhost made now (openssl) as DIR/cert.pem
    servers.py mail              SMTP (aiosmtpd) and a small IMAP responder sharing one
                                 inbox; IMAP user "trader", password "secret"
    servers.py silent            accepts connections and never answers

Prints "PORT <name> <number>" for each server and then "READY". Ends when its standard
input closes (the test that started it has ended, however it ended) or on SIGTERM.
"""
import os
import socket
import socketserver
import sys
import threading
import time

USER, PASSWORD = "trader", "secret"


def announce(name, port):
    print(f"PORT {name} {port}", flush=True)


def end_with_parent():
    def watch():
        try:
            while sys.stdin.buffer.read(4096):
                pass
        finally:
            os._exit(0)
    threading.Thread(target=watch, daemon=True).start()


def serve_ftp(root):
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import FTPHandler
    from pyftpdlib.servers import FTPServer
    from pyftpdlib.log import config_logging
    import logging
    config_logging(level=logging.CRITICAL)
    authorizer = DummyAuthorizer()
    authorizer.add_user(USER, PASSWORD, root, perm="elradfmwMT")

    class BrokenProducer:
        """Gives the first half of a file, then fails: the server aborts the transfer."""

        def __init__(self, data):
            self.data = data

        def more(self):
            if self.data is None:
                raise OSError("the disk went away")
            half, self.data = self.data[: len(self.data) // 2], None
            return half

    class Handler(FTPHandler):
        def ftp_RETR(self, file):
            # A file named "cut-*" is cut off half-way, as a server that fails would.
            if os.path.basename(file).startswith("cut-"):
                with open(file, "rb") as f:
                    data = f.read()
                self.push_dtp_data(BrokenProducer(data), isproducer=True, cmd="RETR")
                return file
            return FTPHandler.ftp_RETR(self, file)

    handler = Handler
    handler.authorizer = authorizer
    handler.passive_ports = None
    server = FTPServer(("127.0.0.1", 0), handler)
    announce("ftp", server.socket.getsockname()[1])
    print("READY", flush=True)
    server.serve_forever(handle_exit=False)


def serve_http(root, cert=None, key=None):
    from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

    class Handler(BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.0"

        def log_message(self, *args):
            pass

        def reply(self, status, body=b"", headers=()):
            self.send_response(status)
            for name, value in headers:
                self.send_header(name, value)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)

        def do_GET(self):
            path = self.path.split("?")[0]
            host = self.server.server_address
            scheme = "https" if cert else "http"
            if path == "/headers":
                # The request exactly as it came: its line and its header lines.
                text = self.requestline + "\r\n" + "".join(f"{k}: {v}\r\n" for k, v in self.headers.items())
                self.reply(200, text.encode("latin-1"))
            elif path.startswith("/bytes/"):
                count = int(path.split("/")[2])
                self.reply(200, bytes((i * 7 + 3) & 0xFF for i in range(count)))
            elif path == "/redirect-here":
                self.reply(302, b"moved", [("Location", f"{scheme}://127.0.0.1:{host[1]}/bytes/300")])
            elif path == "/redirect-elsewhere":
                # Another host name of this machine: the library must not go there.
                self.reply(302, b"moved", [("Location", f"{scheme}://localhost:{host[1]}/bytes/300")])
            elif path == "/redirect-loop":
                self.reply(302, b"again", [("Location", "/redirect-loop")])
            elif path == "/private":
                self.reply(401, b"who are you", [("WWW-Authenticate", 'Basic realm="test"')])
            elif path == "/stall":
                self.send_response(200)
                self.send_header("Content-Length", "100000")
                self.end_headers()
                self.wfile.write(b"x" * 1000)
                self.wfile.flush()
                time.sleep(60)
            else:
                local = os.path.join(root, path.lstrip("/"))
                if os.path.isfile(local):
                    with open(local, "rb") as f:
                        self.reply(200, f.read())
                else:
                    self.reply(404, b"not here")

    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    if cert:
        import ssl
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(cert, key)
        server.socket = context.wrap_socket(server.socket, server_side=True)
    announce("https" if cert else "http", server.server_address[1])
    print("READY", flush=True)
    server.serve_forever()


class Inbox:
    """The messages SMTP received, in order; IMAP serves them with UIDs from 1."""

    def __init__(self):
        self.lock = threading.Lock()
        self.messages = []

    def add(self, data):
        with self.lock:
            self.messages.append(data)

    def all(self):
        with self.lock:
            return list(self.messages)


def serve_mail():
    from aiosmtpd.controller import Controller
    import logging
    logging.getLogger("mail.log").setLevel(logging.CRITICAL)
    inbox = Inbox()

    class Store:
        async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
            # Two addresses the server refuses, as servers do: unknown, and out of room.
            if address.startswith("nobody@"):
                return "550 5.1.1 no such user"
            if address.startswith("full@"):
                return "452 4.3.1 Insufficient system storage"
            envelope.rcpt_tos.append(address)
            return "250 OK"

        async def handle_DATA(self, server, session, envelope):
            inbox.add(envelope.original_content or envelope.content)
            return "250 OK"

    probe = socket.socket()
    probe.bind(("127.0.0.1", 0))
    smtp_port = probe.getsockname()[1]
    probe.close()
    controller = Controller(Store(), hostname="127.0.0.1", port=smtp_port)
    controller.start()

    class Imap(socketserver.StreamRequestHandler):
        def send(self, line):
            self.wfile.write(line.encode("latin-1") + b"\r\n")

        def handle(self):
            self.send("* OK IMAP4rev1 test responder ready")
            logged_on = False
            while True:
                raw = self.rfile.readline()
                if not raw:
                    return
                parts = raw.decode("latin-1").rstrip("\r\n").split(" ")
                tag, command = parts[0], " ".join(parts[1:3]).upper()
                verb = parts[1].upper() if len(parts) > 1 else ""
                if verb == "CAPABILITY":
                    self.send("* CAPABILITY IMAP4rev1")
                    self.send(f"{tag} OK CAPABILITY completed")
                elif verb == "LOGIN":
                    user, password = (p.strip('"') for p in parts[2:4])
                    if user == USER and password == PASSWORD:
                        logged_on = True
                        self.send(f"{tag} OK LOGIN completed")
                    else:
                        self.send(f"{tag} NO [AUTHENTICATIONFAILED] Invalid credentials")
                elif not logged_on and verb != "LOGOUT":
                    self.send(f"{tag} BAD log on first")
                elif verb in ("SELECT", "EXAMINE"):
                    count = len(inbox.all())
                    self.send(f"* {count} EXISTS")
                    self.send("* OK [UIDVALIDITY 1] UIDs valid")
                    self.send(f"{tag} OK [READ-WRITE] SELECT completed")
                elif command == "UID SEARCH":
                    uids = " ".join(str(i + 1) for i in range(len(inbox.all())))
                    self.send(("* SEARCH " + uids).rstrip())
                    self.send(f"{tag} OK SEARCH completed")
                elif command == "UID FETCH":
                    messages = inbox.all()
                    uid = int(parts[3])
                    if 1 <= uid <= len(messages):
                        data = messages[uid - 1]
                        self.wfile.write(f"* {uid} FETCH (UID {uid} BODY[] {{{len(data)}}}\r\n".encode("latin-1"))
                        self.wfile.write(data + b")\r\n")
                    self.send(f"{tag} OK FETCH completed")
                elif verb == "NOOP":
                    self.send(f"{tag} OK NOOP completed")
                elif verb == "LOGOUT":
                    self.send("* BYE logging out")
                    self.send(f"{tag} OK LOGOUT completed")
                    return
                else:
                    self.send(f"{tag} BAD unknown command")

    class ThreadingServer(socketserver.ThreadingTCPServer):
        daemon_threads = True
        allow_reuse_address = True

    imap = ThreadingServer(("127.0.0.1", 0), Imap)
    announce("smtp", smtp_port)
    announce("imap", imap.server_address[1])
    print("READY", flush=True)
    imap.serve_forever()


def serve_silent():
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(16)
    announce("silent", listener.getsockname()[1])
    print("READY", flush=True)
    held = []
    while True:
        connection, _ = listener.accept()
        held.append(connection)  # kept open, never answered


def main():
    end_with_parent()
    mode = sys.argv[1]
    if mode == "ftp":
        serve_ftp(sys.argv[2])
    elif mode == "http":
        serve_http(sys.argv[2])
    elif mode == "https":
        import subprocess
        cert, key = os.path.join(sys.argv[3], "cert.pem"), os.path.join(sys.argv[3], "key.pem")
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                        "-subj", "/CN=localhost", "-addext", "subjectAltName=DNS:localhost,IP:127.0.0.1",
                        "-keyout", key, "-out", cert], check=True, capture_output=True)
        serve_http(sys.argv[2], cert, key)
    elif mode == "mail":
        serve_mail()
    elif mode == "silent":
        serve_silent()
    else:
        sys.exit(f"unknown server {mode}")


if __name__ == "__main__":
    main()
