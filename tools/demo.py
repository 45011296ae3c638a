"""The launcher's whole job on a demo CD, under Wine, with the real DOSBox,
told as a short report. Run through tools/demo, which builds first."""

import argparse
import hashlib
import shutil
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

from PIL import Image

REPO = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(REPO / "tests" / "wine"))

import rig  # noqa: E402
from cd_fixture import FOLDERS, MANIFEST, make_cd  # noqa: E402

APP = "C:\\Games\\Zolvan"


def capture(display, find, ready, target, stop, whole_screen=False):
    """Saves the first window that find() names (or the whole screen, for a
    program that draws full-screen) as soon as ready(picture) says it shows
    what it should."""
    while not stop.is_set():
        windows = find()
        if windows:
            window = "root" if whole_screen else str(windows[0])
            try:
                # import waits for ever on a window that goes away mid-grab.
                subprocess.run(["import", "-display", display.name, "-window", window, str(target)],
                               env=rig._env(display), check=False, stderr=subprocess.DEVNULL, timeout=5)
                with Image.open(target) as picture:
                    if ready(picture.convert("RGB")):
                        return
            except (OSError, subprocess.TimeoutExpired):
                pass
            target.unlink(missing_ok=True)
        time.sleep(0.1)


def painted(picture):
    """The splash: its picture is drawn, not the bare window."""
    return len(picture.getcolors(1 << 16) or range(1 << 16)) > 16


def title_screen(picture):
    """The stand-in game's screen: mostly the blue of colour text mode."""
    blue = sum(count for count, colour in picture.getcolors(1 << 16) or [] if colour == (0, 0, 170))
    return blue > picture.width * picture.height // 2


def emulator_windows(display):
    return [int(w) for w in rig.xdotool(display, "search", "--name", "^DOSBox")]


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--pictures", type=Path, default=REPO / "build" / "demo",
                        help="where to save splash.png and game.png, the two windows a player sees")
    args = parser.parse_args()

    work = Path(tempfile.mkdtemp(prefix="zolvan-demo-"))
    print("Zolvan Zazo launcher demo")
    print(f"  program      {rig.launcher_exe()}")
    print(f"  Wine prefix  {rig.prefix_dir()} (fresh)")
    rig.boot_prefix()
    rig.reset_drives()
    app = rig.install_app(APP, FOLDERS, emulator="dosbox")
    (app / "SAVE.DAT").write_bytes(b"the player's saved game")
    cd = make_cd(work / "cd", languages=["AL", "FR", "USA"])
    rig.map_drive("f", work / "cd")
    print(f"  demo CD      F: -> {work / 'cd'} ({len(cd)} files)")
    print(f"  app folder   {APP} -> {app}")

    log = rig.RigLog(work / "log")
    args.pictures.mkdir(parents=True, exist_ok=True)
    splash, game = args.pictures / "splash.png", args.pictures / "game.png"
    with rig.Display(800, 600) as display:
        stop = threading.Event()
        catchers = [threading.Thread(target=capture, args=(display, lambda: rig.caption_windows(display), painted,
                                                           splash, stop)),
                    threading.Thread(target=capture, args=(display, lambda: emulator_windows(display), title_screen,
                                                           game, stop, True))]
        for catcher in catchers:
            catcher.start()
        started = time.time()
        run = rig.run_launcher(display, APP + "\\Zolvan.exe", env={"ZZ_RIG_LOG": log.folder, "ZZ_RIG_VIDEO": "x11"})
        ended = log.wait_until_ended(180)
        stop.set()
        for catcher in catchers:
            catcher.join()

    ok = True

    def report(label, good, detail):
        nonlocal ok
        ok = ok and good
        print(f"  [{'ok' if good else 'FAIL'}] {label:<20} {detail}")

    print()
    print(f"The launcher ran {run.ended_at - started:.1f} s and ended with code {run.exit_code}.")
    report("messages", not run.messages, run.messages or "none")
    conf = log.read("dosbox.conf", "rb") if (log.folder / "dosbox.conf").exists() else b""
    lines = conf.decode("cp1252").split("\r\n")
    mount = next((line for line in lines if line.startswith("MOUNT ") and "cdrom" in line), "")
    report("drive found", mount.startswith("MOUNT F F:\\"), mount or "no MOUNT line")
    staged = {}
    if (log.folder / "staged").exists():
        staged = dict(reversed(line.split(None, 1)) for line in log.read("staged").splitlines())
    copied = sum(staged.get(f"./{p}") == hashlib.md5(c).hexdigest() for p, c in cd.items())
    report("files staged", copied == len(MANIFEST), f"{copied} of {len(MANIFEST)} equal to the CD's")
    game_line = next((line for line in lines if line.startswith("ZOLQEB.EXE")), "")
    report("language", game_line == "ZOLQEB.EXE ver=usa", game_line or "no game line")
    report("dosbox.conf written", len(lines) - 1 == 250, f"{len(conf)} bytes, {len(lines) - 1} lines")
    argv = log.read("argv").split() if log.started else []
    report("emulator started", argv == ["-noconsole"], f"dosbox.exe {' '.join(argv)} in {log.read('cwd').strip()}"
           if log.started else "not started")
    report("emulator ended", ended and run.ended_at < log.ended_at(),
           "after the launcher" if ended else "did not end")
    record = (app / "ZOLVAN.INI").read_bytes().decode("ascii", "replace").split("\r\n") \
        if (app / "ZOLVAN.INI").exists() else []
    report("game ran", record[:2] == ["tail= ver=usa", "drive=B"], " ".join(record).strip() or "no record")
    files, folders = rig.tree(app)
    left = sorted(set(files) & set(MANIFEST))
    report("clean-up", not left and set(FOLDERS) <= folders,
           f"{len(left)} staged files left; kept: {', '.join(sorted(files))}")
    report("pictures", splash.exists() and game.exists(),
           ", ".join(str(p) for p in (splash, game) if p.exists()) or "none taken")
    print()
    print("DOSBox's own words, last lines:")
    for line in log.read("dosbox.out").splitlines()[-6:]:
        print("  " + line)
    shutil.rmtree(work, ignore_errors=True)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
