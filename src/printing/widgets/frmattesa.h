// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/printengine.h"

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;
class QPushButton;

// "ATTENDERE": shown while labels are drawn, with the label being drawn, a bar and "Annulla".
// The window keeps answering meanwhile (it repaints, the bar moves), but takes no input: the
// label being printed cannot change under the job.
class frmAttesa : public QDialog, public PrintProgress {
    Q_OBJECT

public:
    explicit frmAttesa(QWidget* parent = nullptr);

    QLabel* lblInfo;
    QProgressBar* barAvanzamento;
    QPushButton* cmdAnnulla;

    void begin() override;
    void label(int i, int n) override;
    void end() override;
    bool cancelled() const override { return m_cancelled; }

protected:
    void reject() override; // Esc and the window's close button cancel, as "Annulla" does

private:
    bool m_cancelled = false;
    QElapsedTimer m_sinceEvents;
};

// Asks the job with the print request dialog.
void askJobWithDialog(PrintJob& job, bool bound, QWidget* parent = nullptr);
