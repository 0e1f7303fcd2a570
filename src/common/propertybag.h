// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>

// Where a control saves its properties and reads them back, with a default for every value
// the store does not hold.
class PropertyBag {
public:
    QVariant ReadProperty(const QString& name, const QVariant& defaultValue = {}) const {
        return m_values.value(name, defaultValue);
    }
    void WriteProperty(const QString& name, const QVariant& value) { m_values.insert(name, value); }

    bool contains(const QString& name) const { return m_values.contains(name); }
    const QVariantMap& values() const { return m_values; }

private:
    QVariantMap m_values;
};
