#pragma once

#include <QMainWindow>

class LabelDocument;
class QLabel;
class QPlainTextEdit;

// The main window. For now it shows what the open label holds; the design surface takes
// its centre later.
class frmMarvello : public QMainWindow {
    Q_OBJECT

public:
    explicit frmMarvello(LabelDocument& document, QWidget* parent = nullptr);

    void refresh();

private:
    LabelDocument& m_document;
    QPlainTextEdit* m_summary;
    QLabel* m_connection;
};
