#include "platform/ValveKeyValues.h"

#include <optional>

namespace sonorelle {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

enum class Token { Open, Close, Quoted, Bare };

class Tokens {
public:
    explicit Tokens(QByteArrayView text) : text_(text) {}

    // False at the end; text holds a quoted or bare token's text.
    bool next(Token& kind, QByteArray& text)
    {
        skipSpaceAndComments();
        if (pos_ >= text_.size())
            return false;
        const char c = text_[pos_];
        text.clear();
        if (c == '{' || c == '}') {
            kind = c == '{' ? Token::Open : Token::Close;
            ++pos_;
        } else if (c == '"') {
            kind = Token::Quoted;
            readQuoted(text);
        } else {
            kind = Token::Bare;
            while (pos_ < text_.size() && !isSpace(text_[pos_]) && text_[pos_] != '{' && text_[pos_] != '}' &&
                   text_[pos_] != '"')
                text.append(text_[pos_++]);
        }
        return true;
    }

private:
    void skipSpaceAndComments()
    {
        for (;;) {
            while (pos_ < text_.size() && isSpace(text_[pos_]))
                ++pos_;
            if (!text_.sliced(pos_).startsWith("//"))
                return;
            while (pos_ < text_.size() && text_[pos_] != '\n')
                ++pos_;
        }
    }

    void readQuoted(QByteArray& token)
    {
        ++pos_;
        while (pos_ < text_.size() && text_[pos_] != '"') {
            char c = text_[pos_++];
            if (c == '\\' && pos_ < text_.size()) {
                const char escape = text_[pos_++];
                c = escape == 'n' ? '\n' : escape == 't' ? '\t' : escape;
            }
            token.append(c);
        }
        ++pos_;
    }

    QByteArrayView text_;
    qsizetype pos_ = 0;
};

}  // namespace

QList<ValveKeyValue> ReadValveKeyValues(QByteArrayView text)
{
    QList<ValveKeyValue> values;
    QStringList blocks;
    std::optional<QString> key;
    Tokens tokens(text);
    Token kind = Token::Bare;
    QByteArray token;
    while (tokens.next(kind, token)) {
        if (kind == Token::Open) {
            blocks.append(key.value_or(QString()));
            key.reset();
        } else if (kind == Token::Close) {
            if (!blocks.isEmpty())
                blocks.removeLast();
            key.reset();
        } else if (kind == Token::Bare && token.startsWith('[')) {
            // A platform condition after a value; it names no key.
        } else if (!key) {
            key = QString::fromUtf8(token);
        } else {
            values.append({blocks + QStringList{*key}, QString::fromUtf8(token)});
            key.reset();
        }
    }
    return values;
}

}  // namespace sonorelle
