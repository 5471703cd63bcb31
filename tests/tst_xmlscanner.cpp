// The scanner that reads workbook XML must give what expat alone gives: the
// same events, the same verdict and the same message (line and column
// included), wherever the chunks break and whatever it hands over to expat.
#include "workbook/xmlbytes.h"
#include "workbook/xmlstream.h"

#include <QTest>

#include <vector>

namespace {

// Writes every event as a line; consecutive texts are joined, since a text
// may arrive in pieces. Fails at the start of an element named "stop",
// finishes at one named "finish" and skips the content of those named "skip".
class RecordingHandler : public XmlHandler {
public:
    void startElement(const char* name, const char** attributes) override {
        if (qstrcmp(name, "skip") == 0)
            skipContent();
        m_log += "<" + QByteArray(name);
        for (; *attributes; attributes += 2)
            m_log += " " + QByteArray(attributes[0]) + "=[" + QByteArray(attributes[1]) + "]";
        m_log += ">";
        if (qstrcmp(name, "stop") == 0)
            fail(QStringLiteral("fermato"));
        if (qstrcmp(name, "finish") == 0)
            finish();
    }
    void endElement(const char* name) override { m_log += "</" + QByteArray(name) + ">"; }
    void characters(const char* data, int length) override { m_log += QByteArray(data, length); }
    QByteArray m_log;
};

class ChunkSource : public XmlSource {
public:
    ChunkSource(const QByteArray& bytes, qsizetype chunk) : m_bytes(bytes), m_chunk(chunk) {}
    qint64 next(const char** data) override {
        *data = m_bytes.constData() + m_at;
        const qsizetype length = std::min(m_chunk, m_bytes.size() - m_at);
        m_at += length;
        return length;
    }

private:
    QByteArray m_bytes;
    qsizetype m_chunk;
    qsizetype m_at = 0;
};

struct Outcome {
    bool ok;
    QString message;
    QByteArray log;
};

Outcome parse(const QByteArray& xml, qsizetype chunk, XmlEngine engine) {
    ChunkSource source(xml, chunk);
    RecordingHandler handler;
    XmlError error;
    const bool ok =
        parseXml(source, QStringLiteral("p.xml"), handler, {1 << 20, 8}, &error, engine);
    return {ok, error.cause, handler.m_log};
}

} // namespace

class TestXmlScanner : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sameAsExpat_data();
    void sameAsExpat();
    void skippedContent();
    void attributeNamesNumbered();
    void byteRuns();
};

