"""The web pages of the portal for tests, on 127.0.0.1, over the folder the
test FTP server serves (--root); the portal's files are in
public_html/<site>/customerportal/ below it.

Every call is appended to <control>/calls.jsonl: page, the query string as it
came ("raw", its bytes as Latin-1 characters), the query decoded as the portal
reads it, in Windows-1252 (keys in the order sent), reply, and what a load
page read. <control>/script.json, read at every call, scripts the answers:
"replies" {page: text} (default "SUCCESS"; the ID check answers "OK" unless
the ID is in "taken"), "delays" {page: seconds}, "handouts" {page: text} (the
file GetSchedule.php or GetCustomerJobs.php makes ready), "holds" [page] (such
a call writes <control>/arrived-<page> and waits, before anything else, until
<control>/release-<page> exists). A load page answers
"File not found" for a file that did not arrive. Names are bytes to the
portal, as to its FTP server: a page finds a file, and makes one ready, by the
very bytes of the values that name it.
<control>/held.json {"held": [line, ...], "handed": [line, ...]}, when the
test wrote it, holds the requests the portal keeps between calls:
GetCustomerJobs.php (without a handout) hands out every one held, and
DeleteCustomerJobsData.php answering "SUCCESS" lets go of those handed out so
far, also after its caller has given up.
<control>/answering counts the calls arrived and not yet answered.
Prints "PORT <n>" once it listens."""
import argparse, http.server, json, os, sys, threading, time, urllib.parse

p = argparse.ArgumentParser()
for arg in ("--root", "--site", "--control"):
    p.add_argument(arg, required=True)
a = p.parse_args()
portal = os.path.join(a.root, "public_html", a.site, "customerportal")
os.makedirs(portal, exist_ok=True)
lock = threading.Lock()
LOAD_PAGES = {"LoadCompany.php", "LoadSchedule.php", "LoadUsers.php", "LoadJobTypes.php"}
answering = 0


def control(name):
    return os.path.join(a.control, name)


def read_json(name, default):
    try:
        with open(control(name), encoding="utf-8") as f:
            return json.load(f)
    except (OSError, ValueError):
        return default


def write_file(name, text):
    with open(control(name + ".tmp"), "w", encoding="utf-8") as f:
        f.write(text)
    os.replace(control(name + ".tmp"), control(name))


def portal_file(name):
    """The path of the portal's file of a name given one character a byte."""
    return os.path.join(os.fsencode(portal), os.path.basename(name.encode("latin-1")))


def count_answering(step):
    global answering
    with lock:
        answering += step
        write_file("answering", str(answering))


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        count_answering(1)
        try:
            self.page_call()
        finally:
            count_answering(-1)

    def page_call(self):
        url = urllib.parse.urlsplit(self.path)
        # The portal reads a page's values in its code page; the five bytes
        # Windows-1252 leaves undefined come out as U+FFFD.
        query = urllib.parse.parse_qsl(url.query, keep_blank_values=True, encoding="cp1252", errors="replace")
        q = dict(query)
        # The values as the bytes they came in, one character a byte.
        raw = dict(urllib.parse.parse_qsl(url.query, keep_blank_values=True, encoding="latin-1"))
        page = url.path.strip("/").split("/")[-1]
        if url.path not in ("/customerportal/CheckCompanyID.php", "/%s/customerportal/%s" % (a.site, page)):
            return self.answer(404, "Not found")
        s = read_json("script.json", {})
        record = {"page": page, "raw": url.query, "query": [[k, v] for k, v in query]}
        if page in s.get("holds", []):
            write_file("arrived-" + page, "")
            while not os.path.exists(control("release-" + page)):
                time.sleep(0.01)
        time.sleep(s.get("delays", {}).get(page, 0))
        reply = s.get("replies", {}).get(page)
        handout = s.get("handouts", {}).get(page)
        jobs_file = portal_file("CustomerJobsImport_%s.txt" % raw.get("companyid"))
        if reply is None:
            reply = "SUCCESS"
            if page == "CheckCompanyID.php":
                taken = [t.lower() for t in s.get("taken", [])]
                reply = "TAKEN" if q.get("companyid", "").lower() in taken else "OK"
            elif page in LOAD_PAGES:
                path = portal_file(raw.get("filename", ""))
                if not raw.get("filename") or not os.path.isfile(path):
                    reply = "File not found"
                else:
                    with open(path, "rb") as f:
                        record["loaded"] = f.read().decode("latin-1")
            elif page == "GetSchedule.php" and handout is not None:
                self.hand_out(portal_file("ScheduleUpdate_%s_%s.txt" % (raw.get("companyid"), raw.get("companyserial"))),
                              handout)
            elif page == "GetCustomerJobs.php" and handout is not None:
                self.hand_out(jobs_file, handout)
            elif page == "GetCustomerJobs.php" and read_json("held.json", None) is not None:
                with lock:
                    state = read_json("held.json", None)
                    handed = state.get("handed", [])
                    state["handed"] = handed + [r for r in state["held"] if r not in handed]
                    write_file("held.json", json.dumps(state))
                self.hand_out(jobs_file, "".join(r + "\r\n" for r in state["held"]))
            elif page == "DeleteCustomerJobsData.php" and os.path.exists(jobs_file):
                os.remove(jobs_file)
        if page == "DeleteCustomerJobsData.php" and reply == "SUCCESS":
            with lock:
                state = read_json("held.json", None)
                if state is not None:
                    state["held"] = [r for r in state["held"] if r not in state.get("handed", [])]
                    state["handed"] = []
                    write_file("held.json", json.dumps(state))
        record["reply"] = reply
        with lock, open(control("calls.jsonl"), "a", encoding="utf-8") as f:
            f.write(json.dumps(record) + "\n")
        self.answer(200, reply)

    def hand_out(self, path, text):
        with open(path, "wb") as f:
            f.write(text.encode("latin-1"))

    def answer(self, status, text):
        body = text.encode("utf-8")
        self.send_response(status)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        try:
            self.wfile.write(body)
        except OSError:
            pass

    def log_message(self, *args):
        pass


srv = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
srv.daemon_threads = True
print("PORT %d" % srv.server_address[1], flush=True)
threading.Thread(target=lambda: (sys.stdin.read(), srv.shutdown()), daemon=True).start()
srv.serve_forever()
