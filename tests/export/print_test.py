#!/usr/bin/env python3
"""omrix-print-export --print against the throwaway CUPS server of
scripts/with-test-cups: the file its queue writes is read back (pdfinfo, pdftotext)
and held against the PDF export of the same run; copies and paper are read from the
job's attributes (ipptool Get-Jobs).

Usage: print_test.py OMRIX_PRINT_EXPORT OMRIX_DB [unittest arguments]
Exit 77 (skipped) when no test CUPS server is running, unless
OMRIX_TEST_CUPS_REQUIRED=1.
"""
import os
import re
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.parse

EXPORT = DB_TOOL = None
QUEUE = os.environ.get("OMRIX_TEST_CUPS_QUEUE")
PRINTED = os.environ.get("OMRIX_TEST_CUPS_OUTPUT")
DEMO = ["--bukken", "00000001", "--han", "01"]
INI = ("[DATABASE]\nSERVER_NAME=sqlite\nDB_NAME=demo.sqlite\nUSER_NAME=\nPASSWORD=\nSQL_DNS=\n"
       "[KALVERON]\nTANTOSHA=demo\nPRINTCOMAPNYNAME=株式会社オムリクス建設\n")
# pdfinfo's page size in points: JIS B5 182 × 257 mm and A4 210 × 297 mm at 72/25.4
# points a millimetre, rounded by the PDF writer to whole points.
B5_PORTRAIT = (516, 729)
A4_LANDSCAPE = (842, 595)
GET_JOBS = """{
 OPERATION Get-Jobs
 GROUP operation-attributes-tag
 ATTR charset attributes-charset utf-8
 ATTR naturalLanguage attributes-natural-language en
 ATTR uri printer-uri $uri
 ATTR keyword which-jobs completed
 ATTR keyword requested-attributes job-id,copies,media
}
"""


def pdf_info(path):
    info = subprocess.run(["pdfinfo", path], capture_output=True, text=True, check=True).stdout
    pages = int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))
    size = re.search(r"^Page size:\s+([\d.]+) x ([\d.]+)", info, re.M)
    return pages, (round(float(size.group(1))), round(float(size.group(2))))


def page_text(path, page):
    """The words of a page in reading order: the printer's resolution may move a text
    by a fraction of a point, which changes pdftotext's spacing but not its words."""
    return subprocess.run(["pdftotext", "-f", str(page), "-l", str(page), path, "-"],
                          capture_output=True, text=True, check=True).stdout.split()


def wait_for_queue():
    """Until the queue holds no job that is not completed."""
    for _ in range(300):
        active = subprocess.run(["lpstat", "-o", QUEUE], capture_output=True, text=True).stdout
        if not active.strip():
            return
        time.sleep(0.1)
    raise AssertionError("the test queue did not finish its jobs")


def last_job():
    """copies and media of the one job the queue's history holds."""
    socket = urllib.parse.quote(os.environ["CUPS_SERVER"], safe="")
    with tempfile.NamedTemporaryFile("w", suffix=".test") as test:
        test.write(GET_JOBS)
        test.flush()
        out = subprocess.run(["ipptool", "-tv", f"ipp://{socket}/printers/{QUEUE}", test.name],
                             capture_output=True, text=True, check=True).stdout
    copies = re.findall(r"copies \(integer\) = (\d+)", out)
    media = re.findall(r"media \(keyword\) = (\S+)", out)
    # A job of one copy carries no copies attribute.
    assert len(copies) <= 1 and len(media) == 1, out
    return {"copies": int(copies[0]) if copies else 1, "media": media[0]}


@unittest.skipUnless(QUEUE and PRINTED and os.environ.get("CUPS_SERVER"),
                     "no test CUPS server (run under scripts/with-test-cups)")
