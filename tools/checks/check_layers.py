#!/usr/bin/env python3
"""Holds the structure of the tree: which library may include which, where Qt may appear, and
where files may be touched with POSIX calls directly.

Every source file belongs to the library of the longest folder prefix in LIBRARIES. An include of
another library's header ("recorder/CVTData.h" from store/) must follow an edge of the graph below
(or a chain of edges: a library uses what its dependencies use). Tests, tools, benchmarks and the
test kit may include anything they link, so they are not checked for edges.

A class (or gadget class record) defined at namespace scope in two libraries is refused too: a
program that links both would hold two definitions of it.

Usage: check_layers.py [ROOT]   (exit 1 and one line per violation when the tree breaks a rule)
"""
import os
import re
import sys

# folder -> the libraries (folders) it may include directly. Keep in step with the CMake links.
LIBRARIES = {
    "platform/base": [],
    "platform/gui": ["platform/base"],
    "recorder": ["platform/base"],
    "sheetwright": ["platform/base"],
    "formcast32": ["platform/base"],
    "formshift": ["sheetwright", "formcast32", "platform/base"],
    "msgdesk": ["platform/gui"],
    "store": ["recorder"],
    "gadget": ["platform/gui"],
    # Lists, sheets and the trend display keep their times as the recorder's time types and show
    # them in its display zone.
    "gadget/sheet": ["gadget", "recorder"],
    "trend": ["gadget/sheet", "gadget"],
    "export": ["store", "formshift"],
    "document": ["trend", "store", "export", "msgdesk"],
    # The graph window's screens over its document.
    "document/ui": ["document", "gadget/sheet", "trend", "gadget", "export", "store", "msgdesk"],
    # The application object starts every service itself: the settings and documents, the skins of
    # the widgets, sheets and trends, the store and its import worker with the export's converter,
    # the display time zone, the messages and the platform's event loop.
    "app": ["document/ui", "document", "trend", "gadget/sheet", "gadget", "store", "export", "msgdesk",
            "recorder", "platform/gui"],
}

# Code that may include Qt: the platform's window side, and window code that is itself a Qt widget
# (a "qt" folder of a subsystem). Tests and tools are free.
QT_ALLOWED = ("platform/gui/",)
QT_FOLDER = re.compile(r"(^|/)qt/")
# vtgui's public headers (and its fakes' headers) stay Qt-free, so code above the platform compiles
# without Qt; the Qt side of vtgui lives in platform/gui/qt/.
QT_FREE_HEADERS = re.compile(r"^platform/gui/(testing/)?[^/]+\.h$")

# Code that may call the file system directly: the platform's kernel side and the shipped libraries,
# which stand alone. Everything else goes through vtbase.
POSIX_ALLOWED = ("platform/base/", "sheetwright/", "formshift/", "formcast32/", "msgdesk/")

FREE_PREFIXES = ("tools/", "bench/", "testing/", "build", ".")

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
QT_HEADER = re.compile(r"^(Q[A-Za-z]+|Qt[A-Za-z]*/.*|q[a-z]+\.h)$")
POSIX_HEADERS = {"fcntl.h", "sys/stat.h", "sys/mman.h", "sys/file.h"}
POSIX_CALL = re.compile(
    r"(?<![\w.>])(?:::)?(open|openat|creat|pread|pwrite|lseek|ftruncate|fsync|fdatasync|fopen|fdopen|mmap|fstat|flock)\s*\(")
COMMENT = re.compile(r"//[^\n]*|/\*.*?\*/", re.S)
STRING = re.compile(r'"(?:\\.|[^"\\\n])*"')


def closure():
    reach = {}
    def visit(lib, seen):
        for dep in LIBRARIES[lib]:
            if dep not in seen:
                seen.add(dep)
                visit(dep, seen)
        return seen
    for lib in LIBRARIES:
        reach[lib] = visit(lib, set())
    return reach


def library_of(path):
    best = None
    for lib in LIBRARIES:
        if path == lib or path.startswith(lib + "/"):
            if best is None or len(lib) > len(best):
                best = lib
    return best


def is_test(path):
    return "/tests/" in path or path.startswith("tests/")


