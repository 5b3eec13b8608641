"""The ordex tool's progress bar: drawn on standard error when it is a terminal and the file
is large, never when standard error is a pipe or the file is small.

Usage: progress_bar_test.py ORDEX_TOOL
"""
import os
import pty
import subprocess
import sys
import tempfile


def large_file(path, megabytes=5):
    with open(path, "w") as f:
        f.write('/begin PROJECT Big ""\n/begin MODULE M ""\n')
        i = 0
        while f.tell() < megabytes << 20:
            f.write('/begin MEASUREMENT Signal_%06d "a measurement" UWORD NO_COMPU_METHOD 0 0 0 '
                    '65535\n  ECU_ADDRESS 0x%X\n/end MEASUREMENT\n' % (i, 0x1000 + 2 * i))
            i += 1
        f.write("/end MODULE\n/end PROJECT\n")


def run_on_terminal(args):
    """Runs args with standard error on a pseudo terminal; returns (status, stdout, stderr)."""
    master, slave = pty.openpty()
    process = subprocess.Popen(args, stdout=subprocess.PIPE, stderr=slave)
    os.close(slave)
    err = b""
    while True:
        try:
            chunk = os.read(master, 4096)
        except OSError:  # the terminal closes with the process
            break
        if not chunk:
            break
        err += chunk
    out = process.stdout.read()
    status = process.wait()
    os.close(master)
    return status, out, err


def main():
    tool = sys.argv[1]
    results = {}  # scenario -> problems
    with tempfile.TemporaryDirectory() as folder:
        big = os.path.join(folder, "big.a2l")
        small = os.path.join(folder, "small.a2l")
        large_file(big)
        with open(small, "w") as f:
            f.write('/begin PROJECT P ""\n/begin MODULE M ""\n/end MODULE\n/end PROJECT\n')
        written = os.path.join(folder, "written.a2l")

        problems = results.setdefault("large file, terminal", [])
        status, out, err = run_on_terminal([tool, "write", big, written])
        if status != 0:
            problems.append("exit status %d" % status)
        for expected in [b"\rreading big.a2l [", b"\rwriting written.a2l [", b"] 100%"]:
            if expected not in err:
                problems.append("%r missing from %r" % (expected, err[-300:]))
        if not err.endswith(b"\r\x1b[K"):
            problems.append("the bar's line is not cleared at the end: %r" % err[-80:])

        problems = results.setdefault("small file, terminal", [])
        status, out, err = run_on_terminal([tool, "check", small])
        if (status, out, err) != (0, b"ok\n", b""):
            problems.append(repr((status, out, err)))

        problems = results.setdefault("large file, pipe", [])
        piped = subprocess.run([tool, "check", big], capture_output=True)
        if (piped.returncode, piped.stdout, piped.stderr) != (0, b"ok\n", b""):
            problems.append(repr((piped.returncode, piped.stdout, piped.stderr)))

    failed = [name for name, problems in results.items() if problems]
    for name in failed:
        print("FAILED %s: %s" % (name, "; ".join(results[name])))
    print("%d passed, %d failed" % (len(results) - len(failed), len(failed)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
