// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/sqlexpression.h"

#include "database/accessvalues.h"
#include "database/databaseerror.h"

namespace sql {

namespace {

struct Token {
    enum class Type { End, Word, Name, Number, Text, Date, Symbol };
    Type type = Type::End;
    QString text;
};

[[noreturn]] void syntaxError(QStringView source) {
    throw DatabaseError(DatabaseError::SyntaxError,
                        QStringLiteral("Errore di sintassi nell'espressione '%1'.").arg(source));
}

class Lexer {
public:
    explicit Lexer(QStringView source)
        : m_source(source) {}

    std::vector<Token> tokens() {
        std::vector<Token> result;
        for (;;) {
            Token token = next();
            result.push_back(token);
            if (token.type == Token::Type::End)
                return result;
        }
    }

private:
    QChar peek(qsizetype ahead = 0) const {
        return m_at + ahead < m_source.size() ? m_source[m_at + ahead] : QChar();
    }

    Token next() {
        while (m_at < m_source.size() && m_source[m_at].isSpace())
            ++m_at;
        if (m_at >= m_source.size())
            return {};
        const QChar c = m_source[m_at];
        if (c == u'[') {
            const qsizetype close = m_source.indexOf(u']', m_at + 1);
            if (close < 0)
                syntaxError(m_source);
            Token token{Token::Type::Name, m_source.mid(m_at + 1, close - m_at - 1).toString()};
            m_at = close + 1;
            return token;
        }
        if (c == u'\'' || c == u'"') {
            QString text;
            ++m_at;
            for (;;) {
                if (m_at >= m_source.size())
                    syntaxError(m_source);
                if (m_source[m_at] == c) {
                    if (peek(1) == c) { // a doubled quote stands for itself
                        text += c;
                        m_at += 2;
                        continue;
                    }
                    ++m_at;
                    break;
                }
                text += m_source[m_at++];
            }
            return {Token::Type::Text, text};
        }
        if (c == u'#') {
            const qsizetype close = m_source.indexOf(u'#', m_at + 1);
            if (close < 0)
                syntaxError(m_source);
            Token token{Token::Type::Date, m_source.mid(m_at + 1, close - m_at - 1).toString()};
            m_at = close + 1;
            return token;
        }
        if (c.isDigit() || (c == u'.' && peek(1).isDigit())) {
            const qsizetype start = m_at;
            while (m_at < m_source.size() && (m_source[m_at].isDigit() || m_source[m_at] == u'.'))
                ++m_at;
            if ((peek() == u'e' || peek() == u'E') &&
                (peek(1).isDigit() ||
                 ((peek(1) == u'-' || peek(1) == u'+') && peek(2).isDigit()))) {
                m_at += 2;
                while (m_at < m_source.size() && m_source[m_at].isDigit())
                    ++m_at;
            }
            return {Token::Type::Number, m_source.mid(start, m_at - start).toString()};
        }
        if (c.isLetter() || c == u'_') {
            const qsizetype start = m_at;
            while (m_at < m_source.size() &&
                   (m_source[m_at].isLetterOrNumber() || m_source[m_at] == u'_'))
                ++m_at;
            return {Token::Type::Word, m_source.mid(start, m_at - start).toString()};
        }
        for (const char* symbol :
             {"<>", "<=", ">=", "!=", "=", "<", ">", "(", ")", ",", ".", "-", "+", "*", "/", "&"}) {
            const QLatin1String s(symbol);
            if (m_source.mid(m_at).startsWith(s)) {
                m_at += s.size();
                return {Token::Type::Symbol, QString(s)};
            }
        }
        syntaxError(m_source);
    }

    QStringView m_source;
    qsizetype m_at = 0;
};

class Parser {
public:
    explicit Parser(QStringView source)
        : m_source(source)
        , m_tokens(Lexer(source).tokens()) {}

