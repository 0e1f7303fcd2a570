// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>

#include <vector>

// Remembers which elements were last brought to the front (flag 1) or sent to the back
// (flag 2). Elements never moved in depth have no entry (flag 0).
class TabellaZOrdine {
public:
    static constexpr int Capacity = 10000;

    struct Entry {
        QString key;
        int flag = 0;
        bool operator==(const Entry&) const = default;
    };

    // Replaces the flag of an existing key, else appends an entry. False, with the table
    // unchanged, when a new entry would not fit.
    bool SetZOrdine(const QString& key, int flag);
    // The flag of the key; 0 when it has no entry.
    int GetZOrdine(const QString& key) const;
    // Removes the key's entry, keeping the order of the others.
    void RimuoviZOrdine(const QString& key);

    int count() const { return static_cast<int>(m_entries.size()); }
    bool isFull() const { return count() >= Capacity; }
    const std::vector<Entry>& entries() const { return m_entries; }
    void clear() {
        m_entries.clear();
        m_flags.clear();
    }

private:
    std::vector<Entry>::iterator find(const QString& key);
    std::vector<Entry> m_entries;
    QHash<QString, int> m_flags; // the same, by key: asked for every element of every label
};