class PrintOnQueue(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory(prefix="omrix-print-")
        root = cls.tmp.name
        cls.ini = os.path.join(root, "OMRIX.INI")
        cls.out = os.path.join(root, "docs")
        with open(cls.ini, "w", encoding="utf-8") as f:
            f.write(INI)
        for command in (["init"], ["demo", "--lines", "300"]):
            subprocess.run([DB_TOOL] + command + ["--ini", cls.ini], check=True,
                           capture_output=True)

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def export(self, *arguments):
        if os.path.exists(PRINTED):
            os.remove(PRINTED)
        # The queue's history purged, so that the next job is the only one.
        subprocess.run(["cancel", "-a", "-x", QUEUE], check=True)
        run = subprocess.run([EXPORT, "--ini", self.ini] + DEMO + list(arguments),
                             capture_output=True, text=True)
        wait_for_queue()
        return run

    def test_printed_pages_paper_and_copies(self):
        # (layout, output, --page-range, copies, first page expected, pages expected, paper)
        # pages expected None: the whole document as exported.
        cases = [
            ("B5", "uchiwake", "2-4", 3, 2, 3, B5_PORTRAIT),
            ("A4(横)", "uchiwake", None, 1, 1, None, A4_LANDSCAPE),
            ("A4(横)", "uchiwake", "5", 2, 5, 1, A4_LANDSCAPE),
            # A range running past the end is cut at the last page, as a print dialog's;
            # the unit-price tables keep their own paper whatever the print type.
            ("B5", "daika", "1-9999", 1, 1, None, None),
        ]
        for layout, output, page_range, copies, first, pages, paper in cases:
            with self.subTest(layout=layout, output=output, page_range=page_range):
                arguments = ["--layout", layout, "--outputs", output, "--out", self.out,
                             "--print", QUEUE, "--copies", str(copies)]
                if page_range:
                    arguments += ["--page-range", page_range]
                run = self.export(*arguments)
                self.assertEqual(run.returncode, 0, run.stderr)
                exported = os.path.join(self.out, output + ".pdf")
                exported_pages, exported_paper = pdf_info(exported)
                printed_pages, printed_paper = pdf_info(PRINTED)
                self.assertEqual(printed_pages, pages or exported_pages - first + 1)
                self.assertEqual(printed_paper, paper or exported_paper)
                self.assertEqual(printed_paper, exported_paper)
                self.assertEqual(page_text(PRINTED, 1), page_text(exported, first))
                job = last_job()
                self.assertEqual(job["copies"], copies)
                self.assertEqual(job["media"], "B5" if printed_paper == B5_PORTRAIT else "A4")

    def test_print_without_out_writes_no_file(self):
        cwd = tempfile.mkdtemp(dir=self.tmp.name)
        run = subprocess.run([EXPORT, "--ini", self.ini] + DEMO + ["--print", QUEUE],
                             capture_output=True, text=True, cwd=cwd)
        wait_for_queue()
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(os.listdir(cwd), [])
        self.assertEqual(run.stdout, "")
        self.assertTrue(os.path.exists(PRINTED))

    def test_queue_missing_or_refusing_stops_the_run(self):
        out = tempfile.mkdtemp(dir=self.tmp.name)
        run = self.export("--print", "omrix-no-such-queue", "--out", out)
        self.assertEqual(run.returncode, 1)
        self.assertEqual(run.stderr.splitlines(),
                         ["print queue omrix-no-such-queue: CUPS has no such queue "
                          f"(its queues: {QUEUE})"])
        self.assertEqual(os.listdir(out), [])
        self.assertFalse(os.path.exists(PRINTED))

        subprocess.run(["cupsreject", "-r", "toner low", QUEUE], check=True)
        try:
            run = self.export("--print", QUEUE, "--out", out)
        finally:
            subprocess.run(["cupsaccept", QUEUE], check=True)
        self.assertEqual(run.returncode, 1)
        self.assertEqual(run.stderr.splitlines(),
                         [f"print queue {QUEUE}: CUPS does not accept jobs for it (toner low)"])
        self.assertEqual(os.listdir(out), [])
        self.assertFalse(os.path.exists(PRINTED))

    def test_page_range_and_copies_are_checked(self):
        # Usage errors, before any start-up: exit 2.
        for arguments in (["--print", QUEUE, "--copies", "0"],
                          ["--print", QUEUE, "--copies", "1000"],
                          ["--print", QUEUE, "--page-range", "4-2"],
                          ["--print", QUEUE, "--page-range", "0-3"],
                          ["--print", QUEUE, "--page-range", "2-"],
                          ["--copies", "2"],
                          ["--page-range", "1-2"]):
            with self.subTest(arguments=arguments):
                self.assertEqual(self.export(*arguments).returncode, 2)


if __name__ == "__main__":
    EXPORT, DB_TOOL = sys.argv[1], sys.argv[2]
    result = unittest.main(argv=[sys.argv[0]] + sys.argv[3:], exit=False).result
    if not result.wasSuccessful():
        sys.exit(1)
    if result.skipped and not result.testsRun - len(result.skipped):
        if os.environ.get("OMRIX_TEST_CUPS_REQUIRED") == "1":
            print("print_test: no test CUPS server, but one is required", file=sys.stderr)
            sys.exit(1)
        print("print_test: skipped: no test CUPS server (run under scripts/with-test-cups)",
              file=sys.stderr)
        sys.exit(77)
