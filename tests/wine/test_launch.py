"""The splash window and the launch sequence, on the real program under Wine:
where the window stands and what it shows, which drive wins, which
language is chosen, and the missing-CD path."""

import subprocess
import tempfile
import time
import unittest
from pathlib import Path

from PIL import Image

import rig
from cd_fixture import FOLDERS, make_cd

APP = "C:\\Games\\Zolvan"
SPLASH_GIF = rig.REPO / "resources" / "splash.gif"
LABEL = (88, 144, 88 + 185, 144 + 17)  # the status label, in client pixels at 96 dpi


class LaunchScenario(unittest.TestCase):
    def setUp(self):
        self.scratch = Path(tempfile.mkdtemp(prefix="zolvan-launch-"))
        rig.reset_drives()
        self.app = rig.install_app(APP, FOLDERS)
        self.log = rig.RigLog(self.scratch / "log")
        self.display = rig.Display()
        self.addCleanup(lambda: self.display.close())  # a test may swap the display

    def launch(self, **kwargs):
        env = {"ZZ_RIG_LOG": self.log.folder, "ZZ_RIG_DOSBOX": "true"}
        run = rig.run_launcher(self.display, APP + "\\Zolvan.exe", env=env, **kwargs)
        if self.log.started:
            self.assertTrue(self.log.wait_until_ended(30))
        return run

    def cd(self, letter, **kwargs):
        root = self.scratch / f"cd-{letter}"
        root.mkdir()
        make_cd(root, **kwargs)
        rig.map_drive(letter, root)
        return root

    def mounted_cd_line(self):
        conf = self.log.read("dosbox.conf", "rb").decode("cp1252")
        return [line for line in conf.split("\r\n") if line.startswith("MOUNT ")][0]

    def game_line(self):
        conf = self.log.read("dosbox.conf", "rb").decode("cp1252")
        return [line for line in conf.split("\r\n") if line.startswith("ZOLQEB.EXE")][0]


class MissingCd(LaunchScenario):
    def test_asks_for_the_cd_once_after_deleting_the_settings_and_does_nothing_else(self):
        (self.app / "ZOLVAN.INI").write_text("stale")
        qeb = self.scratch / "not-a-cd" / "QEB"
        qeb.mkdir(parents=True)
        (qeb / "OTHER.EXE").write_text("x")  # a QEB folder without the game is no CD
        rig.map_drive("e", qeb.parent)
        rig.map_drive("f", self.scratch / "gone")  # a letter whose target is gone
        before, _ = rig.tree(self.app)

        run = self.launch()

        self.assertEqual(run.messages, [rig.MISSING_CD])
        self.assertFalse((self.app / "ZOLVAN.INI").exists())
        after, _ = rig.tree(self.app)
        del before["ZOLVAN.INI"]
        self.assertEqual(after, before, "nothing copied or written")
        self.assertFalse(self.log.started, "the emulator was started")


