#!/usr/bin/env python3
"""scripts/package, then the package it made: its name and control fields, Depends on Debian's
runtime packages (the Qt libraries and plugins, the CJK font), exactly the installed files, the same
checks as an install on its unpacked tree, and `apt-get install --simulate` resolving it. Nothing is
really installed.

usage: check_package.py SOURCE_DIR VERSION PROJECT_FILE"""

import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile

import installcheck

SKIP = 77

# Packages the program needs at run time, whether or not a linker sees them.
REQUIRED_DEPENDS = ["libc6", "libstdc++6", "libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6svg6",
                    "libqt6printsupport6", "libqt6charts6", "fonts-wqy-microhei",
                    "fonts-wqy-zenhei"]


def depends_names(field):
    names = []
    for clause in field.split(","):
        for alternative in clause.split("|"):
            name = re.split(r"[\s(:]", alternative.strip(), maxsplit=1)[0]
            if name:
                names.append(name)
    return names


def main():
    source, version, project_file = sys.argv[1:4]
    for tool in ("dpkg-deb", "dpkg-shlibdeps", "apt-get"):
        if shutil.which(tool) is None:
            print(f"SKIP: {tool} is not installed")
            return SKIP
    failures = installcheck.Failures()
    out = os.path.join(source, "build-package")
    result = subprocess.run([os.path.join(source, "scripts/package")], capture_output=True, text=True)
    if not failures.check(result.returncode == 0, f"scripts/package failed:\n{result.stdout[-4000:]}{result.stderr[-4000:]}"):
        return failures.report()
    debs = glob.glob(os.path.join(out, "socketpile_*.deb"))
    name = f"socketpile_{version}_amd64.deb"
    if not failures.check([os.path.basename(d) for d in debs] == [name], f"packages made: {debs}, expected {name}"):
        return failures.report()
    deb = debs[0]

    info = subprocess.run(["dpkg-deb", "-f", deb], capture_output=True, text=True, check=True).stdout
    fields = dict(re.findall(r"^(\S+): (.*)$", info, re.M))
    failures.check(fields.get("Package") == "socketpile", f"Package: {fields.get('Package')}")
    failures.check(fields.get("Version") == version, f"Version: {fields.get('Version')}")
    failures.check(fields.get("Architecture") == "amd64", f"Architecture: {fields.get('Architecture')}")
    depends = depends_names(fields.get("Depends", ""))
    for needed in REQUIRED_DEPENDS:
        failures.check(needed in depends, f"Depends lacks {needed}: {fields.get('Depends')}")
    for name in depends:
        failures.check(not name.endswith("-dev") and "gtest" not in name and "benchmark" not in name,
                       f"Depends names a build-time package {name}")

    listing = subprocess.run(["dpkg-deb", "-c", deb], capture_output=True, text=True, check=True).stdout
    files = sorted(line.split()[-1][len("./usr/"):] for line in listing.splitlines()
                   if not line.startswith("d") and line.split()[-1].startswith("./usr/"))
    failures.check(files == installcheck.EXPECTED_FILES, f"package holds {files}")

    with tempfile.TemporaryDirectory(prefix="socketpile-deb-") as unpacked:
        subprocess.run(["dpkg-deb", "-x", deb, unpacked], check=True)
        installcheck.check_tree(os.path.join(unpacked, "usr"), version, project_file, failures)

    # Resolves against the machine's package lists; nothing is installed.
    simulated = subprocess.run(["apt-get", "install", "--simulate", "--no-install-recommends", os.path.abspath(deb)],
                               capture_output=True, text=True)
    failures.check(simulated.returncode == 0 and re.search(r"^Inst socketpile ", simulated.stdout, re.M),
                   f"apt-get install --simulate:\n{simulated.stdout[-3000:]}{simulated.stderr[-3000:]}")
    return failures.report()


if __name__ == "__main__":
    sys.exit(main())
