#!/usr/bin/env python3
"""Holds the structure of the tree: which library may include which, where Qt may appear, and
where files may be touched with POSIX calls directly.

Every source file belongs to the library of the longest folder prefix in LIBRARIES. An include of
another library's header ("recorder/CVTData.h" from store/) must follow an edge of the graph below
(or a chain of edges: a library uses what its dependencies use). Tests, tools, benchmarks, the test
kit and the test-support folders (<folder>/testing/) may include anything they link, so they are
not checked for edges; but a test includes no other folder's tests/ files (shared test support
lives in a testing/ folder and its library).

The graph is also held against the links CMake declares. Configuring a build writes
layer-links.txt into the build folder (cmake/Vantrel.cmake): one line per library folder with the
library folders its targets link. Every edge of the graph must be linked directly, every link
must lie along the graph (directly or through a chain of edges), every library CMake builds must
be in the graph, and a graph folder that holds sources must have a library in CMake. A graph
folder not built yet (no sources) is left alone. Adding a library is one line in LIBRARIES and its
target_link_libraries; its CMake side is picked up by itself.

A class (or gadget class record) defined at namespace scope in two libraries is refused too: a
program that links both would hold two definitions of it.

Usage: check_layers.py [ROOT] [--links FILE]
  (exit 1 and one line per violation when the tree breaks a rule). Without --links, the newest
  ROOT/build/*/layer-links.txt is compared; with none, the comparison is skipped and says so.
"""
import os
import re
import sys

# folder -> the libraries (folders) it may include and must link directly. check() compares these
# edges with the links CMake declares.
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
    "document": ["trend", "store", "export", "formshift", "msgdesk"],
    # The graph window's screens over its document.
    "document/ui": ["document", "trend", "gadget/sheet", "gadget", "store", "msgdesk"],
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


def is_test_support(path):
    return "/testing/" in path


TESTS_FOLDER = re.compile(r"^(?:(.*?)/)?tests/")


def foreign_tests_include(rel, target):
    """The include of another folder's tests/ file from a test, or None."""
    theirs = TESTS_FOLDER.match(target)
    if not theirs:
        return None
    ours = TESTS_FOLDER.match(rel)
    if ours and (ours.group(1) or "") == (theirs.group(1) or ""):
        return None
    return (f"{rel}: includes {target}, another folder's test file; shared test support goes into "
            f"{theirs.group(1) or '.'}/testing/ and its library")


def read_links(path):
    """folder -> (set of linked folders) from a layer-links.txt written by CMake."""
    links = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            folder, _, deps = line.partition(":")
            links.setdefault(folder.strip(), set()).update(d for d in deps.split() if d != folder.strip())
    return links


def find_links_file(root):
    build = os.path.join(root, "build")
    found = []
    if os.path.isdir(build):
        for kind in os.listdir(build):
            candidate = os.path.join(build, kind, "layer-links.txt")
            if os.path.isfile(candidate):
                found.append(candidate)
    return max(found, key=os.path.getmtime) if found else None


def compare_links(links, built_folders):
    """The differences between LIBRARIES and the links CMake declares. built_folders: the library
    folders that hold sources of their own (they must have a library in CMake)."""
    reach = closure()
    problems = []
    for folder in sorted(links):
        if folder not in LIBRARIES and not folder.startswith(FREE_PREFIXES):
            problems.append(f"{folder}: CMake builds a library here that the layer graph of "
                            f"check_layers.py does not list")
    for lib in sorted(LIBRARIES):
        if lib not in links:
            # A library not built yet (its folder holds no sources) cannot drift.
            if lib in built_folders:
                problems.append(f"{lib}: holds sources, but CMake declares no library for it (its "
                                f"library calls vt_library_headers(<target> {lib}))")
            continue
        for dep in LIBRARIES[lib]:
            if dep in links and dep not in links[lib]:
                problems.append(f"{lib}: the layer graph gives it {dep}, but its CMakeLists.txt "
                                f"does not link {dep}")
        for dep in sorted(links[lib]):
            if dep in LIBRARIES and dep not in reach[lib]:
                problems.append(f"{lib}: its CMakeLists.txt links {dep}, which the layer graph "
                                f"does not give it")
    return problems


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


def check(root, links=None):
    reach = closure()
    problems = []
    built_folders = set()
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
            with open(os.path.join(root, rel), encoding="utf-8", errors="replace") as f:
                text = f.read()
            if rel.startswith(FREE_PREFIXES) or is_test(rel):
                for kind, target in INCLUDE.findall(text):
                    problem = kind == '"' and foreign_tests_include(rel, target)
                    if problem:
                        problems.append(problem)
                continue
            lib = library_of(rel)
            if lib is None:
                continue
            support = is_test_support(rel)
            if name.endswith(".cpp") and not support:
                built_folders.add(lib)
            for defined in defined_names(text):
                owners.setdefault(defined, {}).setdefault(lib, rel)
            for kind, target in INCLUDE.findall(text):
                if kind == "<":
                    if QT_HEADER.match(target):
                        if QT_FREE_HEADERS.match(rel):
                            problems.append(f"{rel}: a public vtgui header includes Qt ({target})")
                        elif not (rel.startswith(QT_ALLOWED) or QT_FOLDER.search(rel)):
                            problems.append(f"{rel}: includes Qt ({target}) outside the window code")
                    if target in POSIX_HEADERS and not (rel.startswith(POSIX_ALLOWED) or support):
                        problems.append(f"{rel}: includes <{target}>: file access goes through vtbase")
                    continue
                if support:
                    problem = foreign_tests_include(rel, target)
                    if problem:
                        problems.append(problem)
                    continue
                other = library_of(target)
                if other is None or other == lib:
                    continue
                if other not in reach[lib]:
                    problems.append(f"{rel}: includes {target}, but {lib} may not use {other}")
            if not rel.startswith(POSIX_ALLOWED) and not support:
                code = STRING.sub('""', COMMENT.sub("", text))
                for m in POSIX_CALL.finditer(code):
                    line = code.count("\n", 0, m.start()) + 1
                    problems.append(f"{rel}:{line}: calls {m.group(1)}(): file access goes through vtbase")
    for name, libs in sorted(owners.items()):
        if len(libs) > 1:
            places = ", ".join(f"{lib} ({rel})" for lib, rel in sorted(libs.items()))
            problems.append(f"{name} is defined in more than one library: {places}")
    if links is not None:
        problems += compare_links(links, built_folders)
    return problems


def main():
    args = sys.argv[1:]
    links_file = None
    if "--links" in args:
        at = args.index("--links")
        links_file = args[at + 1]
        del args[at:at + 2]
    root = os.path.abspath(args[0] if args else os.path.join(os.path.dirname(__file__), "..", ".."))
    if links_file is None:
        links_file = find_links_file(root)
    if links_file is None:
        print("layer check: no build folder holds layer-links.txt (configure one, or pass --links); "
              "the graph is not compared with the CMake links")
        links = None
    else:
        links = read_links(links_file)
    problems = check(root, links)
    for p in problems:
        print(p)
    if problems:
        print(f"layer check: {len(problems)} violation(s)")
        return 1
    print("layer check: the tree holds its layers")
    return 0


if __name__ == "__main__":
    sys.exit(main())
