#include "reports/engine/pdf_join.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>

#include "reports/engine/pdf_update.h"

namespace omrix::reports {

// A part's cross-reference table and trailer.
struct PdfJoin::PartIndex {
    long xref = 0;
    long root = 0;
    long info = -1;
    std::vector<long> offsets;  // by object number; -1: free
};

namespace {

using PartIndex = PdfJoin::PartIndex;

constexpr long kInfo = 1;  // the joined file's numbers of the objects it writes itself
constexpr long kCatalog = 2;
constexpr long kPages = 3;
constexpr long kFirstCopied = 4;

// One part opened for reading by offset.
class PartFile {
  public:
    explicit PartFile(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
        struct stat st {};
        if (fd_ >= 0 && ::fstat(fd_, &st) == 0) size_ = st.st_size;
    }
    ~PartFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    bool ok() const { return fd_ >= 0; }
    long size() const { return size_; }
    bool read(long from, long count, std::string& out) const {
        out.resize(static_cast<std::size_t>(std::max(count, 0L)));
        std::size_t done = 0;
        while (done < out.size()) {
            const ssize_t n = ::pread(fd_, out.data() + done, out.size() - done,
                                      static_cast<off_t>(from + static_cast<long>(done)));
            if (n <= 0) return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    }

  private:
    int fd_;
    long size_ = 0;
};

bool isWhite(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}
bool isDelimiter(char c) {
    return std::strchr("()<>[]{}/%", c) != nullptr;
}
bool isRegular(char c) {
    return !isWhite(c) && !isDelimiter(c);
}
bool isDigits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool readIndex(const PartFile& part, PartIndex& index) {
    std::string tail;
    const long from = std::max(0L, part.size() - 1024);
    if (!part.read(from, part.size() - from, tail)) return false;
    const std::size_t at = tail.rfind("startxref");
    auto xref =
        at == std::string::npos ? std::nullopt : pdfNumberAfter(tail.substr(at), "startxref");
    if (!xref || *xref <= 0 || *xref >= part.size()) return false;
    index.xref = *xref;
    std::string text;
    if (!part.read(*xref, part.size() - *xref, text) || text.rfind("xref", 0) != 0) return false;
    const std::size_t trailer = text.find("trailer");
    if (trailer == std::string::npos) return false;
    const std::string_view dict = std::string_view(text).substr(trailer);
    auto size = pdfNumberAfter(dict, "/Size");
    auto root = pdfNumberAfter(dict, "/Root");
    // An update appended to the file: not one Qt wrote alone.
    if (!size || !root || dict.find("/Prev") != std::string_view::npos) return false;
    index.root = *root;
    index.info = pdfNumberAfter(dict, "/Info").value_or(-1);
    index.offsets.assign(static_cast<std::size_t>(std::max(*size, 0L)), -1);
    const char* p = text.data() + 4;
    const char* end = text.data() + trailer;
    while (true) {
        while (p < end && isWhite(*p)) ++p;
        if (p >= end) break;
        long first = 0, count = 0;
        auto r1 = std::from_chars(p, end, first);
        if (r1.ec != std::errc()) return false;
        p = r1.ptr;
        while (p < end && isWhite(*p)) ++p;
        auto r2 = std::from_chars(p, end, count);
        if (r2.ec != std::errc() || first < 0 || count < 0) return false;
        p = r2.ptr;
        for (long i = 0; i < count; ++i) {
            while (p < end && isWhite(*p)) ++p;
            if (end - p < 18) return false;
            long offset = 0;
            std::from_chars(p, p + 10, offset);
            const bool used = p[17] == 'n';
            p += 18;
            const long number = first + i;
            if (used && number < static_cast<long>(index.offsets.size()))
                index.offsets[static_cast<std::size_t>(number)] = offset;
        }
    }
    return true;
}

// Object `number`'s text from its start to the next object (or the table).
bool readObject(const PartFile& part, const PartIndex& index, long number, std::string& out) {
    if (number < 0 || number >= static_cast<long>(index.offsets.size())) return false;
    const long offset = index.offsets[static_cast<std::size_t>(number)];
    if (offset < 0) return false;
    long next = index.xref;
    for (long o : index.offsets)
        if (o > offset) next = std::min(next, o);
    return part.read(offset, next - offset, out);
}

// The numbers of "N 0 R" after `key` up to the closing bracket.
std::vector<long> referencesAfter(std::string_view text, std::string_view key) {
    std::vector<long> refs;
    std::size_t at = text.find(key);
    if (at == std::string_view::npos) return refs;
    at = text.find('[', at);
    const std::size_t close = text.find(']', at);
    if (at == std::string_view::npos || close == std::string_view::npos) return refs;
    const char* p = text.data() + at + 1;
    const char* end = text.data() + close;
    while (p < end) {
        while (p < end && isWhite(*p)) ++p;
        long number = 0, generation = 0;
        auto r1 = std::from_chars(p, end, number);
        if (r1.ec != std::errc()) break;
        p = r1.ptr;
        while (p < end && isWhite(*p)) ++p;
        auto r2 = std::from_chars(p, end, generation);
        if (r2.ec != std::errc()) break;
        p = r2.ptr;
        while (p < end && isWhite(*p)) ++p;
        if (p >= end || *p != 'R') break;
        ++p;
        refs.push_back(number);
    }
    return refs;
}

// Copies an object's text with every reference renumbered through `map`, up to its
// stream's data, which is copied as it is. False for a reference to no object.
class Renumbering {
  public:
    explicit Renumbering(const std::vector<long>& map) : map_(map) {}

