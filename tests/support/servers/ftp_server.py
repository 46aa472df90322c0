"""A local FTP server for tests on 127.0.0.1: one account whose home is the
given folder. --rate limits the bytes a second sent to the client, so a test
can make a download outlast its wait. Prints "PORT <n>" once it listens."""
import argparse, sys, threading
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer
import logging

p = argparse.ArgumentParser()
p.add_argument("--root", required=True)
p.add_argument("--user", required=True)
p.add_argument("--password", required=True)
p.add_argument("--rate", type=int, default=0)
a = p.parse_args()
logging.basicConfig(level=logging.ERROR)

auth = DummyAuthorizer()
auth.add_user(a.user, a.password, a.root, perm="elradfmwMT")
handler = FTPHandler
handler.authorizer = auth
handler.auth_failed_timeout = 0
if a.rate > 0:
    dtp = ThrottledDTPHandler
    dtp.write_limit = a.rate
    dtp.read_limit = a.rate
    handler.dtp_handler = dtp
server = FTPServer(("127.0.0.1", 0), handler)
print("PORT %d" % server.socket.getsockname()[1], flush=True)
threading.Thread(target=lambda: (sys.stdin.read(), server.close_all()), daemon=True).start()
try:
    server.serve_forever(handle_exit=False)
except Exception:
    pass
