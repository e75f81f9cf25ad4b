#include "reports/engine/pdf_info.h"

#include <QIODevice>
#include <QString>
#include <cstdio>
#include <optional>

namespace omrix::reports {
namespace {

// The trailer of the last update: enough of it to chain a new one.
struct Trailer {
    long long size = 0, root = 0, xref = 0;
};

std::optional<long long> numberAfter(const QByteArray& text, const QByteArray& key,
                                     qsizetype from) {
    const qsizetype at = text.indexOf(key, from);
    if (at < 0) return std::nullopt;
    qsizetype i = at + key.size();
    while (i < text.size() && (text[i] == ' ' || text[i] == '\r' || text[i] == '\n')) ++i;
    long long value = 0;
    bool any = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, any = true)
        value = value * 10 + (text[i] - '0');
    if (!any) return std::nullopt;
    return value;
}

std::optional<Trailer> readTrailer(QIODevice& pdf) {
    constexpr qint64 kTail = 4096;
    const qint64 size = pdf.size();
    if (!pdf.seek(std::max<qint64>(0, size - kTail))) return std::nullopt;
    const QByteArray tail = pdf.read(kTail);
    const qsizetype trailer = tail.lastIndexOf("trailer");
    const qsizetype start = tail.lastIndexOf("startxref");
    if (trailer < 0 || start < trailer) return std::nullopt;
    auto count = numberAfter(tail, "/Size", trailer);
    auto root = numberAfter(tail, "/Root", trailer);
    auto xref = numberAfter(tail, "startxref", start);
    if (!count || !root || !xref) return std::nullopt;
    return Trailer{*count, *root, *xref};
}

// A text string in UTF-16BE with its byte order mark, in hex: no escaping to get wrong.
QByteArray pdfString(const std::string& text) {
    QByteArray bytes("<FEFF");
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    for (QChar c : s) bytes += QByteArray::number(c.unicode() | 0x10000, 16).mid(1).toUpper();
    return bytes + ">";
}

}  // namespace

std::string creatorText() {
    return std::string("omrix-print ") + OMRIX_VERSION;
}

bool appendPdfInfo(QIODevice& pdf, const DocumentInfo& info, std::string& error) {
    const std::optional<Trailer> last = readTrailer(pdf);
    if (!last) {
        error = "the PDF written has no trailer to add its information to";
        return false;
    }
    const qint64 object = pdf.size();
    QByteArray update = QByteArray::number(last->size) + " 0 obj\n<<\n/Title " +
                        pdfString(info.title) + "\n/Creator " + pdfString(creatorText());
    if (!info.author.empty()) update += "\n/Author " + pdfString(info.author);
    if (!info.subject.empty()) update += "\n/Subject " + pdfString(info.subject);
    update += "\n>>\nendobj\n";
    const qint64 xref = object + update.size();
    char entry[32];
    std::snprintf(entry, sizeof entry, "%010lld 00000 n \n", static_cast<long long>(object));
    update += "xref\n" + QByteArray::number(last->size) + " 1\n" + entry;
    update += "trailer\n<<\n/Size " + QByteArray::number(last->size + 1) + "\n/Root " +
              QByteArray::number(last->root) + " 0 R\n/Info " + QByteArray::number(last->size) +
              " 0 R\n/Prev " + QByteArray::number(last->xref) + "\n>>\nstartxref\n" +
              QByteArray::number(xref) + "\n%%EOF\n";
    if (!pdf.seek(object) || pdf.write(update) != update.size()) {
        error = "the PDF's information could not be written";
        return false;
    }
    return true;
}

}  // namespace omrix::reports
