// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QString>

#include <limits>
#include <optional>
#include <type_traits>

// The properties of a label as JSON, named once for both directions: written into an object
// (`--info`), or read from one (`--from-info`), where a property the object leaves out keeps
// its value and one of the wrong type is the first problem reported.
class JsonFields {
public:
    // Writing into `object`.
    explicit JsonFields(QJsonObject& object)
        : m_out(&object) {}
    // Reading from `object`.
    explicit JsonFields(const QJsonObject& object, const QString& where)
        : m_in(&object)
        , m_where(where) {}

    bool reading() const { return m_in != nullptr; }

    void text(const char* key, QString& value);
    void flag(const char* key, bool& value);
    template <typename Number>
    requires std::is_arithmetic_v<Number>
    void number(const char* key, Number& value) {
        if (m_out) {
            m_out->insert(QLatin1String(key), value);
        } else if (const auto read = readNumber(key)) {
            if (*read < double(std::numeric_limits<Number>::lowest()) ||
                *read > double(std::numeric_limits<Number>::max()))
                wrongType(key, "un numero nei limiti della proprietà");
            else
                value = static_cast<Number>(*read);
        }
    }
    // A code stored as its number.
    template <typename Code>
    requires std::is_enum_v<Code>
    void code(const char* key, Code& value) {
        auto number = static_cast<std::underlying_type_t<Code>>(value);
        this->number(key, number);
        value = static_cast<Code>(number);
    }
    // Written only: what the program found (a picture's size), not a property.
    void found(const char* key, const QJsonValue& value) {
        if (m_out)
            m_out->insert(QLatin1String(key), value);
    }

    // A value read that the property does not allow, in words, unless a problem came first.
    void refuse(const char* key, const char* allowed) { wrongType(key, allowed); }

    // The first value of the wrong type, in words; nothing when all were right.
    const std::optional<QString>& problem() const { return m_problem; }

private:
    std::optional<double> readNumber(const char* key);
    void wrongType(const char* key, const char* expected);

    QJsonObject* m_out = nullptr;
    const QJsonObject* m_in = nullptr;
    QString m_where;
    std::optional<QString> m_problem;
};
