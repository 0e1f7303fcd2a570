#include "zordertable.h"

#include <algorithm>

std::vector<TabellaZOrdine::Entry>::iterator TabellaZOrdine::find(const QString& key) {
    return std::find_if(m_entries.begin(), m_entries.end(),
                        [&](const Entry& entry) { return entry.key == key; });
}

bool TabellaZOrdine::SetZOrdine(const QString& key, int flag) {
    if (const auto it = find(key); it != m_entries.end()) {
        it->flag = flag;
        return true;
    }
    if (isFull())
        return false;
    m_entries.push_back({key, flag});
    return true;
}

int TabellaZOrdine::GetZOrdine(const QString& key) const {
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [&](const Entry& entry) { return entry.key == key; });
    return it == m_entries.end() ? 0 : it->flag;
}

void TabellaZOrdine::RimuoviZOrdine(const QString& key) {
    if (const auto it = find(key); it != m_entries.end())
        m_entries.erase(it);
}
