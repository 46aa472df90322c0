"""A local web server for tests on 127.0.0.1 serving the files of a folder
(http.server); --delay holds every answer back that many seconds.
Prints "PORT <n>" once it listens."""
import argparse, functools, http.server, sys, threading, time

p = argparse.ArgumentParser()
p.add_argument("--root", required=True)
p.add_argument("--delay", type=float, default=0)
a = p.parse_args()


class Handler(http.server.SimpleHTTPRequestHandler):
    def do_GET(self):
        if a.delay:
            time.sleep(a.delay)
        super().do_GET()

    def log_message(self, *args):
        pass


srv = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Handler, directory=a.root))
srv.daemon_threads = True
print("PORT %d" % srv.server_address[1], flush=True)
threading.Thread(target=lambda: (sys.stdin.read(), srv.shutdown()), daemon=True).start()
srv.serve_forever()
