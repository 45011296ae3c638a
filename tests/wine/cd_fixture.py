"""A fixture game CD: the game folder QEB with small files of distinct
content, laid out as the launcher expects to find it. The file list is
written out here a second time, from the game's own layout, so that the
launcher's list is checked against it rather than against itself."""

import os
from pathlib import Path

from rig import build_game

WORLDS = [("BRIX", "BRI"), ("GLOM", "GLO"), ("SPIRE", "SPI"), ("DWOMAR", "DWO"),
          ("HASKOVAR", "HAK"), ("PLUNE", "PLU")]
LANGUAGES = ["AL", "FR", "USA"]


def _manifest():
    paths = ["HMIDET.386", "HMIDRV.386", "ZOLQEB.EXE"]
    for folder, prefix in WORLDS:
        paths += [f"{folder}/{prefix}.MAP", f"{folder}/{prefix}.PCX", f"{folder}/ACT.TBL"]
        for zone in range(101, 106):
            paths += [f"{folder}/ZON_{zone}/{name}" for name in ("SCENE.MAP", "SCENE.QRA", "SCENE.QRB", "ZON.INI")]
    paths += [f"MISC/{name}" for name in ("AL.BIN", "FR.BIN", "QEBBACK.PCX", "GLY.GFX", "GLY.SHP", "GLY2.GFX",
                                           "GLY2.SHP", "TRIUMPH.PIC", "AUDIO.BIN", "USA.BIN", "EDITION.BIN")]
    paths += ["TRAKS/STATIC.DAT", "TRAKS/BIGZOL.DAT"]
    paths += [f"TRAKS/{prefix}{level:02d}.LEV" for _, prefix in WORLDS for level in range(1, 5)]
    paths += ["TRAKS/SHARED.DAT"] + [f"TRAKS/ZOL{n:02d}.WLD" for n in range(1, 7)]
    paths += ["TRAKS/SFXLO8.DAT", "TRAKS/SFXHI8.DAT", "TRAKS/PICSET.DAT"]
    for language in LANGUAGES:
        paths += [f"TRAKS/{language}/TITLES{n:02d}.WLD" for n in range(7)]
        paths += [f"TRAKS/{language}/BONUSES.DAT", f"TRAKS/{language}/VOICES.DAT"]
    return paths


MANIFEST = _manifest()  # relative paths with "/", in copy order
FOLDERS = sorted({p.rsplit("/", 1)[0] for p in MANIFEST if "/" in p})
assert len(MANIFEST) == 215 and len(set(MANIFEST)) == 215 and len(FOLDERS) == 41


def language_of(path):
    """The language a file belongs to, or None for a file every CD has."""
    parts = path.split("/")
    if parts[0] == "TRAKS" and len(parts) == 3:
        return parts[1]
    if parts[0] == "MISC" and parts[1] in ("AL.BIN", "FR.BIN", "USA.BIN"):
        return parts[1].split(".")[0]
    return None


def make_cd(root, languages=LANGUAGES, only=None, read_only=True):
    """Writes a CD under root (root/QEB/...) and returns {relative path: bytes}.
    languages: which language folders and marker files the CD carries;
    only: a set of paths to write instead of the whole manifest.
    read_only: files as a CD gives them, without write permission."""
    root = Path(root)
    contents = {}
    for path in MANIFEST:
        if only is not None and path not in only:
            continue
        language = language_of(path)
        if language is not None and language not in languages:
            continue
        target = root / "QEB" / path
        target.parent.mkdir(parents=True, exist_ok=True)
        if path == "ZOLQEB.EXE":
            build_game(target)
        else:
            target.write_bytes(f"{path}\r\n".encode() * 3)
        contents[path] = target.read_bytes()
        if read_only:
            os.chmod(target, 0o444)
    return contents
