#include "workbook/xmlstream.h"

#include "workbook/xmlbytes.h"
#include "workbook/xmlscanner.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QLocale>

#include <expat.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr int kChunkBytes = 64 * 1024;
// What parts an expanded name in expat's namespace mode: "URI\x01local".
constexpr char kNamespaceSeparator = '\x01';

// Expat's expanded names as the handlers take them.
class ExpandedNames {
public:
    XmlName element(const XML_Char* name) const {
        const char* separator = std::strchr(name, kNamespaceSeparator);
        if (!separator)
            return {XmlNs::None, {}, name};
        const std::string_view uri(name, static_cast<std::size_t>(separator - name));
        return {xmlNamespace(uri), uri, separator + 1};
    }
    XmlAttributes attributes(const XML_Char** pairs) {
        int count = 0;
        while (pairs[2 * count])
            ++count;
        const auto size = static_cast<std::size_t>(count);
        m_localAt.resize(size);
        m_ns.resize(size);
        m_uris.resize(size);
        for (std::size_t i = 0; i < size; ++i) {
            const XmlName name = element(pairs[2 * i]);
            m_localAt[i] = static_cast<std::uint32_t>(name.local - pairs[2 * i]);
            m_ns[i] = name.ns;
            m_uris[i] = name.uri;
        }
        return XmlAttributes(pairs, m_localAt.data(), m_ns.data(), m_uris.data(), count);
    }

private:
    std::vector<std::uint32_t> m_localAt;
    std::vector<XmlNs> m_ns;
    std::vector<std::string_view> m_uris;
};

struct ParseContext {
    XML_Parser parser = nullptr; // null while the scanner reads
    XmlHandler* handler = nullptr;
    QString partName;
    int depth = 0;
    int maxDepth = 0;
    qint64 maxToken = 0;
    qint64 textRun = 0; // bytes of text since the last start or end of an element
    int quietFrom = 0;  // the depth of an element whose content the handler skips, 0 if none
    bool stopped = false;
    ExpandedNames names;
};

void stop(ParseContext* context) {
    context->stopped = true;
    if (context->parser)
        XML_StopParser(context->parser, XML_FALSE);
}

// Stops the parser once the handler has failed or finished.
void stopIfDone(ParseContext* context) {
    if (context->handler->failed() || context->handler->finished())
        stop(context);
}

// Counts an element in; false, with the parse stopped, when it lies too deep.
bool enter(ParseContext* context) {
    if (++context->depth <= context->maxDepth)
        return true;
    context->handler->fail(QCoreApplication::translate(
                               "Workbook", "la parte %1 annida gli elementi XML oltre %2 livelli")
                               .arg(context->partName)
                               .arg(context->maxDepth),
                           true);
    stop(context);
    return false;
}

QString tokenTooLongCause(const QString& partName, qint64 limit) {
    return QCoreApplication::translate(
               "Workbook",
               "la parte %1 contiene un tag, un commento, un'istruzione o un testo XML più lungo "
               "di %2")
        .arg(partName, byteSizeText(limit));
}

// The start of an element already counted in, from either reader.
void deliverStart(ParseContext* context, const XmlName& name, const XmlAttributes& attributes,
                  quint64 namesId) {
    context->textRun = 0;
    context->handler->setAttributeNamesId(namesId);
    context->handler->startElement(name, attributes);
    context->handler->setAttributeNamesId(0);
    if (context->handler->takeSkipContent())
        context->quietFrom = context->depth;
    stopIfDone(context);
}

// The end of an element, from either reader.
void deliverEnd(ParseContext* context, const XmlName& name) {
    const int ending = context->depth--;
    if (context->quietFrom != 0) {
        if (ending > context->quietFrom)
            return;
        context->quietFrom = 0;
    }
    context->textRun = 0;
    context->handler->endElement(name);
    stopIfDone(context);
}

void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    auto* context = static_cast<ParseContext*>(data);
    if (!enter(context) || context->quietFrom != 0)
        return;
    deliverStart(context, context->names.element(name), context->names.attributes(attributes), 0);
}

void XMLCALL onEnd(void* data, const XML_Char* name) {
    auto* context = static_cast<ParseContext*>(data);
    deliverEnd(context, context->names.element(name));
}

void XMLCALL onText(void* data, const XML_Char* text, int length) {
    auto* context = static_cast<ParseContext*>(data);
    if (context->quietFrom != 0)
        return;
    // Text is handed on as it comes, never kept whole: its bound is checked
    // here, as the tokens expat keeps are checked where it reads.
    context->textRun += length;
    if (context->textRun > context->maxToken) {
        context->handler->fail(tokenTooLongCause(context->partName, context->maxToken), true);
        stop(context);
        return;
    }
    context->handler->characters(text, length);
    stopIfDone(context);
}

