#include "planfile/quoted_name.h"

namespace quorvel {

namespace {

bool IsControl(char16_t c) {
    // C0, DEL, C1, and the Unicode line and paragraph separators.
    return c < 0x20 || (c >= 0x7f && c <= 0x9f) || c == 0x2028 || c == 0x2029;
}

QString Hex(unsigned value, int width) {
    return QStringLiteral("%1").arg(value, width, 16, QLatin1Char('0'));
}

void AppendEscaped(QString& out, const QString& text) {
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == u'\\') {
            out += QStringLiteral("\\\\");
        } else if (c == u'\n') {
            out += QStringLiteral("\\n");
        } else if (c == u'\t') {
            out += QStringLiteral("\\t");
        } else if (c == u'\r') {
            out += QStringLiteral("\\r");
        } else if (IsControl(c)) {
            out +=
                c <= 0xff ? QStringLiteral("\\x") + Hex(c, 2) : QStringLiteral("\\u") + Hex(c, 4);
        } else {
            out += qc;
        }
    }
}

// The length of the well-formed UTF-8 sequence at `at`, or 0 when its first byte starts
// none (RFC 3629: no overlong forms, no surrogates, nothing above U+10FFFF).
qsizetype Utf8SequenceAt(const QByteArray& bytes, qsizetype at) {
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    qsizetype length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xbf;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        low = lead == 0xe0 ? 0xa0 : 0x80;
        high = lead == 0xed ? 0x9f : 0xbf;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        low = lead == 0xf0 ? 0x90 : 0x80;
        high = lead == 0xf4 ? 0x8f : 0xbf;
    } else {
        return 0;
    }
    if (at + length > bytes.size() || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (qsizetype i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xbf) {
            return 0;
        }
    }
    return length;
}

}  // namespace

QString QuotedName(const QString& text) {
    QString out = QStringLiteral("'");
    AppendEscaped(out, text);
    out += QLatin1Char('\'');
    return out;
}

QString QuotedNativeName(const QByteArray& name) {
    QString out = QStringLiteral("'");
    qsizetype runStart = 0;
    const auto endRun = [&](qsizetype at) {
        AppendEscaped(out, QString::fromUtf8(name.sliced(runStart, at - runStart)));
    };
    for (qsizetype at = 0; at < name.size();) {
        if (const qsizetype length = Utf8SequenceAt(name, at)) {
            at += length;
            continue;
        }
        endRun(at);
        out += QStringLiteral("\\x") + Hex(static_cast<unsigned char>(name[at]), 2);
        runStart = ++at;
    }
    endRun(name.size());
    out += QLatin1Char('\'');
    return out;
}

QString QuotedValue(const QString& text) {
    if (text.size() <= kLongestQuotedValue) {
        return QuotedName(text);
    }
    qsizetype cut = kLongestQuotedValue;
    if (text[cut - 1].isHighSurrogate()) {
        --cut;  // half a character would show as a stray box
    }
    QString out = QuotedName(text.first(cut));
    out.insert(out.size() - 1, QChar(0x2026));
    return out;
}

QString QuotedList(const QStringList& names) {
    QStringList shown;
    for (qsizetype i = 0; i < names.size() && i < kLongestQuotedList; ++i) {
        shown.append(QuotedValue(names[i]));
    }
    if (names.size() > kLongestQuotedList) {
        shown.append(QStringLiteral("and %1 more").arg(names.size() - kLongestQuotedList));
    }
    return shown.join(QStringLiteral(", "));
}

}  // namespace quorvel
