// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/zordertable.h"

#include <algorithm>

std::vector<TabellaZOrdine::Entry>::iterator TabellaZOrdine::find(const QString& key) {
    return std::find_if(m_entries.begin(), m_entries.end(),
                        [&](const Entry& entry) { return entry.key == key; });
}

bool TabellaZOrdine::SetZOrdine(const QString& key, int flag) {
    if (m_flags.contains(key)) {
        find(key)->flag = flag;
        m_flags[key] = flag;
        return true;
    }
    if (isFull())
        return false;
    m_entries.push_back({key, flag});
    m_flags.insert(key, flag);
    return true;
}

int TabellaZOrdine::GetZOrdine(const QString& key) const {
    return m_flags.value(key, 0);
}

void TabellaZOrdine::RimuoviZOrdine(const QString& key) {
    if (!m_flags.remove(key))
        return;
    if (const auto it = find(key); it != m_entries.end())
        m_entries.erase(it);
}
