// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/picturecache.h"

#include "common/resourcelimits.h"
#include "document/picturefile.h"

#include <QFileInfo>

const QImage* PictureCache::load(const QString& path, const QString& asWritten, Failure* failure) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (const auto known = m_pictures.find(canonical); known != m_pictures.end())
        return &known->second;
    bool tooLarge = false;
    picturefile::Read read =
        picturefile::read(path, resourcelimits::DocumentPicturePixels - m_pixels, &tooLarge);
    if (tooLarge) {
        if (failure)
            *failure = {7, QStringLiteral("Memoria esaurita: le immagini superano %1 milioni di "
                                          "pixel (%2).")
                               .arg(resourcelimits::DocumentPicturePixels / 1'000'000)
                               .arg(asWritten)};
        return nullptr;
    }
    QImage image = std::move(read.picture);
    if (image.isNull()) {
        if (failure)
            *failure = {481,
                        QStringLiteral("Immagine non valida: %1 (%2).").arg(asWritten, read.error)};
        return nullptr;
    }
    m_pixels += qint64(image.width()) * image.height();
    return &m_pictures.emplace(canonical, std::move(image)).first->second;
}
