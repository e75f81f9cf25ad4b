#!/usr/bin/env python3
"""Reads each workbook named as a reader would: every XML part through a real XML
parser (a malformed part ends the run with its name), the whole book through
openpyxl, then every text of the shared strings and the sheets' inline strings with
its _xHHHH_ codes decoded as OOXML reads them, printed one JSON string a line.
With --cells first: each text cell as openpyxl reads it instead, its row's height in
points, 1 when it wraps, and its text: "<height> <wrap> <JSON string>" a line."""
import json
import re
import sys
import xml.etree.ElementTree as ET
import zipfile

import openpyxl

MAIN = "{http://schemas.openxmlformats.org/spreadsheetml/2006/main}"
CODE = re.compile(r"_x([0-9A-Fa-f]{4})_")

if sys.argv[1] == "--cells":
    for path in sys.argv[2:]:
        for ws in openpyxl.load_workbook(path).worksheets:
            for row in ws.iter_rows():
                for cell in row:
                    if isinstance(cell.value, str):
                        height = ws.row_dimensions[cell.row].height or 0
                        wrap = 1 if cell.alignment.wrap_text else 0
                        print(height, wrap, json.dumps(cell.value, ensure_ascii=False))
    sys.exit(0)

for path in sys.argv[1:]:
    openpyxl.load_workbook(path)
    with zipfile.ZipFile(path) as book:
        for part in book.namelist():
            if not part.endswith((".xml", ".rels")):
                continue
            try:
                root = ET.fromstring(book.read(part))
            except ET.ParseError as error:
                sys.exit(f"{path}: {part}: {error}")
            if part == "xl/sharedStrings.xml" or part.startswith("xl/worksheets/"):
                for t in root.iter(MAIN + "t"):
                    text = CODE.sub(lambda m: chr(int(m.group(1), 16)), t.text or "")
                    print(json.dumps(text, ensure_ascii=False))
