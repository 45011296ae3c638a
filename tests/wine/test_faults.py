"""Faults around the launch, on the real program under Wine: a CD that goes
away, files it cannot read or replace, folders and files in the way, an app
folder in an unusual place. One row per fault. On every row the launcher
must leave the player's own files alone, and either start the emulator on
this run's dosbox.conf or say why not, in exactly one box.

Permissions mean nothing to root, so when the suite runs as root it runs
Wine as an unprivileged user, with a Wine prefix of that user's own."""

import os
import pwd
import select
import shutil
import signal
import subprocess
import tempfile
import threading
import time
import unittest
from dataclasses import dataclass
from pathlib import Path
from typing import Callable, Optional

import rig
from cd_fixture import FOLDERS, MANIFEST, make_cd

APP = "C:\\Games\\Zolvan"
USER = "zolvan-rig"
HOLDER_SOURCE = rig.HERE / "hold_file.cpp"
OWN_FILES = {"ZOLVAN.INI", "dosbox.conf"}  # the launcher's own, besides the staged ones
SAME = object()  # a staged path that may hold anything afterwards


def batch_literal(text):
    return text.replace("%", "%%")


class Runner:
    """Who runs Wine: this user, or USER when we are root. Also builds the
    file holder once for the whole run."""

    def __init__(self):
        self.folder = Path(tempfile.mkdtemp(prefix="zolvan-faults-"))
        self.folder.chmod(0o755)
        self.saved = {name: os.environ.get(name) for name in ("PATH", "ZOLVAN_WINEPREFIX")}
        self.owner = None
        if os.getuid() == 0:
            self._switch_to_unprivileged_user()
        self.holder = self.folder / "hold_file.exe"
        subprocess.run(["x86_64-w64-mingw32-g++-win32", "-municode", "-static", "-O2", "-o",
                        str(self.holder), str(HOLDER_SOURCE)], check=True)

    def _switch_to_unprivileged_user(self):
        try:
            entry = pwd.getpwnam(USER)
        except KeyError:
            subprocess.run(["useradd", "--system", "--user-group", "--no-create-home",
                            "--shell", "/usr/sbin/nologin", USER], check=True)
            entry = pwd.getpwnam(USER)
        self.owner = (entry.pw_uid, entry.pw_gid)
        home, prefix, tools = self.folder / "home", self.folder / "prefix", self.folder / "bin"
        for folder in (home, prefix, tools):
            folder.mkdir()
        self.give(home)
        self.give(prefix)
        # rig starts "wine" by name: these stand first on PATH and drop root.
        for tool in ("wine", "wineserver"):
            (tools / tool).write_text(
                "#!/bin/sh\n"
                f"exec setpriv --reuid={entry.pw_uid} --regid={entry.pw_gid} --clear-groups "
                f"env -u XDG_RUNTIME_DIR HOME={home} /usr/bin/{tool} \"$@\"\n")
            (tools / tool).chmod(0o755)
        os.environ["PATH"] = f"{tools}:{os.environ['PATH']}"
        os.environ["ZOLVAN_WINEPREFIX"] = str(prefix)
        # rig.boot_prefix would remake the folder as root, and Wine refuses a
        # prefix its user does not own.
        with rig.Display() as display:
            env = dict(rig._env(display), WINEDEBUG="-all")
            subprocess.run(["wine", "wineboot", "-i"], env=env, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
            subprocess.run(["wineserver", "-w"], env=env, check=True, timeout=120)

    def give(self, path, keep=()):
        """Hands a tree to the user that runs Wine, but for the paths in keep."""
        if self.owner is None:
            return
        keep = {Path(p) for p in keep}
        targets = [Path(path)]
        for parent, folders, files in os.walk(path):
            targets += [Path(parent, name) for name in folders + files]
        for target in targets:
            if target not in keep:
                os.lchown(target, *self.owner)

    def close(self):
        if self.owner is not None:
            subprocess.run(["wineserver", "-k"], env=dict(os.environ, WINEPREFIX=str(rig.prefix_dir())),
                           stderr=subprocess.DEVNULL, check=False)
        for name, value in self.saved.items():
            if value is None:
                os.environ.pop(name, None)
            else:
                os.environ[name] = value
        shutil.rmtree(self.folder, ignore_errors=True)


class Stage:
    """One row's world: the drives, an app folder, a CD, and how the launcher
    is started. A row's arrange function changes it before the launch."""

    def __init__(self, runner, display, folder=APP):
        self.runner, self.display = runner, display
        self.scratch = Path(tempfile.mkdtemp(prefix="row-", dir=runner.folder))
        self.scratch.chmod(0o755)
        rig.reset_drives()
        self.install(folder)
        self.log = rig.RigLog(self.scratch / "log")
        self.windows_cwd = None
        self.cd = {}  # what the CD holds: {relative path: bytes}
        self.kept = {}  # staged paths that must not hold the CD's copy: bytes, None (absent) or SAME
        self.staging = True  # False when the launcher must end before copying anything
        self.background = []  # run beside the launcher
        self.not_given = []  # paths in the app folder that stay root's
        self.cleanups = []

    def install(self, folder, emulator="record", at=None):
        """A fresh app folder; at: the Windows folder it is started from, if
        not the one it was installed in (a drive mapped onto it)."""
        self.app = rig.install_app(folder, FOLDERS, emulator=emulator)
        self.folder = at or folder

    def path(self, name):
        """A Windows path in the app folder, as the user should read it."""
        return self.folder.rstrip("\\") + "\\" + name.replace("/", "\\")

    def insert_cd(self, letter="e", **kwargs):
        root = self.scratch / f"cd-{letter}"
        root.mkdir()
        self.cd = make_cd(root, **kwargs)
        rig.map_drive(letter, root)
        return root

    def old_copy(self, relative, content=b"from an earlier run", mode=0o644):
        target = self.app / relative
        target.write_bytes(content)
        target.chmod(mode)
        return target

    def launch(self):
        self.runner.give(self.app, keep=self.not_given)
        self.runner.give(self.log.folder)
        threads = [threading.Thread(target=job, daemon=True) for job in self.background]
        for thread in threads:
            thread.start()
        env = {"ZZ_RIG_LOG": self.log.folder, "ZZ_RIG_DOSBOX": "true"}
        try:
            return rig.run_launcher(self.display, self.path("Zolvan.exe"), env=env,
                                    windows_cwd=self.windows_cwd)
        finally:
            for thread in threads:
                thread.join(30)

    def close(self):
        for cleanup in reversed(self.cleanups):
            cleanup()
        self.app.chmod(0o755)  # so that the next row's install can remove it


# The messages, as the user reads them; the system's reason follows.
def folder_not_created(relative, reason):
    return lambda stage: (f"The game folder {stage.path(relative)} is missing and could not be "
                          "created, so Zolvan Zazo cannot start.", reason)


def conf_not_written(reason):
    return lambda stage: (f"The file {stage.path('dosbox.conf')} could not be written, so Zolvan "
                          "Zazo cannot start.", reason)


def emulator_not_started(reason):
    return lambda stage: (f"DOSBox could not be started from {stage.path('dosbox.exe')}.", reason)


DENIED = r"(?i)denied"
NOT_FOUND = r"(?i)not (be )?found"


# The rows' arrangements.

def cd_pulled_out_during_a_copy(stage):
    # One large file holds the launcher in its copy long enough for us to
    # swap the CD for an empty drive once its copy has begun.
    victim = "BRIX/ZON_103/SCENE.QRA"
    root = stage.insert_cd()
    source = root / "QEB" / victim
    source.chmod(0o644)
    source.write_bytes(os.urandom(1 << 20) * 64)
    source.chmod(0o444)
    stage.cd[victim] = source.read_bytes()
    empty = stage.scratch / "no-disc"
    empty.mkdir()
    pulled = []

    def pull():
        deadline = time.time() + 30
        while time.time() < deadline:
            if (stage.app / victim).exists():
                rig.map_drive("e", empty)
                pulled.append(True)
                return
            time.sleep(0.002)

    stage.background.append(pull)
    index = MANIFEST.index(victim)
    stage.kept = {path: None for path in MANIFEST[index + 1:]}
    stage.kept[victim] = SAME  # whatever the copy made of it
    return lambda test, after: test.assertTrue(pulled, "the launcher never began the copy")


def sources_unreadable(stage):
    root = stage.insert_cd()
    for relative in ("GLOM/GLO.MAP", "MISC/AUDIO.BIN"):
        (root / "QEB" / relative).chmod(0)
    stage.old_copy("MISC/AUDIO.BIN")
    stage.kept = {"GLOM/GLO.MAP": None, "MISC/AUDIO.BIN": b"from an earlier run"}


def sources_missing(stage):
    missing = {"HMIDRV.386", "PLUNE/ZON_105/ZON.INI", "TRAKS/PICSET.DAT"}
    stage.insert_cd(only=set(MANIFEST) - missing)
    stage.old_copy("TRAKS/PICSET.DAT")
    stage.kept = {path: None for path in missing}
    stage.kept["TRAKS/PICSET.DAT"] = b"from an earlier run"


def read_only_old_copy(stage):
    stage.insert_cd()
    stage.old_copy("HMIDET.386", mode=0o444)
    stage.old_copy("TRAKS/USA/VOICES.DAT", mode=0o444)


def locked_old_copy(stage):
    stage.insert_cd()
    stage.old_copy("MISC/QEBBACK.PCX")
    stage.kept = {"MISC/QEBBACK.PCX": b"from an earlier run"}
    stage.runner.give(stage.app)
    holder = subprocess.Popen(["wine", str(stage.runner.holder), stage.path("MISC/QEBBACK.PCX")],
                              env=rig._env(stage.display), stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, text=True, start_new_session=True)

    def release():
        os.killpg(holder.pid, signal.SIGKILL)
        holder.wait(10)
        holder.stdout.close()

    stage.cleanups.append(release)
    ready, _, _ = select.select([holder.stdout], [], [], 60)
    line = holder.stdout.readline().strip() if ready else "no answer"
    if line != "held":
        raise RuntimeError(f"the holder could not open the file: {line}")


def app_folder_not_writable(stage):
    stage.insert_cd()
    stage.old_copy("ZOLVAN.INI")
    stage.app.chmod(0o555)
    # Files at its top cannot be made; the staging folders stay writable.
    stage.kept = {"HMIDET.386": None, "HMIDRV.386": None, "ZOLQEB.EXE": None}


def staging_folders_missing(stage):
    stage.insert_cd()
    shutil.rmtree(stage.app / "GLOM")
    shutil.rmtree(stage.app / "TRAKS" / "USA")


def file_in_place_of_a_staging_folder(stage):
    stage.insert_cd()
    shutil.rmtree(stage.app / "SPIRE" / "ZON_103")
    (stage.app / "SPIRE" / "ZON_103").write_bytes(b"not a folder")
    stage.staging = False


def read_only_conf(stage):
    # Wine lets a rename replace a file with the read-only attribute, which
    # Windows refuses. A root-owned read-only file in a sticky folder is one
    # the user can neither replace nor delete, as Windows treats it.
    if stage.runner.owner is None:
        raise unittest.SkipTest("needs root, to make a file this user may not replace")
    stage.insert_cd()
    old = b"[autoexec]\r\nECHO an old one\r\n"
    stage.old_copy("dosbox.conf", old, mode=0o444)
    stage.app.chmod(0o1777)
    stage.not_given += [stage.app, stage.app / "dosbox.conf"]
    return lambda test, after: test.assertEqual(after["dosbox.conf"], old)


def stale_longer_conf(stage):
    stage.insert_cd()
    stale = b"REM stale line\r\n" * 4096
    stage.old_copy("dosbox.conf", stale)

    def check(test, after):
        test.assertLess(len(after["dosbox.conf"]), len(stale))
        test.assertNotIn(b"REM stale", after["dosbox.conf"])

    return check


def emulator_missing(stage):
    stage.install(APP, emulator=None)
    stage.insert_cd()


def started_from_another_folder(stage):
    stage.insert_cd()
    stage.windows_cwd = "C:\\windows"


def at_the_root_of_a_drive(stage, emulator="record"):
    stage.install("C:\\Games\\OnX", emulator=emulator, at="X:\\")
    rig.map_drive("x", stage.app)
    stage.insert_cd()


def at_the_root_of_a_drive_without_the_emulator(stage):
    at_the_root_of_a_drive(stage, emulator=None)


def folder_name_with_batch_characters(stage):
    stage.install("C:\\Games\\100% Zolv\u00e4n & Co ^!")
    stage.insert_cd()


def folder_name_outside_the_code_page(stage):
    stage.install("C:\\Games\\Zolva\u0144")  # Polish n-acute: not in Windows-1252
    stage.insert_cd()


def empty_and_dangling_drives_above_the_cd(stage):
    stage.insert_cd("e")
    (stage.scratch / "empty").mkdir()
    rig.map_drive("g", stage.scratch / "empty")
    rig.map_drive("h", stage.scratch / "gone")

    def check(test, after):
        test.assertIn(b"\r\nMOUNT E E:\\ ", after["dosbox.conf"])

    return check


def read_only_settings(stage):
    stage.insert_cd()
    stage.old_copy("ZOLVAN.INI", b"tail= ver=fr\r\n", mode=0o444)


@dataclass
class Row:
    fault: str
    arrange: Callable  # (stage) -> optional check (test, files after)
    message: Optional[Callable] = None  # (stage) -> (sentence, reason pattern); None: the game starts


ROWS = [
    Row("the CD is pulled out during a copy", cd_pulled_out_during_a_copy),
    Row("source files the user may not read", sources_unreadable),
    Row("source files missing from the CD", sources_missing),
    Row("a read-only old copy is replaced", read_only_old_copy),
    Row("an old copy another program holds open", locked_old_copy),
    Row("an app folder the user may not write to", app_folder_not_writable, conf_not_written(DENIED)),
    Row("staging folders missing", staging_folders_missing),
    Row("a file where a staging folder belongs", file_in_place_of_a_staging_folder,
        folder_not_created("SPIRE/ZON_103", r"(?i)exists")),
    Row("a read-only dosbox.conf", read_only_conf, conf_not_written(DENIED)),
    Row("a stale dosbox.conf longer than the new one", stale_longer_conf),
    Row("dosbox.exe missing", emulator_missing, emulator_not_started(NOT_FOUND)),
    Row("started from another working folder", started_from_another_folder),
    Row("the app folder is the root of a drive", at_the_root_of_a_drive),
    Row("the root of a drive, without dosbox.exe", at_the_root_of_a_drive_without_the_emulator,
        emulator_not_started(NOT_FOUND)),
    Row("an app folder named with % & ^ ! and a cp1252 letter", folder_name_with_batch_characters),
    Row("an app folder named outside the ANSI code page", folder_name_outside_the_code_page,
        conf_not_written(r"(?i)unicode")),
    Row("an empty drive and a dangling letter above the CD", empty_and_dangling_drives_above_the_cd),
    Row("a read-only ZOLVAN.INI", read_only_settings),
]


class Faults(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.runner = Runner()
        cls.display = rig.Display()

    @classmethod
    def tearDownClass(cls):
        cls.display.close()
        cls.runner.close()

    def test_each_fault_leaves_the_players_files_alone_and_starts_or_says_why(self):
        for row in ROWS:
            with self.subTest(row.fault):
                stage = Stage(self.runner, self.display)
                try:
                    self.run_row(row, stage)
                finally:
                    stage.close()

    def run_row(self, row, stage):
        check = row.arrange(stage)
        before, folders_before = rig.tree(stage.app)
        run = stage.launch()
        started = stage.log.wait_until_ended(30 if row.message is None else 1)
        after, folders_after = rig.tree(stage.app)

        # Nothing but the staged files and the launcher's own two changes.
        for path, content in before.items():
            if path not in OWN_FILES and path not in MANIFEST:
                self.assertEqual(after.get(path), content, f"{path} was changed or deleted")
        strays = set(after) - set(before) - OWN_FILES - set(MANIFEST)
        self.assertEqual(strays, set(), "files left behind")
        self.assertLessEqual(folders_before, folders_after, "folders deleted")

        if row.message is None:
            self.assertEqual(run.messages, [], "the user was told something")
            self.assertTrue(started, "the emulator did not start")
            conf = stage.log.read("dosbox.conf", "rb")
            self.assertEqual(after.get("dosbox.conf"), conf, "the emulator read another dosbox.conf")
            mount = f'\r\nMOUNT B "{batch_literal(stage.folder)}"\r\n'.encode("cp1252")
            self.assertIn(mount, conf, "not this run's dosbox.conf")
            self.assertTrue(conf.endswith(b"exit\r\n"), "dosbox.conf is not whole")
            self.assertEqual(Path(stage.log.read("cwd").strip()).resolve(), stage.app.resolve())
            self.assertEqual(run.exit_code, 0)
        else:
            sentence, reason = row.message(stage)
            self.assertEqual(len(run.messages), 1, run.messages)
            self.assertTrue(run.messages[0].startswith(sentence + "\r\n\r\n"), run.messages[0])
            self.assertRegex(run.messages[0][len(sentence) + 4:], reason)
            self.assertFalse(started or stage.log.started, "the emulator started")
            self.assertNotEqual(run.exit_code, 0)

        if stage.staging:
            for path, content in stage.cd.items():
                expected = stage.kept.get(path, content)
                if expected is SAME:
                    continue
                self.assertEqual(after.get(path), expected, path)
                if expected == content:
                    self.assertTrue((stage.app / path).stat().st_mode & 0o200, f"{path} is read-only")
        else:
            self.assertEqual({p: c for p, c in after.items() if p in MANIFEST},
                             {p: c for p, c in before.items() if p in MANIFEST}, "files were staged")
        if check:
            check(self, after)


if __name__ == "__main__":
    unittest.main()