void XMLCALL onDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    auto* context = static_cast<ParseContext*>(data);
    context->handler->fail(
        QCoreApplication::translate(
            "Workbook", "la parte %1 contiene una dichiarazione DOCTYPE, che nessuna parte di una "
                        "cartella di lavoro contiene")
            .arg(context->partName));
    stop(context);
}

// Gives the scanner's events to the handler as expat's are given.
class ContextSink : public XmlScanSink {
public:
    explicit ContextSink(ParseContext& context) : m_context(context) {}
    Next start(const XmlName& name, const XmlAttributes& attributes, quint64 namesId) override {
        if (!enter(&m_context))
            return Next::Stop;
        deliverStart(&m_context, name, attributes, namesId);
        if (m_context.stopped)
            return Next::Stop;
        return m_context.quietFrom == m_context.depth ? Next::SkipContent : Next::Go;
    }
    bool end(const XmlName& name) override {
        deliverEnd(&m_context, name);
        return !m_context.stopped;
    }
    bool text(const char* data, int length) override {
        onText(&m_context, data, length);
        return !m_context.stopped;
    }
    bool quietStart() override { return enter(&m_context); }
    void quietEnd() override { --m_context.depth; }

private:
    ParseContext& m_context;
};

} // namespace

QString byteSizeText(qint64 bytes) {
    const QLocale italian(QLocale::Italian);
    constexpr qint64 kKiB = 1024;
    if (bytes >= kKiB * kKiB * kKiB && bytes % (kKiB * kKiB * kKiB) == 0)
        return QStringLiteral("%1 GiB").arg(italian.toString(bytes / (kKiB * kKiB * kKiB)));
    if (bytes >= kKiB * kKiB && bytes % (kKiB * kKiB) == 0)
        return QStringLiteral("%1 MiB").arg(italian.toString(bytes / (kKiB * kKiB)));
    if (bytes >= kKiB && bytes % kKiB == 0)
        return QStringLiteral("%1 KiB").arg(italian.toString(bytes / kKiB));
    return QStringLiteral("%1 byte").arg(italian.toString(bytes));
}

namespace {

// The expat errors a damaged workbook can produce, in Italian.
QString describe(XML_Error code) {
    switch (code) {
    case XML_ERROR_NO_ELEMENTS:
    case XML_ERROR_UNCLOSED_TOKEN:
    case XML_ERROR_PARTIAL_CHAR:
    case XML_ERROR_UNCLOSED_CDATA_SECTION:
        return QCoreApplication::translate("Workbook", "il contenuto è troncato");
    case XML_ERROR_TAG_MISMATCH:
        return QCoreApplication::translate(
            "Workbook", "un elemento è chiuso da un tag diverso da quello di apertura");
    case XML_ERROR_INVALID_TOKEN:
        return QCoreApplication::translate("Workbook", "carattere o sequenza non valida");
    case XML_ERROR_UNDEFINED_ENTITY:
        return QCoreApplication::translate("Workbook", "entità non definita");
    case XML_ERROR_DUPLICATE_ATTRIBUTE:
        return QCoreApplication::translate("Workbook", "attributo ripetuto");
    case XML_ERROR_UNBOUND_PREFIX:
        return QCoreApplication::translate("Workbook",
                                           "prefisso di spazio dei nomi non dichiarato");
    case XML_ERROR_UNDECLARING_PREFIX:
    case XML_ERROR_RESERVED_PREFIX_XML:
    case XML_ERROR_RESERVED_PREFIX_XMLNS:
    case XML_ERROR_RESERVED_NAMESPACE_URI:
        return QCoreApplication::translate("Workbook",
                                           "dichiarazione di spazio dei nomi non ammessa");
    case XML_ERROR_JUNK_AFTER_DOC_ELEMENT:
        return QCoreApplication::translate("Workbook", "contenuto dopo la fine del documento");
    case XML_ERROR_UNKNOWN_ENCODING:
    case XML_ERROR_INCORRECT_ENCODING:
        return QCoreApplication::translate("Workbook", "codifica dei caratteri non supportata");
    case XML_ERROR_NO_MEMORY:
        return QCoreApplication::translate("Workbook", "memoria insufficiente");
    default:
        return QCoreApplication::translate("Workbook", "sintassi XML non valida (%1)")
            .arg(QString::fromUtf8(XML_ErrorString(code)));
    }
}

// Reads a device in chunks of kChunkBytes into one reused buffer.
class DeviceSource : public XmlSource {
public:
    explicit DeviceSource(QIODevice& device) : m_device(device), m_buffer(kChunkBytes) {}
    qint64 next(const char** data) override {
        *data = m_buffer.data();
        return m_device.read(m_buffer.data(), kChunkBytes);
    }

private:
    QIODevice& m_device;
    std::vector<char> m_buffer;
};

} // namespace

