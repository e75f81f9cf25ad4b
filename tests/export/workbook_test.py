#!/usr/bin/env python3
"""omrix-print-export --formats pdf,xlsx on demo databases made with omrix-db: the
workbooks are read back with openpyxl and held against the PDFs (pages) and against
内訳出力 (the print rows the statement is painted from).

Usage: workbook_test.py OMRIX_PRINT_EXPORT OMRIX_DB [unittest arguments]
"""
import collections
import os
import re
import sqlite3
import subprocess
import sys
import tempfile
import unittest
import zipfile
from decimal import Decimal

import openpyxl

EXPORT = DB_TOOL = None

DEMO = ["--bukken", "00000001", "--han", "01"]
ALL = ["--outputs", "uchiwake,youkou,gaiyou,daika"]
INI = ("[DATABASE]\nSERVER_NAME=sqlite\nDB_NAME=demo.sqlite\nUSER_NAME=\nPASSWORD=\nSQL_DNS=\n"
       "[KALVERON]\nTANTOSHA=demo\nPRINTCOMAPNYNAME=株式会社オムリクス建設\n")
IPAEX = {"IPAex明朝", "IPAexゴシック"}
A4, JIS_B5 = 9, 13
# Paper and orientation of each print type, as the PDFs print them.
PRINT_TYPES = {
    "B5": (JIS_B5, "portrait"),
    "A4(横)": (A4, "landscape"),
    "A4(縦)": (A4, "portrait"),
    "A4(計算式)": (A4, "landscape"),
    "A4(社内確認用)": (A4, "landscape"),
}
ESTIMATES = ["見積１", "見積２", "見積３", "見積４", "提出用"]


def fold(name):
    """Identifiers as the database holds them: full-width ASCII forms folded."""
    return "".join(chr(ord(c) - 0xFEE0) if 0xFF01 <= ord(c) <= 0xFF5E else c for c in name)


def pdf_pages(path):
    info = subprocess.run(["pdfinfo", path], capture_output=True, text=True, check=True).stdout
    return int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))


def page_starts(ws):
    """1-based rows that begin a printed page: the first, and one after each break."""
    return [1] + sorted(b.id + 1 for b in ws.row_breaks.brk)


def money(value):
    """A 内訳出力 currency as the number the workbook should hold."""
    return Decimal(str(value)).normalize()


def cell_number(value):
    return Decimal(repr(value)).normalize()


class DemoFolder:
    def __init__(self, lines):
        self.tmp = tempfile.TemporaryDirectory(prefix="omrix-workbook-")
        self.root = self.tmp.name
        self.ini = os.path.join(self.root, "OMRIX.INI")
        self.out = os.path.join(self.root, "docs")
        with open(self.ini, "w", encoding="utf-8") as f:
            f.write(INI)
        for command in (["init"], ["demo", "--lines", str(lines)]):
            subprocess.run([DB_TOOL] + command + ["--ini", self.ini], check=True,
                           capture_output=True)

    def run(self, *arguments):
        return subprocess.run([EXPORT, "--ini", self.ini, "--out", self.out] + list(arguments),
                              capture_output=True, text=True)

    def path(self, name):
        return os.path.join(self.out, name)

    def print_rows(self):
        db = sqlite3.connect(os.path.join(self.root, "demo.sqlite"))
        db.row_factory = sqlite3.Row
        rows = db.execute("SELECT * FROM 内訳出力 ORDER BY 頁番号, 表示No").fetchall()
        db.close()
        return rows

    def estimate_names(self):
        db = sqlite3.connect(os.path.join(self.root, "demo.sqlite"))
        names = dict(db.execute(fold("SELECT 金額種類ＩＤ, 金額種類名称 FROM 金額種類Ｍ")).fetchall())
        db.close()
        return [names.get(1, "").rstrip(), names.get(2, "").rstrip(), "見積３", "見積４",
                names.get(5, "").rstrip()]


