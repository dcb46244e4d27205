#!/usr/bin/env python3
"""The layering check on a tiny project of its own (tree/, with the compile
commands of an sdl and a win32 build in builds/): each case changes a few of
its files and names the lines the check must print.

    check_layers_test.py SCRIPT WORK_DIR
"""

import os
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# (case, files written over the tree, builds, exit status, lines printed)
CASES = [
    ("clean: comments, raw strings and the tools' free hand are no include",
     {}, ["sdl", "win32"], 0,
     ["layers: 12 files, 22 includes checked, no upward include"]),
    ("upward: a frame header reaching up into the run",
     {"frame/bands.h": '#pragma once\n#include "run/run.h"\n'}, ["sdl", "win32"], 1,
     ["frame/bands.h:2: includes run/run.h (run) from frame"]),
    ("upward, behind #if: every include counts, whatever the build defines",
     {"scenes/logo.cpp": '#include "scenes/logo.h"\n#if 0\n#include "run/run.h"\n#endif\n'}, ["sdl"], 1,
     ["scenes/logo.cpp:3: includes run/run.h (run) from scenes"]),
    ("cross-backend: a win32 file, reached by no build, using an sdl one",
     {"backends/sdl/video.h": "#pragma once\n",
      "backends/win32/out.cpp": '#include "backends/win32/include/gl_headers.h"\n'
                                   '#include "backends/sdl/video.h"\n'},
     ["sdl", "win32"], 1,
     ["backends/win32/out.cpp:2: includes backends/sdl/video.h (backend sdl) from backend win32"]),
    ("platform headers by name: SDL in the win32 backend, windows.h in the run",
     {"backends/win32/window.cpp": '#include <windows.h>\n#include <SDL.h>\n',
      "run/run.cpp": '#include "run/run.h"\n#include <GL/glext.h>\n#include <windows.h>\n'},
     ["sdl", "win32"], 1,
     ["backends/win32/window.cpp:2: includes <SDL.h> (backend sdl) from backend win32",
      "run/run.cpp:3: includes <windows.h> (backend win32) from run"]),
    ("a backend header through each build's include folder, once for win32 and win64",
     {"gl/gl.h": '#include "gl_headers.h"\n'}, ["sdl", "win32", "win64"], 1,
     ["gl/gl.h:1: includes backends/sdl/include/gl_headers.h (backend sdl) from gl",
      "gl/gl.h:1: includes backends/win32/include/gl_headers.h (backend win32) from gl"]),
    ("a file beside the backends, in no backend",
     {"backends/seam.h": "#pragma once\n"}, ["sdl"], 1,
     ["backends/seam.h: in no layer (give its folder one in scripts/check-layers)"]),
    ("a build folder without compile commands is skipped; none at all is an error",
     {}, ["web"], 2,
     ["layers: build/web: no compile_commands.json, skipped"]),
]


def make_project(root, files):
    shutil.rmtree(root, ignore_errors=True)
    shutil.copytree(os.path.join(HERE, "tree"), root)
    for rel, text in files.items():
        os.makedirs(os.path.dirname(os.path.join(root, rel)), exist_ok=True)
        with open(os.path.join(root, rel), "w") as f:
            f.write(text)
    # win64 is the win32 build again: its lines must not come twice.
    for build, template in (("sdl", "sdl"), ("win32", "win32"), ("win64", "win32")):
        with open(os.path.join(HERE, "builds", template, "compile_commands.json")) as f:
            commands = f.read().replace("@ROOT@", root)
        os.makedirs(os.path.join(root, "build", build))
        with open(os.path.join(root, "build", build, "compile_commands.json"), "w") as f:
            f.write(commands)


def main():
    script, work = sys.argv[1], os.path.realpath(sys.argv[2])
    failed = 0
    for name, files, builds, status, lines in CASES:
        root = os.path.join(work, "project")
        make_project(root, files)
        run = subprocess.run([sys.executable, script, "--root", root] +
                             [os.path.join(root, "build", b) for b in builds],
                             capture_output=True, text=True)
        printed = run.stdout.splitlines()
        if run.returncode != status or printed != lines:
            failed += 1
            print(f"FAIL: {name}\n  expected exit {status}:", *lines, sep="\n    ")
            print(f"  got exit {run.returncode}:", *printed, run.stderr, sep="\n    ")
        else:
            print(f"ok: {name}")
    shutil.rmtree(work, ignore_errors=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
