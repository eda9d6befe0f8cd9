#!/usr/bin/env python3
"""Writes the benchmark's source data: stock level archives, the mod's files and the map
payload per level, with incompressible content so that the archiver really works.

    make_bench_data.py <data folder> <level> [<level> ...]

<data folder>/paks/<Level>.pak   the level's stock level.pak: a ZIP of PAK_FILES files,
                                 about PAK_MB MB, among them hide/net/<Level>.bai
<data folder>/maps/<Level>/      the level's map payload: script, mission file and about
                                 MAP_MB MB of other files
<data folder>/mod/VELK_Av8/      the mod's files, about MOD_MB MB
Existing pieces are kept, so a second run only adds what is missing.
"""
import os
import random
import sys
import zipfile

PAK_FILES = 300
PAK_MB = 24
MAP_FILES = 30
MAP_MB = 3
MOD_FILES = 40
MOD_MB = 2


def sizes(rng, count, total_bytes):
    """`count` sizes between a tenth and twice the average that add up to about the total."""
    average = total_bytes // count
    raw = [rng.randint(average // 10, average * 2) for _ in range(count)]
    scale = total_bytes / sum(raw)
    return [max(1, int(r * scale)) for r in raw]


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def make_pak(path, level):
    if os.path.exists(path):
        return
    rng = random.Random("pak" + level)
    tmp = path + ".part"
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with zipfile.ZipFile(tmp, "w", zipfile.ZIP_DEFLATED, compresslevel=1) as z:
        for name in ("hide%s.bai" % level, "net%s.bai" % level, "%s.bai" % level):
            z.writestr(name, os.urandom(rng.randint(20_000, 200_000)))
        z.writestr("mission.xml", '<Mission Name="%s">\r\n  <Spawn RespawnTime="0"/>\r\n</Mission>\r\n' % level)
        for i, size in enumerate(sizes(rng, PAK_FILES - 4, PAK_MB * 1024 * 1024)):
            folder = ("Terrain", "Textures", "Objects", "Sounds")[i % 4]
            z.writestr("%s/%s_%03d.dat" % (folder, level.lower(), i), os.urandom(size))
    os.replace(tmp, path)


def make_map(folder, level):
    if os.path.exists(os.path.join(folder, "mission_velk.xml")):
        return
    rng = random.Random("map" + level)
    write(os.path.join(folder, level + ".lua"),
          ('-- VELK Mod Av8 script of the level %s\r\nLevel = { Name = "%s", Mod = "VELK_Av8" }\r\n'
           % (level, level)).encode())
    for i, size in enumerate(sizes(rng, MAP_FILES, MAP_MB * 1024 * 1024)):
        write(os.path.join(folder, "Textures", "velk_%s_%02d.dds" % (level.lower(), i)), os.urandom(size))
    # Written last: it marks the level's payload as complete.
    write(os.path.join(folder, "mission_velk.xml"),
          b'<?xml version="1.0"?>\r\n<Mission Name="VELK">\r\n'
          b'  <Team Name="Red" RespawnTime="0"/>\r\n  <Team Name="Blue" RespawnTime="0"/>\r\n</Mission>\r\n')


def make_mod(folder):
    if os.path.exists(os.path.join(folder, "ModDesc.de.txt")):
        return
    rng = random.Random("mod")
    names = ["textures/gui/mousecursor.dds", "Objects/weapons/DE/de.dds", "Objects/weapons/M4/m4.dds"]
    names += ["Objects/velk/obj_%02d.cgf" % i for i in range(MOD_FILES - 5)]
    for name, size in zip(names, sizes(rng, len(names), MOD_MB * 1024 * 1024)):
        write(os.path.join(folder, *name.split("/")), os.urandom(size))
    write(os.path.join(folder, "ModDesc.en.txt"), b"VELK Mod Av8\r\nEnglish description of the mod.\r\n")
    write(os.path.join(folder, "ModDesc.de.txt"), b"VELK Mod Av8\r\nDeutsche Beschreibung der Mod.\r\n")


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    data = sys.argv[1]
    make_mod(os.path.join(data, "mod", "VELK_Av8"))
    for level in sys.argv[2:]:
        make_pak(os.path.join(data, "paks", level + ".pak"), level)
        make_map(os.path.join(data, "maps", level), level)


if __name__ == "__main__":
    main()
