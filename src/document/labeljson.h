// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>

class LabelDocument;

// The document as one JSON object for people and scripts: "layout", "database" (without the
// password, with "PasswordSet") and "elements" in creation order.
QJsonObject documentToJson(const LabelDocument& document);
