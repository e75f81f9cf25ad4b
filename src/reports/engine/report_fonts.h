#pragma once
// The fonts every document is set in, loaded from files so that the PDF embeds them
// whatever the machine's font configuration says: Omrix Print Gothic and Mincho,
// derived from IPAex at build time, else IPAex from the Debian font files.

#include <QString>
#include <QStringList>
#include <string>

#include "util/failure.h"

namespace omrix::reports {

struct ReportFonts {
    QString gothic;  // gothic family: headings, labels, figures
    QString mincho;  // mincho family: titles and entered texts
    // Families tried, in order, for a character both lack: IPAmj Mincho for the rare
    // kanji, Symbola for symbols and emoji. Those not installed are left out.
    QStringList fallbacks;
};

// Loads both fonts (and the fallbacks there are) once per process, the derived ones from <program
// folder>/../fonts in the build tree or <prefix>/share/omrix-print/fonts once installed
// (OMRIX_FONT_DIR may name another folder holding omrix-print-gothic.ttf and
// omrix-print-mincho.ttf, or ipaexg.ttf and ipaexm.ttf). Needs a QGuiApplication.
// A missing font fails naming the files looked for.
util::Result<ReportFonts> loadReportFonts();

// Adds the first of the font files that exists and gives its family; the failure names
// the family and every path looked at when none can be loaded.
util::Result<QString> loadFontFamily(const QString& family, const QStringList& paths);

}  // namespace omrix::reports
