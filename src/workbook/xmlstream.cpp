#include "workbook/xmlstream.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QLocale>

#include <expat.h>

#include <cstring>
#include <vector>

namespace {

constexpr int kChunkBytes = 64 * 1024;

struct ParseContext {
    XML_Parser parser;
    XmlHandler* handler;
    QString partName;
    int depth = 0;
    int maxDepth = 0;
};

void stop(ParseContext* context) {
    XML_StopParser(context->parser, XML_FALSE);
}

// Stops the parser once the handler has failed or finished.
void stopIfDone(ParseContext* context) {
    if (context->handler->failed() || context->handler->finished())
        stop(context);
}

void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    auto* context = static_cast<ParseContext*>(data);
    if (++context->depth > context->maxDepth) {
        context->handler->fail(
            QCoreApplication::translate("Workbook",
                                        "la parte %1 annida gli elementi XML oltre %2 livelli")
                .arg(context->partName)
                .arg(context->maxDepth),
            true);
        stop(context);
        return;
    }
    context->handler->startElement(xmlLocalName(name), attributes);
    stopIfDone(context);
}

void XMLCALL onEnd(void* data, const XML_Char* name) {
    auto* context = static_cast<ParseContext*>(data);
    --context->depth;
    context->handler->endElement(xmlLocalName(name));
    stopIfDone(context);
}

void XMLCALL onText(void* data, const XML_Char* text, int length) {
    auto* context = static_cast<ParseContext*>(data);
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

const char* xmlLocalName(const char* name) {
    const char* colon = std::strchr(name, ':');
    return colon ? colon + 1 : name;
}

const char* xmlAttribute(const char** attributes, const char* localName) {
    for (; *attributes; attributes += 2) {
        if (std::strcmp(xmlLocalName(attributes[0]), localName) == 0)
            return attributes[1];
    }
    return nullptr;
}

bool parseXml(XmlSource& source, const QString& partName, XmlHandler& handler,
              const XmlLimits& limits, XmlError* error) {
    const XML_Parser parser = XML_ParserCreate(nullptr);
    if (!parser) {
        *error = {
            QCoreApplication::translate("Workbook", "memoria insufficiente per leggere la parte %1")
                .arg(partName),
            true};
        return false;
    }
    ParseContext context{parser, &handler, partName, 0, limits.maxDepth};
    XML_SetUserData(parser, &context);
    XML_SetElementHandler(parser, onStart, onEnd);
    XML_SetCharacterDataHandler(parser, onText);
    XML_SetStartDoctypeDeclHandler(parser, onDoctype);

    bool ok = true;
    qint64 total = 0;
    for (;;) {
        const char* data = nullptr;
        const qint64 length = source.next(&data);
        if (length < 0) {
            *error = {QCoreApplication::translate(
                          "Workbook", "la parte %1 non può essere decompressa: l'archivio è "
                                      "danneggiato")
                          .arg(partName)};
            ok = false;
            break;
        }
        total += length;
        const bool last = length == 0;
        if (XML_Parse(parser, data, static_cast<int>(length), last) == XML_STATUS_ERROR) {
            if (handler.finished() && !handler.failed())
                break;
            if (handler.failed()) {
                *error = {handler.failureCause(), handler.failedOnLimit()};
            } else {
                *error = {QCoreApplication::translate(
                              "Workbook", "errore XML nella parte %1 (riga %2, colonna %3): %4")
                              .arg(partName)
                              .arg(XML_GetCurrentLineNumber(parser))
                              .arg(XML_GetCurrentColumnNumber(parser) + 1)
                              .arg(describe(XML_GetErrorCode(parser)))};
            }
            ok = false;
            break;
        }
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
            ok = false;
            break;
        }
        if (last)
            break;
    }
    XML_ParserFree(parser);
    return ok;
}

bool parseXml(QIODevice& source, const QString& partName, XmlHandler& handler,
              const XmlLimits& limits, XmlError* error) {
    DeviceSource chunks(source);
    return parseXml(chunks, partName, handler, limits, error);
}
