// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

#include <map>

// Picture files decoded once and shared: a label that names one file on twenty elements, or a
// job that prints it on ten thousand labels, holds one image. All the distinct pictures
// together stay within the pixels one document may hold.
class PictureCache {
public:
    struct Failure {
        int code = 0; // 7: beyond the pixels a document may hold; 481: no picture
        QString description;
    };

    // The picture of a readable file; nothing and the reason when it cannot be had.
    // `asWritten` names the file in messages as the user wrote it.
    const QImage* load(const QString& path, const QString& asWritten, Failure* failure);

private:
    std::map<QString, QImage> m_pictures; // by canonical path
    qint64 m_pixels = 0;
};
