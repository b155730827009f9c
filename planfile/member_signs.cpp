#include "member_signs.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace quorvel {

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

class Cursor {
  public:
    explicit Cursor(const QByteArray& text) : m_text(text) {}

    bool AtEnd() const { return m_pos >= m_text.size(); }
    char Peek() const { return AtEnd() ? '\0' : m_text[m_pos]; }
    void Next() { ++m_pos; }
    qsizetype Pos() const { return m_pos; }

    void SkipBlanks() {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) {
            Next();
        }
    }

    // At an opening quote: moves past the closing one.
    bool SkipString() {
        Next();
        while (!AtEnd()) {
            const char c = Peek();
            Next();
            if (c == '\\') {
                Next();
            } else if (c == '"') {
                return true;
            }
        }
        return false;
    }

    // Moves to the ',' or '}' that ends the current member's value.
    bool SkipValue() {
        int depth = 0;
        while (!AtEnd()) {
            const char c = Peek();
            if (c == '"') {
                if (!SkipString()) {
                    return false;
                }
                continue;
            }
            if ((c == ',' || c == '}') && depth == 0) {
                return true;
            }
            if (c == '{' || c == '[') {
                ++depth;
            } else if (c == '}' || c == ']') {
                --depth;
            }
            Next();
        }
        return false;
    }

    QByteArray Slice(qsizetype from) const { return m_text.mid(from, m_pos - from); }

  private:
    const QByteArray& m_text;
    qsizetype m_pos = 0;
};

// The decoding of a name's escapes is Qt's, not ours.
QString DecodeName(const QByteArray& quoted) {
    return QJsonDocument::fromJson('[' + quoted + ']').array().at(0).toString();
}

}  // namespace

TopLevelMembers ScanTopLevelMembers(const QByteArray& json) {
    TopLevelMembers members;
    QSet<QString> seen;
    Cursor cursor(json);
    if (json.startsWith(kByteOrderMark)) {
        for (std::size_t i = 0; i < sizeof kByteOrderMark - 1; ++i) {
            cursor.Next();
        }
    }
    cursor.SkipBlanks();
    if (cursor.Peek() != '{') {
        return members;
    }
    cursor.Next();
    for (;;) {
        cursor.SkipBlanks();
        if (cursor.Peek() != '"') {
            return members;
        }
        const qsizetype nameStart = cursor.Pos();
        if (!cursor.SkipString()) {
            return members;
        }
        const QString name = DecodeName(cursor.Slice(nameStart));
        if (seen.contains(name) && !members.repeated.contains(name)) {
            members.repeated.append(name);
        }
        seen.insert(name);
        cursor.SkipBlanks();
        if (cursor.Peek() != ':') {
            return members;
        }
        cursor.Next();
        cursor.SkipBlanks();
        if (cursor.Peek() == '-') {
            members.negative.insert(name);
        }
        if (!cursor.SkipValue() || cursor.Peek() != ',') {
            return members;
        }
        cursor.Next();
    }
}

}  // namespace quorvel