    bool copy(std::string_view in, std::string& out) {
        std::size_t i = 0;
        while (i < in.size()) {
            const char c = in[i];
            if (c == '(') {
                i = copyString(in, i, out);
            } else if (in.substr(i, 2) == "<<") {
                out.append("<<");
                i += 2;
            } else if (c == '<') {
                const std::size_t close = in.find('>', i);
                const std::size_t stop = close == std::string_view::npos ? in.size() : close + 1;
                out.append(in.substr(i, stop - i));
                i = stop;
            } else if (c == '/') {
                std::size_t j = i + 1;
                while (j < in.size() && isRegular(in[j])) ++j;
                out.append(in.substr(i, j - i));
                i = j;
            } else if (isRegular(c)) {
                std::size_t j = i;
                while (j < in.size() && isRegular(in[j])) ++j;
                const std::string_view word = in.substr(i, j - i);
                if (word == "stream" || word == "endobj") {
                    out.append(in.substr(i));
                    return true;
                }
                if (isDigits(word)) {
                    std::size_t after = 0;
                    if (std::optional<long> to = reference(in, i, j, after)) {
                        if (*to < 0) return false;
                        out.append(std::to_string(*to)).append(" 0 R");
                        i = after;
                        continue;
                    }
                }
                out.append(word);
                i = j;
            } else {
                out.push_back(c);
                ++i;
            }
        }
        return true;
    }

  private:
    static std::size_t copyString(std::string_view in, std::size_t i, std::string& out) {
        int depth = 0;
        std::size_t j = i;
        for (; j < in.size(); ++j) {
            if (in[j] == '\\') {
                ++j;
            } else if (in[j] == '(') {
                ++depth;
            } else if (in[j] == ')' && --depth == 0) {
                ++j;
                break;
            }
        }
        j = std::min(j, in.size());
        out.append(in.substr(i, j - i));
        return j;
    }

    // "N G R" from [from, to) on: the renumbered N (-1 for none) and the end in `after`.
    std::optional<long> reference(std::string_view in, std::size_t from, std::size_t to,
                                  std::size_t& after) const {
        std::size_t p = to;
        while (p < in.size() && isWhite(in[p])) ++p;
        std::size_t q = p;
        while (q < in.size() && in[q] >= '0' && in[q] <= '9') ++q;
        if (q == p || q >= in.size() || !isWhite(in[q])) return std::nullopt;
        while (q < in.size() && isWhite(in[q])) ++q;
        if (q >= in.size() || in[q] != 'R' || (q + 1 < in.size() && isRegular(in[q + 1])))
            return std::nullopt;
        after = q + 1;
        long number = 0;
        std::from_chars(in.data() + from, in.data() + to, number);
        if (number <= 0 || number >= static_cast<long>(map_.size())) return -1;
        return map_[static_cast<std::size_t>(number)];
    }

