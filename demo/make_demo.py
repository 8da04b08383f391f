#!/usr/bin/env python3
"""Writes the demo workspace: the loader's settings with a made-up parameter table, the
editor's settings, the stand-in editor's settings and a few sample maps. Every level name,
game path and number here is invented. Text files get CR LF line ends; the same bytes on
every run.

    python3 demo/make_demo.py [folder]      (default: the folder of this script)
"""
import os
import struct
import sys

LOADER_HEADER = [
    "; put a ; or a // AT THE BEGINNING of a line to comment it out",
    "",
    "; set kelvornpath to the path to Vellamors editor",
    "kelvornpath = editor\\",
    "",
    "; set kelvornname to the name of the executable for the editor",
    "kelvornname = kelvorn.exe",
    "",
    "; Format of the PARAMS section:",
    "; Filename\tName\tPath\tTypeID\tPrestDEF\tcomments (ignored)",
    "; Each entry MUST be separated by a tab. You can leave away the comment and the tabstop"
    " preceding the comment",
    "",
    "[PARAMS]",
]

# file name, level name, game path, LvlType ID, LvlPrest DEF, comments
PARAMS = [
    ("mistfen_camp.ds1", "Mistfen Camp", "Act 1 - Town", 1, 12, "the starting camp"),
    ("mistfen_camp_w.ds1", "Mistfen Camp West", "Act 1 - Town", 1, 13, ""),
    ("reedfield.ds1", "Reedfield", "Act 1 - Wilderness", 2, 41, ""),
    ("reedfield_well.ds1", "Reedfield Well", "Act 1 - Wilderness", 2, 44, ""),
    ("thornwall_gate.ds1", "Thornwall Gate", "Act 1 - Wilderness", 2, 57, "north gate"),
    ("greywater_ford.ds1", "Greywater Ford", "Act 1 - Wilderness", 2, 63, ""),
    ("saltmarsh_crypt.ds1", "Saltmarsh Crypt", "Act 1 - Crypts", 3, 88, ""),
    ("saltmarsh_crypt_b.ds1", "Saltmarsh Crypt Level 2", "Act 1 - Crypts", 3, 89, ""),
    ("bellhold_tower.ds1", "Bellhold Tower", "Act 1 - Tower", 4, 102, "top floor"),
    ("sunreach_bazaar.ds1", "Sunreach Bazaar", "Act 2 - Town", 5, 170, ""),
    ("sunreach_docks.ds1", "Sunreach Docks", "Act 2 - Town", 5, 171, ""),
    ("dune_sea.ds1", "The Dune Sea", "Act 2 - Desert", 6, 203, ""),
    ("dune_sea_oasis.ds1", "Dune Sea Oasis", "Act 2 - Desert", 6, 207, "with the pool"),
    ("glasswind_flats.ds1", "Glasswind Flats", "Act 2 - Desert", 6, 215, ""),
    ("underway.ds1", "The Underway", "Act 2 - Sewers", 7, 244, ""),
    ("underway_2.ds1", "The Underway Level 2", "Act 2 - Sewers", 7, 245, ""),
    ("vizier_vault.ds1", "Vizier's Vault", "Act 2 - Tomb", 8, 268, ""),
    ("copperleaf_wharf.ds1", "Copperleaf Wharf", "Act 3 - Town", 9, 301, ""),
    ("drowned_grove.ds1", "Drowned Grove", "Act 3 - Jungle", 10, 326, ""),
    ("drowned_grove_e.ds1", "Drowned Grove East", "Act 3 - Jungle", 10, 327, ""),
    ("vinecoil_hollow.ds1", "Vinecoil Hollow", "Act 3 - Jungle", 10, 339, ""),
    ("ember_keep.ds1", "Ember Keep", "Act 3 - Temple", 11, 352, "inner court"),
    ("ember_keep_old.ds1", "Ember Keep (old layout)", "Act 3 - Temple", 11, 353, ""),
    ("ashen_span.ds1", "The Ashen Span", "Act 4 - Fortress", 12, 410, ""),
    ("cinder_steppe.ds1", "Cinder Steppe", "Act 4 - Wastes", 13, 431, ""),
    ("cinder_steppe_2.ds1", "Cinder Steppe Deep", "Act 4 - Wastes", 13, 432, ""),
    ("hollowforge.ds1", "Hollowforge", "Act 4 - Wastes", 13, 447, "\tthe tab stays"),
    ("frosthelm.ds1", "Frosthelm", "Act 5 - Town", 14, 505, ""),
    ("frosthelm_walls.ds1", "Frosthelm Walls", "Act 5 - Siege", 15, 521, ""),
    ("thornwall_gate.ds1", "Thornwall Gate (siege)", "Act 5 - Siege", 15, 534, "same file, act 5"),
    ("icerime_pass.ds1", "Icerime Pass", "Act 5 - Highlands", 16, 560, ""),
    ("icerime_caves.ds1", "Icerime Caves", "Act 5 - Caves", 17, 588, ""),
    ("duskhollow_ruins.ds1", "Duskhollow Ruins", "Act 5 - Highlands", 16, 573, ""),
    ("summit_throne.ds1", "Summit Throne", "Act 5 - Summit", 18, 612, ""),
    ("summit_throne.ds1.bak", "Summit Throne (backup row)", "Act 5 - Summit", 18, 613, ""),
    ("testbed.ds1", "Testbed", "Act 1 - Town", -1, 0, "negative type"),
]

