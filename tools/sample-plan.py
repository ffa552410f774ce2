#!/usr/bin/env python3
"""Writes a sample design file with a site plan, for screenshots and for trying the plan by hand:
a 40 m x 25 m shop floor drawn as a PNG (ImageMagick's `convert`), its walls, twelve cameras on
3 m poles and six targets, one of which no camera meets.

usage: tools/sample-plan.py OUT.vistamarq   (needs python3, convert and sqlite3)
"""
import hashlib
import json
import subprocess
import sys
import tempfile
from pathlib import Path

METRES_PER_PIXEL = 0.05
WIDTH_M, HEIGHT_M = 40, 25
WALLS = [  # x1, y1, x2, y2 in metres: the outside, the back office, the stock room, the aisles
    (0, 0, 40, 0), (40, 0, 40, 25), (40, 25, 0, 25), (0, 25, 0, 0),
    (28, 25, 28, 15), (28, 15, 34, 15), (36, 15, 40, 15),
    (0, 8, 10, 8), (10, 8, 10, 4),
    (14, 6, 14, 18), (19, 6, 19, 18), (24, 6, 24, 12),
]
CAMERAS = [  # name, x, y, heading, focal length (mm), required level
    ("Entrance", 20, 1, 90, 4, "Identify"), ("Tills 1-2", 6, 12, 315, 6, "Recognise"),
    ("Tills 3-4", 9, 22, 225, 6, "Recognise"), ("Aisle A", 12, 4, 80, 2.8, "Observe"),
    ("Aisle B", 16.5, 4, 90, 4, "Observe"), ("Aisle C", 21.5, 4, 100, 4, "Observe"),
    ("Shop floor", 26, 8, 135, 2.8, "Detect"), ("Office", 30, 24, 300, 2.8, "Recognise"),
    ("Stock room", 39, 14, 200, 2.8, "Observe"), ("Goods in", 39, 1, 120, 6, "Identify"),
    ("Back door", 1, 1, 45, 8, "Identify"), ("Car park", 38, 0.5, 315, 12, "Detect"),
]
TARGETS = [  # name, x, y, level
    ("Front door", 20, 4, "Identify"), ("Till 1", 4, 10, "Recognise"),
    ("Till 3", 4, 18, "Recognise"), ("Safe", 33, 22, "Identify"),
    ("Goods door", 37, 5, "Identify"), ("Back door", 3, 3, "Identify"),
]


def drawing(path):
    px = lambda x, y: (x / METRES_PER_PIXEL, (HEIGHT_M - y) / METRES_PER_PIXEL)
    commands = []
    for x1, y1, x2, y2 in WALLS:
        (a, b), (c, d) = px(x1, y1), px(x2, y2)
        commands += ["-draw", f"line {a:.0f},{b:.0f} {c:.0f},{d:.0f}"]
    subprocess.run(["convert", "-size", f"{WIDTH_M / METRES_PER_PIXEL:.0f}x"
                    f"{HEIGHT_M / METRES_PER_PIXEL:.0f}", "xc:white", "-stroke", "#444",
                    "-strokewidth", "5", *commands, str(path)], check=True)


def camera(number, name, x, y, heading, focal, level):
    return {"id": f"c{number}", "name": name,
            "sensor": {"format": "1/2.8\"", "aspect": "16:9"}, "pixels": [1920, 1080],
            "focalMm": focal, "lens": None, "distanceM": 5, "distanceKind": "ground",
            "mounted": True, "cameraHeightM": 3, "targetHeightM": 1.6, "tiltDeg": None,
            "requiredLevel": level, "requiredWidthM": None,
            "plan": "p1", "x": x, "y": y, "headingDeg": heading}


def main(out):
    with tempfile.TemporaryDirectory() as scratch:
        png = Path(scratch) / "floor.png"
        drawing(png)
        sha = hashlib.sha256(png.read_bytes()).hexdigest()
        design = {
            "format": "vistamarq-design", "version": 1, "name": "High Street store",
            "notes": "Sample site plan", "units": "m",
            "nextCameraNumber": len(CAMERAS) + 1, "nextPlanNumber": 2,
            "nextTargetNumber": len(TARGETS) + 1,
            "cameras": [camera(n + 1, *c) for n, c in enumerate(CAMERAS)],
            "plans": [{"id": "p1", "name": "Ground floor", "image": sha,
                       "metresPerPixel": METRES_PER_PIXEL, "origin": [0, HEIGHT_M],
                       "walls": [list(w) for w in WALLS],
                       "targets": [{"id": f"t{n + 1}", "name": t[0], "x": t[1], "y": t[2],
                                    "level": t[3]} for n, t in enumerate(TARGETS)]}],
        }
        Path(out).unlink(missing_ok=True)
        sql = f"""PRAGMA application_id = {0x564D5144}; PRAGMA user_version = 1;
            CREATE TABLE design(json TEXT);
            CREATE TABLE blob(sha256 TEXT PRIMARY KEY, mime TEXT, bytes BLOB);
            INSERT INTO design VALUES ({sql_text(json.dumps(design))});
            INSERT INTO blob VALUES ('{sha}', 'image/png', readfile('{png}'));"""
        subprocess.run(["sqlite3", out], input=sql, text=True, check=True)


def sql_text(text):
    return "'" + text.replace("'", "''") + "'"


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "sample-plan.vistamarq")
