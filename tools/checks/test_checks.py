#!/usr/bin/env python3
"""The structure checks must fail on planted violations and pass on a clean tree.
Builds small trees in a temporary folder and runs check_layers.py and check_format.sh on them."""
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
LAYERS = os.path.join(HERE, "check_layers.py")
FORMAT = os.path.join(HERE, "check_format.sh")

CLEAN = {
    "platform/base/Paths.h": "#pragma once\n",
    "recorder/CVTData.h": '#pragma once\n#include "platform/base/Paths.h"\n',
    "store/VTTable.cpp": '#include "recorder/CVTData.h"\n#include "platform/base/Paths.h"\n',
    "platform/gui/HostWidget.cpp": "#include <QWidget>\n",
    "platform/gui/qt/HostWidget.h": "#include <QWidget>\n",
    "platform/base/FileSystem.cpp": "#include <fcntl.h>\nint f() { return ::open(\"x\", 0); }\n",
    "store/tests/VTTableTest.cpp": '#include <QImage>\n#include "gadget/CGCore.h"\n',
    "gadget/CGCore.h": "#pragma once\n",
    # One name per library: nested, anonymous, other namespaces, enums and declarations pass.
    "store/Item.h": "namespace vt {\nclass Item { struct Row {}; };\n}\nclass Forward;\nenum class Kind { A };\n"
                    "namespace { struct Local {}; }\n",
    "recorder/Item.h": "namespace rec { class Item {}; }\nclass Forward;\nenum class Kind { A };\n"
                       "namespace { struct Local {}; }\nstruct Holder { struct Row {}; };\n#define ROW struct Row {}\n",
    "store/Records.cpp": "GADGET_DEFINE_RECORD(CGVantrelDoc, CGDocument)\n",
    "store/Comments.cpp": '// open(), pread() and fopen() in a comment are fine\nconst char* s = "open(x)";\nvoid g(File& f) { f.open(1); p->read(2); }\n',
}

# (file, text, what the report must mention)
PLANTED = [
    ("store/Upward.cpp", '#include "gadget/CGCore.h"\n', "store may not use gadget"),
    ("recorder/Sideways.cpp", '#include "store/VTTable.h"\n', "recorder may not use store"),
    ("gadget/Widget.cpp", "#include <QPainter>\n", "includes Qt"),
    ("gadget/Image.h", "#include <QtGui/QImage>\n", "includes Qt"),
    ("store/RawFile.cpp", "int f() { return ::pread(3, 0, 0, 0); }\n", "calls pread()"),
    ("recorder/Open.cpp", "#include <fcntl.h>\n", "includes <fcntl.h>"),
    ("platform/gui/DeviceContext.h", "#include <QPainter>\n", "public vtgui header includes Qt"),
    ("platform/gui/testing/FakeHostWindow.h", "#include <QImage>\n", "public vtgui header includes Qt"),
    ("trend/Fopen.cpp", 'void f() { fopen("a", "r"); }\n', "calls fopen()"),
    ("trend/tests/AxisTest.cpp", '#include "gadget/tests/GadgetTestEnv.h"\n', "another folder's test file"),
    ("store/testing/Fixture.h", '#include "store/tests/Helpers.h"\n', "another folder's test file"),
    ("gadget/Twin.h", "namespace vt {\nclass Item : public Base {\n};\n}\n", "vt::Item is defined in more than one library"),
    ("gadget/Records.h", "#define RECORDS(X) \\\n  X(CGVantrelDoc, CGDocument)\n", "record CGVantrelDoc is defined in more"),
]

# The links CMake declares for the clean tree (layer-links.txt), and drifts planted into them:
# (the links file, what the report must mention).
LINKS = """# written by CMake
platform/base:
platform/gui: platform/base
recorder: platform/base
store: platform/base recorder
gadget: platform/base platform/gui
"""
DRIFTS = [
    (LINKS.replace("store: platform/base recorder", "store: platform/base recorder gadget"),
     "store: its CMakeLists.txt links gadget, which the layer graph does not give it"),
    (LINKS.replace("gadget: platform/base platform/gui", "gadget: platform/base"),
     "gadget: the layer graph gives it platform/gui, but its CMakeLists.txt does not link platform/gui"),
    (LINKS + "telemetry: platform/base\n", "telemetry: CMake builds a library here that the layer graph"),
    (LINKS.replace("store: platform/base recorder\n", ""), "store: holds sources, but CMake declares no library"),
]


def make_tree(root, files):
    for rel, text in files.items():
        path = os.path.join(root, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w") as f:
            f.write(text)


def run(args):
    return subprocess.run(args, capture_output=True, text=True)


def main():
    failures = []
    with tempfile.TemporaryDirectory() as clean:
        make_tree(clean, CLEAN)
        r = run([sys.executable, LAYERS, clean])
        if r.returncode != 0:
            failures.append("clean tree refused:\n" + r.stdout)
        links = os.path.join(clean, "layer-links.txt")
        with open(links, "w") as f:
            f.write(LINKS)
        r = run([sys.executable, LAYERS, clean, "--links", links])
        if r.returncode != 0:
            failures.append("clean tree refused against its links:\n" + r.stdout)
        for text, expected in DRIFTS:
            with open(links, "w") as f:
                f.write(text)
            r = run([sys.executable, LAYERS, clean, "--links", links])
            if r.returncode != 1 or expected not in r.stdout:
                failures.append(f"links drift not refused with '{expected}':\n{r.stdout}")
    for rel, text, expected in PLANTED:
        with tempfile.TemporaryDirectory() as root:
            make_tree(root, dict(CLEAN, **{rel: text}))
            r = run([sys.executable, LAYERS, root])
            if r.returncode != 1 or expected not in r.stdout or rel not in r.stdout:
                failures.append(f"{rel} not refused with '{expected}':\n{r.stdout}")

    with tempfile.TemporaryDirectory() as root:
        good = os.path.join(root, "good.cpp")
        bad = os.path.join(root, "bad.cpp")
        with open(good, "w") as f:
            f.write("int Add(int a, int b) { return a + b; }\n")
        with open(bad, "w") as f:
            f.write("int Add( int a,int b ){return a+b;}\n")
        if run(["bash", FORMAT, good]).returncode != 0:
            failures.append("format check refused a formatted file")
        r = run(["bash", FORMAT, good, bad])
        if r.returncode != 1 or "bad.cpp" not in r.stdout:
            failures.append("format check passed a badly formatted file:\n" + r.stdout)

    for f in failures:
        print(f)
    print("structure checks: %d problem(s)" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