# The maps shipped with the demo; unlisted_cave.ds1 has no row, Duskhollow_Ruins.DS1 is
# found through its lower-case name, thornwall_gate.ds1 has two rows.
MAPS = [
    ("mistfen_camp.ds1", 1, 24, 24),
    ("thornwall_gate.ds1", 1, 32, 16),
    ("saltmarsh_crypt.ds1", 1, 16, 16),
    ("ember_keep.ds1", 3, 40, 24),
    ("Duskhollow_Ruins.DS1", 5, 24, 32),
    ("unlisted_cave.ds1", 2, 8, 8),
]

# Values of the editor's kelvorn.ini, written with the standard comment blocks.
EDITOR_GROUPS = [
    (["; Paths to the mpqs. When the editor need to read a file from a mpq",
      "; it scan first in mod_dir. If not found, in patch_d2. If not found,",
      "; in d2exp. If again not found, in d2data (just like the game)",
      "; " + "=" * 65],
     [("d2char   = ", r"C:\Program Files (x86)\Diablo II\d2char.mpq"),
      ("d2data   = ", r"C:\Program Files (x86)\Diablo II\d2data.mpq"),
      ("d2exp    = ", r"C:\Program Files (x86)\Diablo II\d2exp.mpq"),
      ("patch_d2 = ", r"C:\Program Files (x86)\Diablo II\patch_d2.mpq"),
      ("mod_dir  = ", "")]),
    (["; if you don't have a mpq, put a blank, like :",
      "; d2exp =",
      "",
      "; mod_dir is an optional Mod Directory, like :",
      "; mod_dir = c:\\program files\\diablo II\\mods\\my_mod",
      "",
      "",
      "; screen configuration",
      "; screen_depth can be either 8, 15, 16, 24 or 32 bits per pixel",
      ";    (if your video card support it)",
      "; if full_screen is not set to YES, it'll be a windowed screen",
      ";    (will always fail under MS-DOS)",
      "; " + "=" * 61],
     [("full_screen   = ", "NO"), ("screen_width  = ", "1024"),
      ("screen_height = ", "768"), ("screen_depth  = ", "16")]),
    (["; Try to use this refresh rate, if possible. Not all drivers are able to",
      "; control this at all, and even when they can, not all rates will be",
      "; possible on all hardware, so the actual settings may differ from what",
      "; you requested. Some non-exhaustive values : 60, 70, 72, 75, 85, 100, 120",
      "; " + "=" * 72],
     [("refresh_rate = ", "60")]),
    (["; speed of scrolls, in pixels", "; " + "=" * 27],
     [("keyb_scroll_x  = ", "40"), ("keyb_scroll_y  = ", "20"),
      ("mouse_scroll_x = ", "20"), ("mouse_scroll_y = ", "10"),
      ("edit_scroll_x  = ", "20"), ("edit_scroll_y  = ", "20")]),
    (["; speed of scroll in the Object Editing window, in rows", "; " + "=" * 53],
     [("obj_edit_scroll = ", "2")]),
    (["; speed of mouse, larger values slow the mouse, defaut 2",
      "; (don't seem to work under Windows XP)",
      "; " + "=" * 54],
     [("mouse_speed_x = ", "2"), ("mouse_speed_y = ", "2")]),
    (["; misc options",
      "; " + "=" * 12,
      "",
      "",
      "; default gamma correction",
      "; valid value : 0.60, 0.62, [...] 0.98, 1.00, 1.10, 1.20, [...], 3.00",
      "; " + "-" * 67],
     [("gamma_correction = ", "1.30")]),
    (["; does the editor allow you to use Type 2 objects of higher act ?",
      "; if this line is NOT set to YES, the editor will allow it",
      "; " + "-" * 63],
     [("only_normal_type2 = ", "YES")]),
    (["; does the editor always modified the ds1 to have 2 floors layers and",
      "; 4 walls layers ?",
      "; if this line is NOT set to YES, the editor won't make any change",
      "; " + "-" * 67],
     [("always_max_layers = ", "YES")]),
    (["; resize the sprites when zooming", "; " + "-" * 31],
     [("stretch_sprite = ", "YES")]),
    (["; when editing an object, posibility to scroll the main tile editing window",
      "; with the arrow keys",
      "; " + "-" * 73],
     [("winobj_can_scroll_keyb = ", "YES")]),
    (["; when editing an object, posibility to scroll the main tile editing window",
      "; with the mouse on the border of the screen",
      "; " + "-" * 73],
     [("winobj_can_scroll_mouse = ", "NO")]),
    (["; after a Centering (with the 'C' key), wich zoom ?",
      "; possible values : NO_CHANGE, 1:1, 1:2, 1:4, 1:8, 1:16",
      "; " + "-" * 53],
     [("center_zoom = ", "1:1")]),
    (["; What are the sizes of object tables in DLL for type 1 and 2 ?",
      "; normal values are :",
      ";    *  60 entries per act for type 1 objects",
      ";    * 150 entries per act for type 2 objects",
      "; You shouldn't change these values unless you have a modified DLL",
      "; " + "-" * 64],
     [("nb_type1_per_act = ", "60"), ("nb_type2_per_act = ", "150")]),
    (["; minimize file size of saved ds1 ?", "; " + "-" * 33],
     [("ds1_saved_minimize = ", "YES")]),
]

