"""A local FTP server for tests on 127.0.0.1: one account whose home is the
given folder. --rate limits the bytes a second sent to the client, so a test
can make a download outlast its wait; --pace keeps data both ways (downloads
and uploads) to that many bytes a second from moment to moment, a twentieth of
it at a time, so that a transfer of n bytes takes n / pace seconds. --log names a file to which every
command line is appended as the bytes it came in (a password as "PASS ***"),
one a line. --silent-at names commands (comma-separated) from the first of
which on the server answers nothing more, the connection kept open; "greeting"
makes it take connections and never greet; "final" makes it take a file whole
(STOR) or send one whole (RETR), close the data connection and then never send
its final reply (226), nor anything more; "final:Name" does so only for files
whose names begin with Name; "final-lines" (":Name" too) sends instead the
reply's continuation line "226-wait" twice a second and never its last line,
"final-bytes" sends "226 " and then one character every half second without
ever ending the line. "drop-stor" closes both connections once the first
byte of a STOR's data has come. Names are bytes to this server, as to a portal
that takes them so: a file is stored under the very bytes of the name it was
given, and a name finds only the file of the same bytes. Prints "PORT <n>"
once it listens."""
import argparse, os, sys, threading, time
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import DTPHandler, FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer
import logging

p = argparse.ArgumentParser()
p.add_argument("--root", required=True)
p.add_argument("--user", required=True)
p.add_argument("--password", required=True)
p.add_argument("--rate", type=int, default=0)
p.add_argument("--pace", type=int, default=0)
p.add_argument("--log", default="")
p.add_argument("--silent-at", default="")
a = p.parse_args()
names = [c.strip() for c in a.silent_at.split(",") if c.strip()]
silent_at = set(c.upper() for c in names if not c.upper().startswith("FINAL"))
# How the final reply fails to come, by the name beginnings of its files.
final_for = [(c.partition(":")[0].upper(), c.partition(":")[2]) for c in names if c.upper().startswith("FINAL")]
drop_stor = "DROP-STOR" in silent_at
logging.basicConfig(level=logging.ERROR)


class ByteNamesHandler(FTPHandler):
    silent = False

    # A command line is read one character a byte (pyftpdlib would read it
    # as UTF-8 and so hide what a client sent).
    def decode(self, data):
        return data.decode("latin-1")

    def handle(self):
        if "GREETING" in silent_at:
            self.silent = True
            return
        super().handle()

    trickle = None

    def respond(self, resp, logfun=logging.debug):
        if final_for and resp.startswith("226 Transfer complete"):
            dtp = self.data_channel
            name = os.path.basename(dtp.file_obj.name) if dtp and dtp.file_obj else ""
            kinds = [k for k, n in final_for if name.startswith(n)]
            if kinds:
                self.silent = True
                self.start_trickle(kinds[0])
        if self.silent:
            return
        super().respond(resp, logfun)

    # A reply that keeps coming and never ends.
    def start_trickle(self, kind):
        if kind == "FINAL-LINES":
            piece = b"226-wait\r\n"
        elif kind == "FINAL-BYTES":
            piece = b"x"
            self.push_bytes(b"226 ")
        else:
            return
        self.trickle = self.ioloop.call_every(0.5, lambda: self.push_bytes(piece))

    def push_bytes(self, data):
        if self.connected:
            asynchat_push(self, data)

    def close(self):
        if self.trickle is not None:
            self.trickle.cancel()
            self.trickle = None
        super().close()

    def pre_process_command(self, line, cmd, arg):
        if a.log:
            with open(a.log, "ab") as f:
                f.write((b"PASS ***" if cmd == "PASS" else line.encode("latin-1")) + b"\n")
        if cmd in silent_at:
            self.silent = True
        if self.silent:
            return
        return super().pre_process_command(line, cmd, arg)


class ByteNamesFS(AbstractedFS):
    # The FTP side's names (one character a byte) are the file system's bytes.
    def ftp2fs(self, ftppath):
        relative = self.ftpnorm(ftppath)[1:]
        return os.path.normpath(os.path.join(self.root, os.fsdecode(relative.encode("latin-1"))))

    def fs2ftp(self, fspath):
        return os.fsencode(super().fs2ftp(fspath)).decode("latin-1")


def asynchat_push(handler, data):
    # The bytes as they are, past the handler's own text encoding.
    super(FTPHandler, handler).push(data)


# Drops both connections at the first byte of an upload's data.
def dropping(base):
    class Dropping(base):
        def handle_read(self):
            if drop_stor and self.receive:
                try:
                    self.recv(1)
                except Exception:
                    pass
                self.cmd_channel.close()
                return
            super().handle_read()
        handle_read_event = handle_read
    return Dropping


# Keeps the data to the pace both ways: a step of a twentieth of it at a time,
# each moved no sooner than the bytes before it allow.
def paced(base):
    class Paced(base):
        step = max(1, a.pace // 20)

        def __init__(self, sock, cmd_channel):
            super().__init__(sock, cmd_channel)
            self.begun = None
            self.moved = 0
            self.resume = None

        def use_sendfile(self):
            return False

        def send(self, data):
            n = super().send(data[:self.step])
            self.keep_pace(n)
            return n

        def recv(self, buffer_size):
            chunk = super().recv(min(buffer_size, self.step))
            self.keep_pace(len(chunk))
            return chunk

        def keep_pace(self, n):
            if n <= 0:
                return
            now = time.monotonic()
            if self.begun is None:
                self.begun = now
            self.moved += n
            due = self.begun + self.moved / a.pace
            if due > now:
                def resume():
                    self.add_channel(events=self.ioloop.READ if self.receive else self.ioloop.WRITE)
                self.del_channel()
                self.resume = self.ioloop.call_later(due - now, resume, _errback=self.handle_error)

        def close(self):
            if self.resume is not None and not self.resume.cancelled:
                self.resume.cancel()
            super().close()
    return Paced


auth = DummyAuthorizer()
auth.add_user(a.user, a.password, a.root, perm="elradfmwMT")
handler = ByteNamesHandler
handler.authorizer = auth
handler.abstracted_fs = ByteNamesFS
handler.auth_failed_timeout = 0
if a.pace > 0:
    handler.dtp_handler = dropping(paced(DTPHandler))
elif a.rate > 0:
    dtp = ThrottledDTPHandler
    dtp.write_limit = a.rate
    dtp.read_limit = a.rate
    handler.dtp_handler = dropping(dtp)
else:
    handler.dtp_handler = dropping(DTPHandler)
server = FTPServer(("127.0.0.1", 0), handler)
print("PORT %d" % server.socket.getsockname()[1], flush=True)
threading.Thread(target=lambda: (sys.stdin.read(), server.close_all()), daemon=True).start()
try:
    server.serve_forever(handle_exit=False)
except Exception:
    pass
