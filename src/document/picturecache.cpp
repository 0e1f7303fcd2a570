// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/picturecache.h"

#include "common/resourcelimits.h"

#include <QFileInfo>
#include <QImageReader>

#include <algorithm>

const QImage* PictureCache::load(const QString& path, const QString& asWritten, Failure* failure) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (const auto known = m_pictures.find(canonical); known != m_pictures.end())
        return &known->second;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(resourcelimits::PictureAllocationMegabytes);
    const QSize size = reader.size();
    const qint64 pixels = qint64(std::max(0, size.width())) * std::max(0, size.height());
    if (m_pixels + pixels > resourcelimits::DocumentPicturePixels) {
        if (failure)
            *failure = {7, QStringLiteral("Memoria esaurita: le immagini superano %1 milioni di "
                                          "pixel (%2).")
                               .arg(resourcelimits::DocumentPicturePixels / 1'000'000)
                               .arg(asWritten)};
        return nullptr;
    }
    QImage image = reader.read();
    if (image.isNull()) {
        if (failure)
            *failure = {481, QStringLiteral("Immagine non valida: %1 (%2).")
                                 .arg(asWritten, reader.errorString())};
        return nullptr;
    }
    m_pixels += qint64(image.width()) * image.height();
    return &m_pictures.emplace(canonical, std::move(image)).first->second;
}