void XmlHandler::fail(const QString& cause, bool limit) {
    if (failed())
        return;
    m_cause = cause;
    m_limit = limit;
}

namespace {

// One parse: the scanner reads while it can, expat from where it cannot.
class Parse {
public:
    Parse(const QString& partName, XmlHandler& handler, const XmlLimits& limits)
        : m_handler(handler), m_sink(m_context),
          m_scanner(m_sink, static_cast<std::size_t>(std::max<qint64>(limits.maxTokenBytes, 1))),
          m_maxToken(std::max<qint64>(limits.maxTokenBytes, 1)) {
        m_context.handler = &handler;
        m_context.partName = partName;
        m_context.maxDepth = limits.maxDepth;
        m_context.maxToken = m_maxToken;
    }
    ~Parse() {
        if (m_context.parser)
            XML_ParserFree(m_context.parser);
    }
    Parse(const Parse&) = delete;
    Parse& operator=(const Parse&) = delete;

    enum class Result { More, Ended, Failed };

    // Reads the next chunk (length 0 at the end).
    Result feed(const char* data, qint64 length, XmlEngine engine, XmlError* error) {
        const bool last = length == 0;
        if (!m_context.parser && engine == XmlEngine::ExpatOnly && !startExpat(error))
            return Result::Failed;
        if (m_context.parser)
            return parse(data, length, last, error);
        switch (m_scanner.feed(data, static_cast<std::size_t>(length), last)) {
        case XmlScanner::Status::NeedMore:
            return Result::More;
        case XmlScanner::Status::Done:
            return Result::Ended;
        case XmlScanner::Status::Stopped:
            return stopped(error);
        case XmlScanner::Status::Handover:
            break;
        }
        if (!startExpat(error))
            return Result::Failed;
        const std::string& kept = m_scanner.handoverBytes();
        std::size_t from = 0;
        Result result = Result::More;
        for (const std::size_t to : m_scanner.handoverBreaks()) {
            if (result == Result::More)
                result = parse(kept.data() + from, static_cast<qint64>(to - from), false, error);
            from = to;
        }
        if (result == Result::More)
            result = parse(kept.data() + from, static_cast<qint64>(kept.size() - from),
                           last && m_scanner.restLength() == 0, error);
        if (result == Result::More && (m_scanner.restLength() > 0 || last))
            result = parse(m_scanner.restData(), static_cast<qint64>(m_scanner.restLength()), last,
                           error);
        return result;
    }

private:
    // The handler failed or finished.
    Result stopped(XmlError* error) {
        if (m_handler.finished() && !m_handler.failed())
            return Result::Ended;
        *error = {m_handler.failureCause(), m_handler.failedOnLimit()};
        return Result::Failed;
    }

    // Expat reads on from the scanner's handover point (the start when the
    // scanner was not used): the prefix opens the elements open there.
    bool startExpat(XmlError* error) {
        const XML_Parser parser = XML_ParserCreateNS(nullptr, kNamespaceSeparator);
        if (!parser) {
            *error = {QCoreApplication::translate("Workbook",
                                                  "memoria insufficiente per leggere la parte %1")
                          .arg(m_context.partName),
                      true};
            return false;
        }
        m_context.parser = parser;
        XML_SetUserData(parser, &m_context);
        XML_SetStartDoctypeDeclHandler(parser, onDoctype);
#if XML_MAJOR_VERSION > 2 || (XML_MAJOR_VERSION == 2 && XML_MINOR_VERSION >= 6)
        // The prefix must be read before the handlers are set.
        XML_SetReparseDeferralEnabled(parser, XML_FALSE);
#endif
        const std::string& prefix = m_scanner.handoverPrefix();
        m_prefixLength = xmlbytes::countCharacters(prefix.data(), prefix.data() + prefix.size());
        m_fed = static_cast<qint64>(prefix.size());
        if (!prefix.empty() && XML_Parse(parser, prefix.data(), static_cast<int>(prefix.size()),
                                         XML_FALSE) == XML_STATUS_ERROR) {
            *error = {QCoreApplication::translate("Workbook",
                                                  "memoria insufficiente per leggere la parte %1")
                          .arg(m_context.partName),
                      true};
            return false;
        }
        XML_SetElementHandler(parser, onStart, onEnd);
        XML_SetCharacterDataHandler(parser, onText);
        return true;
    }

