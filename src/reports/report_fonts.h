#pragma once
// The IPAex fonts every document is set in, loaded from the Debian font files so
// that the PDF embeds them whatever the machine's font configuration says.

#include <QString>
#include <QStringList>
#include <string>

namespace omrix::reports {

struct ReportFonts {
    QString gothic;  // family of IPAex Gothic: headings, labels, figures
    QString mincho;  // family of IPAex Mincho: titles and entered texts
};

// Loads both fonts once per process (OMRIX_FONT_DIR may name a folder holding
// ipaexg.ttf and ipaexm.ttf). Needs a QGuiApplication. False with `error` naming
// the files looked for when a font is missing.
bool loadReportFonts(ReportFonts& fonts, std::string& error);

// Adds the first of the font files that exists and gives its family; false with
// `error` naming the family and every path looked at when none can be loaded.
bool loadFontFamily(const QString& family, const QStringList& paths, QString& out,
                    std::string& error);

}  // namespace omrix::reports
