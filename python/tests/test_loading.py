"""Finding the library."""
import os
import subprocess
import sys
import unittest

import ordex

import support


class LoadingTest(unittest.TestCase):
    def test_the_library_of_the_environment_variable_is_the_default(self):
        if not os.environ.get(ordex.ENVIRONMENT_VARIABLE):
            self.skipTest("ORDEX_LIBRARY is not set")
        self.assertEqual(os.path.abspath(os.environ[ordex.ENVIRONMENT_VARIABLE]),
                         ordex.library_path())

    def test_an_explicit_path_is_loaded_once(self):
        path = ordex.library_path()
        first = ordex.load_library(path)
        self.assertIs(first, ordex.load_library(path))
        with ordex.A2LFile(support.EXAMPLE, library=path) as a2l:
            self.assertEqual("EngineDemo", a2l.project.name)

    def test_a_missing_library_raises_os_error(self):
        with self.assertRaises(OSError):
            ordex.load_library(os.path.join(os.path.dirname(__file__), "no-libordex.so"))

    def test_an_unusable_environment_variable_fails_at_the_first_use(self):
        env = dict(os.environ, ORDEX_LIBRARY="/nonexistent/libordex.so")
        code = "import ordex\ntry:\n    ordex.A2LFile()\nexcept OSError:\n    print('OSError')"
        out = subprocess.run([sys.executable, "-c", code], env=env, capture_output=True,
                             text=True, cwd=os.path.join(support.REPO, "python"))
        self.assertEqual("OSError", out.stdout.strip(), out.stderr)


if __name__ == "__main__":
    unittest.main()
