#!/usr/bin/python3
"""A mail relay for tests: SMTP on 127.0.0.1 with STARTTLS required and, when a user is given,
authentication after it. Every mail it accepts is written to OUT_DIR as one JSON file (envelope,
decoded subject and text, whether the session was encrypted); it prints "READY port=N" and
serves until stdin closes or it is killed.

    smtp_sink.py --out OUT_DIR [--cert CERT --key KEY] [--user USER --password PASSWORD]

Without a certificate it is a relay that offers no TLS at all, which a client must refuse.
"""
import argparse
import asyncio
import email
import email.policy
import json
import pathlib
import ssl
import sys

from aiosmtpd.smtp import SMTP, AuthResult


class Sink:
    def __init__(self, out):
        self.out = out
        self.count = 0

    async def handle_DATA(self, server, session, envelope):
        message = email.message_from_bytes(envelope.content, policy=email.policy.default)
        body = message.get_body(preferencelist=("plain",))
        self.count += 1
        record = {
            "mail_from": envelope.mail_from,
            "rcpt_tos": envelope.rcpt_tos,
            "from": str(message["From"]),
            "to": str(message["To"]),
            "subject": str(message["Subject"]),
            "date": str(message["Date"] or ""),
            "text": body.get_content() if body is not None else "",
            "encrypted": session.ssl is not None,
            "authenticated": bool(session.authenticated),
        }
        path = self.out / f"mail-{self.count:04d}.json"
        tmp = path.with_suffix(".tmp")
        tmp.write_text(json.dumps(record))
        tmp.rename(path)
        return "250 OK"


async def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--out", required=True)
    parser.add_argument("--user")
    parser.add_argument("--password")
    args = parser.parse_args()
    context = None
    if args.cert:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(args.cert, args.key)
    sink = Sink(pathlib.Path(args.out))

    def authenticator(server, session, envelope, mechanism, data):
        ok = (args.user is not None and data is not None
              and data.login == args.user.encode() and data.password == args.password.encode())
        return AuthResult(success=ok)

    def factory():
        return SMTP(sink, hostname="sink.test", tls_context=context,
                    require_starttls=context is not None,
                    auth_required=args.user is not None, authenticator=authenticator)

    loop = asyncio.get_running_loop()
    server = await loop.create_server(factory, "127.0.0.1", 0)
    print(f"READY port={server.sockets[0].getsockname()[1]}", flush=True)
    # Ends with its parent: the test closes stdin or dies.
    await loop.run_in_executor(None, sys.stdin.read)
    server.close()


if __name__ == "__main__":
    asyncio.run(main())
