// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/printdocument.h"

#include <cstring>

// Packed pages live only in memory, written and read by the same program: each step as its
// fields' bytes, then compressed.

namespace {

struct FixedPart {
    double x, y, width, height, measure;
    qint32 style, picture;
    qint32 textLength; // UTF-16 units that follow
    quint8 kind, shade;
};

} // namespace

void PrintPage::pack() {
    if (isPacked() || ops.empty())
        return;
    QByteArray bytes;
    bytes.reserve(qsizetype(ops.size() * sizeof(FixedPart)));
    for (const DrawOp& op : ops) {
        FixedPart fixed;
        std::memset(&fixed, 0, sizeof fixed); // the padding too: the same page packs the same
        fixed.x = op.area.x();
        fixed.y = op.area.y();
        fixed.width = op.area.width();
        fixed.height = op.area.height();
        fixed.measure = op.measure;
        fixed.style = op.style;
        fixed.picture = op.picture;
        fixed.textLength = qint32(op.text.size());
        fixed.kind = quint8(op.kind);
        fixed.shade = quint8(op.shade);
        bytes.append(reinterpret_cast<const char*>(&fixed), sizeof fixed);
        bytes.append(reinterpret_cast<const char*>(op.text.utf16()),
                     op.text.size() * qsizetype(sizeof(char16_t)));
    }
    packed = qCompress(bytes, 1); // fast: pages are packed while the job is drawn
    packed.squeeze();             // qCompress keeps room for the uncompressed size
    ops.clear();
    ops.shrink_to_fit();
}

std::vector<DrawOp> PrintPage::operations() const {
    if (!isPacked())
        return ops;
    const QByteArray bytes = qUncompress(packed);
    std::vector<DrawOp> unpacked;
    qsizetype at = 0;
    while (at + qsizetype(sizeof(FixedPart)) <= bytes.size()) {
        FixedPart fixed;
        std::memcpy(&fixed, bytes.constData() + at, sizeof fixed);
        at += qsizetype(sizeof fixed);
        const qsizetype textBytes = qsizetype(fixed.textLength) * qsizetype(sizeof(char16_t));
        if (fixed.textLength < 0 || at + textBytes > bytes.size())
            break;
        DrawOp op;
        op.kind = DrawOp::Kind(fixed.kind);
        op.area = QRectF(fixed.x, fixed.y, fixed.width, fixed.height);
        op.measure = fixed.measure;
        op.style = fixed.style;
        op.picture = fixed.picture;
        op.shade = fixed.shade != 0;
        op.text = QString(reinterpret_cast<const QChar*>(bytes.constData() + at), fixed.textLength);
        at += textBytes;
        unpacked.push_back(std::move(op));
    }
    return unpacked;
}
