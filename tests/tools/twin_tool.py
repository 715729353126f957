"""Runs velmora-tool twice, as the native program and as the Windows one under wine, with
the same arguments and standard input, and passes the result on only when both agree on
the exit code and every byte of standard output. So every velmora-tool run of the
black-box tests, whatever subcommand it tries, also checks that the Windows build behaves
the same.

usage: twin_tool.py NATIVE_TOOL WINDOWS_TOOL [ARG...]"""
import subprocess
import sys


def main():
    native, windows, args = sys.argv[1], sys.argv[2], sys.argv[3:]
    interactive = sys.stdin is None or sys.stdin.closed or sys.stdin.isatty()
    stdin = b"" if interactive else sys.stdin.buffer.read()
    runs = [subprocess.run([tool, *args], input=stdin, capture_output=True, timeout=120)
            for tool in (native, windows)]
    first, second = runs
    if first.returncode != second.returncode or first.stdout != second.stdout:
        sys.stderr.write(
            "twin_tool: Windows and native velmora-tool differ for %r\n"
            "  native:  exit %d, stdout %r\n  windows: exit %d, stdout %r, stderr %r\n"
            % (args, first.returncode, first.stdout[:400], second.returncode,
               second.stdout[:400], second.stderr[:400]))
        return 97
    if first.returncode != 0 and not second.stderr.strip():
        sys.stderr.write("twin_tool: the Windows program failed without a word on stderr\n")
        return 97
    sys.stdout.buffer.write(second.stdout)
    sys.stderr.buffer.write(second.stderr)
    return second.returncode


if __name__ == "__main__":
    sys.exit(main())