    const std::vector<long>& map_;
};

}  // namespace

PdfJoin::PdfJoin(Sink sink) : sink_(std::move(sink)), offsets_(kFirstCopied, 0) {}

bool PdfJoin::write(std::string_view bytes) {
    if (failed_ || !sink_(bytes)) {
        failed_ = true;
        return false;
    }
    written_ += static_cast<long>(bytes.size());
    return true;
}

bool PdfJoin::startObject(long number) {
    if (number >= static_cast<long>(offsets_.size()))
        offsets_.resize(static_cast<std::size_t>(number + 1), 0);
    offsets_[static_cast<std::size_t>(number)] = written_;
    return write(std::to_string(number) + " 0 obj");
}

// The numbers in the joined file of a part's objects: its page list becomes the joined
// file's, the first part's information the joined file's, every other object the next
// free number; `order` lists the objects to copy by their place in the part.
void PdfJoin::number(const PartIndex& index, long pagesNumber, std::vector<long>& map,
                     std::vector<std::pair<long, long>>& order) const {
    long next = static_cast<long>(offsets_.size());
    for (long k = 1; k < static_cast<long>(map.size()); ++k) {
        const long offset = index.offsets[static_cast<std::size_t>(k)];
        if (offset < 0 || k == index.root) continue;
        if (k == pagesNumber) {
            map[static_cast<std::size_t>(k)] = kPages;
            continue;
        }
        if (k == index.info) {
            if (hasInfo_) continue;
            map[static_cast<std::size_t>(k)] = kInfo;
        } else {
            map[static_cast<std::size_t>(k)] = next++;
        }
        order.emplace_back(offset, k);
    }
}

util::Status PdfJoin::append(const std::string& path) {
    const util::Failure notQt(path + ": not a PDF as Qt writes them");
    const util::Failure unwritten("the joined PDF could not be written");
    PartFile part(path);
    if (!part.ok()) return util::Failure("cannot read " + path);
    PartIndex index;
    std::string catalog, pages;
    std::optional<long> pagesNumber;
    if (!readIndex(part, index) || !readObject(part, index, index.root, catalog) ||
        !(pagesNumber = pdfNumberAfter(catalog, "/Pages")) ||
        !readObject(part, index, *pagesNumber, pages))
        return notQt;
    std::vector<long> map(index.offsets.size(), -1);
    std::vector<std::pair<long, long>> order;  // (offset, number) of the objects copied
    number(index, *pagesNumber, map, order);
    std::sort(order.begin(), order.end());
    if (written_ == 0) {
        // The header as Qt wrote it, up to its first object.
        std::string header;
        if (order.empty()) return notQt;
        if (!part.read(0, order.front().first, header) || !write(header)) return unwritten;
    }
    Renumbering renumber(map);
    std::string text, out;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const auto [offset, number] = order[i];
        const long end = i + 1 < order.size() ? order[i + 1].first : index.xref;
        if (!part.read(offset, end - offset, text)) return util::Failure("cannot read " + path);
        const std::size_t body = text.find("obj");
        out.clear();
        if (body == std::string::npos ||
            !renumber.copy(std::string_view(text).substr(body + 3), out))
            return notQt;
        if (!startObject(map[static_cast<std::size_t>(number)]) || !write(out)) return unwritten;
    }
    for (long kid : referencesAfter(pages, "/Kids")) {
        if (kid <= 0 || kid >= static_cast<long>(map.size()) ||
            map[static_cast<std::size_t>(kid)] < kFirstCopied)
            return notQt;
        kids_.push_back(map[static_cast<std::size_t>(kid)]);
    }
    hasInfo_ = hasInfo_ || index.info > 0;
    return {};
}

util::Status PdfJoin::finish() {
    if (kids_.empty()) return util::Failure("no page to join");
    std::string list = "\n<<\n/Type /Pages\n/Kids \n[\n";
    for (long kid : kids_) list += std::to_string(kid) + " 0 R\n";
    list += "]\n/Count " + std::to_string(kids_.size()) +
            "\n/ProcSet [/PDF /Text /ImageB /ImageC]\n>>\nendobj\n";
    bool ok = startObject(kCatalog) && write("\n<<\n/Type /Catalog\n/Pages 3 0 R\n>>\nendobj\n") &&
              startObject(kPages) && write(list);
    if (ok && !hasInfo_) ok = startObject(kInfo) && write("\n<<\n>>\nendobj\n");
    const long xref = written_;
    std::string table = "xref\n0 " + std::to_string(offsets_.size()) + "\n0000000000 65535 f \n";
    char entry[32];
    for (std::size_t k = 1; k < offsets_.size(); ++k) {
        std::snprintf(entry, sizeof entry, "%010ld 00000 n \n", offsets_[k]);
        table += entry;
    }
    table += "trailer\n<< /Size " + std::to_string(offsets_.size()) +
             " /Root 2 0 R /Info 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    if (ok && write(table)) return {};
    return util::Failure("the joined PDF could not be written");
}

}  // namespace omrix::reports
