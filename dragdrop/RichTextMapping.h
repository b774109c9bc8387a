#pragma once

#include "richtext/RichDocument.h"

class QTextDocument;

// Between the rich-text model and the editor's text document: runs become fragments with their
// character format (weight, italic, underline, strikeout, anchor, foreground, font family, point
// size), paragraphs become blocks with their alignment, list items join a disc or decimal list
// (consecutive items of one kind share a list). A line break inside a paragraph is U+2028 in the
// text document and '\n' in the model.
namespace RichTextMapping {

// Replaces the text document's content with the model's.
void Fill(QTextDocument& target, const TRichDocument& document);

// The model of a text document; an empty text document has no paragraphs, and embedded objects
// are left out.
TRichDocument FromTextDocument(const QTextDocument& document);

} // namespace RichTextMapping
