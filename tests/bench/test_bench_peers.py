#!/usr/bin/env python3
"""The peer benchmark's instruments, checked on one virtual display that stands for both the
host and the viewer: what they count is what the benchmark's table reports, so a relay that
loses bytes, a counter that merges or invents updates, a click that is never seen or a ratio
turned upside down would make every figure of it wrong.

    test_bench_peers.py BUILD_DIR      (exit 77: Xvfb, xdotool or the probes are missing)
"""
import importlib.machinery
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time
import types
import unittest

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BUILD = os.path.abspath(sys.argv.pop(1)) if len(sys.argv) > 1 else os.path.join(SOURCE, "build")

loader = importlib.machinery.SourceFileLoader("bench_peers",
                                              os.path.join(SOURCE, "bench", "bench_peers"))
# The benchmark is a script without ".py": loaded as a module by its path.
bp = types.ModuleType("bench_peers")
bp.__file__ = loader.path
loader.exec_module(bp)


class Args:
    build = BUILD
    gap_us = 8000


class FakeBench:
    """What the benchmark's helpers use of the running benchmark."""

    def __init__(self, display):
        self.args = Args()
        self.procs = bp.Processes()
        self.viewer = display

    def program(self, name):
        return os.path.join(BUILD, "bench", "peers", name)


class Relay(unittest.TestCase):
    def test_counts_both_directions_and_passes_bytes_unchanged(self):
        server = socket.socket()
        server.bind(("127.0.0.1", 0))
        server.listen(1)

        def answer():
            conn, _ = server.accept()
            got = b""
            while len(got) < 300000:
                got += conn.recv(65536)
            conn.sendall(got[::-1][:5000])  # a reply of another size, to tell directions apart
            conn.close()
        threading.Thread(target=answer, daemon=True).start()
        relay = bp.Relay(server.getsockname()[1])
        sent = os.urandom(300000)
        with socket.create_connection(("127.0.0.1", relay.port)) as c:
            c.sendall(sent)
            back = b""
            while True:
                part = c.recv(65536)
                if not part:
                    break
                back += part
        self.assertEqual(back, sent[::-1][:5000])
        self.assertTrue(bp.wait_until(lambda: relay.counts() == (300000, 5000), 5),
                        relay.counts())
        relay.close()
        server.close()


