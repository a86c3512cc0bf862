#!/usr/bin/env python3
"""The mutation tool's own promises: the source comes back whatever happens, a mutant is found
again after lines move, and only real operators are mutated."""

import os
import signal
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import mutate  # noqa: E402

SOURCE = """int f(int a, int b) {
    // a < b in a comment, "a < b" in a string
    std::vector<int> v{1};
    if (a < b && v.size() > 0) return 3;
    g(a);
    return a == b ? 1 : 0;
}
"""


class MutateTool(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        mutate.ROOT = Path(self.tmp.name)
        (mutate.ROOT / "game").mkdir()
        self.path = mutate.ROOT / "game" / "f.cpp"
        self.path.write_text(SOURCE, encoding="utf-8")

    def tearDown(self):
        self.tmp.cleanup()

    def mutants(self, op):
        return [m for m in mutate.file_mutants("game/f.cpp") if m["op"] == op]

    def test_operators_outside_comments_strings_and_templates(self):
        self.assertEqual([(m["line"], m["was"], m["now"]) for m in self.mutants("comparison")],
                         [(4, "<", "<="), (4, ">", ">="), (6, "==", "!=")])
        self.assertEqual([m["was"] for m in self.mutants("and-or")], ["&&"])
        self.assertEqual([m["was"] for m in self.mutants("delete-call")], ["g(a);"])
        self.assertEqual([m["line"] for m in self.mutants("negate")], [4])

    def test_source_is_restored_after_an_exception(self):
        m = self.mutants("comparison")[0]
        with self.assertRaises(RuntimeError):
            with mutate.Mutated(m):
                self.assertIn("a <= b", self.path.read_text(encoding="utf-8"))
                raise RuntimeError("build crashed")
        self.assertEqual(self.path.read_text(encoding="utf-8"), SOURCE)
        self.assertFalse((mutate.ROOT / mutate.JOURNAL).exists())

    def test_a_killed_run_is_undone_by_the_next(self):
        code = ("import sys, time; sys.path.insert(0, %r); import mutate; from pathlib import Path; "
                "mutate.ROOT = Path(%r); m = mutate.file_mutants('game/f.cpp')[0]; "
                "mutate.Mutated(m).__enter__(); print('in', flush=True); time.sleep(60)"
                % (str(Path(mutate.__file__).parent), str(mutate.ROOT)))
        child = subprocess.Popen([sys.executable, "-c", code], stdout=subprocess.PIPE)
        self.assertEqual(child.stdout.readline().strip(), b"in")
        os.kill(child.pid, signal.SIGKILL)
        child.wait()
        child.stdout.close()
        self.assertNotEqual(self.path.read_text(encoding="utf-8"), SOURCE)
        mutate.restore_journal()
        self.assertEqual(self.path.read_text(encoding="utf-8"), SOURCE)

    def test_a_mutant_is_found_again_after_lines_move(self):
        m = self.mutants("comparison")[2]
        self.path.write_text("#include <vector>\n\n" + SOURCE, encoding="utf-8")
        found = mutate.locate(m)
        self.assertEqual((found["line"], found["was"]), (8, "=="))
        self.path.write_text(SOURCE.replace("a == b", "a != b"), encoding="utf-8")
        self.assertIsNone(mutate.locate(m))

    def test_an_area_takes_its_nested_folders_and_their_own_tests_first(self):
        (mutate.ROOT / "platform" / "sdl").mkdir(parents=True)
        (mutate.ROOT / "platform" / "sdl" / "r.cpp").write_text(SOURCE, encoding="utf-8")
        self.assertEqual(mutate.source_files(None, mutate.area_folders("platform")), ["platform/sdl/r.cpp"])
        self.assertEqual(mutate.source_files(None, mutate.area_folders("logic,platform")),
                         ["game/f.cpp", "platform/sdl/r.cpp"])
        self.assertIn("Clip*", mutate.near_tests("platform/sdl/r.cpp").split(":"))
        self.assertNotEqual(mutate.near_tests("platform/sdl/r.cpp"), mutate.near_tests("platform/x.cpp"))
        self.assertEqual(mutate.near_tests("tools/qst/x.cpp"), "Qst*")
        self.assertEqual(mutate.near_tests("bench/x.cpp"), "")


if __name__ == "__main__":
    unittest.main()
