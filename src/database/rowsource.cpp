// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/rowsource.h"

namespace fieldtype {

Class classOf(int type) {
    switch (type) {
    case Boolean:
    case Byte:
    case Integer:
    case Long:
    case Currency:
    case Single:
    case Double:
    case LongBinary:
    case BigInt:
    case Numeric:
    case Decimal:
    case Float:
        return Class::Number;
    case Text:
    case Memo:
    case VarBinary:
    case Char:
        return Class::Text;
    case Date:
    case Time:
    case TimeStamp:
        return Class::Date;
    default:
        return Class::Other;
    }
}

} // namespace fieldtype

int RowSource::fieldIndex(const QString& name) const {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}
