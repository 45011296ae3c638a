"""The whole chain with the real DOSBox: the launcher stages the fixture CD,
writes dosbox.conf and starts the stand-in dosbox.exe, which runs Debian's
DOSBox on that very file. DOSBox mounts the CD and the app folder, runs the
stand-in game and then the clean-up script."""

import hashlib
import tempfile
import unittest
from pathlib import Path

import rig
from cd_fixture import FOLDERS, MANIFEST, make_cd


class WithRealDosbox(unittest.TestCase):
    CASES = [
        # (app folder, CD languages, expected language option)
        ("C:\\Games\\Zolvan", ["AL", "FR", "USA"], "ver=usa"),
        ("C:\\Program Files\\Zolvan (1998) & Co ^!", ["AL"], "ver=al"),
        ("C:\\Spiele\\100% Zolv\u00e4n %PATH%", ["AL", "FR"], "ver=fr"),
    ]

    def test_game_runs_from_drive_b_and_the_clean_up_leaves_only_what_was_there(self):
        for folder, languages, option in self.CASES:
            with self.subTest(folder=folder):
                self.run_case(folder, languages, option)

    def run_case(self, folder, languages, option):
        scratch = Path(tempfile.mkdtemp(prefix="zolvan-dosbox-"))
        rig.reset_drives()
        app = rig.install_app(folder, FOLDERS, emulator="dosbox")
        cd = make_cd(scratch / "cd", languages=languages)
        rig.map_drive("e", scratch / "cd")
        # The player's own files, which nothing may touch.
        (app / "SAVE.DAT").write_bytes(b"level 7")
        (app / "TRAKS" / "NOTES.TXT").write_bytes(b"a note")  # in a staging folder: the script empties those
        # A read-only copy left by an earlier run must not block the new one.
        (app / "HMIDET.386").write_bytes(b"old")
        (app / "HMIDET.386").chmod(0o444)
        # Unquoted, "C:\Program Files\..." would start this instead.
        decoy_log = scratch / "decoy-ran"
        (rig.drive_c() / "Program.exe").write_text(f"#!/bin/sh\ntouch '{decoy_log}'\n")
        (rig.drive_c() / "Program.exe").chmod(0o755)
        log = rig.RigLog(scratch / "log")

        with rig.Display() as display:
            run = rig.run_launcher(display, folder + "\\Zolvan.exe", env={"ZZ_RIG_LOG": log.folder})
            self.assertEqual(run.messages, [])
            self.assertTrue(log.wait_until_ended(180), "DOSBox did not end")
        self.assertFalse((scratch / "log" / "timed-out").exists(), log.read("dosbox.out"))

        # Started as "<app folder>\dosbox.exe" -noconsole, in the app folder.
        self.assertEqual(log.read("argv"), "-noconsole\n")
        self.assertEqual(Path(log.read("cwd").strip()).resolve(), app.resolve())
        self.assertFalse(decoy_log.exists(), "C:\\Program.exe ran")
        self.assertLess(run.ended_at, log.ended_at(), "the launcher ends before the emulator")

        # The staged copies were the CD's files, writable.
        staged = dict(reversed(line.split(None, 1)) for line in log.read("staged").splitlines())
        for path, content in cd.items():
            self.assertEqual(staged.get(f"./{path}"), hashlib.md5(content).hexdigest(), path)
        modes = dict(reversed(line.split(None, 1)) for line in log.read("modes").splitlines())
        read_only = [p for p in cd if not int(modes[f"./{p}"], 8) & 0o200]
        self.assertEqual(read_only, [], "staged copies the emulator cannot delete")

        # The game ran from drive B with its language.
        self.assertEqual((app / "ZOLVAN.INI").read_bytes(),
                         f"tail= {option}\r\ndrive=B\r\ndir=\\\r\n".encode(), log.read("dosbox.out"))

        # Afterwards: no staged file left, every folder still there, the rest untouched.
        files, folders = rig.tree(app)
        self.assertEqual(set(files), {"Zolvan.exe", "dosbox.exe", "dosbox.conf", "SAVE.DAT", "ZOLVAN.INI"},
                         log.read("dosbox.out"))
        self.assertEqual(files["SAVE.DAT"], b"level 7")
        self.assertEqual(files["Zolvan.exe"], rig.launcher_exe().read_bytes())
        self.assertEqual(files["dosbox.conf"], log.read("dosbox.conf", "rb"))
        self.assertTrue(set(FOLDERS) <= folders)
        self.assertEqual(len(MANIFEST), 215)


if __name__ == "__main__":
    unittest.main()
