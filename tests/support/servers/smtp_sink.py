"""A local SMTP server for tests: every message received is written as JSON
(envelope, decoded headers and body parts) to a folder, one file a message.
Prints "PORT <n>" once it listens on 127.0.0.1."""
import argparse, email, email.policy, json, os, socket, ssl, sys, time
from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword

p = argparse.ArgumentParser()
p.add_argument("--dir", required=True)
p.add_argument("--port", type=int, default=0)
p.add_argument("--user")
p.add_argument("--password")
p.add_argument("--cert")
p.add_argument("--key")
p.add_argument("--starttls", action="store_true", help="offer STARTTLS")
p.add_argument("--require-tls", action="store_true", help="refuse mail before STARTTLS")
p.add_argument("--implicit-tls", action="store_true", help="TLS from the first byte")
a = p.parse_args()


class Sink:
    count = 0

    async def handle_DATA(self, server, session, envelope):
        raw = envelope.original_content or envelope.content
        msg = email.message_from_bytes(raw, policy=email.policy.default)
        parts = []
        for part in msg.walk():
            if part.is_multipart():
                continue
            parts.append({
                "content_type": part.get_content_type(),
                "charset": part.get_content_charset() or "",
                "filename": part.get_filename() or "",
                "transfer_encoding": part.get("Content-Transfer-Encoding", ""),
                "content": part.get_content() if part.get_content_maintype() == "text"
                           else part.get_payload(decode=True).decode("latin-1"),
            })
        headers = {}
        for k, v in msg.items():
            headers.setdefault(k, []).append(str(v))
        from_h = msg["From"]
        record = {
            "mail_from": envelope.mail_from,
            "rcpt_tos": envelope.rcpt_tos,
            "tls": server.transport.get_extra_info("ssl_object") is not None,
            "auth": session.authenticated,
            "subject": str(msg["Subject"] or ""),
            "from_name": from_h.addresses[0].display_name if from_h else "",
            "from_address": from_h.addresses[0].addr_spec if from_h else "",
            "to": [x.addr_spec for x in msg["To"].addresses] if msg["To"] else [],
            "headers": headers,
            "defects": [str(d) for d in msg.defects],
            "content_type": msg.get_content_type(),
            "parts": parts,
            "raw": raw.decode("latin-1"),
        }
        Sink.count += 1
        name = os.path.join(a.dir, "%04d.json" % Sink.count)
        with open(name + ".tmp", "w", encoding="utf-8") as f:
            json.dump(record, f)
        os.replace(name + ".tmp", name)
        return "250 OK"


def authenticator(server, session, envelope, mechanism, auth_data):
    ok = (isinstance(auth_data, LoginPassword) and auth_data.login.decode() == a.user
          and auth_data.password.decode() == a.password)
    return AuthResult(success=ok, handled=False)


ctx = None
if a.cert:
    ctx = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    ctx.load_cert_chain(a.cert, a.key)

port = a.port
if port == 0:
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    port = s.getsockname()[1]
    s.close()

kwargs = dict(hostname="127.0.0.1", port=port, auth_require_tls=False)
if a.user is not None:
    kwargs.update(authenticator=authenticator, auth_required=True)
if a.implicit_tls:
    kwargs.update(ssl_context=ctx)
elif a.starttls or a.require_tls:
    kwargs.update(tls_context=ctx, require_starttls=a.require_tls)
ctl = Controller(Sink(), **kwargs)
ctl.start()
print("PORT %d" % port, flush=True)
try:
    sys.stdin.read()  # runs until the test closes our input or ends us
finally:
    ctl.stop()
