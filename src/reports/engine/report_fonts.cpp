#include "reports/engine/report_fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QStringList>
#include <cstdlib>

#include "context/program_folder.h"
#include "reports/engine/gui_application.h"

namespace omrix::reports {
namespace {

QStringList candidates(const QString& file, const QStringList& debianPaths) {
    QStringList paths;
    if (const char* dir = std::getenv("OMRIX_FONT_DIR"); dir != nullptr && *dir != '\0')
        paths << QString::fromLocal8Bit(dir) + "/" + file;
    paths << debianPaths;
    return paths;
}

// Only files that start as a font are handed to Qt: a file of anything else is
// refused by it, but leaves its font database damaged at exit.
bool looksLikeFont(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    QByteArray head = file.read(4);
    return head == QByteArray("\x00\x01\x00\x00", 4) || head == "OTTO" || head == "true" ||
           head == "ttcf";
}

}  // namespace

util::Result<QString> loadFontFamily(const QString& family, const QStringList& paths) {
    for (const QString& path : paths) {
        if (!looksLikeFont(path)) continue;
        int id = QFontDatabase::addApplicationFont(path);
        QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (id >= 0 && !families.isEmpty()) return families.front();
    }
    return util::Failure(
        "font " + family.toStdString() + " not found",
        "none of " + paths.join(", ").toStdString() + " is a font file (install fonts-ipaexfont)");
}

namespace {

// Qt may know the family already (from the system's fonts or an earlier load): it is
// then the same IPAex file, and loading it again would only add a duplicate.
util::Result<QString> loadFamily(const QString& family, const QStringList& paths) {
    if (QFontDatabase::families().contains(family)) return family;
    return loadFontFamily(family, paths);
}

}  // namespace

namespace {

struct Fallback {
    QString family, file, path;  // as Debian installs it
};

const Fallback kFallbacks[] = {
    {"IPAmjMincho", "ipamjm.ttf", "/usr/share/fonts/truetype/ipamj/ipamjm.ttf"},
    {"Symbola", "Symbola_hint.ttf", "/usr/share/fonts/truetype/ancient-scripts/Symbola_hint.ttf"},
};

struct Face {
    QString printFamily, printFile;  // derived at build time, see scripts/derive-print-fonts
    QString family, file;            // IPAex as Debian installs it
    QStringList debianPaths;
};

// The derived fonts lie in <build>/fonts beside <build>/bin, or in the package's
// data folder once installed.
QStringList printCandidates(const QString& file) {
    const QString program = QString::fromStdString(context::programFolder());
    const QString data = QString::fromStdString(context::packageDataFolder());
    return candidates(file, {program + "/../fonts/" + file, data + "/fonts/" + file});
}

// IPAex itself only when the derived font is missing: it prints the same, but text
// taken from the PDF may name a radical for an ideograph.
util::Result<QString> loadFace(const Face& face) {
    auto derived = loadFamily(face.printFamily, printCandidates(face.printFile));
    if (derived) return derived;
    auto debian = loadFamily(face.family, candidates(face.file, face.debianPaths));
    if (debian) return debian;
    return util::Failure(derived.failure().text() + "; " + debian.failure().message,
                         debian.failure().cause);
}

}  // namespace

util::Result<ReportFonts> loadReportFonts() {
    if (!hasGuiApplication())
        return util::Failure("fonts need a QGuiApplication (make a GuiApplicationScope first)");
    const Face gothic{"Omrix Print Gothic",
                      "omrix-print-gothic.ttf",
                      "IPAexGothic",
                      "ipaexg.ttf",
                      {"/usr/share/fonts/opentype/ipaexfont-gothic/ipaexg.ttf",
                       "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf"}};
    const Face mincho{"Omrix Print Mincho",
                      "omrix-print-mincho.ttf",
                      "IPAexMincho",
                      "ipaexm.ttf",
                      {"/usr/share/fonts/opentype/ipaexfont-mincho/ipaexm.ttf",
                       "/usr/share/fonts/truetype/fonts-japanese-mincho.ttf"}};
    auto gothicFamily = loadFace(gothic);
    if (!gothicFamily) return gothicFamily.failure();
    auto minchoFamily = loadFace(mincho);
    if (!minchoFamily) return minchoFamily.failure();
    ReportFonts fonts{.gothic = *gothicFamily, .mincho = *minchoFamily, .fallbacks = {}};
    for (const auto& [family, file, path] : kFallbacks) {
        // A missing fallback costs only the characters it would have drawn; those are
        // named when they are printed.
        if (auto loaded = loadFamily(family, candidates(file, {path}))) fonts.fallbacks << *loaded;
    }
    return fonts;
}

}  // namespace omrix::reports
