// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/sheetcatalogue.h"

#include <QDialog>

#include <optional>

class QLineEdit;
class QListWidget;
class QPushButton;

// "Modello di foglio": the catalogue of sheets, searched by maker, product code or size as the
// user types; Ok gives the sheet chosen.
class frmModelloFoglio : public QDialog {
    Q_OBJECT

public:
    explicit frmModelloFoglio(std::vector<SheetTemplate> sheets, QWidget* parent = nullptr);

    QLineEdit* txtCerca;
    QListWidget* lstFogli;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

    std::optional<SheetTemplate> Scelto;

private:
    void showMatching();

    std::vector<SheetTemplate> m_sheets;
    std::vector<SheetTemplate> m_shown;
};
