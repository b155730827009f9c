#include "planfile/quoted_name.h"

namespace quorvel {

namespace {

bool IsControl(char16_t c) {
    // C0, DEL, C1, and the Unicode line and paragraph separators.
    return c < 0x20 || (c >= 0x7f && c <= 0x9f) || c == 0x2028 || c == 0x2029;
}

}  // namespace

QString QuotedName(const QString& text) {
    QString out = QStringLiteral("'");
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
            const int width = c <= 0xff ? 2 : 4;
            out += (width == 2 ? QStringLiteral("\\x") : QStringLiteral("\\u")) +
                   QStringLiteral("%1").arg(static_cast<unsigned>(c), width, 16, QLatin1Char('0'));
        } else {
            out += qc;
        }
    }
    out += QLatin1Char('\'');
    return out;
}

}  // namespace quorvel
