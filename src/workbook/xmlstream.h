#pragma once

#include "workbook/xmlnames.h"

#include <QString>

class QIODevice;

// Receives the events of one parse. Names arrive resolved as namespaces in
// XML resolve them: the namespace of an element or attribute and its local
// name ("x:c" arrives as the SpreadsheetML namespace and "c" when x is bound
// to it); an unprefixed attribute has no namespace; the namespace
// declarations are not among the attributes. Texts are UTF-8; one text node
// may arrive in several pieces.
class XmlHandler {
public:
    virtual ~XmlHandler() = default;

    virtual void startElement(const XmlName& name, const XmlAttributes& attributes) = 0;
    virtual void endElement(const XmlName& name) = 0;
    virtual void characters(const char* data, int length) = 0;

    // Stops the parse at the current event; the parse then fails with this
    // cause (Italian, names the part). The first failure wins. A limit
    // failure means the content is too large to read, not broken.
    void fail(const QString& cause, bool limit = false);
    // How many things (cells, strings) the handler has kept so far; a part
    // may grow with them (XmlLimits::bytesPerKept).
    virtual qint64 keptCount() const { return 0; }
    bool failed() const { return !m_cause.isEmpty(); }
    const QString& failureCause() const { return m_cause; }
    bool failedOnLimit() const { return m_limit; }

    // Ends the parse at the current event as a success: the rest of the
    // document is neither read nor checked. A failure still wins.
    void finish() { m_finished = true; }
    bool finished() const { return m_finished; }

    // Called from startElement: nothing within the element just started
    // matters to the handler. The events of what it holds are left out (the
    // content is checked all the same); its end is delivered.
    void skipContent() { m_skipContent = true; }
    // Whether skipContent() was called since the last time this was asked.
    bool takeSkipContent() {
        const bool skip = m_skipContent;
        m_skipContent = false;
        return skip;
    }

    // Within startElement: which attribute names the element has. Tags with
    // the same number, not 0, have the same names, in the same namespaces,
    // in the same order (a run of tags of one shape has one), so that a
    // handler may keep what it learnt of the names under it; 0 when not
    // known. Set by the parse around each startElement.
    quint64 attributeNamesId() const { return m_attributeNamesId; }
    void setAttributeNamesId(quint64 id) { m_attributeNamesId = id; }

private:
    QString m_cause;
    bool m_limit = false;
    bool m_finished = false;
    bool m_skipContent = false;
    quint64 m_attributeNamesId = 0;
};

// The longest token of a part: a tag (with its attribute values), a comment,
// a processing instruction, a reference, or a run of text between two tags.
// Far beyond any a workbook holds (a cell holds 32,767 characters), and
// short enough that expat, which reads an incomplete token again with each
// chunk, stays fast.
inline constexpr qint64 kMaxXmlTokenBytes = qint64(1) << 20;

// The bounds of one parse.
struct XmlLimits {
    qint64 maxBytes;         // bytes read from the source, counted as they arrive...
    int maxDepth;            // elements open at once
    qint64 bytesPerKept = 0; // ...plus this many for each thing the handler keeps
    qint64 maxTokenBytes = kMaxXmlTokenBytes;
};

// A byte count as people read it: "1 GiB", "64 KiB", "1.000 byte".
QString byteSizeText(qint64 bytes);

// Why a parse failed: the cause in Italian, naming the part, and whether a
// limit stopped it.
struct XmlError {
    QString cause;
    bool limit = false;
};

// Where parseXml takes its bytes from, one chunk at a time.
class XmlSource {
public:
    virtual ~XmlSource() = default;
    // The next chunk of the document: sets *data and returns its length, 0 at
    // the end, -1 when the bytes cannot be read. The chunk stays valid until
    // the next call.
    virtual qint64 next(const char** data) = 0;
};

// What reads the XML: a fast scanner for the XML that spreadsheet programs
// write, handing to expat whatever else it meets (the same events, errors
// and messages as expat alone), or expat alone.
enum class XmlEngine { Scanner, ExpatOnly };

// Parses all of source, chunk by chunk as the source delivers
// them (never the whole document in memory), and delivers the events to
// handler. Returns true when the document is well-formed, namespaces
// included (up to the point where the handler finished, if it did), and the
// handler did not fail. Returns false, with *error set, on malformed or
// truncated XML, a read failure of the source, more than limits.maxBytes
// bytes plus limits.bytesPerKept for each thing the handler has kept,
// elements nested deeper than limits.maxDepth, a token longer than
// limits.maxTokenBytes (the text within an element whose content the handler
// skips aside), a document type declaration (no part of a workbook has
// one), or a handler failure.
bool parseXml(XmlSource& source, const QString& partName, XmlHandler& handler,
              const XmlLimits& limits, XmlError* error, XmlEngine engine = XmlEngine::Scanner);

// The same, reading the device in chunks of 64 KiB.
bool parseXml(QIODevice& source, const QString& partName, XmlHandler& handler,
              const XmlLimits& limits, XmlError* error, XmlEngine engine = XmlEngine::Scanner);
