// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/printengine.h"

#include <QDialog>

class QLabel;

// "ATTENDERE": shown while labels are drawn, with the label being drawn.
class frmAttesa : public QDialog, public PrintProgress {
    Q_OBJECT

public:
    explicit frmAttesa(QWidget* parent = nullptr);

    QLabel* lblInfo;

    void begin() override;
    void label(int i, int n) override;
    void end() override;
};

// Asks the job with the print request dialog.
void askJobWithDialog(PrintJob& job, bool bound, QWidget* parent = nullptr);
