#pragma once
// The one conversion between the program's UTF-8 texts and Qt's. Only the Qt layers
// (windows, viewers, painting) include this; omrix_util itself never links Qt.

#include <QString>
#include <string>
#include <string_view>

namespace omrix::util {

inline QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string stdText(const QString& text) {
    return text.toStdString();
}

}  // namespace omrix::util
