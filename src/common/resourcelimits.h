// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// How much of the machine one document may take, whatever its files say. Beyond these the
// user gets a message instead of a program that swaps or is killed.
namespace resourcelimits {

// Decoded pixels of all the distinct pictures of one label or one saved print: 100 million
// (400 MB at four bytes a pixel; a 300 dpi A4 photo has 8.7 million).
inline constexpr qint64 DocumentPicturePixels = 100'000'000;

// One picture file: Qt's image readers refuse to allocate more than this for one image.
inline constexpr int PictureAllocationMegabytes = 400;

// A saved print file is read whole; a larger file is no saved print of ours.
inline constexpr qint64 SavedPrintBytes = qint64(512) << 20;

// One value of a record, as text: a field longer than this is no label's data (a million
// characters fill hundreds of labels).
inline constexpr qsizetype FieldValueCharacters = 1'000'000;

// A label's text once its fields are filled in.
inline constexpr qsizetype LabelTextCharacters = 64 * 1024;

} // namespace resourcelimits
