#!/usr/bin/env python3
"""What MSVC at /W4 /WX would reject, found here with clang: every Windows source of the
win32 build, tests included, compiled by clang 14 for mingw-w64 (its headers and
libstdc++, -fsyntax-only) with the warnings that match MSVC's, as errors, and the plugin
scripts/msvc-check-plugin.cpp for what clang has no warning for. A warning inside a
system header counts, as with MSVC, when the project's code instantiated the template it
is in. Exits non-zero on any. README.md ("On Windows") says what this does not catch."""
import concurrent.futures, json, os, re, shlex, subprocess, sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "build", "msvc-check")
WARNINGS = [  # and MSVC's
    "-Wshadow", "-Wshadow-field-in-constructor", "-Wshadow-uncaptured-local",  # C4456 C4457 C4458 C4459
    "-Wimplicit-int-conversion", "-Wimplicit-float-conversion", "-Wfloat-conversion",  # C4242 C4244 C4305
    "-Wshorten-64-to-32", "-Wconstant-conversion",  # C4244 C4309
    "-Wsign-compare",  # C4018 C4389
    "-Wunused-parameter", "-Wunused-variable", "-Wunused-function",  # C4100 C4101 C4189 C4505
    "-Wunused-value", "-Wunused-label",  # C4552 C4555 C4102
    "-Wuninitialized",  # C4700 C4701
]


def run(*args, **kw):  # its output, both streams; a failure stops the check
    done = subprocess.run(args, capture_output=True, text=True, **kw)
    if done.returncode: sys.exit(f"msvc-check: {' '.join(args)} failed:\n{done.stdout}{done.stderr}")
    return done.stdout + done.stderr


run("cmake", "--preset", "win32", "-B", BUILD, "-DCMAKE_EXPORT_COMPILE_COMMANDS=ON", cwd=ROOT)
plugin, source = os.path.join(BUILD, "msvc-w4.so"), os.path.join(ROOT, "scripts", "msvc-check-plugin.cpp")
if not os.path.exists(plugin) or os.path.getmtime(plugin) < os.path.getmtime(source):
    flags = run("llvm-config-14", "--cxxflags").split()
    run("clang++-14", "-shared", "-fPIC", "-fno-rtti", *flags, "-std=c++17", "-O1", source, "-o", plugin)

commands = [c for c in json.load(open(os.path.join(BUILD, "compile_commands.json"))) if c["file"].startswith(ROOT)]
compiler = shlex.split(commands[0]["command"])[0]  # the mingw-w64 g++: its libstdc++ and Windows headers
verbose = run(compiler, "-x", "c++", "-E", "-v", os.devnull)
dirs = re.search(r"#include <\.\.\.> search starts here:\n(.*?)End of search list", verbose, re.S).group(1).split()
dirs = [os.path.normpath(d) for d in dirs if "/include/c++" in d or d.endswith("mingw32/include")]


def check(command):
    kept, it = [], iter(shlex.split(command["command"])[1:])
    for arg in it:
        if arg.startswith(("-D", "-I", "-std=", "@")): kept.append(arg)
        elif arg == "-isystem": kept += [arg, next(it)]
    c = command["file"].endswith(".c")
    system = [f for d in dirs if not (c and "/c++" in d) for f in ("-isystem", d)]
    result = subprocess.run(
        ["clang-14" if c else "clang++-14", "--target=" + os.path.basename(compiler).split("-g++")[0],
         "-nostdlibinc", *system, *kept, "-fsyntax-only", "-Wsystem-headers", "-ferror-limit=0", *WARNINGS,
         "-Xclang", "-load", "-Xclang", plugin, "-Xclang", "-add-plugin", "-Xclang", "msvc-w4", command["file"]],
        cwd=command["directory"], capture_output=True, text=True)
    # One diagnostic with its notes: the project's own, any error, and a warning in a system
    # header that the project's code instantiated (but libstdc++'s <regex> narrows within
    # itself, which MSVC's does not).
    found = []
    output = re.sub(r"(?m)^((In file included from|\s+from) .*|\d+ \w+( and \d+ \w+)? generated\.)\n", "", result.stderr)
    for block in re.split(r"\n(?=.+?:\d+:\d+: (?:warning|error|fatal error): )", output):
        head = re.match(r"(.+?):\d+:\d+: (warning|error|fatal error): ", block)
        mine = lambda path: path.startswith(ROOT + "/")
        if head and (mine(head[1]) or head[2] != "warning" or "/bits/regex" not in head[1] and any(
                mine(line) and "requested here" in line for line in block.splitlines()[1:])):
            found.append(block.rstrip())
    if result.returncode and not found: found.append(result.stderr or "clang failed")
    return found


with concurrent.futures.ThreadPoolExecutor(os.cpu_count()) as pool:
    found = list(dict.fromkeys(d for each in pool.map(check, commands) for d in each))  # a header's once
if found: print("\n".join(found))
print(f"msvc-check: {len(commands)} sources, {len(found)} problems")
sys.exit(1 if found else 0)
