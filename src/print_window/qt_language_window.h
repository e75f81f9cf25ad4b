#pragma once
// Qt's own dialogs (file, print, the overwrite question) and the standard buttons of the
// message boxes (はい, いいえ, キャンセル) in the program's language.

class QObject;

namespace omrix::print_window {

// Loads Qt's Japanese translations for the application; false when they are not
// installed (Qt then speaks English).
bool installQtJapanese(QObject* owner);

}  // namespace omrix::print_window
