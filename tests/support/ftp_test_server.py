"""A throwaway FTP server for the tests: one user, one root directory, 127.0.0.1 only.

Usage: ftp_test_server.py ROOT [--stall-prefix PREFIX] [--throttle] [--tls-cert PEM]
                          [--lifetime SECONDS]
The user name and password come from DRAV_FTP_TEST_USER and DRAV_FTP_TEST_PASSWORD.
--throttle reads the first block of every upload and then nothing more, like a server that
stops mid-transfer. --tls-cert makes it an FTPS server (explicit TLS, required on the control
and data connections) with a throwaway self-signed certificate for 127.0.0.1, written to PEM
(certificate and key in one file).
The server listens on a free port and prints that port on its first line of output. It stops
when its standard input closes (the test process ended, however it ended) or when its
lifetime runs out, so it never outlives the test that started it.
"""

import argparse
import logging
import os
import subprocess
import sys
import threading

from cryptography import x509
from cryptography.hazmat.primitives.asymmetric.utils import decode_dss_signature
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer


def make_certificate(pem):
    # Wine's certificate checks refuse an ECDSA signature whose r or s starts with a zero
    # byte (about one certificate in 128); Windows takes them, so such a one is made again.
    while not signature_has_full_length_numbers(make_ec_certificate(pem)):
        pass


def signature_has_full_length_numbers(pem):
    with open(pem, "rb") as f:
        signature = x509.load_pem_x509_certificate(f.read()).signature
    return all(n.bit_length() > 248 for n in decode_dss_signature(signature))


def make_ec_certificate(pem):
    key = pem + ".key"
    subprocess.run(["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt",
                    "ec_paramgen_curve:prime256v1", "-nodes", "-keyout", key, "-out", pem,
                    "-days", "1", "-subj", "/CN=127.0.0.1", "-addext",
                    # The address as a DNS name too: Windows' own TLS (Schannel, as curl
                    # uses it) matches the host against DNS names only.
                    "subjectAltName=IP:127.0.0.1,DNS:127.0.0.1"], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(key, "rb") as k, open(pem, "ab") as out:
        out.write(k.read())
    os.remove(key)
    return pem


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("root")
    parser.add_argument("--stall-prefix", default="")
    parser.add_argument("--throttle", action="store_true")
    parser.add_argument("--tls-cert", default="")
    parser.add_argument("--lifetime", type=float, default=300.0)
    args = parser.parse_args()

    logging.basicConfig(level=logging.CRITICAL)
    authorizer = DummyAuthorizer()
    authorizer.add_user(os.environ["DRAV_FTP_TEST_USER"], os.environ["DRAV_FTP_TEST_PASSWORD"],
                        args.root, perm="elradfmwMT")

    stall_prefix = args.stall_prefix

    base = FTPHandler
    if args.tls_cert:
        from pyftpdlib.handlers import TLS_DTPHandler, TLS_FTPHandler
        make_certificate(args.tls_cert)
        base = TLS_FTPHandler

        class DataChannel(TLS_DTPHandler):
#A client may start the data connection's handshake before it sends STOR;
#pyftpdlib would take the early bytes for a hang - up and close the channel.
            def readable(self):
                return self._ssl_accepting or super().readable()

    class Handler(base):
        def ftp_STOR(self, file, mode="w"):
#A server that goes quiet in the middle of an upload : no reply at all.
            if stall_prefix and os.path.basename(file).startswith(stall_prefix):
                return None
            return super().ftp_STOR(file, mode)

    if args.tls_cert:
        Handler.certfile = args.tls_cert
        Handler.tls_control_required = True
        Handler.tls_data_required = True
        Handler.dtp_handler = DataChannel
    if args.throttle:
        class Stalling(ThrottledDTPHandler):
            read_limit = 1  # one byte a second: after the first block, silence

        Handler.dtp_handler = Stalling
    Handler.authorizer = authorizer
    Handler.banner = "test server ready"
    Handler.auth_failed_timeout = 0.05  # answer a wrong password at once
    server = FTPServer(("127.0.0.1", 0), Handler)
    print(server.socket.getsockname()[1], flush=True)

    def stop_when_stdin_closes():
        sys.stdin.buffer.read()
        os._exit(0)

    threading.Thread(target=stop_when_stdin_closes, daemon=True).start()
    threading.Timer(args.lifetime, lambda: os._exit(0)).start()
    server.serve_forever(timeout=0.2)


if __name__ == "__main__":
    main()
