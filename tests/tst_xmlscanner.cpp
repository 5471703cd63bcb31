// The scanner that reads workbook XML must give what expat alone gives: the
// same events, the same verdict and the same message (line and column
// included), wherever the chunks break and whatever it hands over to expat.
#include "workbook/xmlbytes.h"
#include "workbook/xmlstream.h"

#include <QTest>

#include <vector>

namespace {

// A name as the log writes it: "{uri}local", or "local" without a
// namespace; the known namespaces by their kind ("{2}v" in that of xml).
QByteArray logName(XmlNs ns, std::string_view uri, const char* local) {
    if (uri.empty())
        return QByteArray(local);
    const QByteArray known = ns == XmlNs::Other ? QByteArray() : QByteArray::number(int(ns)) + ':';
    return '{' + known + QByteArray(uri.data(), qsizetype(uri.size())) + '}' + local;
}

// Writes every event; consecutive texts are joined, since a text may arrive
// in pieces. Fails at the start of an element named "stop", finishes at one
// named "finish" and skips the content of those named "skip".
class RecordingHandler : public XmlHandler {
public:
    void startElement(const XmlName& name, const XmlAttributes& attributes) override {
        if (qstrcmp(name.local, "skip") == 0)
            skipContent();
        m_log += "<" + logName(name.ns, name.uri, name.local);
        for (int i = 0; i < attributes.size(); ++i)
            m_log += " " + logName(attributes.ns(i), attributes.uri(i), attributes.name(i)) + "=[" +
                     QByteArray(attributes.value(i)) + "]";
        m_log += ">";
        if (qstrcmp(name.local, "stop") == 0)
            fail(QStringLiteral("fermato"));
        if (qstrcmp(name.local, "finish") == 0)
            finish();
    }
    void endElement(const XmlName& name) override {
        m_log += "</" + logName(name.ns, name.uri, name.local) + ">";
    }
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

Outcome parse(const QByteArray& xml, qsizetype chunk, XmlEngine engine,
              qint64 maxToken = kMaxXmlTokenBytes) {
    ChunkSource source(xml, chunk);
    RecordingHandler handler;
    XmlError error;
    const bool ok = parseXml(source, QStringLiteral("p.xml"), handler, {1 << 20, 8, 0, maxToken},
                             &error, engine);
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
    void namesResolved();
    void tokenBound_data();
    void tokenBound();
    void byteRuns();
};

void TestXmlScanner::sameAsExpat_data() {
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<bool>("ok");
    const QByteArray decl = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    const QByteArray cells =
        "<t:table xmlns:t='urn:t' t:name=\"Fò&amp;glio\"><t:row r='1'>\n  <c t=\"n\" "
        "v = \"1.5\"><p>città &lt;&#233;&#x1F600;&gt; ]] ></p></c><e/>"
        "</t:row>\n</t:table>";
    const auto row = [&](const char* name, const QByteArray& xml, bool ok) {
        QTest::newRow(name) << xml << ok;
    };
    // Read by the scanner alone.
    row("cells", decl + "<doc xmlns:x=\"urn:x\" x:a=\"1\" b='\"'>" + cells + "</doc>\n", true);
    row("no declaration", "<doc>" + cells + "</doc >", true);
    row("attribute white space", "<a v=\"x\ty\nz&#10;&#9;\"/>", true);
    row("empty root", "<?xml version=\"1.0\"?><a/> \n", true);
    row("handler fails", "<a>\n  <b><stop/>é</b></a>", false);
    row("handler finishes", "<a><finish/><b></a>", true);
    row("too deep", "<a><a><a><a><a><a><a><a><a>x</a></a></a></a></a></a></a></a></a>", false);
    row("skipped content", "<a><skip x='1'><b>t&amp;</b>u<skip/></skip><skip/><c>v</c></a>", true);
    // Names resolved as namespaces in XML resolve them: a default namespace
    // and its undeclaring, prefixes of elements and attributes (not the
    // default for these), the xml prefix, a prefix bound again within a run
    // of tags of one shape (by a tag that leaves the run as it is) and back
    // after it, declarations within the run, the same for a name alone.
    row("namespaces",
        "<w xmlns='http://schemas.openxmlformats.org/spreadsheetml/2006/main' xmlns:r='urn:r'>"
        "<c r:id=\"1\" id=\"2\"><v>1</v></c><x:v xmlns:x='urn:x'>2</x:v>"
        "<u xmlns=''><v a:b='3' xmlns:a='urn:a' xml:space='preserve'/></u></w>",
        true);
    row("a prefix bound again in a run of one shape",
        "<r xmlns:p=\"urn:one\"><c p:v=\"1\"/><c p:v=\"2\"/><s xmlns:p='urn:two'><c p:v=\"3\"/>"
        "<c p:v=\"4\"/></s><c p:v=\"5\"/><c xmlns:p=\"urn:three\" p:v=\"6\"/>"
        "<c xmlns:p=\"urn:four\" p:v=\"7\"/><c p:v=\"8\"/><p:n/><s xmlns:p='urn:two'><p:n/></s>"
        "<p:n/></r>",
        true);
    row("one local name in two namespaces",
        "<r xmlns:a='urn:a' xmlns:b='urn:b'><c a:v=\"1\" b:v=\"2\" v=\"3\"/></r>", true);
    row("namespaces handed over",
        "<a xmlns='urn:d' xmlns:p=\"urn:&quot;&amp;&#9;&lt;è\"><b xmlns:q='urn:q'><!-- c -->"
        "<q:c p:d='1'>\r\n</q:c></b><p:e/></a>",
        true);
    row("namespaces handed over in skipped content",
        "<a><skip xmlns:s='urn:s'><s:b xmlns:t='urn:t'>x<!-- c --><t:c s:d='1'/></s:b></skip>"
        "<s:c xmlns:s='urn:s2'/></a>",
        true);
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
    // Names expat's namespace mode refuses.
    row("prefix not bound", "<a>\n<p:b/></a>", false);
    row("attribute prefix not bound", "<a>\n<b p:c=\"1\"/></a>", false);
    row("prefix bound in a sibling only", "<a><b xmlns:p='urn:p'/><p:c/></a>", false);
    row("prefix not bound in skipped content", "<a><skip><p:b/></skip></a>", false);
    row("prefix declared empty", "<a><b xmlns:p=\"\"/></a>", false);
    row("xml prefix bound elsewhere", "<a xmlns:xml=\"urn:x\"/>", false);
    row("xmlns prefix declared", "<a xmlns:xmlns=\"urn:x\"/>", false);
    row("reserved namespace bound", "<a xmlns:p=\"http://www.w3.org/2000/xmlns/\"/>", false);
    row("one expanded name twice",
        "<a xmlns:p='urn:u' xmlns:q='urn:u'><b p:x=\"1\" q:x=\"2\"/></a>", false);
    row("two colons", "<a xmlns:b='urn:b'><b:c:d/></a>", false);
    row("colon before a digit", "<a xmlns:b='urn:b'><b:1/></a>", false);
    row("colon last", "<a b:=\"1\"/>", false);
    row("colon first", "<:a/>", false);
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
        void startElement(const XmlName&, const XmlAttributes&) override {
            ids.push_back(attributeNamesId());
        }
        void endElement(const XmlName&) override {}
        void characters(const char*, int) override {}
        std::vector<quint64> ids;
    };
    // Last, a prefix bound again around tags of one shape, by a tag that
    // leaves the shape as it is (single quotes): they are resolved anew.
    const QByteArray xml = "<a><c r=\"A1\" s=\"1\"/><c r=\"B1\" s=\"22\"/><d/>"
                           "<c r=\"C1\" s=\"1\" t=\"n\"/><c r=\"D1\" s=\"1\" t=\"s\"/>"
                           "<c s=\"1\" r=\"E1\"/><c r='F1' s=\"1\"/><c r=\"G1\" s=\"3\"/>"
                           "<g xmlns:p=\"urn:one\"><c p:r=\"A1\"/><c p:r=\"B1\"/>"
                           "<h xmlns:p='urn:two'><c p:r=\"C1\"/></h><c p:r=\"D1\"/></g></a>";
    for (const XmlEngine engine : {XmlEngine::Scanner, XmlEngine::ExpatOnly}) {
        ChunkSource source(xml, xml.size());
        Numbers handler;
        XmlError error;
        QVERIFY(parseXml(source, QStringLiteral("p.xml"), handler, {1 << 20, 8}, &error, engine));
        const std::vector<quint64>& id = handler.ids;
        QCOMPARE(id.size(), std::size_t(15));
        if (engine == XmlEngine::ExpatOnly) {
            QCOMPARE(id, std::vector<quint64>(15, 0));
            continue;
        }
        QCOMPARE(id[0], quint64(0)); // <a>, no attributes
        QVERIFY(id[1] != 0 && id[2] == id[1]);
        QCOMPARE(id[3], quint64(0)); // <d/>
        QVERIFY(id[4] != 0 && id[4] != id[1] && id[5] == id[4]);
        QVERIFY(id[6] != 0 && id[6] != id[1] && id[6] != id[4]); // the order differs
        QCOMPARE(id[7], quint64(0)); // single quotes: not the plain scan's
        QVERIFY(id[8] != 0 && id[8] != id[4] && id[8] != id[6]);
        QCOMPARE(id[9], quint64(0)); // a declaration: its names depend on its values
        QVERIFY(id[10] != 0 && id[11] == id[10]);
        QVERIFY(id[13] != 0 && id[13] != id[10]);
        QVERIFY(id[14] != 0 && id[14] != id[13]);
    }
}

// Both readers resolve names alike (sameAsExpat); here, what they resolve
// them to.
void TestXmlScanner::namesResolved() {
    const QByteArray xml =
        "<w xmlns='http://purl.oclc.org/ooxml/spreadsheetml/main' xmlns:r=\"urn:r\">"
        "<c r:id=\"1\" id=\"2\"><x:v xmlns:x='urn:x' xml:space='p'/></c><u xmlns=''/></w>";
    const QByteArray w = "{3:http://purl.oclc.org/ooxml/spreadsheetml/main}";
    const QByteArray expected =
        "<" + w + "w><" + w + "c {urn:r}id=[1] id=[2]><{urn:x}v {2:" +
        QByteArray(kXmlNamespaceUri.data(), qsizetype(kXmlNamespaceUri.size())) +
        "}space=[p]></{urn:x}v></" + w + "c><u></u></" + w + "w>";
    for (const XmlEngine engine : {XmlEngine::Scanner, XmlEngine::ExpatOnly})
        QCOMPARE(parse(xml, xml.size(), engine).log, expected);
}

// A token longer than the bound is refused, by either reader, wherever the
// chunks break; one as long as the bound is read.
void TestXmlScanner::tokenBound_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("open");
    QTest::addColumn<char>("filler");
    QTest::addColumn<QByteArray>("close");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("comment") << QByteArray("<a>") << QByteArray("<!--") << 'x' << QByteArray("-->")
                             << QByteArray("</a>");
    QTest::newRow("instruction") << QByteArray("<a>") << QByteArray("<?pi ") << 'x'
                                 << QByteArray("?>") << QByteArray("</a>");
    QTest::newRow("attribute value") << QByteArray("<a>\n") << QByteArray("<b v=\"") << 'x'
                                     << QByteArray("\"/>") << QByteArray("</a>");
    QTest::newRow("root tag") << QByteArray() << QByteArray("<a v='") << 'x' << QByteArray("'/>")
                              << QByteArray();
    QTest::newRow("end tag") << QByteArray("<a><b>") << QByteArray("</b") << ' ' << QByteArray(">")
                             << QByteArray("</a>");
    QTest::newRow("text") << QByteArray("<a><b/>") << QByteArray() << 'x' << QByteArray()
                          << QByteArray("<b/></a>");
}

void TestXmlScanner::tokenBound() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, open);
    QFETCH(char, filler);
    QFETCH(QByteArray, close);
    QFETCH(QByteArray, after);
    constexpr qint64 kBound = 300;
    for (const qint64 length : {kBound, kBound + 1}) {
        const QByteArray fill(length - open.size() - close.size(), filler);
        const QByteArray xml = before + open + fill + close + after;
        for (const qsizetype chunk : {qsizetype(1), qsizetype(7), qsizetype(64), xml.size()}) {
            for (const XmlEngine engine : {XmlEngine::Scanner, XmlEngine::ExpatOnly}) {
                const Outcome outcome = parse(xml, chunk, engine, kBound);
                const QByteArray where =
                    QByteArray::number(length) + " bytes in chunks of " + QByteArray::number(chunk);
                if (length <= kBound) {
                    QVERIFY2(outcome.ok, qPrintable(where + ": " + outcome.message));
                } else {
                    QVERIFY2(outcome.message ==
                                 QStringLiteral("la parte p.xml contiene un tag, un commento, "
                                                "un'istruzione o un testo XML più lungo di 300 "
                                                "byte"),
                             qPrintable(where + ": " + outcome.message));
                }
            }
        }
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
