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

REPO = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(REPO / "tests" / "wine"))

import rig  # noqa: E402
from cd_fixture import FOLDERS, MANIFEST, make_cd  # noqa: E402

APP = "C:\\Games\\Zolvan"


def capture_splash(display, target, stop):
    """Saves the splash window as soon as it is on screen and painted."""
    while not stop.is_set():
        windows = rig.caption_windows(display)
        if windows:
            time.sleep(0.3)  # let it paint; the launch starts a second after it opened
            subprocess.run(["import", "-display", display.name, "-window", str(windows[0]), str(target)],
                           env=rig._env(display), check=False)
            return
        time.sleep(0.05)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--screenshot", type=Path, default=REPO / "build" / "demo" / "splash.png",
                        help="where to save the splash window's picture")
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
    args.screenshot.parent.mkdir(parents=True, exist_ok=True)
    with rig.Display() as display:
        stop = threading.Event()
        catcher = threading.Thread(target=capture_splash, args=(display, args.screenshot, stop))
        catcher.start()
        started = time.time()
        run = rig.run_launcher(display, APP + "\\Zolvan.exe", env={"ZZ_RIG_LOG": log.folder})
        stop.set()
        catcher.join()
        ended = log.wait_until_ended(180)

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
    report("splash picture", args.screenshot.exists(), str(args.screenshot))
    print()
    print("DOSBox's own words, last lines:")
    for line in log.read("dosbox.out").splitlines()[-6:]:
        print("  " + line)
    shutil.rmtree(work, ignore_errors=True)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