    std::unique_ptr<Node> whole() {
        auto node = orExpression();
        if (current().type != Token::Type::End)
            syntaxError(m_source);
        return node;
    }

private:
    const Token& current() const { return m_tokens[m_at]; }
    bool isWord(const char* word) const {
        return current().type == Token::Type::Word &&
               current().text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool isSymbol(const char* symbol) const {
        return current().type == Token::Type::Symbol && current().text == QLatin1String(symbol);
    }
    bool acceptWord(const char* word) {
        if (!isWord(word))
            return false;
        ++m_at;
        return true;
    }
    bool acceptSymbol(const char* symbol) {
        if (!isSymbol(symbol))
            return false;
        ++m_at;
        return true;
    }
    void expectSymbol(const char* symbol) {
        if (!acceptSymbol(symbol))
            syntaxError(m_source);
    }

    static std::unique_ptr<Node> make(Node::Kind kind) {
        auto node = std::make_unique<Node>();
        node->kind = kind;
        return node;
    }

    std::unique_ptr<Node> binary(Node::Kind kind, std::unique_ptr<Node> left,
                                 std::unique_ptr<Node> right) {
        auto node = make(kind);
        node->args.push_back(std::move(left));
        node->args.push_back(std::move(right));
        return node;
    }

    std::unique_ptr<Node> orExpression() {
        auto left = andExpression();
        while (acceptWord("OR"))
            left = binary(Node::Kind::Or, std::move(left), andExpression());
        return left;
    }

    std::unique_ptr<Node> andExpression() {
        auto left = notExpression();
        while (acceptWord("AND"))
            left = binary(Node::Kind::And, std::move(left), notExpression());
        return left;
    }

    std::unique_ptr<Node> notExpression() {
        if (acceptWord("NOT")) {
            auto node = make(Node::Kind::Not);
            node->args.push_back(notExpression());
            return node;
        }
        return predicate();
    }

    std::unique_ptr<Node> predicate() {
        auto left = additive();
        for (const char* op : {"=", "<>", "!=", "<=", ">=", "<", ">"}) {
            if (acceptSymbol(op)) {
                auto node = binary(Node::Kind::Compare, std::move(left), additive());
                node->op =
                    QLatin1String(op) == u"!=" ? QStringLiteral("<>") : QString::fromLatin1(op);
                return node;
            }
        }
        if (acceptWord("IS")) {
            auto node = make(Node::Kind::IsNull);
            node->negated = acceptWord("NOT");
            if (!acceptWord("NULL"))
                syntaxError(m_source);
            node->args.push_back(std::move(left));
            return node;
        }
        const bool negated = acceptWord("NOT");
        if (acceptWord("BETWEEN")) {
            auto node = make(Node::Kind::Between);
            node->negated = negated;
            node->args.push_back(std::move(left));
            node->args.push_back(additive());
            if (!acceptWord("AND"))
                syntaxError(m_source);
            node->args.push_back(additive());
            return node;
        }
        if (acceptWord("LIKE")) {
            auto node = binary(Node::Kind::Like, std::move(left), additive());
            node->negated = negated;
            return node;
        }
        if (acceptWord("IN")) {
            auto node = make(Node::Kind::In);
            node->negated = negated;
            node->args.push_back(std::move(left));
            expectSymbol("(");
            do {
                node->args.push_back(additive());
            } while (acceptSymbol(","));
            expectSymbol(")");
            return node;
        }
        if (negated)
            syntaxError(m_source);
        return left;
    }

    std::unique_ptr<Node> arithmetic(const char* op, std::unique_ptr<Node> left,
                                     std::unique_ptr<Node> right) {
        auto node = binary(Node::Kind::Arithmetic, std::move(left), std::move(right));
        node->op = QString::fromLatin1(op);
        return node;
    }

    // & joins texts; + and - add; * and / multiply; a sign binds tightest.
    std::unique_ptr<Node> additive() {
        auto left = multiplicative();
        for (;;) {
            const char* op = isSymbol("+")   ? "+"
                             : isSymbol("-") ? "-"
                             : isSymbol("&") ? "&"
                                             : nullptr;
            if (!op)
                return left;
            ++m_at;
            left = arithmetic(op, std::move(left), multiplicative());
        }
    }

    std::unique_ptr<Node> multiplicative() {
        auto left = operand();
        for (;;) {
            const char* op = isSymbol("*") ? "*" : isSymbol("/") ? "/" : nullptr;
            if (!op)
                return left;
            ++m_at;
            left = arithmetic(op, std::move(left), operand());
        }
    }

    std::unique_ptr<Node> operand() {
        if (acceptSymbol("-")) {
            auto node = make(Node::Kind::Negate);
            node->args.push_back(operand());
            return node;
        }
        acceptSymbol("+");
        if (acceptSymbol("(")) {
            auto node = orExpression();
            expectSymbol(")");
            return node;
        }
        const Token token = current();
        auto literal = [&](QVariant value) {
            ++m_at;
            auto node = make(Node::Kind::Literal);
            node->value = std::move(value);
            return node;
        };
        switch (token.type) {
        case Token::Type::Number: {
            bool ok = false;
            const double value = token.text.toDouble(&ok);
            if (!ok)
                syntaxError(m_source);
            return literal(value);
        }
        case Token::Type::Text:
            return literal(token.text);
        case Token::Type::Date: {
            const auto date = jet::parseDate(token.text);
            if (!date)
                syntaxError(m_source);
            return literal(*date);
        }
        case Token::Type::Word:
            if (isWord("TRUE") || isWord("YES"))
                return literal(true);
            if (isWord("FALSE") || isWord("NO"))
                return literal(false);
            if (isWord("NULL"))
                return literal(QVariant());
            [[fallthrough]];
        case Token::Type::Name: {
            auto node = make(Node::Kind::Column);
            node->column = token.text;
            ++m_at;
            if (acceptSymbol(".")) {
                if (current().type != Token::Type::Word && current().type != Token::Type::Name)
                    syntaxError(m_source);
                node->table = node->column;
                node->column = current().text;
                ++m_at;
            }
            return node;
        }
        default:
            syntaxError(m_source);
        }
    }

    QStringView m_source;
    std::vector<Token> m_tokens;
    std::size_t m_at = 0;
};

std::optional<bool> truth(const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return std::nullopt;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    return jet::toNumber(value) != 0;
}

} // namespace

std::unique_ptr<Node> parse(QStringView text) {
    return Parser(text).whole();
}

void bind(Node& node, const std::vector<FieldInfo>& fields) {
    if (node.kind == Node::Kind::Column) {
        node.index = -1;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const bool sameName = fields[i].name.compare(node.column, Qt::CaseInsensitive) == 0;
            const bool sameTable = node.table.isEmpty() ||
                                   fields[i].table.compare(node.table, Qt::CaseInsensitive) == 0;
            if (sameName && sameTable) {
                node.index = int(i);
                break;
            }
        }
        if (node.index < 0)
            throw DatabaseError(
                DatabaseError::ItemNotFound,
                QStringLiteral("Campo sconosciuto: %1")
                    .arg(node.table.isEmpty() ? node.column : node.table + u'.' + node.column));
    }
    for (auto& arg : node.args)
        bind(*arg, fields);
}

QVariant evaluate(const Node& node, const Row& row) {
    auto value = [&](std::size_t i) { return evaluate(*node.args[i], row); };
    auto isNull = [](const QVariant& v) { return v.isNull() || !v.isValid(); };
    switch (node.kind) {
    case Node::Kind::Literal:
        return node.value;
    case Node::Kind::Column:
        return node.index >= 0 && std::size_t(node.index) < row.size() ? row[node.index]
                                                                       : QVariant();
    case Node::Kind::Negate: {
        const QVariant v = value(0);
        if (isNull(v))
            return {};
        if (!jet::isNumber(v))
            jet::compare(v, 0); // reports the type mismatch
        return -jet::toNumber(v);
    }
    case Node::Kind::Not: {
        const auto v = truth(value(0));
        return v ? QVariant(!*v) : QVariant();
    }
    case Node::Kind::And: {
        const auto a = truth(value(0));
        if (a == false)
            return false;
        const auto b = truth(value(1));
        if (b == false)
            return false;
        return a && b ? QVariant(true) : QVariant();
    }
    case Node::Kind::Or: {
        const auto a = truth(value(0));
        if (a == true)
            return true;
        const auto b = truth(value(1));
        if (b == true)
            return true;
        return a && b ? QVariant(false) : QVariant();
    }
    case Node::Kind::Compare: {
        const QVariant a = value(0);
        const QVariant b = value(1);
        if (isNull(a) || isNull(b))
            return {};
        const int order = jet::compare(a, b);
        const QString& op = node.op;
        const bool result = op == u"="    ? order == 0
                            : op == u"<>" ? order != 0
                            : op == u"<"  ? order < 0
                            : op == u">"  ? order > 0
                            : op == u"<=" ? order <= 0
                                          : order >= 0;
        return result;
    }
    case Node::Kind::Between: {
        const QVariant v = value(0), low = value(1), high = value(2);
        if (isNull(v) || isNull(low) || isNull(high))
            return {};
        const bool inside = jet::compare(v, low) >= 0 && jet::compare(v, high) <= 0;
        return inside != node.negated;
    }
    case Node::Kind::Like: {
        const QVariant v = value(0), pattern = value(1);
        if (isNull(v) || isNull(pattern))
            return {};
        return jet::like(v.toString(), pattern.toString()) != node.negated;
    }
    case Node::Kind::IsNull:
        return isNull(value(0)) != node.negated;
    case Node::Kind::Arithmetic: {
        const QVariant a = value(0), b = value(1);
        if (node.op == u"&") // Null joins as nothing
            return (isNull(a) ? QString() : a.toString()) + (isNull(b) ? QString() : b.toString());
        if (isNull(a) || isNull(b))
            return {};
        if (node.op == u"+" && !jet::isNumber(a) && !jet::isNumber(b))
            return a.toString() + b.toString();
        for (const QVariant& v : {a, b}) {
            if (!jet::isNumber(v))
                jet::compare(v, 0); // reports the type mismatch
        }
        const double x = jet::toNumber(a), y = jet::toNumber(b);
        if (node.op == u"+")
            return x + y;
        if (node.op == u"-")
            return x - y;
        if (node.op == u"*")
            return x * y;
        if (y == 0)
            throw DatabaseError(DatabaseError::DivisionByZero,
                                QStringLiteral("Divisione per zero."));
        return x / y;
    }
    case Node::Kind::In: {
        const QVariant v = value(0);
        if (isNull(v))
            return {};
        bool sawNull = false;
        for (std::size_t i = 1; i < node.args.size(); ++i) {
            const QVariant candidate = value(i);
            if (isNull(candidate)) {
                sawNull = true;
                continue;
            }
            if (jet::compare(v, candidate) == 0)
                return !node.negated;
        }
        return sawNull ? QVariant() : QVariant(node.negated);
    }
    }
    return {};
}

bool isTrue(const QVariant& condition) {
    return truth(condition) == true;
}

int resultType(const Node& node, const std::vector<FieldInfo>& fields) {
    switch (node.kind) {
    case Node::Kind::Column:
        return node.index >= 0 && std::size_t(node.index) < fields.size()
                   ? fields[std::size_t(node.index)].type
                   : fieldtype::Text;
    case Node::Kind::Literal:
        switch (node.value.typeId()) {
        case QMetaType::Double:
            return fieldtype::Double;
        case QMetaType::Bool:
            return fieldtype::Boolean;
        case QMetaType::QDateTime:
            return fieldtype::Date;
        default:
            return fieldtype::Text;
        }
    case Node::Kind::Arithmetic:
        if (node.op == u"&")
            return fieldtype::Text;
        if (node.op == u"+" && resultType(*node.args[0], fields) == fieldtype::Text &&
            resultType(*node.args[1], fields) == fieldtype::Text)
            return fieldtype::Text;
        return fieldtype::Double;
    case Node::Kind::Negate:
        return fieldtype::Double;
    default:
        return fieldtype::Boolean;
    }
}

} // namespace sql
