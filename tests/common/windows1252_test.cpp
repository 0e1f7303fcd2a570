// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/windows1252.h"

#include <gtest/gtest.h>

namespace {

TEST(Windows1252, EveryByteRoundTrips) {
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    EXPECT_EQ(windows1252::encode(windows1252::decode(all)), all);
}

TEST(Windows1252, ItalianLettersAndEuroUseTheirCodePageBytes) {
    const QString text = QString::fromUtf8("àèéìòù€œ");
    const QByteArray bytes("\xE0\xE8\xE9\xEC\xF2\xF9\x80\x9C");
    EXPECT_EQ(windows1252::encode(text), bytes);
    EXPECT_EQ(windows1252::decode(bytes), text);
}

TEST(Windows1252, CharactersOutsideTheCodePageAreFound) {
    EXPECT_FALSE(windows1252::encode(QString::fromUtf8("Łódź")));
    EXPECT_EQ(windows1252::firstUnencodable(QString::fromUtf8("ab漢c")), QChar(u'漢'));
    EXPECT_FALSE(windows1252::firstUnencodable(QString::fromUtf8("Perché €")));
    // A character beyond the basic plane (an emoji) is refused too.
    EXPECT_TRUE(windows1252::firstUnencodable(QString::fromUtf8("ok \xF0\x9F\x98\x80")));
}

} // namespace
