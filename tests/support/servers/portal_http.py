"""The web pages of the portal for tests, on 127.0.0.1, over the folder the
test FTP server serves (--root). The portal's files are in
public_html/<site>/customerportal/ below it.

Every call is appended to <control>/calls.jsonl with its page and its decoded
query (keys in the order sent). <control>/script.json, read at every call,
scripts the answers: "replies" {page: text} (default "SUCCESS"; the ID check
answers "OK" unless the ID is in "taken"), "delays" {page: seconds},
"handouts" {page: text} (the file GetSchedule.php or GetCustomerJobs.php
makes ready to be fetched). The load pages answer "File not found" for a
file that did not arrive, and record what they loaded.
<control>/held.json, when the test has written it, holds the customer-job
requests the portal keeps between calls: {"held": [line, ...], "handed":
[line, ...]}. GetCustomerJobs.php (without a handout) hands out every held
request; DeleteCustomerJobsData.php, when it answers "SUCCESS", lets go of
every request handed out so far, also when its answer comes after the
caller has given up (a delay longer than the caller waits).
<control>/answering holds how many calls have arrived and not yet been
recorded and answered (a delayed call keeps sleeping after its caller has
given up).
Prints "PORT <n>" once it listens."""
import argparse, http.server, json, os, sys, threading, time, urllib.parse

p = argparse.ArgumentParser()
p.add_argument("--root", required=True)
p.add_argument("--site", required=True)
p.add_argument("--control", required=True)
a = p.parse_args()
portal = os.path.join(a.root, "public_html", a.site, "customerportal")
os.makedirs(portal, exist_ok=True)
lock = threading.Lock()
LOAD_PAGES = {"LoadCompany.php", "LoadSchedule.php", "LoadUsers.php", "LoadJobTypes.php"}


def held_path():
    return os.path.join(a.control, "held.json")


def read_held():
    try:
        with open(held_path(), encoding="utf-8") as f:
            return json.load(f)
    except (OSError, ValueError):
        return None


def write_held(state):
    tmp = held_path() + ".tmp"
    with open(tmp, "w", encoding="utf-8") as f:
        json.dump(state, f)
    os.replace(tmp, held_path())


answering = 0


def count_answering(step):
    global answering
    with lock:
        answering += step
        tmp = os.path.join(a.control, "answering.tmp")
        with open(tmp, "w", encoding="utf-8") as f:
            f.write(str(answering))
        os.replace(tmp, os.path.join(a.control, "answering"))


def script():
    try:
        with open(os.path.join(a.control, "script.json"), encoding="utf-8") as f:
            return json.load(f)
    except (OSError, ValueError):
        return {}


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        count_answering(1)
        try:
            self.page_call()
        finally:
            count_answering(-1)

    def page_call(self):
        url = urllib.parse.urlsplit(self.path)
        query = urllib.parse.parse_qsl(url.query, keep_blank_values=True, encoding="utf-8")
        q = dict(query)
        parts = url.path.strip("/").split("/")
        page = parts[-1]
        if url.path == "/customerportal/CheckCompanyID.php":
            pass
        elif url.path != "/%s/customerportal/%s" % (a.site, page):
            self.answer(404, "Not found")
            return
        s = script()
        record = {"page": page, "query": [[k, v] for k, v in query], "raw": url.query}
        reply = s.get("replies", {}).get(page)
        delay = s.get("delays", {}).get(page, 0)
        if delay:
            time.sleep(delay)
        if reply is None:
            reply = "SUCCESS"
            if page == "CheckCompanyID.php":
                taken = [t.lower() for t in s.get("taken", [])]
                reply = "TAKEN" if q.get("companyid", "").lower() in taken else "OK"
            elif page in LOAD_PAGES:
                path = os.path.join(portal, os.path.basename(q.get("filename", "")))
                if not q.get("filename") or not os.path.isfile(path):
                    reply = "File not found"
                else:
                    with open(path, "rb") as f:
                        record["loaded"] = f.read().decode("latin-1")
            elif page == "GetSchedule.php" and page in s.get("handouts", {}):
                self.hand_out("ScheduleUpdate_%s_%s.txt" % (q.get("companyid"), q.get("companyserial")),
                              s["handouts"][page])
            elif page == "GetCustomerJobs.php" and page in s.get("handouts", {}):
                self.hand_out("CustomerJobsImport_%s.txt" % q.get("companyid"), s["handouts"][page])
            elif page == "GetCustomerJobs.php" and read_held() is not None:
                with lock:
                    state = read_held()
                    state["handed"] = state.get("handed", []) + [
                        r for r in state["held"] if r not in state.get("handed", [])]
                    write_held(state)
                self.hand_out("CustomerJobsImport_%s.txt" % q.get("companyid"),
                              "".join(r + "\r\n" for r in state["held"]))
            elif page == "DeleteCustomerJobsData.php":
                try:
                    os.remove(os.path.join(portal, "CustomerJobsImport_%s.txt" % q.get("companyid")))
                except OSError:
                    pass
        if page == "DeleteCustomerJobsData.php" and reply == "SUCCESS":
            with lock:
                state = read_held()
                if state is not None:
                    handed = state.get("handed", [])
                    state["held"] = [r for r in state["held"] if r not in handed]
                    state["handed"] = []
                    write_held(state)
        record["reply"] = reply
        with lock:
            with open(os.path.join(a.control, "calls.jsonl"), "a", encoding="utf-8") as f:
                f.write(json.dumps(record) + "\n")
        self.answer(200, reply)

    def hand_out(self, name, text):
        with open(os.path.join(portal, os.path.basename(name)), "wb") as f:
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
