"""A throwaway SFTP server for the tests: one user, one root directory, 127.0.0.1 only.

Usage: sftp_test_server.py ROOT [--stall-prefix PREFIX] [--lifetime SECONDS]
The user name and password come from DRAV_FTP_TEST_USER and DRAV_FTP_TEST_PASSWORD. A fresh
ed25519 host key is made for each run. The first line of output is
"PORT FINGERPRINT KEYTYPE BASE64KEY". Writes to a file whose name starts with PREFIX are
never answered. The server stops when its standard input closes or its lifetime runs out.
"""

import argparse
import asyncio
import os
import sys
import threading
import warnings

warnings.simplefilter("ignore")  # asyncssh's imports warn about old ciphers

import asyncssh  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("root")
    parser.add_argument("--stall-prefix", default="")
    parser.add_argument("--lifetime", type=float, default=300.0)
    args = parser.parse_args()
    user = os.environ["DRAV_FTP_TEST_USER"]
    password = os.environ["DRAV_FTP_TEST_PASSWORD"]
    stall_prefix = args.stall_prefix.encode()

    class Server(asyncssh.SSHServer):
        def begin_auth(self, username):
            return True

        def password_auth_supported(self):
            return True

        def validate_password(self, username, given):
            return username == user and given == password

    class Sftp(asyncssh.SFTPServer):
        def __init__(self, chan):
            super().__init__(chan, chroot=args.root.encode())
            self._stalling = set()

        def open(self, path, pflags, attrs):
            f = super().open(path, pflags, attrs)
            if stall_prefix and os.path.basename(path).startswith(stall_prefix):
                self._stalling.add(id(f))
            return f

        async def write(self, file_obj, offset, data):
            if id(file_obj) in self._stalling:
                await asyncio.sleep(3600)
            return super().write(file_obj, offset, data)

    async def start():
        key = asyncssh.generate_private_key("ssh-ed25519")
        server = await asyncssh.listen("127.0.0.1", 0, server_factory=Server,
                                       server_host_keys=[key], sftp_factory=Sftp,
                                       allow_scp=False)
        port = server.sockets[0].getsockname()[1]
        public = key.export_public_key("openssh").decode().split()
        print(port, key.get_fingerprint("sha256"), public[0], public[1], flush=True)

    def stop_when_stdin_closes():
        sys.stdin.buffer.read()
        os._exit(0)

    threading.Thread(target=stop_when_stdin_closes, daemon=True).start()
    threading.Timer(args.lifetime, lambda: os._exit(0)).start()
    loop = asyncio.new_event_loop()
    loop.run_until_complete(start())
    loop.run_forever()


if __name__ == "__main__":
    main()