class Probes(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.procs = bp.Processes()
        cls.display = bp.start_xvfb(cls.procs, (800, 600))
        cls.bench = FakeBench(cls.display)
        cls.env = dict(os.environ, DISPLAY=cls.display)
        button = cls.procs.start([cls.bench.program("peers_button"), "--geometry",
                                  "%dx%d+%d+%d" % (bp.BUTTON[2], bp.BUTTON[3], 600, 100)],
                                 display=cls.display, stdout=subprocess.PIPE, text=True)
        assert button.stdout.readline().strip() == "READY"

    @classmethod
    def tearDownClass(cls):
        cls.procs.stop_all()

    def root(self, colour):
        subprocess.run(["xsetroot", "-solid", colour], env=self.env, check=True)

    def test_button_is_found_where_it_stands_relative_to_the_host_place(self):
        self.assertEqual(bp.locate(self.bench, self.display),
                         (600 - bp.BUTTON[0], 100 - bp.BUTTON[1]))

    def test_updates_are_counted_once_each_and_only_inside_the_picture(self):
        whole = bp.UpdateCounter(self.bench, (0, 0, 800, 600))
        # The button's own area: the root's drawings around it are not inside.
        button = bp.UpdateCounter(self.bench, (600, 100, bp.BUTTON[2], bp.BUTTON[3]))
        # Each new root colour is drawn as the pieces of the root around the button, close
        # together: one update each.
        t0 = time.monotonic_ns()
        for colour in ("#102030", "#203040", "#304050", "#405060", "#506070"):
            self.root(colour)
            time.sleep(0.15)
        t1 = time.monotonic_ns()
        self.assertEqual(whole.count(t0, t1), 5)
        self.assertEqual(button.count(t0, t1), 0)
        picture = tempfile.NamedTemporaryFile(suffix=".rgb", delete=False)
        picture.write(os.urandom(800 * 600 * 3))
        picture.close()
        photos = subprocess.Popen([self.bench.program("peers_photos"), "--size", "800x600",
                                   "--seconds", "1", "--interval-ms", "400", picture.name],
                                  env=self.env, stdout=subprocess.PIPE, text=True)
        started = int(photos.stdout.readline().split()[1])
        self.assertEqual(photos.wait(), 0)
        photos.stdout.close()
        os.unlink(picture.name)
        # Three pictures, at 0, 400 and 800 ms, each one copy over the whole screen.
        self.assertEqual(whole.count(started, started + 1100000000), 3)
        self.assertEqual(button.count(started, started + 1100000000), 3)
        for c in (whole, button):
            self.procs.stop(c.p)

    def test_each_click_is_seen_on_both_displays(self):
        out = subprocess.run([self.bench.program("peers_probe"), "click", "--at", "620,140",
                              "--watch", "740,140", "--host-display", self.display,
                              "--host-watch", "740,140", "--count", "6", "--settle-ms", "20"],
                             env=self.env, capture_output=True, text=True, check=True).stdout
        lines = [l.split() for l in out.splitlines()]
        self.assertEqual([l[1] for l in lines], [str(i) for i in range(6)])
        for l in lines:
            self.assertEqual(len(l), 5, l)  # no timeout
            self.assertLess(int(l[3]), 2000000)
            # The click's time on the clock the relays stamp their bytes with.
            self.assertLess(abs(int(l[4]) - time.monotonic_ns()), 10 * 10**9)

    def test_pictures_of_another_size_are_refused(self):
        with tempfile.NamedTemporaryFile(suffix=".rgb") as short:
            short.write(b"\0" * (800 * 600 * 3 - 1))
            short.flush()
            r = subprocess.run([self.bench.program("peers_photos"), "--size", "800x600",
                                "--seconds", "1", short.name], env=self.env,
                               capture_output=True, text=True)
        self.assertEqual(r.returncode, 2)
        self.assertIn("is not a 800x600 rgb picture", r.stderr)


class ClickStages(unittest.TestCase):
    def test_the_host_and_the_wire_are_read_between_the_change_and_the_picture(self):
        ms = 1000000
        start = 50 * 10**9
        wire = [(start + 1 * ms, "up", 90, 1),  # the click going out: before the change
                (start + 3 * ms, "down", 40, 2),  # before the change: not the picture's
                (start + 12 * ms, "down", 300, 3),
                (start + 15 * ms, "down", 900, 3),
                (start + 30 * ms, "down", 50, 2)]  # after the picture was shown
        host = [(start + 2 * ms, "up", 60, 1), (start + 9 * ms, "up", 700, 1)]
        st = bp.click_stages(start, 5 * ms, 20 * ms, wire, host)
        self.assertEqual((st["host_sent"], st["first_down"], st["last_down"]), (9.0, 12.0, 15.0))
        self.assertEqual(st["timeline"][-2:], [(5.0, "host's button changed"),
                                                (20.0, "viewer shows it")])
        nothing = bp.click_stages(start, 5 * ms, 20 * ms, [], [])
        self.assertEqual((nothing["host_sent"], nothing["first_down"]), (None, None))


class UpdateCycle(unittest.TestCase):
    def test_turns_of_the_server_and_its_peer_give_the_two_halves(self):
        ms = 1000000
        # ours' host relay: requests come down to the host, updates go up in two pieces
        events = [(0, "down", 30, 1), (5 * ms, "up", 500, 1), (6 * ms, "up", 40, 1),
                  (20 * ms, "down", 30, 1), (27 * ms, "up", 500, 1), (40 * ms, "down", 30, 1)]
        # waits 5 and 7 ms, rests 15 and 13 ms; the upper of two middles, as everywhere here
        self.assertEqual(bp.update_cycle(events, False), (7.0, 15.0))
        # VNC's relay: the viewer asks up, the server answers down
        flipped = [(t, "up" if d == "down" else "down", n, c) for t, d, n, c in events]
        self.assertEqual(bp.update_cycle(flipped, True), (7.0, 15.0))
        self.assertEqual(bp.update_cycle([], True), (None, None))


class Table(unittest.TestCase):
    @staticmethod
    def system(name, label, ups, kbps, cpu, click):
        phase = {"ups": ups, "kbps": kbps, "server_cpu": cpu, "viewer_cpu": cpu,
                 "cpu_ms_per_update": 2 * cpu * 1000 / (ups * 10)}
        return {"name": name, "label": label, "phases": {p: dict(phase) for p in bp.PHASES},
                "click": {"median": click, "p95": click * 2, "host_median": 1.0, "timeouts": 0}}

    def test_ratios_divide_ours_by_the_peer_and_skips_say_why(self):
        results = [self.system("ours-full", "ours", 20, 300, 0.5, 30.0),
                   {"name": "ours-256", "label": "ours 256", "skipped": "not built"},
                   self.system("vnc", "peer", 10, 100, 1.0, 40.0),
                   self.system("vnc-lossless", "peer lossless", 10, 200, 1.0, 40.0)]
        # Nothing on the wire while idle: no ratio to that.
        results[2]["phases"]["idle"]["kbps"] = 0.0004
        text, notes = bp.table(results, None)
        rows = {tuple(c.strip() for c in l.split("|")[1:3]): [c.strip() for c in l.split("|")[3:-1]]
                for l in text.splitlines()[2:]}
        # ours, ours 256, peer, peer lossless, ours/peer, ours/lossless, ours 256/peer
        self.assertEqual(rows[("drag", "updates/s")], ["20.0", "–", "10.0", "10.0", "2.00",
                                                       "2.00", "–"])
        self.assertEqual(rows[("photos", "KB/s on the wire")][4:6], ["3.00", "1.50"])
        self.assertEqual(rows[("idle", "KB/s on the wire")][4:6], ["–", "1.50"])
        self.assertEqual(rows[("click", "click-to-picture median ms")][4], "0.75")
        self.assertEqual(notes, ["- ours 256: skipped: not built"])
        goals = bp.goals({r["name"]: r for r in results})
        self.assertIn("- click-to-picture no worse than the peer's: 30.0 ms against 40.0 ms: met",
                      goals)
        self.assertIn("- terminal: bytes per second 300 KB/s, within twice the lossless peer's "
                      "200 KB/s: met", goals)
        self.assertIn("- drag: updates per second 20.0 against 10.0: met", goals)
        self.assertFalse([g for g in goals if g.startswith("- idle")])


if __name__ == "__main__":
    missing = [t for t in ("Xvfb", "xdotool", "xsetroot") if not shutil.which(t)] + [
        p for p in ("peers_probe", "peers_button", "peers_photos")
        if not os.access(os.path.join(BUILD, "bench", "peers", p), os.X_OK)]
    if missing:
        print("SKIP: missing " + ", ".join(missing))
        sys.exit(77)
    sys.exit(0 if unittest.main(exit=False).result.wasSuccessful() else 1)
