// Reads arbitrary bytes as XML with the scanner and with expat alone, both in
// chunks whose size the first byte picks, and stops the fuzzer when they
// disagree: on the verdict, the message, or (on a success) the events, names
// resolved to their namespaces. When the first byte is odd, the content of
// elements whose name starts with "s" is skipped; when its top bit is set,
// tokens are bounded at 64 to 8,192 bytes, so that the bound is met as often
// as the rest.
#include "workbook/xmlstream.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

class Recorder : public XmlHandler {
public:
    explicit Recorder(bool skips) : m_skips(skips) {}
    void startElement(const XmlName& name, const XmlAttributes& attributes) override {
        if (m_skips && name.local[0] == 's')
            skipContent();
        m_log += '<';
        logName(name.ns, name.uri, name.local);
        for (int i = 0; i < attributes.size(); ++i) {
            m_log += ' ';
            logName(attributes.ns(i), attributes.uri(i), attributes.name(i));
            m_log += '=';
            m_log += attributes.value(i);
            m_log += '\x01'; // values may hold any other character
        }
        m_log += '>';
    }
    void endElement(const XmlName& name) override {
        m_log += "</";
        logName(name.ns, name.uri, name.local);
        m_log += '>';
    }
    void characters(const char* data, int length) override { m_log.append(data, length); }
    QByteArray m_log;

private:
    // The namespace's kind, its URI (which holds no \x01), the local name.
    void logName(XmlNs ns, std::string_view uri, const char* local) {
        m_log += static_cast<char>('0' + static_cast<int>(ns));
        m_log.append(uri.data(), static_cast<qsizetype>(uri.size()));
        m_log += '\x01';
        m_log += local;
    }

    bool m_skips;
};

class Chunks : public XmlSource {
public:
    Chunks(const char* data, std::size_t size, std::size_t chunk)
        : m_data(data), m_size(size), m_chunk(chunk) {}
    qint64 next(const char** data) override {
        *data = m_data + m_at;
        const std::size_t length = std::min(m_chunk, m_size - m_at);
        m_at += length;
        return static_cast<qint64>(length);
    }

private:
    const char* m_data;
    std::size_t m_size;
    std::size_t m_chunk;
    std::size_t m_at = 0;
};

struct Outcome {
    bool ok;
    XmlError error;
    QByteArray log;
};

Outcome read(const char* data, std::size_t size, std::size_t chunk, bool skips, qint64 maxToken,
             XmlEngine engine) {
    Chunks source(data, size, chunk);
    Recorder recorder(skips);
    Outcome outcome{false, {}, {}};
    outcome.ok = parseXml(source, QStringLiteral("p.xml"), recorder, {1 << 24, 64, 0, maxToken},
                          &outcome.error, engine);
    outcome.log = recorder.m_log;
    return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t chunk = 1 + static_cast<std::size_t>(data[0]) * 37;
    const auto* xml = reinterpret_cast<const char*>(data + 1);
    // Expat's verdict may depend on where its chunks break: both read the
    // same chunks, as they do from a workbook.
    const bool skips = (data[0] & 1) != 0;
    const qint64 maxToken = (data[0] & 0x80) != 0 ? 64 << ((data[0] >> 1) & 7) : kMaxXmlTokenBytes;
    const Outcome expat = read(xml, size - 1, chunk, skips, maxToken, XmlEngine::ExpatOnly);
    const Outcome scanned = read(xml, size - 1, chunk, skips, maxToken, XmlEngine::Scanner);
    if (expat.ok != scanned.ok || expat.error.cause != scanned.error.cause ||
        expat.error.limit != scanned.error.limit || (expat.ok && expat.log != scanned.log))
        std::abort();
    return 0;
}
