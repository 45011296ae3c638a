"""Drives the real Zolvan.exe under Wine, on a virtual display, for the
black-box scenarios.

One Wine prefix serves a whole test run (booting one takes seconds); each
scenario lays out its own drives and app folder in it. The launcher's
message boxes are read from Wine's msgbox trace and answered with xdotool,
so a scenario sees exactly the texts a player would.
"""

import os
import re
import shutil
import signal
import subprocess
import threading
import time
from dataclasses import dataclass, field
from pathlib import Path

HERE = Path(__file__).resolve().parent
REPO = HERE.parent.parent
FAKE_DOSBOX = REPO / "tests" / "e2e" / "fake-dosbox.sh"
GAME_SOURCE = REPO / "tests" / "e2e" / "game" / "zolqeb.asm"

CAPTION = "Zolvan Zazo"
MISSING_CD = "Please insert the CD of Zolvan Zazo and try again."


def launcher_exe():
    """The program under test: ZOLVAN_EXE, as ctest passes it."""
    return Path(os.environ["ZOLVAN_EXE"]).resolve()


def prefix_dir():
    return Path(os.environ.get("ZOLVAN_WINEPREFIX", f"/tmp/zolvan-wine-{os.getuid()}"))


class Display:
    """A private Xvfb server; stopped on exit."""

    def __init__(self, width=1024, height=768):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.name = f":{number}"
        self.size = (width, height)

    def close(self):
        self.process.terminate()
        self.process.wait(10)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


def _env(display, **extra):
    env = dict(os.environ)
    env.update(WINEPREFIX=str(prefix_dir()), WINEDLLOVERRIDES="mscoree,mshtml=",
               WINEDEBUG="-all,+msgbox", DISPLAY=display.name)
    env.update({k: str(v) for k, v in extra.items()})
    return env


