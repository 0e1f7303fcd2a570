// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>

#include <vector>

// Where an element was last moved in depth, with the values label files store.
enum DepthFlag : int { Unmoved = 0, BroughtToFront = 1, SentToBack = 2 };

// Remembers which elements were last brought to the front or sent to the back. Elements never
// moved in depth have no entry (Unmoved).
class TabellaZOrdine {
public:
    static constexpr int Capacity = 10000;

    struct Entry {
        QString key;
        int flag = Unmoved;
        bool operator==(const Entry&) const = default;
    };

    // Replaces the flag of an existing key, else appends an entry. False, with the table
    // unchanged, when a new entry would not fit.
    bool SetZOrdine(const QString& key, int flag);
    // The flag of the key; Unmoved when it has no entry.
    int GetZOrdine(const QString& key) const;
    // Removes the key's entry, keeping the order of the others.
    void RimuoviZOrdine(const QString& key);

    int count() const { return static_cast<int>(m_entries.size()); }
    bool isFull() const { return count() >= Capacity; }
    bool operator==(const TabellaZOrdine&) const = default;
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