# Empty lines before each group of the editor's file (standard comments).
EDITOR_GAPS = [0, 1, 2, 2, 2, 2, 4, 2, 2, 2, 2, 2, 2, 2, 2]

STANDIN_CFG = [
    "; Settings of the stand-in editor (see standin/README.md in the sources).",
    "; Try exit = -1, extra_bytes = 1000000 or linger_ms = 5000.",
    "print = Loading palettes for the map ... done\\r\\nNothing to save, leaving.\\r\\n",
]


def crlf(lines):
    return "".join(line + "\r\n" for line in lines).encode("utf-8")


def loader_ini():
    rows = []
    for name, level, path, type_id, prest, comments in PARAMS:
        row = "\t".join([name, level, path, str(type_id), str(prest)])
        rows.append(row + ("\t" + comments if comments else ""))
    return crlf(LOADER_HEADER + rows)


def editor_ini():
    lines = []
    for gap, (block, settings) in zip(EDITOR_GAPS, EDITOR_GROUPS):
        lines += [""] * gap + block + [prefix + value for prefix, value in settings]
    return crlf(lines)


def sample_map(act, width, height, seed):
    """Stand-in bytes for a map: a tag naming the demo, the act and size, then noise. The
    loader and the stand-in editor only pass map files around; nothing reads them."""
    data = bytearray(b"kelvorn demo map\0" + struct.pack("<3H", act, width, height))
    state = seed
    for _ in range(width * height // 2):
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        data += struct.pack("<H", state >> 15)
    return bytes(data)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    files = {
        "kelvorn_loader.ini": loader_ini(),
        os.path.join("editor", "kelvorn.ini"): editor_ini(),
        os.path.join("editor", "kelvorn_standin.cfg"): crlf(STANDIN_CFG),
    }
    for index, (name, act, width, height) in enumerate(MAPS):
        files[os.path.join("maps", name)] = sample_map(act, width, height, 7919 * (index + 1))
    for relative, data in files.items():
        path = os.path.join(root, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