def boot_prefix():
    """Makes a fresh prefix for this test run."""
    prefix = prefix_dir()
    subprocess.run(["wineserver", "-k"], env=dict(os.environ, WINEPREFIX=str(prefix)),
                   stderr=subprocess.DEVNULL, check=False)
    shutil.rmtree(prefix, ignore_errors=True)
    prefix.mkdir(parents=True)
    with Display() as display:
        env = _env(display)
        env["WINEDEBUG"] = "-all"
        subprocess.run(["wine", "wineboot", "-i"], env=env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
        subprocess.run(["wineserver", "-w"], env=env, check=True, timeout=120)


def dosdevices():
    return prefix_dir() / "dosdevices"


def drive_c():
    return prefix_dir() / "drive_c"


def reset_drives():
    """Leaves C: alone: every other letter is unmapped, Z: (Wine's view of /) too."""
    for entry in dosdevices().iterdir():
        if re.fullmatch(r"[a-y]:|z:|[d-z]::", entry.name) and entry.name != "c:":
            entry.unlink()


def map_drive(letter, target):
    """Maps a drive letter to a Unix folder; a target that does not exist
    gives a letter whose target is gone."""
    link = dosdevices() / f"{letter.lower()}:"
    if link.is_symlink() or link.exists():
        link.unlink()
    link.symlink_to(target)


def unix_path(windows_path):
    """The Unix path of a C: path, as laid out in the prefix."""
    assert windows_path[:3].upper() == "C:\\", windows_path
    return drive_c().joinpath(*[p for p in windows_path[3:].split("\\") if p])


def build_game(target):
    """Assembles the stand-in game into `target` (ZOLQEB.EXE)."""
    subprocess.run(["nasm", "-f", "bin", "-o", str(target), str(GAME_SOURCE)], check=True)


def install_app(windows_folder, staging_folders=(), emulator="record"):
    """Lays out an app folder: the launcher, the staging folders and a
    stand-in dosbox.exe. emulator: "record" runs the stand-in without a real
    emulator, "dosbox" lets it run the real one, None installs none."""
    folder = unix_path(windows_folder)
    if folder.exists():
        shutil.rmtree(folder)
    folder.mkdir(parents=True)
    shutil.copy(launcher_exe(), folder / "Zolvan.exe")
    for relative in staging_folders:
        (folder / relative.replace("\\", "/")).mkdir(parents=True, exist_ok=True)
    if emulator:
        shutil.copy(FAKE_DOSBOX, folder / "dosbox.exe")
        os.chmod(folder / "dosbox.exe", 0o755)
    return folder


@dataclass
class Run:
    messages: list = field(default_factory=list)  # texts of the message boxes, in order
    exit_code: int = None
    ended_at: float = None  # time.time() when the launcher's process had ended


_MSGBOX = re.compile(r'MSGBOX_OnInit L"(.*)"\s*$')


def _unescape(text):
    """Undoes Wine's debugstr_w escaping."""
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            n = text[i + 1]
            simple = {"n": "\n", "r": "\r", "t": "\t", "\\": "\\", '"': '"'}
            if n in simple:
                out.append(simple[n])
                i += 2
                continue
            # Beyond ASCII Wine writes a backslash and four hex digits.
            match = re.match(r"[xu]?([0-9a-fA-F]{4})", text[i + 1:i + 6])
            if match:
                out.append(chr(int(match.group(1), 16)))
                i += 1 + len(match.group(0))
                continue
        out.append(c)
        i += 1
    return "".join(out)


def xdotool(display, *args):
    result = subprocess.run(["xdotool", *args], env=_env(display), capture_output=True, text=True)
    return result.stdout.split()


def caption_windows(display):
    """X windows captioned "Zolvan Zazo": the splash window, then any box."""
    return [int(w) for w in xdotool(display, "search", "--name", f"^{CAPTION}$")]


def run_launcher(display, windows_exe, timeout=60, env=None, on_message=None, windows_cwd=None):
    """Starts the launcher and answers each of its message boxes with Return
    (after calling on_message(run, text), if given); returns once it ended."""
    command = ["wine", windows_exe]
    if windows_cwd:
        # wine's start lets the program start in a folder of our choosing.
        command = ["wine", "start", "/wait", "/d", windows_cwd, windows_exe]
    process = subprocess.Popen(command, env=_env(display, **(env or {})),
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
                               errors="replace", start_new_session=True)
    run = Run()
    pending = []

    def read():
        for line in process.stderr:
            match = _MSGBOX.search(line)
            if match:
                pending.append(_unescape(match.group(1)))

    reader = threading.Thread(target=read, daemon=True)
    reader.start()
    deadline = time.time() + timeout
    while process.poll() is None and time.time() < deadline:
        if pending:
            text = pending.pop(0)
            run.messages.append(text)
            _answer(display, run, text, on_message)
        time.sleep(0.1)
    if process.poll() is None:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        raise TimeoutError(f"the launcher did not end within {timeout} s; messages: {run.messages}")
    run.ended_at = time.time()
    reader.join(5)
    process.stderr.close()
    run.messages.extend(pending)
    run.exit_code = process.returncode
    return run


def _answer(display, run, text, on_message):
    # The box is the newest window with our caption; give it time to map.
    for _ in range(50):
        windows = caption_windows(display)
        if len(windows) >= 2:
            break
        time.sleep(0.1)
    if on_message:
        on_message(run, text)
    for window in caption_windows(display)[1:]:
        xdotool(display, "key", "--window", str(window), "Return")


def window_geometry(display, window):
    """(left, top, width, height) of an X window."""
    out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", str(window)], env=_env(display),
                         capture_output=True, text=True, check=True).stdout
    values = dict(line.split("=", 1) for line in out.split())
    return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])


def screenshot(display, path):
    subprocess.run(["import", "-display", display.name, "-window", "root", str(path)],
                   check=True, env=_env(display))


class RigLog:
    """What the stand-in dosbox.exe recorded (see tests/e2e/fake-dosbox.sh)."""

    def __init__(self, folder):
        self.folder = Path(folder)
        if self.folder.exists():
            shutil.rmtree(self.folder)
        self.folder.mkdir(parents=True)

    @property
    def started(self):
        return (self.folder / "start").exists()

    def wait_until_ended(self, timeout=120):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if (self.folder / "end").exists():
                return True
            time.sleep(0.2)
        return False

    def read(self, name, mode="r"):
        with open(self.folder / name, mode) as f:
            return f.read()

    def ended_at(self):
        return float(self.read("end"))


def tree(folder):
    """{relative path: bytes} for every file under folder, and the set of folders."""
    folder = Path(folder)
    files, folders = {}, set()
    for path in folder.rglob("*"):
        relative = path.relative_to(folder).as_posix()
        if path.is_dir():
            folders.add(relative)
        else:
            files[relative] = path.read_bytes()
    return files, folders
