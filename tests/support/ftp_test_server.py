"""A throwaway FTP server for the tests: one user, one root directory, 127.0.0.1 only.

Usage: ftp_test_server.py ROOT [--stall-prefix PREFIX] [--lifetime SECONDS]
The user name and password come from DRAV_FTP_TEST_USER and DRAV_FTP_TEST_PASSWORD.
The server listens on a free port and prints that port on its first line of output. It stops
when its standard input closes (the test process ended, however it ended) or when its
lifetime runs out, so it never outlives the test that started it.
"""

import argparse
import logging
import os
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("root")
    parser.add_argument("--stall-prefix", default="")
    parser.add_argument("--lifetime", type=float, default=300.0)
    args = parser.parse_args()

    logging.basicConfig(level=logging.CRITICAL)
    authorizer = DummyAuthorizer()
    authorizer.add_user(os.environ["DRAV_FTP_TEST_USER"], os.environ["DRAV_FTP_TEST_PASSWORD"],
                        args.root, perm="elradfmwMT")

    stall_prefix = args.stall_prefix

    class Handler(FTPHandler):
        def ftp_STOR(self, file, mode="w"):
            # A server that goes quiet in the middle of an upload: no reply at all.
            if stall_prefix and os.path.basename(file).startswith(stall_prefix):
                return None
            return super().ftp_STOR(file, mode)

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