    Result parse(const char* data, qint64 length, bool last, XmlError* error) {
        // Expat keeps an incomplete token (a tag, a comment, an instruction)
        // from one call to the next and reads it again from its start with
        // each. It is given no more than the bound past the start of the
        // token it keeps: a token that is still incomplete there is longer
        // than the bound, found as soon as it passes it, whatever the chunks.
        const XML_Parser parser = m_context.parser;
        for (;;) {
            const qint64 take = std::min(length, m_maxToken - m_held);
            const bool final = last && take == length;
            if (XML_Parse(parser, data, static_cast<int>(take), final) == XML_STATUS_ERROR)
                return failed(error);
            if (final)
                return Result::Ended;
            m_fed += take;
            data += take;
            length -= take;
            m_held = m_fed - static_cast<qint64>(XML_GetCurrentByteIndex(parser));
            if (m_held >= m_maxToken) {
                *error = {tokenTooLongCause(m_context.partName, m_maxToken), true};
                return Result::Failed;
            }
            if (length == 0)
                return Result::More;
        }
    }

    // Expat stopped: the handler failed or finished, or the XML is wrong.
    Result failed(XmlError* error) {
        const XML_Parser parser = m_context.parser;
        if (m_handler.finished() || m_handler.failed())
            return stopped(error);
        // The position in the document: expat counted from the handover
        // point, on the prefix's line.
        const qint64 line = static_cast<qint64>(XML_GetCurrentLineNumber(parser));
        const qint64 column = static_cast<qint64>(XML_GetCurrentColumnNumber(parser));
        const qint64 documentLine = m_scanner.line() + line - 1;
        const qint64 documentColumn =
            line == 1 ? m_scanner.column() + column - m_prefixLength : column;
        *error = {QCoreApplication::translate("Workbook",
                                              "errore XML nella parte %1 (riga %2, colonna %3): %4")
                      .arg(m_context.partName)
                      .arg(documentLine)
                      .arg(documentColumn + 1)
                      .arg(describe(XML_GetErrorCode(parser)))};
        return Result::Failed;
    }

    XmlHandler& m_handler;
    ParseContext m_context;
    ContextSink m_sink;
    XmlScanner m_scanner;
    const qint64 m_maxToken;
    qint64 m_prefixLength = 0; // in characters
    qint64 m_fed = 0;          // bytes given to expat, the prefix's included
    qint64 m_held = 0;         // of which it keeps, unread, after the last call
};

} // namespace

bool parseXml(XmlSource& source, const QString& partName, XmlHandler& handler,
              const XmlLimits& limits, XmlError* error, XmlEngine engine) {
    Parse parse(partName, handler, limits);
    qint64 total = 0;
    for (;;) {
        const char* data = nullptr;
        const qint64 length = source.next(&data);
        if (length < 0) {
            *error = {QCoreApplication::translate(
                          "Workbook", "la parte %1 non può essere decompressa: l'archivio è "
                                      "danneggiato")
                          .arg(partName)};
            return false;
        }
        total += length;
        const Parse::Result result = parse.feed(data, length, engine, error);
        if (result == Parse::Result::Failed)
            return false;
        // The handler finished: the rest is neither read nor checked.
        if (result == Parse::Result::Ended && length > 0)
            return true;
        // After the chunk, so that what it kept counts.
        const qint64 kept = handler.keptCount();
        const qint64 allowed = limits.maxBytes + limits.bytesPerKept * kept;
        if (total > allowed) {
            QString cause =
                QCoreApplication::translate(
                    "Workbook", "la parte %1 supera il limite di %2 una volta decompressa")
                    .arg(partName, byteSizeText(allowed));
            if (kept > 0 && limits.bytesPerKept > 0)
                cause += QCoreApplication::translate(
                             "Workbook", " (%1 più %2 byte per ciascuno dei %3 elementi letti)")
                             .arg(byteSizeText(limits.maxBytes))
                             .arg(limits.bytesPerKept)
                             .arg(QLocale(QLocale::Italian).toString(kept));
            *error = {cause, true};
            return false;
        }
        if (length == 0)
            return true;
    }
}

bool parseXml(QIODevice& source, const QString& partName, XmlHandler& handler,
              const XmlLimits& limits, XmlError* error, XmlEngine engine) {
    DeviceSource chunks(source);
    return parseXml(chunks, partName, handler, limits, error, engine);
}
