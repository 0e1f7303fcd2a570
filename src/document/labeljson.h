// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QString>

#include <optional>

class LabelDocument;

// The document as one JSON object for people and scripts: "layout", "paper", "database"
// (without the password, with "PasswordSet"), "elements" in creation order and "stacking",
// the elements' places (from 1) from back to front.
QJsonObject documentToJson(const LabelDocument& document);

// The document a JSON object of that form describes, into a document just made new; what the
// object leaves out keeps the new label's values. The first problem, in words, when the object
// cannot be a label (a value of the wrong type, an unknown kind). Values are checked as a
// label file's are when the document is written and read back.
std::optional<QString> documentFromJson(const QJsonObject& json, LabelDocument& document);
