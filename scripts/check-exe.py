#!/usr/bin/env python3
"""quorvane.exe as Windows loads it, read with mingw-w64's binutils: from its header
(objdump), a GUI program of the expected machine for Windows 7 (subsystem 6.1) and later,
with ASLR (its relocations kept) and DEP, importing only Windows' own DLLs and no function
that Windows 7 lacks; from its resources (windres), version 0.1.1 as Windows shows it
(0.1.0.1, "0.01.0001"), one 128 x 128 icon, and a manifest for its own processor asking
for common controls 6, per-monitor density and the Windows versions it knows. Prints what
is wrong and exits non-zero.

    scripts/check-exe.py <quorvane.exe> pei-i386|pei-x86-64"""
import re, subprocess, sys

exe, machine = sys.argv[1:]
read = lambda *tool: subprocess.run(tool, capture_output=True, text=True, check=True).stdout
head = read("x86_64-w64-mingw32-objdump", "-p", exe)
resources = read("x86_64-w64-mingw32-windres", "-i", exe, "-O", "rc").replace('""', '"')  # quotes as written

WINDOWS = {"advapi32.dll", "comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "ole32.dll",
           "oleaut32.dll", "shell32.dll", "user32.dll", "windowscodecs.dll"}
# What Windows 7 lacks that the runtime or the window code could pull in (Windows 8 to 10):
# the program looks the density functions up while it runs.
NEWER = {"GetSystemTimePreciseAsFileTime", "WaitOnAddress", "WakeByAddressAll", "WakeByAddressSingle",
         "GetCurrentThreadStackLimits", "SetThreadDescription", "GetDpiForWindow", "GetDpiForSystem",
         "GetDpiForMonitor", "SetProcessDpiAwarenessContext", "SetThreadDpiAwarenessContext",
         "GetThreadDpiAwarenessContext", "AdjustWindowRectExForDpi", "GetSystemMetricsForDpi",
         "SystemParametersInfoForDpi", "EnableNonClientDpiScaling", "SetProcessDpiAwareness"}
RESOURCES = [  # the manifest's: the density; Windows 7, 8, 8.1, 10
    "FILEVERSION 0, 1, 0, 1\n PRODUCTVERSION 0, 1, 0, 1\n", 'VALUE "FileVersion", "0.01.0001"',
    'VALUE "ProductVersion", "0.01.0001"',
    'name="Pellowan.Quorvane" version="0.1.0.1" processorArchitecture="%s"' % {"pei-i386": "x86"}.get(machine, "amd64"),
    'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"', ">true/pm</dpiAware>",
    ">PerMonitorV2, PerMonitor</dpiAwareness>", "35138b9a-5d96-4fbd-8e2d-a2440225f93a",
    "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38", "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"]

dlls = {name.lower() for name in re.findall(r"DLL Name: (\S+)", head)}
functions = set(re.findall(r"^\s+[0-9a-f]+\s+\d+\s+(\w+)$", head, re.M))
icons = re.findall(r'^\s+"(.*)", 1, \d+, \w+, \d+\t/\* Element no', resources, re.M)
faults = [
    *([] if f"file format {machine}" in head else [f"not {machine}"]),
    *([] if re.search(r"Subsystem\s+00000002", head) else ["not a GUI program"]),
    *([] if re.search(r"MajorSubsystemVersion\s+6\nMinorSubsystemVersion\s+1\n", head) else ["not for Windows 7"]),
    *[f"no {flag}" for flag in ("DYNAMIC_BASE", "NX_COMPAT") if f"\t{flag}\n" not in head],
    *(["relocations stripped"] if "relocations stripped" in head else []),
    *([] if "CreateWindowExW" in functions else ["no imported function was read"]),
    *[f"{dll} is not part of Windows" for dll in sorted(dlls - WINDOWS)],
    *[f"{function} is newer than Windows 7" for function in sorted(functions & NEWER)],
    *([] if icons == [r"\200\200\000\000"] else [f"icons {icons}, not one of 128 x 128"]),
    *[f"resources lack {text!r}" for text in RESOURCES if text not in resources],
]
for fault in faults: print(f"check-exe: {exe}: {fault}", file=sys.stderr)
sys.exit(1 if faults else 0)
