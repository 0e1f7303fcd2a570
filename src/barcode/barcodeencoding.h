// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <QString>
#include <QStringView>

#include <vector>

// The two symbologies labels carry: EAN (EAN-13 and EAN-8) and Code 39.

namespace barcode {

enum class EanProblem { None, Length, NotNumeric };

struct EanEncoding {
    QString modules; // empty when there is a problem
    EanProblem problem = EanProblem::None;
};

// The EAN module string of a text: "1" a dark module, "0" a light one, three light modules
// on each side. 13 digits give 101 modules, 8 digits 73. The text must already hold its check
// digit: it is encoded as given, never computed or verified. A text that is no EAN (wrong
// length, not only digits) gives no modules and the problem.
EanEncoding encodeEan(const QString& codice);
// "Codice EAN invalido!.." or "Inserire caratteri di tipo numerico...".
QString eanProblemText(EanProblem problem);

// The Code 39 pattern of a character code: "1" a narrow gap and a narrow bar, "2" a narrow gap
// and a wide bar, a blank an extra light unit. Codes 1 and 2 are the start and stop character;
// codes without a pattern ("#", "@", lower case, above 90) give an empty pattern.
QStringView code39Pattern(int characterCode);

// Units the pattern takes: 2 per "1", 3 per "2", 1 per blank (13 for every character).
int patternUnits(QStringView pattern);

// The Code 39 units of a text, start, stop and the final light unit included; 0 for an empty
// text. Characters without a pattern take no room.
int code39Units(const QString& text);

// The longest Code 39 text printed. The symbology sets no limit, but every character takes
// 13 units: 100 characters are 25 cm of bars at the narrowest width scanners read, longer
// than any label, and a longer text (a whole file pasted into a field) would only cost time
// and memory. Longer texts are refused with codeTooLongText().
inline constexpr int Code39LongestText = 100;
bool code39TooLong(const QString& text);
QString codeTooLongText(int longest);

// A filled box of a laid-out symbol.
struct Box {
    QRectF rect;
    bool dark = true;
    bool operator==(const Box&) const = default;
};

// The dark modules of an EAN module string spread over the area, one module = width / count;
// adjacent dark modules form one box.
std::vector<Box> layoutEan(QStringView modules, const QRectF& area);

// The Code 39 symbol of a text filling the area: light units as white boxes, dark units as
// black ones, ending with one light unit. Nothing for an empty or too long text.
std::vector<Box> layoutCode39(const QString& text, const QRectF& area);

} // namespace barcode
