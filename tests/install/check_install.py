#!/usr/bin/env python3
"""`cmake --install` of the build folder into a temporary DESTDIR under /usr: both programs, the
desktop entry, the icons and the MIME type in place and valid, and the installed programs run.

usage: check_install.py BUILD_DIR VERSION PROJECT_FILE"""

import os
import subprocess
import sys
import tempfile

import installcheck


def main():
    build, version, project_file = sys.argv[1:4]
    failures = installcheck.Failures()
    with tempfile.TemporaryDirectory(prefix="socketpile-install-") as destdir:
        env = dict(os.environ, DESTDIR=destdir)
        result = subprocess.run(["cmake", "--install", build, "--prefix", "/usr"], env=env,
                                capture_output=True, text=True)
        if not failures.check(result.returncode == 0, f"cmake --install failed:\n{result.stdout}{result.stderr}"):
            return failures.report()
        installcheck.check_tree(os.path.join(destdir, "usr"), version, project_file, failures)
    return failures.report()


if __name__ == "__main__":
    sys.exit(main())
