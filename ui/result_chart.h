#pragma once

class QTextCursor;
class QTextDocument;

namespace pranoth {

struct Assessment;

// The bar chart of a printed result, drawn as vectors in the result window's
// colours: per chakra its bar with the percentage above it, its short name
// and its verdict below, or "not tested". Registered once per document, then
// inserted as an object of its own paragraph.
void registerResultChart(QTextDocument &document);
void insertResultChart(QTextCursor &cursor, const Assessment &assessment);

} // namespace pranoth
