#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QString>

// Widths of texts in one font, in pixels, as QFontMetricsF gives them, made
// fast for grids full of numbers. A text with digits is measured through
// its pattern (every digit replaced by '0') when the font draws the ten
// digits interchangeably: the same advance, and the same spacing next to
// each other and next to every other character of the text. The pattern's
// width is measured exactly once and remembered, so the result is always
// the exact width of the text itself.
class TextMeasure {
public:
    explicit TextMeasure(const QFont& font);

    // The exact width of text.
    qreal exact(const QString& text) const { return m_metrics.horizontalAdvance(text); }
    // The width of text: through its pattern when that gives the same
    // width, otherwise exactly.
    qreal width(const QString& text);
    // The width of a text whose pattern is given (a text of digits whose
    // digits are all '0'), or a negative value when the font does not draw
    // digits interchangeably in that pattern.
    qreal patternWidth(const QString& pattern);

    // True when the ten digits have one advance and every pair of digits
    // is spaced alike.
    bool digitsUniform() const { return m_digitsUniform; }

private:
    bool digitsNeutralBeside(QChar other);
    bool patternUsable(const QString& pattern);

    QFontMetricsF m_metrics;
    bool m_digitsUniform = false;
    QHash<char16_t, bool> m_neutral;
    QHash<QString, qreal> m_patterns;
};
