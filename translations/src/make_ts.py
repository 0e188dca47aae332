#!/usr/bin/env python3
"""Generates the Qt Linguist files of the message catalog from catalog.txt.

    make_ts.py            check catalog.txt and write ../quorvia_<lang>.ts
    make_ts.py --check    check catalog.txt, the committed .ts files and the C++ table;
                          exit status 1 on any difference (used by the test suite)
    make_ts.py --cpp      print the C++ table of English texts for src/common/uLanguageMsg.cpp

catalog.txt is the file translators edit; the .ts files are generated and committed so that
Qt Linguist users can read them, and the build turns them into .qm files with lrelease.
"""
import argparse
import html
import pathlib
import re
import sys

HERE = pathlib.Path(__file__).resolve().parent
TS_DIR = HERE.parent
ROOT = TS_DIR.parent
CATALOG = HERE / "catalog.txt"
CPP = ROOT / "src" / "common" / "uLanguageMsg.cpp"

# Language code in the file, locale written into the .ts file.
LANGUAGES = [("nl", "nl_NL"), ("fr", "fr_FR"), ("de", "de_DE"), ("it", "it_IT"),
             ("es", "es_ES"), ("pt", "pt_PT"), ("ca", "ca_ES")]
CODES = ["en"] + [code for code, _ in LANGUAGES]
MARKERS = ["##", "@@", "**", "&&"]
# Texts whose translation may rightly equal the English (the same word in that language).
MAX_IDENTICAL_SHARE = 0.15


class CatalogError(Exception):
    pass


def unescape(text, where):
    out = []
    i = 0
    while i < len(text):
        c = text[i]
        if c != "\\":
            out.append(c)
            i += 1
            continue
        if i + 1 >= len(text):
            raise CatalogError(f"{where}: lone backslash at the end")
        nxt = text[i + 1]
        if nxt == "r":
            out.append("\r")
        elif nxt == "n":
            out.append("\n")
        elif nxt == "\\":
            out.append("\\")
        else:
            raise CatalogError(f"{where}: unknown escape \\{nxt}")
        i += 2
    return "".join(out)


def parse(path=CATALOG):
    """Returns [(context, [(label, {code: text})])] in file order."""
    contexts = []
    entries = None
    block = None
    label = ""

    def close_block(lineno):
        nonlocal block
        if block is None:
            return
        missing = [c for c in CODES if c not in block]
        if missing:
            raise CatalogError(f"line {lineno}: entry {label!r} lacks {', '.join(missing)}")
        entries.append((label, block))
        block = None

    for lineno, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        line = raw.rstrip("\n")
        if not line.strip():
            close_block(lineno)
            continue
        if line.startswith("#"):
            close_block(lineno)
            m = re.match(r"#\s*(\S+)\s*$", line)
            if m and not set(m.group(1)) <= {"#"}:
                label = m.group(1)
            continue
        m = re.match(r"\[(\w+)\]\s*$", line)
        if m:
            close_block(lineno)
            entries = []
            contexts.append((m.group(1), entries))
            continue
        m = re.match(r"([a-z]{2}) (\".*\")\s*$", line)
        if not m:
            raise CatalogError(f"line {lineno}: not a language line: {line!r}")
        if entries is None:
            raise CatalogError(f"line {lineno}: text before the first [Context] line")
        code, quoted = m.group(1), m.group(2)
        if code not in CODES:
            raise CatalogError(f"line {lineno}: unknown language {code}")
        if block is None:
            if code != "en":
                raise CatalogError(f"line {lineno}: an entry must begin with its English text")
            block = {}
        if code in block:
            raise CatalogError(f"line {lineno}: {code} given twice")
        block[code] = unescape(quoted[1:-1], f"line {lineno}")
    close_block("end")
    return contexts


def edge_blanks(text):
    return (len(text) - len(text.lstrip(" ")), len(text) - len(text.rstrip(" ")))


