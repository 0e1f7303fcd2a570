// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/printdocument.h"

int PrintDocument::styleIndex(const DrawStyle& style) {
    // Documents use a handful of styles; the last ones are the likely match.
    for (int i = int(styles.size()) - 1; i >= 0; --i) {
        if (styles[std::size_t(i)] == style)
            return i;
    }
    styles.push_back(style);
    extended = extended || style.fontUnderline || style.textVertical != printcodes::AlignTop ||
               style.penStyle == printcodes::DashPen || style.penStyle == printcodes::DotPen;
    return int(styles.size()) - 1;
}

int PrintDocument::pictureIndex(const QImage& picture) {
    const auto found = m_pictureByKey.find(picture.cacheKey());
    if (found != m_pictureByKey.end())
        return found->second;
    pictures.push_back(picture);
    const int index = int(pictures.size()) - 1;
    m_pictureByKey.emplace(picture.cacheKey(), index);
    return index;
}

void PrintDocument::clear() {
    pages.clear();
    styles.clear();
    pictures.clear();
    m_pictureByKey.clear();
    calibration.reset();
    extended = false;
}

bool PrintDocument::operator==(const PrintDocument& other) const {
    if (paper != other.paper || pages != other.pages || styles != other.styles ||
        pictures.size() != other.pictures.size())
        return false;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        if (pictures[i].convertToFormat(QImage::Format_ARGB32) !=
            other.pictures[i].convertToFormat(QImage::Format_ARGB32))
            return false;
    }
    return true;
}
