#include "reports/engine/pdf_update.h"

#include <QString>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string_view>

#include "util/qt_text.h"

namespace omrix::reports {
namespace {

// What the update needs of the written file.
struct PdfTail {
    long xrefOffset = 0;
    long size = 0;  // /Size: the next free object number
    long root = 0;
    std::optional<long> info;
    std::vector<long> offsets;  // by object number, -1 when free
    std::string catalog;        // the catalog's dictionary without its << >>
    std::vector<long> pages;    // page objects in order
};

std::string readRange(std::ifstream& in, long from, long count) {
    std::string text(static_cast<std::size_t>(std::max(count, 0L)), '\0');
    in.clear();
    in.seekg(from);
    in.read(text.data(), count);
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

// Object `number`'s text from "obj" to "endobj", read in growing pieces: the page
// list of a long document is the one large object.
std::optional<std::string> readObject(std::ifstream& in, const PdfTail& tail, long number) {
    if (number < 0 || number >= static_cast<long>(tail.offsets.size()) ||
        tail.offsets[static_cast<std::size_t>(number)] < 0)
        return std::nullopt;
    const long offset = tail.offsets[static_cast<std::size_t>(number)];
    for (long length = 4096; length <= (1L << 28); length *= 4) {
        std::string text = readRange(in, offset, length);
        std::size_t end = text.find("endobj");
        if (end != std::string::npos) return text.substr(0, end);
        if (static_cast<long>(text.size()) < length) break;
    }
    return std::nullopt;
}

bool readXref(std::ifstream& in, long fileSize, PdfTail& tail) {
    std::string end = readRange(in, std::max(0L, fileSize - 1024), 1024);
    std::size_t at = end.rfind("startxref");
    if (at == std::string::npos) return false;
    auto offset = pdfNumberAfter(std::string_view(end).substr(at), "startxref");
    if (!offset || *offset <= 0 || *offset >= fileSize) return false;
    tail.xrefOffset = *offset;
    std::string text = readRange(in, *offset, fileSize - *offset);
    if (text.rfind("xref", 0) != 0) return false;  // a cross-reference stream: not ours
    std::size_t pos = 4;
    std::size_t trailer = text.find("trailer", pos);
    if (trailer == std::string::npos) return false;
    while (true) {
        pos = text.find_first_not_of(" \r\n", pos);
        if (pos == std::string::npos || pos >= trailer) break;
        long first = 0;
        long count = 0;
        auto r1 = std::from_chars(text.data() + pos, text.data() + trailer, first);
        if (r1.ec != std::errc()) return false;
        pos = text.find_first_not_of(' ', static_cast<std::size_t>(r1.ptr - text.data()));
        auto r2 = std::from_chars(text.data() + pos, text.data() + trailer, count);
        if (r2.ec != std::errc() || first < 0 || count < 0) return false;
        pos = text.find_first_not_of(" \r\n", static_cast<std::size_t>(r2.ptr - text.data()));
        if (tail.offsets.size() < static_cast<std::size_t>(first + count))
            tail.offsets.resize(static_cast<std::size_t>(first + count), -1);
        for (long i = 0; i < count; ++i, pos += 20) {
            if (pos + 18 > trailer) return false;
            long value = 0;
            std::from_chars(text.data() + pos, text.data() + pos + 10, value);
            if (text[pos + 17] == 'n') tail.offsets[static_cast<std::size_t>(first + i)] = value;
        }
    }
    std::string_view dict = std::string_view(text).substr(trailer);
    auto size = pdfNumberAfter(dict, "/Size");
    auto root = pdfNumberAfter(dict, "/Root");
    if (!size || !root || dict.find("/Prev") != std::string_view::npos) return false;
    tail.size = *size;
    tail.root = *root;
    tail.info = pdfNumberAfter(dict, "/Info");
    return true;
}

bool readPages(std::ifstream& in, PdfTail& tail) {
    auto catalog = readObject(in, tail, tail.root);
    if (!catalog) return false;
    std::size_t open = catalog->find("<<");
    std::size_t close = catalog->rfind(">>");
    if (open == std::string::npos || close == std::string::npos || close < open) return false;
    tail.catalog = catalog->substr(open + 2, close - open - 2);
    if (tail.catalog.find("/Outlines") != std::string::npos) return false;
    auto pagesNumber = pdfNumberAfter(tail.catalog, "/Pages");
    if (!pagesNumber) return false;
    auto pages = readObject(in, tail, *pagesNumber);
    if (!pages) return false;
    std::size_t kids = pages->find("/Kids");
    std::size_t from = kids == std::string::npos ? kids : pages->find('[', kids);
    std::size_t to = from == std::string::npos ? from : pages->find(']', from);
    if (to == std::string::npos) return false;
    // "n 0 R n 0 R …": every third token is an object number.
    std::string_view list = std::string_view(*pages).substr(from + 1, to - from - 1);
    std::vector<long> tokens;
    std::size_t pos = 0;
    while ((pos = list.find_first_of("0123456789", pos)) != std::string_view::npos) {
        long value = 0;
        auto r = std::from_chars(list.data() + pos, list.data() + list.size(), value);
        tokens.push_back(value);
        pos = static_cast<std::size_t>(r.ptr - list.data());
    }
    for (std::size_t i = 0; i + 1 < tokens.size(); i += 2) tail.pages.push_back(tokens[i]);
    return !tail.pages.empty();
}

// A PDF text string: UTF-16BE with its byte order mark, in hex.
std::string pdfText(const std::string& utf8) {
    std::string out = "<FEFF";
    char hex[5];
    for (char16_t unit : util::qText(utf8).toStdU16String()) {
        std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(unit));
        out += hex;
    }
    return out + ">";
}

// The outline's items as PDF dictionaries, numbered from `first` (the outline root) on.
std::vector<std::string> outlineObjects(const std::vector<OutlineEntry>& entries,
                                        const PdfTail& tail, long first) {
    const long n = static_cast<long>(entries.size());
    std::vector<long> parent(entries.size(), -1);
    std::vector<long> prev(entries.size(), -1), next(entries.size(), -1);
    std::vector<long> firstChild(entries.size(), -1), lastChild(entries.size(), -1);
    std::vector<long> children(entries.size(), 0);
    long rootFirst = -1, rootLast = -1, topCount = 0;
    std::vector<long> open;  // the chain of ancestors of the next entry
    for (long i = 0; i < n; ++i) {
        const int level = std::max(entries[static_cast<std::size_t>(i)].level, 0);
        while (static_cast<int>(open.size()) > level) open.pop_back();
        long p = open.empty() ? -1 : open.back();
        parent[i] = p;
        long& last = p < 0 ? rootLast : lastChild[p];
        if (last >= 0) {
            next[last] = i;
            prev[i] = last;
        } else {
            (p < 0 ? rootFirst : firstChild[p]) = i;
        }
        last = i;
        if (p < 0)
            ++topCount;
        else
            ++children[p];
        open.push_back(i);
    }
    auto ref = [&](long i) { return std::to_string(first + 1 + i) + " 0 R"; };
    std::vector<std::string> objects;
    objects.push_back("<< /Type /Outlines /First " + ref(rootFirst) + " /Last " + ref(rootLast) +
                      " /Count " + std::to_string(topCount) + " >>");
    const long lastPage = static_cast<long>(tail.pages.size());
    for (long i = 0; i < n; ++i) {
        const OutlineEntry& e = entries[static_cast<std::size_t>(i)];
        long page = std::clamp<long>(e.page, 1, lastPage);
        std::string item = "<< /Title " + pdfText(e.title) + " /Parent " +
                           (parent[i] < 0 ? std::to_string(first) + " 0 R" : ref(parent[i]));
        if (prev[i] >= 0) item += " /Prev " + ref(prev[i]);
        if (next[i] >= 0) item += " /Next " + ref(next[i]);
        // Closed: a reader shows the headings of the top level and opens the rest.
        if (firstChild[i] >= 0)
            item += " /First " + ref(firstChild[i]) + " /Last " + ref(lastChild[i]) + " /Count -" +
                    std::to_string(children[i]);
        item += " /Dest [" + std::to_string(tail.pages[static_cast<std::size_t>(page - 1)]) +
                " 0 R /XYZ null null null] >>";
        objects.push_back(std::move(item));
    }
    return objects;
}

// The information dictionary: Title and Creator always, Author and Subject when known.
std::string infoDictionary(const DocumentInfo& info) {
    std::string dict = "<< /Title " + pdfText(info.title) + " /Creator " + pdfText(creatorText());
    if (!info.author.empty()) dict += " /Author " + pdfText(info.author);
    if (!info.subject.empty()) dict += " /Subject " + pdfText(info.subject);
    return dict + " >>";
}

std::string xrefEntry(long offset) {
    char entry[21];
    std::snprintf(entry, sizeof entry, "%010ld 00000 n \n", offset);
    return entry;
}

}  // namespace

std::string creatorText() {
    return std::string("omrix-print ") + OMRIX_VERSION;
}

util::Status appendPdfUpdate(const std::string& path, const DocumentInfo& info,
                             const std::vector<OutlineEntry>& outline) {
    PdfTail tail;
    long fileSize = 0;
    {
        std::ifstream in(path, std::ios::binary | std::ios::ate);
        if (!in) return util::Failure("cannot read the PDF written");
        fileSize = static_cast<long>(in.tellg());
        if (!readXref(in, fileSize, tail) || (!outline.empty() && !readPages(in, tail)))
            return util::Failure("the PDF's structure is not one its information can be added to");
    }
    std::vector<std::string> objects;
    objects.push_back(infoDictionary(info));
    const long infoNumber = tail.size;
    const long first = tail.size + 1;  // the outline root, when there is an outline
    if (!outline.empty()) {
        std::vector<std::string> items = outlineObjects(outline, tail, first);
        objects.insert(objects.end(), items.begin(), items.end());
    }
    std::string update = "\n";
    std::vector<long> offsets;
    auto add = [&](long number, const std::string& body) {
        offsets.push_back(fileSize + static_cast<long>(update.size()));
        update += std::to_string(number) + " 0 obj\n" + body + "\nendobj\n";
    };
    if (!outline.empty())
        add(tail.root, "<<" + tail.catalog + " /Outlines " + std::to_string(first) +
                           " 0 R /PageMode /UseOutlines >>");
    for (std::size_t i = 0; i < objects.size(); ++i)
        add(infoNumber + static_cast<long>(i), objects[i]);
    const long xref = fileSize + static_cast<long>(update.size());
    update += "xref\n";
    std::size_t next = 0;
    if (!outline.empty()) update += std::to_string(tail.root) + " 1\n" + xrefEntry(offsets[next++]);
    update += std::to_string(infoNumber) + " " + std::to_string(objects.size()) + "\n";
    for (; next < offsets.size(); ++next) update += xrefEntry(offsets[next]);
    update += "trailer\n<< /Size " +
              std::to_string(infoNumber + static_cast<long>(objects.size())) + " /Root " +
              std::to_string(tail.root) + " 0 R /Info " + std::to_string(infoNumber) +
              " 0 R /Prev " + std::to_string(tail.xrefOffset) + " >>\nstartxref\n" +
              std::to_string(xref) + "\n%%EOF\n";

    std::ofstream out(path, std::ios::binary | std::ios::app);
    out.write(update.data(), static_cast<std::streamsize>(update.size()));
    out.flush();
    if (!out) return util::Failure("cannot write the PDF's information");
    return {};
}

}  // namespace omrix::reports
