"""Where the project, its build folders and its Windows programs are.

    ROOT, BUILD                 the repository and its build folder (CAPTURO_ROOT, CAPTURO_BUILD override)
    exe_search_dirs()           folders searched for programs, in order:
                                CAPTURO_EXE_DIR (os.pathsep separated, searched first), dist/win64,
                                $CAPTURO_BUILD/x86_64 (build folders are searched recursively)
    find_exe(name) -> str|None  the newest matching file in the first folder that has one
    artifacts_dir(test_name, create=True)   build/e2e-artifacts/<test name>
    work_dir()                  where sessions keep their prefix copies (CAPTURO_E2E_WORK overrides)
    windows_path(unix_path)     the same file as Wine's Z: drive sees it
"""
import os
import re

ROOT = os.path.abspath(os.environ.get("CAPTURO_ROOT") or os.path.join(os.path.dirname(__file__), "..", "..", ".."))
BUILD = os.path.abspath(os.environ.get("CAPTURO_BUILD") or os.path.join(ROOT, "build"))
TOOLS = os.path.join(ROOT, "tools")


def exe_search_dirs():
    dirs = [d for d in os.environ.get("CAPTURO_EXE_DIR", "").split(os.pathsep) if d]
    dirs += [os.path.join(ROOT, "dist", "win64"), os.path.join(BUILD, "x86_64")]
    return [os.path.abspath(d) for d in dirs]


def _find_below(folder, name):
    """The most recently built `name` anywhere below `folder` (CMake puts programs in sub-folders)."""
    direct = os.path.join(folder, name)
    if os.path.isfile(direct):
        return direct
    found = []
    for base, subdirs, files in os.walk(folder):
        subdirs[:] = [d for d in subdirs if d != "CMakeFiles" and not d.startswith(".")]
        if name in files:
            found.append(os.path.join(base, name))
    return max(found, key=os.path.getmtime) if found else None


def find_exe(name):
    for folder in exe_search_dirs():
        if os.path.isdir(folder):
            path = _find_below(folder, name)
            if path:
                return path
    return None


def artifacts_dir(test_name, create=True):
    safe = re.sub(r"[^A-Za-z0-9_.\-\[\]]+", "_", test_name)[:150]
    path = os.path.join(BUILD, "e2e-artifacts", safe)
    if create:
        os.makedirs(path, exist_ok=True)
    return path


def work_dir():
    path = os.path.abspath(os.environ.get("CAPTURO_E2E_WORK") or os.path.join(BUILD, "e2e-work"))
    os.makedirs(path, exist_ok=True)
    return path


def windows_path(unix_path):
    return "Z:" + os.path.abspath(unix_path).replace("/", "\\")
