#include "ui/grid/textmeasure.h"

namespace {

bool isAsciiDigit(QChar ch) {
    return ch.unicode() >= u'0' && ch.unicode() <= u'9';
}

} // namespace

TextMeasure::TextMeasure(const QFont& font) : m_metrics(font) {
    const QString zeros = QStringLiteral("00");
    const qreal pair = m_metrics.horizontalAdvance(zeros);
    const qreal single = m_metrics.horizontalAdvance(QStringLiteral("0"));
    m_digitsUniform = true;
    for (char16_t a = u'0'; a <= u'9' && m_digitsUniform; ++a) {
        if (m_metrics.horizontalAdvance(QString(QChar(a))) != single)
            m_digitsUniform = false;
        for (char16_t b = u'0'; b <= u'9' && m_digitsUniform; ++b) {
            const QChar both[2] = {QChar(a), QChar(b)};
            if (m_metrics.horizontalAdvance(QString(both, 2)) != pair)
                m_digitsUniform = false;
        }
    }
}

bool TextMeasure::digitsNeutralBeside(QChar other) {
    const auto found = m_neutral.constFind(other.unicode());
    if (found != m_neutral.constEnd())
        return *found;
    bool neutral = !other.isSurrogate();
    const qreal before = m_metrics.horizontalAdvance(QString(other) + u'0');
    const qreal after = m_metrics.horizontalAdvance(QString(u'0') + other);
    for (char16_t d = u'1'; d <= u'9' && neutral; ++d) {
        neutral = m_metrics.horizontalAdvance(QString(other) + QChar(d)) == before &&
                  m_metrics.horizontalAdvance(QString(QChar(d)) + other) == after;
    }
    m_neutral.insert(other.unicode(), neutral);
    return neutral;
}

bool TextMeasure::patternUsable(const QString& pattern) {
    if (!m_digitsUniform)
        return false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar ch = pattern.at(i);
        if (isAsciiDigit(ch))
            continue;
        const bool besideDigit = (i > 0 && isAsciiDigit(pattern.at(i - 1))) ||
                                 (i + 1 < pattern.size() && isAsciiDigit(pattern.at(i + 1)));
        if (besideDigit && !digitsNeutralBeside(ch))
            return false;
    }
    return true;
}

qreal TextMeasure::patternWidth(const QString& pattern) {
    const auto found = m_patterns.constFind(pattern);
    if (found != m_patterns.constEnd())
        return *found;
    const qreal width = patternUsable(pattern) ? exact(pattern) : -1.0;
    m_patterns.insert(pattern, width);
    return width;
}

qreal TextMeasure::width(const QString& text) {
    bool hasDigit = false;
    for (const QChar ch : text) {
        if (isAsciiDigit(ch)) {
            hasDigit = true;
            break;
        }
    }
    if (!hasDigit || !m_digitsUniform)
        return exact(text);
    QString pattern = text;
    for (QChar& ch : pattern) {
        if (isAsciiDigit(ch))
            ch = u'0';
    }
    const qreal width = patternWidth(pattern);
    return width >= 0 ? width : exact(text);
}
