#include "print_window/qt_language_window.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace omrix::print_window {

bool installQtJapanese(QObject* owner) {
    auto* translator = new QTranslator(owner);
    // The program's language, whatever the desktop's locale: its own texts are Japanese.
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), "qt", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace omrix::print_window
