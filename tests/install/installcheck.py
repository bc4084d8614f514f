"""What an installed SocketPile consists of, and the checks both the install test and the package
test make on an installed tree (a DESTDIR, or the unpacked .deb)."""

import configparser
import os
import struct
import subprocess
import xml.etree.ElementTree as ElementTree

ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
MIME_TYPE = "application/x-socketpile-project"

# Under the prefix (/usr for the package).
EXPECTED_FILES = sorted(
    ["bin/socketpile", "bin/socketpile-cli", "share/applications/socketpile.desktop",
     "share/mime/packages/socketpile.xml", "share/icons/hicolor/scalable/apps/socketpile.svg"]
    + [f"share/icons/hicolor/{s}x{s}/apps/socketpile.png" for s in ICON_SIZES])


class Failures:
    """Collects every failed check, so one run reports all of them."""

    def __init__(self):
        self.messages = []

    def check(self, condition, message):
        if not condition:
            self.messages.append(message)
        return condition

    def report(self):
        for message in self.messages:
            print("FAIL:", message)
        return 1 if self.messages else 0


def files_under(root):
    found = []
    for folder, _, names in os.walk(root):
        for name in names:
            found.append(os.path.relpath(os.path.join(folder, name), root))
    return sorted(found)


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", head[16:24])


def run(command, env=None):
    return subprocess.run(command, capture_output=True, text=True, env=env, timeout=120)


def check_desktop_entry(path, failures):
    result = run(["desktop-file-validate", path])
    failures.check(result.returncode == 0 and not result.stdout.strip(),
                   f"desktop-file-validate {path}: {result.stdout}{result.stderr}")
    parser = configparser.RawConfigParser(strict=True, interpolation=None)
    parser.optionxform = str
    with open(path, encoding="utf-8") as f:
        parser.read_file(f)
    entry = parser["Desktop Entry"]
    expected = {
        "Type": "Application",
        "Name": "SocketPile",
        "Name[zh_CN]": "嵌岩桩承载力计算",
        "Exec": "socketpile %f",
        "Icon": "socketpile",
        "Terminal": "false",
        "MimeType": MIME_TYPE + ";",
    }
    for key, value in expected.items():
        failures.check(entry.get(key) == value, f"desktop entry {key}={entry.get(key)!r}, expected {value!r}")
    failures.check("Comment[zh_CN]" in entry, "desktop entry has no Comment[zh_CN]")
    failures.check("Science" in entry.get("Categories", "").split(";"), "desktop entry is not in Science")


def check_mime(path, project_file, failures):
    ns = {"m": "http://www.freedesktop.org/standards/shared-mime-info"}
    root = ElementTree.parse(path).getroot()
    types = root.findall("m:mime-type", ns)
    if not failures.check(len(types) == 1 and types[0].get("type") == MIME_TYPE,
                          f"{path} does not define {MIME_TYPE} alone"):
        return
    mime = types[0]
    globs = [g.get("pattern") for g in mime.findall("m:glob", ns)]
    failures.check(globs == ["*.sppile"], f"MIME globs {globs}")
    failures.check(mime.find("m:comment", ns) is not None, "MIME type has no comment")
    # The magic must match a project as the program writes it.
    with open(project_file, "rb") as f:
        project = f.read()
    matches = mime.findall("m:magic/m:match", ns)
    for match in matches:
        start, _, end = match.get("offset").partition(":")
        window = project[int(start):int(end or start) + len(match.get("value").encode())]
        failures.check(match.get("type") == "string" and match.get("value").encode() in window,
                       f"MIME magic {match.get('value')!r} at {match.get('offset')} misses {project_file}")


def check_icons(share, failures):
    for size in ICON_SIZES:
        path = os.path.join(share, f"icons/hicolor/{size}x{size}/apps/socketpile.png")
        if os.path.exists(path):
            failures.check(png_size(path) == (size, size), f"{path} is {png_size(path)}, not {size}x{size}")
    svg = os.path.join(share, "icons/hicolor/scalable/apps/socketpile.svg")
    if os.path.exists(svg):
        root = ElementTree.parse(svg).getroot()
        failures.check(root.tag == "{http://www.w3.org/2000/svg}svg", f"{svg} is not an SVG document")


def check_versions(bindir, version, failures):
    # No display: --version must not need one.
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    for program in ("socketpile-cli", "socketpile"):
        result = run([os.path.join(bindir, program), "--version"], env=env)
        failures.check(result.returncode == 0 and result.stdout == f"{program} {version}\n" and not result.stderr,
                       f"{program} --version: status {result.returncode}, out {result.stdout!r}, err {result.stderr!r}")


def check_tree(prefix_root, version, project_file, failures):
    """All the checks on a tree laid out under a prefix (DESTDIR/usr, or the unpacked package's usr)."""
    present = files_under(prefix_root)
    missing = [f for f in EXPECTED_FILES if f not in present]
    extra = [f for f in present if f not in EXPECTED_FILES]
    failures.check(not missing, f"missing after install: {missing}")
    failures.check(not extra, f"installed beyond the program: {extra}")
    share = os.path.join(prefix_root, "share")
    desktop = os.path.join(share, "applications/socketpile.desktop")
    if os.path.exists(desktop):
        check_desktop_entry(desktop, failures)
    mime = os.path.join(share, "mime/packages/socketpile.xml")
    if os.path.exists(mime):
        check_mime(mime, project_file, failures)
    check_icons(share, failures)
    check_versions(os.path.join(prefix_root, "bin"), version, failures)