class SplashWindow(LaunchScenario):
    def inspect_window(self, run, text):
        self.windows = rig.caption_windows(self.display)
        main, box = self.windows[0], self.windows[-1]
        self.geometry = rig.window_geometry(self.display, main)
        self.name = subprocess.run(["xdotool", "getwindowname", str(main)], env=rig._env(self.display),
                                   capture_output=True, text=True).stdout.strip()
        self.properties = subprocess.run(["xprop", "-id", str(main)], env=rig._env(self.display),
                                         capture_output=True, text=True).stdout
        # The box stands over the picture: move it away before looking.
        rig.xdotool(self.display, "windowmove", str(box), "0", "0")
        time.sleep(1)
        rig.screenshot(self.display, self.scratch / "screen.png")

    def test_centred_borderless_picture_with_the_status_text(self):
        run = self.launch(on_message=self.inspect_window)
        self.assertEqual(run.messages, [rig.MISSING_CD])
        # 1024 x 768: (15360 - 5385) twips / 2 = 4987 twips = 332 px; likewise 267 px.
        self.assertEqual(self.geometry, (332, 267, 359, 233))
        self.assertEqual(self.name, "Zolvan Zazo")
        self.assertNotIn("_NET_WM_STATE_SKIP_TASKBAR", self.properties, "it has its own taskbar button")
        self.assertIn("_NET_WM_ICON(CARDINAL)", self.properties)

        left, top, width, height = self.geometry
        with Image.open(self.scratch / "screen.png") as screen:
            shown = screen.convert("RGB").crop((left, top, left + width, top + height))
        with Image.open(SPLASH_GIF) as gif:
            picture = gif.convert("RGB")
        label = set()
        for y in range(height):
            for x in range(width):
                if LABEL[0] <= x < LABEL[2] and LABEL[1] <= y < LABEL[3]:
                    label.add(shown.getpixel((x, y)))
                elif shown.getpixel((x, y)) != picture.getpixel((x, y)):
                    self.fail(f"the picture differs at ({x}, {y}): natural size, top-left, unscaled")
        self.assertIn((0, 0, 0), label, "opaque black behind the text")
        self.assertIn((192, 192, 192), label, "silver text")
        self.assertTrue(all(r == g == b for r, g, b in label), f"only greys in the label: {label}")

    def test_centring_follows_the_screen(self):
        cases = [  # screen -> window origin, both in pixels at 96 dpi
            ((800, 600), (220, 183)),
            ((300, 200), (-29, -16)),  # smaller than the window: it overhangs both edges
        ]
        for screen, origin in cases:
            with self.subTest(screen=screen):
                self.display.close()
                self.display = rig.Display(*screen)
                run = self.launch(on_message=self.inspect_window)
                self.assertEqual(run.messages, [rig.MISSING_CD])
                self.assertEqual(self.geometry[:2], origin)


    def test_at_120_dpi_the_window_keeps_its_twips_and_the_picture_its_pixels(self):
        env = rig._env(self.display)
        key = "HKCU\\Control Panel\\Desktop"

        def set_density(*args):
            subprocess.run(["wine", "reg", *args], env=dict(env, WINEDEBUG="-all"), capture_output=True, check=True)
            subprocess.run(["wineserver", "-w"], env=env, check=True)

        set_density("add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d", "120", "/f")
        self.addCleanup(set_density, "delete", key, "/v", "LogPixels", "/f")
        run = self.launch(on_message=self.inspect_window)
        self.assertEqual(run.messages, [rig.MISSING_CD])
        # 5385 x 3495 twips at 12 twips a pixel; centred on 12288 x 9216 twips.
        self.assertEqual(self.geometry, (288, 239, 449, 291))
        left, top, width, height = self.geometry
        with Image.open(self.scratch / "screen.png") as screen:
            shown = screen.convert("RGB").crop((left, top, left + width, top + height))
        with Image.open(SPLASH_GIF) as gif:
            picture = gif.convert("RGB")
        label = (110, 180, 110 + 231, 180 + 21)
        for x, y in [(5, 5), (300, 20), (200, 120), (50, 220), (358, 232)]:
            self.assertFalse(label[0] <= x < label[2] and label[1] <= y < label[3])
            self.assertEqual(shown.getpixel((x, y)), picture.getpixel((x, y)), (x, y))
        face = {shown.getpixel((x, y)) for x in range(360, width) for y in range(height)}
        face |= {shown.getpixel((x, y)) for x in range(width) for y in range(234, height)}
        self.assertEqual(len(face), 1, "the face colour where the picture does not reach")
        self.assertEqual(shown.getpixel((label[0] + 2, label[1] + 2)), (0, 0, 0))


class DriveProbe(LaunchScenario):
    def test_the_highest_letter_holding_the_game_wins(self):
        self.cd("e", languages=["AL"])
        self.cd("g", languages=["USA"])
        run = self.launch()
        self.assertEqual(run.messages, [])
        self.assertEqual(self.mounted_cd_line(), "MOUNT G G:\\ -t cdrom -usecd 1 -ioctl")
        self.assertTrue((self.app / "MISC" / "USA.BIN").exists())
        self.assertFalse((self.app / "MISC" / "AL.BIN").exists(), "staged from G:, not from E:")

    def test_empty_and_broken_drives_are_passed_over_quietly(self):
        (self.scratch / "empty").mkdir()
        rig.map_drive("d", self.scratch / "empty")
        rig.map_drive("e", self.scratch / "gone")
        self.cd("k")
        rig.map_drive("m", self.scratch / "empty")
        started = time.time()
        run = self.launch()
        self.assertEqual(run.messages, [])
        self.assertEqual(self.mounted_cd_line(), "MOUNT K K:\\ -t cdrom -usecd 1 -ioctl")
        self.assertLess(run.ended_at - started, 20)


class LanguageProbe(LaunchScenario):
    def test_last_marker_present_wins(self):
        cases = [
            (["AL"], [], "ver=al"),
            (["AL", "FR"], [], "ver=fr"),
            (["AL", "FR", "USA"], [], "ver=usa"),
            ([], [], "ver="),
            (["AL"], ["USA.BIN"], "ver=usa"),  # a marker left by an earlier run counts
        ]
        for languages, left_over, expected in cases:
            with self.subTest(languages=languages, left_over=left_over):
                self.setUp()
                for name in left_over:
                    (self.app / "MISC" / name).write_text("old")
                self.cd("e", languages=languages)
                run = self.launch()
                self.assertEqual(run.messages, [])
                self.assertEqual(self.game_line(), "ZOLQEB.EXE " + expected)


if __name__ == "__main__":
    unittest.main()
