"""Builds the players' zip with cpack in the build folder (ZOLVAN_BUILD_DIR)
and checks what unpacking it gives: the program, the read-me, and every
empty game folder, under one top folder, and nothing else."""

import os
import subprocess
import sys
import tempfile
import unittest
import zipfile
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent / "wine"))
from cd_fixture import FOLDERS  # noqa: E402  the game's folders, written out from its layout

TOP = "Zolvan/"


class PlayersZip(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.out = tempfile.TemporaryDirectory(prefix="zolvan-package-")
        subprocess.run(["cpack", "-G", "ZIP", "-B", cls.out.name], cwd=os.environ["ZOLVAN_BUILD_DIR"],
                       check=True, stdout=subprocess.DEVNULL)
        [cls.path] = Path(cls.out.name).glob("*.zip")
        cls.zip = zipfile.ZipFile(cls.path)
        cls.names = cls.zip.namelist()

    @classmethod
    def tearDownClass(cls):
        cls.zip.close()
        cls.out.cleanup()

    def test_holds_the_program_the_read_me_and_the_empty_game_folders_only(self):
        files = {name for name in self.names if not name.endswith("/")}
        self.assertEqual(files, {TOP + "Zolvan.exe", TOP + "README.txt"})
        # unzip makes a folder only from an entry of its own or a file below it
        folders = {name for name in self.names if name.endswith("/")}
        expected = {TOP + folder + "/" for folder in FOLDERS}
        self.assertEqual(folders - {TOP}, expected)
        self.assertEqual(len(self.names), len(set(self.names)), "an entry twice")

    def test_program_is_the_one_built(self):
        self.assertEqual(self.zip.read(TOP + "Zolvan.exe"), Path(os.environ["ZOLVAN_EXE"]).read_bytes())

    def test_read_me_is_plain_text_that_notepad_shows_in_lines(self):
        text = self.zip.read(TOP + "README.txt")
        text.decode("ascii")
        self.assertTrue(text.endswith(b"\r\n"))
        self.assertEqual(text.count(b"\n"), text.count(b"\r\n"), "a line end without CR")
        self.assertEqual(text.count(b"\r"), text.count(b"\r\n"), "a CR without LF")

    def test_unzip_unpacks_it_whole(self):
        with tempfile.TemporaryDirectory() as target:
            subprocess.run(["unzip", "-q", str(self.path), "-d", target], check=True)
            unpacked = Path(target, TOP)
            for folder in FOLDERS:
                self.assertTrue((unpacked / folder).is_dir(), folder)
            self.assertTrue((unpacked / "Zolvan.exe").is_file())


if __name__ == "__main__":
    unittest.main()