void TestXmlScanner::sameAsExpat_data() {
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<bool>("ok");
    const QByteArray decl = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    const QByteArray cells = "<t:table t:name=\"Fò&amp;glio\"><t:row r='1'>\n  <c t=\"n\" "
                             "v = \"1.5\"><p>città &lt;&#233;&#x1F600;&gt; ]] ></p></c><e/>"
                             "</t:row>\n</t:table>";
    const auto row = [&](const char* name, const QByteArray& xml, bool ok) {
        QTest::newRow(name) << xml << ok;
    };
    // Read by the scanner alone.
    row("cells", decl + "<doc x:a=\"1\" b='\"'>" + cells + "</doc>\n", true);
    row("no declaration", "<doc>" + cells + "</doc >", true);
    row("attribute white space", "<a v=\"x\ty\nz&#10;&#9;\"/>", true);
    row("empty root", "<?xml version=\"1.0\"?><a/> \n", true);
    row("handler fails", "<a>\n  <b><stop/>é</b></a>", false);
    row("handler finishes", "<a><finish/><b></a>", true);
    row("too deep", "<a><a><a><a><a><a><a><a><a>x</a></a></a></a></a></a></a></a></a>", false);
    row("skipped content", "<a><skip x='1'><b>t&amp;</b>u<skip/></skip><skip/><c>v</c></a>", true);
    // Runs of tags alike but for their values, then tags that leave the run
    // at each place: a longer name, a value with a reference or in single
    // quotes, one attribute more, an empty tag, a value with a '>'.
    row("tags of one shape",
        "<a><c r=\"A1\" s=\"2\">x</c><c r=\"B1\" s=\"\">y</c><c r=\"C1\" s=\"9\"/>"
        "<cc r=\"D1\" s=\"2\"/><c r=\"E&amp;1\" s=\"2\"></c><c r='F1' s=\"2\"></c>"
        "<c r=\"G1\" s=\"2\" t=\"n\"></c><c r=\"H1\" s=\"2\"/><c r=\"I>1\" s=\"2\"/>"
        "<c r=\"J1\" s=\"2\" r=\"K1\"/></a>",
        false); // the last repeats an attribute
    row("too deep in skipped content",
        "<a><skip><a><a><a><a><a><a><a>x</a></a></a></a></a></a></a></skip></a>", false);
    // Handed over to expat, which reads on well or not.
    row("byte order mark", "\xEF\xBB\xBF<a>x</a>", true);
    row("other encoding", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>\xE8</a>", true);
    row("carriage returns", "<a v='1\r\n2'>\r\nx\ry</a>", true);
    row("comment, CDATA, instruction",
        decl + "<a>x<!-- c --><![CDATA[<&]]><?pi d?>y</a><!-- after -->\n<?end?>", true);
    row("name beyond ASCII", "<a><città n='1'>x</città><b/></a>", true);
    row("handed over in skipped content", "<a><skip><b>x<!-- c -->y</b>\r\n</skip>z</a>", true);
    row("many attributes",
        "<a " + QByteArray("b0='' b1='' b2='' b3='' b4='' b5='' b6='' b7='' ").repeated(10) + "/>",
        false); // repeated: expat says which
    row("long token", "<a><b v='" + QByteArray(70000, 'v') + "'>x</b></a>", true);
    // Malformed, found at once or after the handover.
    row("tag mismatch", decl + "<a>\n<b>è é\n  ü</c></a>", false);
    row("malformed in skipped content", "<a>\n<skip>é<b>x</c></skip></a>", false);
    row("bad byte", "<a>\n  ok \xC3\x28</a>", false);
    row("control character", "<a>x\x01</a>", false);
    row("undefined entity", "<a>\nabc &nbsp; d</a>", false);
    row("bad character reference", "<a>x&#0;</a>", false);
    row("surrogate reference", "<a b='&#xD800;'/>", false);
    row("repeated attribute", "<a>\n<b x='1' x='2'/></a>", false);
    row("attributes not apart", "<a x='1'y='2'/>", false);
    row("less-than in a value", "<a x='<'/>", false);
    row("end of CDATA in text", "<a>\n x]]>y</a>", false);
    row("end of CDATA after a reference", "<a>&amp;\n] x]]]>y</a>", false);
    row("truncated in a tag", "<a>\n<b x='1", false);
    row("truncated in text", "<a>\n<b>xyz", false);
    row("truncated after a bracket", "<a>\n<b>x]", false);
    row("truncated in a character", "<a>\xC3", false);
    row("junk after the root", "<a/>\n <b/>", false);
    row("text after the root", "<a></a>x", false);
    row("document type", "<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY e 'x'>]><a>&e;</a>", false);
    row("no root", "  \n", false);
    row("empty", "", false);
}

void TestXmlScanner::sameAsExpat() {
    QFETCH(QByteArray, xml);
    QFETCH(bool, ok);
    QCOMPARE(parse(xml, xml.size() + 1, XmlEngine::ExpatOnly).ok, ok);
    for (const qsizetype chunk :
         {qsizetype(1), qsizetype(2), qsizetype(3), qsizetype(7), qsizetype(64), xml.size() + 1}) {
        if (chunk < 64 && xml.size() > 10000)
            continue; // a long token read again byte by byte takes minutes
        // Where expat's own chunks break may change its verdict: the same chunks.
        const Outcome expat = parse(xml, chunk, XmlEngine::ExpatOnly);
        const Outcome scanned = parse(xml, chunk, XmlEngine::Scanner);
        const QByteArray where = "chunks of " + QByteArray::number(chunk);
        QVERIFY2(scanned.ok == expat.ok, where.constData());
        QVERIFY2(scanned.message == expat.message,
                 qPrintable(where + ": " + scanned.message + " / " + expat.message));
        const QByteArray logs = where + ": " + scanned.log + " / " + expat.log;
        // Before an error, how much text expat gives depends on its chunks too.
        if (expat.ok || chunk > xml.size())
            QVERIFY2(scanned.log == expat.log, logs.constData());
    }
}

// A run of start tags with the same attribute names in the same order
// shares a number, whatever their values; tags with other names never have
// the same number, and with none known it is 0.
void TestXmlScanner::attributeNamesNumbered() {
    class Numbers : public XmlHandler {
    public:
        void startElement(const char*, const char**) override { ids.push_back(attributeNamesId()); }
        void endElement(const char*) override {}
        void characters(const char*, int) override {}
        std::vector<quint64> ids;
    };
    const QByteArray xml = "<a><c r=\"A1\" s=\"1\"/><c r=\"B1\" s=\"22\"/><d/>"
                           "<c r=\"C1\" s=\"1\" t=\"n\"/><c r=\"D1\" s=\"1\" t=\"s\"/>"
                           "<c s=\"1\" r=\"E1\"/><c r='F1' s=\"1\"/><c r=\"G1\" s=\"3\"/></a>";
    for (const XmlEngine engine : {XmlEngine::Scanner, XmlEngine::ExpatOnly}) {
        ChunkSource source(xml, xml.size());
        Numbers handler;
        XmlError error;
        QVERIFY(parseXml(source, QStringLiteral("p.xml"), handler, {1 << 20, 8}, &error, engine));
        const std::vector<quint64>& id = handler.ids;
        QCOMPARE(id.size(), std::size_t(9));
        if (engine == XmlEngine::ExpatOnly) {
            QCOMPARE(id, std::vector<quint64>(9, 0));
            continue;
        }
        QCOMPARE(id[0], quint64(0)); // <a>, no attributes
        QVERIFY(id[1] != 0 && id[2] == id[1]);
        QCOMPARE(id[3], quint64(0)); // <d/>
        QVERIFY(id[4] != 0 && id[4] != id[1] && id[5] == id[4]);
        QVERIFY(id[6] != 0 && id[6] != id[1] && id[6] != id[4]); // the order differs
        QCOMPARE(id[7], quint64(0)); // single quotes: not the plain scan's
        QVERIFY(id[8] != 0 && id[8] != id[4] && id[8] != id[6]);
    }
}

void TestXmlScanner::skippedContent() {
    // Only the skipped element's own start and end are told, whoever reads
    // and wherever the chunks break, handed over or not.
    const QByteArray plain = "<a><skip x='1'><b>t&amp;</b>u</skip><c>v</c></a>";
    const QByteArray handedOver = "<a><skip x='1'><b>t<!-- c --></b>\r\nu</skip><c>v</c></a>";
    for (const QByteArray& xml : {plain, handedOver}) {
        for (const qsizetype chunk : {qsizetype(1), qsizetype(5), xml.size() + 1}) {
            for (const XmlEngine engine : {XmlEngine::Scanner, XmlEngine::ExpatOnly}) {
                const Outcome outcome = parse(xml, chunk, engine);
                QVERIFY(outcome.ok);
                QCOMPARE(outcome.log, QByteArray("<a><skip x=[1]></skip><c>v</c></a>"));
            }
        }
    }
}

void TestXmlScanner::byteRuns() {
    // Sixteen bytes at a time or one at a time, a run ends at the first byte
    // the table puts outside its class, wherever that byte lies.
    using namespace xmlbytes;
    const auto check = [](auto runEndOf, ByteClass cls, char inside) {
        for (int byte = 0; byte < 256; ++byte) {
            for (std::size_t at = 0; at < 40; ++at) {
                QByteArray bytes(40, inside);
                bytes[static_cast<qsizetype>(at)] = static_cast<char>(byte);
                const bool in = kClasses.of[byte] & cls;
                const std::size_t expected = in ? 40 : at;
                QCOMPARE(runEndOf(bytes.constData(), std::size_t{0}, std::size_t{40}), expected);
            }
        }
    };
    check(runEnd<kNameChar>, kNameChar, 'n');
    check(runEnd<kPlainText>, kPlainText, 't');
    check(runEnd<kPlainValue>, kPlainValue, 'v');
    // Characters, continuation bytes left out, over lengths across the blocks.
    const QByteArray text = QByteArray("aé€😀").repeated(300);
    for (const qsizetype length :
         {qsizetype(0), qsizetype(10), qsizetype(40), qsizetype(170), text.size()}) {
        const qint64 expected = QString::fromUtf8(text.left(length)).toUcs4().size();
        QCOMPARE(countCharacters(text.constData(), text.constData() + length), expected);
    }
}

QTEST_GUILESS_MAIN(TestXmlScanner)
#include "tst_xmlscanner.moc"