# Class definitions and gadget class records, for the rule that a name is defined in one library.
PREPROCESSOR = re.compile(r"^[ \t]*#(?:[^\n]*\\\n)*[^\n]*", re.M)
SCOPE_TOKEN = re.compile(
    r'\bnamespace\s*(?P<ns>[\w:]*)\s*\{'
    r'|\bextern\s*""\s*\{'
    r'|(?<!enum\s)(?<!enum)\b(?:class|struct)\s+(?:alignas\([^)]*\)\s*)?(?P<cls>\w+)\s*(?:final\s*)?(?::[^;{()]*)?\{'
    r'|(?P<open>\{)|(?P<close>\})')
RECORD = re.compile(r"\bGADGET_DEFINE_RECORD\s*\(\s*(\w+)|^\s*X\((\w+),\s*\w+\)", re.M)


def defined_names(text):
    """The classes defined at namespace scope (qualified by their named namespaces, none inside an
    anonymous namespace) and the gadget class records of one source file."""
    code = PREPROCESSOR.sub("", STRING.sub('""', COMMENT.sub("", text)))
    names = set()
    stack = []  # per open brace: a namespace name, "" for an anonymous one, or None
    for m in SCOPE_TOKEN.finditer(code):
        if m.group("close"):
            if stack:
                stack.pop()
        elif m.group("open"):
            stack.append(None)
        elif m.group("cls") is not None:
            if all(s is not None for s in stack) and "" not in stack:
                names.add("::".join([s for s in stack] + [m.group("cls")]))
            stack.append(None)
        elif m.group("ns") is not None:
            stack.append(m.group("ns"))
        else:  # extern "C": its contents stay at namespace scope
            stack.append("::")
    names = {n.replace("::::", "::").strip(":") for n in names}
    for a, b in RECORD.findall(COMMENT.sub("", text)):
        names.add("record " + (a or b))
    return names


def check(root):
    reach = closure()
    problems = []
    owners = {}  # defined name -> {library: first file}
    for folder, dirs, files in os.walk(root):
        rel_folder = os.path.relpath(folder, root)
        rel_folder = "" if rel_folder == "." else rel_folder
        dirs[:] = sorted(d for d in dirs
                         if not (rel_folder == "" and (d.startswith("build") or d.startswith("."))))
        for name in sorted(files):
            if not name.endswith((".cpp", ".h")):
                continue
            rel = os.path.join(rel_folder, name) if rel_folder else name
            if rel.startswith(FREE_PREFIXES) or is_test(rel):
                continue
            lib = library_of(rel)
            if lib is None:
                continue
            with open(os.path.join(root, rel), encoding="utf-8", errors="replace") as f:
                text = f.read()
            for name in defined_names(text):
                owners.setdefault(name, {}).setdefault(lib, rel)
            for kind, target in INCLUDE.findall(text):
                if kind == "<":
                    if QT_HEADER.match(target):
                        if QT_FREE_HEADERS.match(rel):
                            problems.append(f"{rel}: a public vtgui header includes Qt ({target})")
                        elif not (rel.startswith(QT_ALLOWED) or QT_FOLDER.search(rel)):
                            problems.append(f"{rel}: includes Qt ({target}) outside the window code")
                    if target in POSIX_HEADERS and not rel.startswith(POSIX_ALLOWED):
                        problems.append(f"{rel}: includes <{target}>: file access goes through vtbase")
                    continue
                other = library_of(target)
                if other is None or other == lib:
                    continue
                if other not in reach[lib]:
                    problems.append(f"{rel}: includes {target}, but {lib} may not use {other}")
            if not rel.startswith(POSIX_ALLOWED):
                code = STRING.sub('""', COMMENT.sub("", text))
                for m in POSIX_CALL.finditer(code):
                    line = code.count("\n", 0, m.start()) + 1
                    problems.append(f"{rel}:{line}: calls {m.group(1)}(): file access goes through vtbase")
    for name, libs in sorted(owners.items()):
        if len(libs) > 1:
            places = ", ".join(f"{lib} ({rel})" for lib, rel in sorted(libs.items()))
            problems.append(f"{name} is defined in more than one library: {places}")
    return problems


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..")
    problems = check(os.path.abspath(root))
    for p in problems:
        print(p)
    if problems:
        print(f"layer check: {len(problems)} violation(s)")
        return 1
    print("layer check: the tree holds its layers")
    return 0


if __name__ == "__main__":
    sys.exit(main())
