#pragma once
// The document information of a PDF: what a reader's properties and a search of the
// files show (title, author, subject, the program that made it).

#include <string>

class QIODevice;

namespace omrix::reports {

struct DocumentInfo {
    std::string title;    // the document's own title, as printed
    std::string author;   // the company name; "" when the document carries none
    std::string subject;  // 工事名称
};

// "omrix-print <version>".
std::string creatorText();

// Appends to the finished PDF in `pdf` (open for reading and writing) an update whose
// information dictionary holds the info and creatorText(): QPdfWriter writes no Author
// nor Subject. False with the reason when the file does not end as a PDF does.
bool appendPdfInfo(QIODevice& pdf, const DocumentInfo& info, std::string& error);

}  // namespace omrix::reports