def validate(contexts):
    problems = []
    for context, entries in contexts:
        seen = set()
        identical = {code: 0 for code, _ in LANGUAGES}
        for label, texts in entries:
            en = texts["en"]
            where = f"{context} {label} {en[:40]!r}"
            if en in seen:
                problems.append(f"{where}: English text given twice")
            seen.add(en)
            for code, _ in LANGUAGES:
                tr = texts[code]
                if not tr.strip():
                    problems.append(f"{where} [{code}]: empty translation")
                    continue
                if tr == en:
                    identical[code] += 1
                for marker in MARKERS:
                    if tr.count(marker) != en.count(marker):
                        problems.append(f"{where} [{code}]: {marker!r} count differs")
                for ch, name in (("\r", "CR"), ("\n", "LF")):
                    if tr.count(ch) != en.count(ch):
                        problems.append(f"{where} [{code}]: {name} count differs")
                if "\r\n" in en and tr.count("\r\n") != en.count("\r\n"):
                    problems.append(f"{where} [{code}]: CR LF pairs differ")
                if edge_blanks(tr) != edge_blanks(en):
                    problems.append(f"{where} [{code}]: leading/trailing blanks differ")
                try:
                    tr.encode("cp1252")
                except UnicodeEncodeError as e:
                    problems.append(f"{where} [{code}]: not in Windows-1252: {e}")
        if len(entries) >= 20:
            for code, count in identical.items():
                if count > MAX_IDENTICAL_SHARE * len(entries):
                    problems.append(f"{context} [{code}]: {count} of {len(entries)} left English")
    return problems


def xml_text(text):
    out = html.escape(text, quote=True).replace("&#x27;", "&apos;")
    return out.replace("\r", "&#xd;")


def render_ts(contexts, code, locale):
    lines = ['<?xml version="1.0" encoding="utf-8"?>',
             "<!DOCTYPE TS>",
             f'<TS version="2.1" language="{locale}" sourcelanguage="en_US">']
    for context, entries in contexts:
        lines.append("<context>")
        lines.append(f"    <name>{context}</name>")
        for _, texts in entries:
            lines.append("    <message>")
            lines.append(f"        <source>{xml_text(texts['en'])}</source>")
            lines.append(f"        <translation>{xml_text(texts[code])}</translation>")
            lines.append("    </message>")
        lines.append("</context>")
    lines.append("</TS>")
    return "\n".join(lines) + "\n"


def ts_path(code):
    return TS_DIR / f"quorvia_{code}.ts"


def cpp_literal(text):
    out = text.replace("\\", "\\\\").replace('"', '\\"')
    return '"' + out.replace("\r", "\\r").replace("\n", "\\n") + '"'


def cpp_table(contexts):
    rows = []
    for context, entries in contexts:
        rows.append(f"// [{context}]")
        for label, texts in entries:
            rows.append(f'    QT_TRANSLATE_NOOP("{context}", {cpp_literal(texts["en"])}), // {label}')
    return "\n".join(rows)


CPP_ENTRY = re.compile(r'QT_TRANSLATE_NOOP\("(\w+)",\s*"((?:[^"\\]|\\.)*)"\)')


def cpp_entries():
    """(context, English) pairs in the order the C++ file lists them."""
    found = []
    for context, literal in CPP_ENTRY.findall(CPP.read_text(encoding="utf-8")):
        text = (literal.replace('\\"', '"').replace("\\r", "\r").replace("\\n", "\n")
                .replace("\\\\", "\\"))
        found.append((context, text))
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--check", action="store_true")
    parser.add_argument("--cpp", action="store_true")
    args = parser.parse_args()
    try:
        contexts = parse()
    except CatalogError as e:
        print(f"catalog.txt: {e}", file=sys.stderr)
        return 1
    problems = validate(contexts)
    if problems:
        print("\n".join(problems), file=sys.stderr)
        return 1
    if args.cpp:
        print(cpp_table(contexts))
        return 0
    if args.check:
        failed = False
        for code, locale in LANGUAGES:
            path = ts_path(code)
            if not path.exists() or path.read_text(encoding="utf-8") != render_ts(contexts, code, locale):
                print(f"{path.name} is not what catalog.txt gives; run make_ts.py", file=sys.stderr)
                failed = True
        wanted = [(context, texts["en"]) for context, entries in contexts for _, texts in entries]
        if cpp_entries() != wanted:
            print(f"{CPP.name}: its table differs from catalog.txt (see make_ts.py --cpp)",
                  file=sys.stderr)
            failed = True
        return 1 if failed else 0
    for code, locale in LANGUAGES:
        ts_path(code).write_text(render_ts(contexts, code, locale), encoding="utf-8")
    total = sum(len(entries) for _, entries in contexts)
    print(f"wrote {len(LANGUAGES)} files, {total} texts each")
    return 0


if __name__ == "__main__":
    sys.exit(main())