class Workbooks(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.demo = DemoFolder(300)

    @classmethod
    def tearDownClass(cls):
        cls.demo.tmp.cleanup()

    def export(self, *arguments):
        result = self.demo.run(*DEMO, *arguments)
        self.assertEqual(result.returncode, 0, result.stderr)
        return result

    def columns_by_heading(self, ws, heading_row):
        """Column letter of each heading text in the row."""
        return {c.value: c.column for c in ws[heading_row] if isinstance(c.value, str)}

    def check_page_setup(self, ws, paper, orientation):
        self.assertEqual(int(ws.page_setup.paperSize), paper)
        self.assertEqual(ws.page_setup.orientation, orientation)
        self.assertTrue(ws.sheet_properties.pageSetUpPr.fitToPage)
        # 1 is the default width, which the file may leave unsaid.
        self.assertIn(ws.page_setup.fitToWidth, (None, 1, "1"))
        self.assertEqual(int(ws.page_setup.fitToHeight), 0)

    def check_fonts(self, ws):
        for row in ws.iter_rows():
            for cell in row:
                if cell.value is not None:
                    self.assertIn(cell.font.name, IPAEX, cell.coordinate)

    def test_all_four_workbooks_page_like_their_pdfs(self):
        result = self.export(*ALL, "--layout", "A4(横)", "--formats", "pdf,xlsx")
        papers = {"uchiwake": (A4, "landscape"), "youkou": (A4, "portrait"),
                  "gaiyou": (A4, "portrait"), "daika": (A4, "landscape")}
        sheet_names = {"uchiwake": "内訳書", "youkou": "見積要項", "gaiyou": "工事概要",
                       "daika": "代価表"}
        for name, (paper, orientation) in papers.items():
            with self.subTest(name):
                self.assertIn(self.demo.path(name + ".xlsx"), result.stdout)
                self.assertFalse(os.path.exists(self.demo.path(name + ".xlsx.part")))
                wb = openpyxl.load_workbook(self.demo.path(name + ".xlsx"))
                self.assertEqual(wb.sheetnames, [sheet_names[name]])
                ws = wb.active
                pages = pdf_pages(self.demo.path(name + ".pdf"))
                self.assertEqual(len(ws.row_breaks.brk), pages - 1)
                self.check_page_setup(ws, paper, orientation)
                self.check_fonts(ws)
                # Each page ends with its number, as on the PDF.
                texts = [c.value for row in ws.iter_rows() for c in row if isinstance(c.value, str)]
                for page in (1, pages):
                    self.assertIn(f"{page} / {pages}", texts)

    def test_sheets_hold_the_labels_and_values_of_their_pdfs(self):
        self.export("--outputs", "youkou,gaiyou", "--formats", "pdf,xlsx")
        for name in ("youkou", "gaiyou"):
            with self.subTest(name):
                pdf_text = subprocess.run(["pdftotext", self.demo.path(name + ".pdf"), "-"],
                                          capture_output=True, text=True, check=True).stdout
                pdf_text = re.sub(r"\s+", "", pdf_text)
                ws = openpyxl.load_workbook(self.demo.path(name + ".xlsx")).active
                texts = [c.value for row in ws.iter_rows() for c in row
                         if isinstance(c.value, str)]
                self.assertGreater(len(texts), 10)
                for text in texts:
                    for word in text.split():
                        self.assertIn(word, pdf_text, text)

    def test_statement_of_every_print_type(self):
        names = self.demo.estimate_names()
        for layout, (paper, orientation) in PRINT_TYPES.items():
            with self.subTest(layout):
                self.export("--layout", layout, "--formats", "pdf,xlsx")
                rows = self.demo.print_rows()
                self.assertGreater(len(rows), 15)
                wb = openpyxl.load_workbook(self.demo.path("uchiwake.xlsx"))
                ws = wb["内訳書"]
                pages = pdf_pages(self.demo.path("uchiwake.pdf"))
                self.assertEqual(len(ws.row_breaks.brk), pages - 1)
                self.check_page_setup(ws, paper, orientation)
                self.check_fonts(ws)
                starts = page_starts(ws)
                self.assertEqual(len(starts), pages)
                block = starts[1] - starts[0]
                # Every page the same height: title, project, page name, headings,
                # fifteen lines and the page number.
                self.assertEqual(set(b - a for a, b in zip(starts, starts[1:])), {block})
                heading_rows = 2 if layout == "A4(社内確認用)" else 1
                self.assertEqual(block, 3 + heading_rows + 15 + 1)
                self.check_lines(ws, starts, heading_rows, rows, layout, names)

    def check_lines(self, ws, starts, heading_rows, rows, layout, names):
        heading_row = starts[0] + 3
        headings = self.columns_by_heading(ws, heading_row)
        internal = layout == "A4(社内確認用)"
        if internal:
            # The five estimate columns, each a price and an amount column.
            for name in names:
                self.assertIn(name, headings)
            lower = [c.value for c in ws[heading_row + 1]]
            self.assertEqual(lower.count("単価"), 5)
            self.assertEqual(lower.count("金額"), 5)
            amount_columns = [headings[name] + 1 for name in names]
        else:
            amount_columns = [headings["金　額"]]
        name_column = headings["名　称"]
        unit_column = headings["単位"]
        quantity_column = headings["数　量"]

        body = []  # the line rows of every page
        for start in starts:
            first = start + 3 + heading_rows
            body.extend(range(first, first + 15))
        expected = collections.Counter()
        quantities = collections.Counter()
        for r in rows:
            columns = ESTIMATES if internal else ["提出用"]
            for k in columns:
                if r[fold(k + "金額")]:
                    expected[(k, money(r[fold(k + "金額")]))] += 1
            q = r["内訳数量"].strip().replace(",", "")
            if q:
                quantities[Decimal(q).normalize()] += 1
        found = collections.Counter()
        found_quantities = collections.Counter()
        cell_names, cell_units = set(), set()
        for row in body:
            for k, column in zip(ESTIMATES if internal else ["提出用"], amount_columns):
                cell = ws.cell(row, column)
                if cell.value is None:
                    continue
                self.assertEqual(cell.data_type, "n", cell.coordinate)
                self.assertTrue(cell.number_format.startswith("#,##0"), cell.number_format)
                found[(k, cell_number(cell.value))] += 1
            q = ws.cell(row, quantity_column)
            if q.value is not None:
                self.assertEqual(q.data_type, "n", q.coordinate)
                self.assertEqual(q.number_format, "#,##0.000")
                found_quantities[cell_number(q.value)] += 1
            if ws.cell(row, name_column).value:
                cell_names.update(ws.cell(row, name_column).value.split("\n"))
            if ws.cell(row, unit_column).value:
                cell_units.add(ws.cell(row, unit_column).value)
        self.assertEqual(found, expected)
        self.assertEqual(found_quantities, quantities)
        for r in rows:
            if r[fold("名称１")].strip():
                self.assertIn(r[fold("名称１")].strip(), cell_names)
            if r["単位名称"].strip():
                self.assertIn(r["単位名称"].strip(), cell_units)

    def test_nothing_ticked_writes_no_statement_workbook(self):
        result = self.demo.run(*DEMO, *ALL, "--levels", "none", "--formats", "xlsx")
        self.assertEqual(result.returncode, 1)
        self.assertIn("未選択画面: 出力する内訳が選択されていません。", result.stderr)
        self.assertIn(self.demo.path("uchiwake.xlsx") + ": no workbook written", result.stderr)
        self.assertFalse(os.path.exists(self.demo.path("uchiwake.xlsx")))
        for name in ("youkou", "gaiyou", "daika"):
            self.assertTrue(os.path.exists(self.demo.path(name + ".xlsx")), name)
            self.assertFalse(os.path.exists(self.demo.path(name + ".pdf")), name)

    def test_a_run_removes_every_previous_output(self):
        os.makedirs(self.demo.out, exist_ok=True)
        for name in ("uchiwake.xlsx", "uchiwake.pdf.part", "daika.xlsx"):
            with open(self.demo.path(name), "w") as f:
                f.write("old")
        self.export("--formats", "pdf")
        self.assertTrue(os.path.exists(self.demo.path("uchiwake.pdf")))
        self.assertFalse(os.path.exists(self.demo.path("uchiwake.xlsx")))
        self.assertFalse(os.path.exists(self.demo.path("uchiwake.pdf.part")))
        # Not asked for, but of another run: a folder never mixes two runs.
        self.assertFalse(os.path.exists(self.demo.path("daika.xlsx")))

    def test_unknown_format_is_a_usage_error(self):
        for formats in ("docx", "pdf,", "", "PDF"):
            with self.subTest(formats):
                self.assertEqual(self.demo.run(*DEMO, "--formats", formats).returncode, 2)


class LongStatement(unittest.TestCase):
    """Excel keeps at most 1023 manual breaks in a worksheet: a statement of more than
    1024 pages goes on in a second worksheet."""

    def test_pages_beyond_one_worksheet_go_on_in_the_next(self):
        demo = DemoFolder(14000)
        self.addCleanup(demo.tmp.cleanup)
        result = demo.run(*DEMO, "--layout", "A4(横)", "--formats", "xlsx")
        self.assertEqual(result.returncode, 0, result.stderr)
        db = sqlite3.connect(os.path.join(demo.root, "demo.sqlite"))
        pages = db.execute("SELECT COUNT(DISTINCT 頁番号) FROM 内訳出力").fetchone()[0]
        db.close()
        self.assertGreater(pages, 1024)
        # Read as XML: openpyxl would take long over this many cells.
        with zipfile.ZipFile(demo.path("uchiwake.xlsx")) as z:
            book = z.read("xl/workbook.xml").decode()
            first = z.read("xl/worksheets/sheet1.xml").decode()
            second = z.read("xl/worksheets/sheet2.xml").decode()
        self.assertEqual(re.findall(r'<sheet name="([^"]+)"', book), ["内訳書", "内訳書(2)"])
        self.assertEqual(first.count("<brk "), 1023)
        self.assertEqual(second.count("<brk "), pages - 1024 - 1)
        # The second worksheet opens with page 1025 and its page numbers run on.
        self.assertIn(f"1025 / {pages}", second)
        self.assertIn(f"{pages} / {pages}", second)
        self.assertNotIn(f"1025 / {pages}", first)


if __name__ == "__main__":
    EXPORT, DB_TOOL = sys.argv[1], sys.argv[2]
    unittest.main(argv=[sys.argv[0]] + sys.argv[3:])
