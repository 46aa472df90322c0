"""A server on 127.0.0.1 that greets each connection with the line given
(--greeting, sent with CR LF) and closes the connection at the first line it
receives, without answering it. Prints "PORT <n>" once it listens."""
import argparse, socket, sys, threading

p = argparse.ArgumentParser()
p.add_argument("--greeting", required=True)
a = p.parse_args()

srv = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
srv.bind(("127.0.0.1", 0))
srv.listen(8)
print("PORT %d" % srv.getsockname()[1], flush=True)


def serve(conn):
    with conn:
        conn.sendall(a.greeting.encode("latin-1") + b"\r\n")
        got = b""
        while b"\n" not in got:
            piece = conn.recv(1024)
            if not piece:
                return
            got += piece


def accept():
    while True:
        try:
            conn, _ = srv.accept()
        except OSError:
            return
        threading.Thread(target=serve, args=(conn,), daemon=True).start()


threading.Thread(target=accept, daemon=True).start()
sys.stdin.read()
srv.close()
