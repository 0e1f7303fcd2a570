// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QVariant>

class PrintSurface;
class QComboBox;
class QLineEdit;
class QScrollArea;
class QToolBar;

// Shows the pages of a print surface at its zoom: right click enlarges, left click reduces.
class PreviewView : public QWidget {
    Q_OBJECT

public:
    explicit PreviewView(PrintSurface& surface, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override; // Ctrl+wheel zooms

private:
    double pixelsPerTwip() const;
    PrintSurface& m_surface;
};

// "Anteprima di stampa": the one preview window, owner of the print surface every document
// is built on. Closing it only hides it.
class frmPressivoAnteprima : public QDialog {
    Q_OBJECT

public:
    explicit frmPressivoAnteprima(QWidget* parent = nullptr);
    ~frmPressivoAnteprima() override;

    PrintSurface& vspAnteprima() const { return *m_surface; }

    void AggiornaControlli();
    void AggiornaZoom(const QVariant& zoom = {});
    static QString FormatZoom(double zoomValue);
    void InitControlli();

    QToolBar* Toolbar1;
    QLineEdit* txtPagina;
    QLineEdit* txtNumeroPagine;
    QComboBox* cmbZoom;
    PreviewView* view;

    // The toolbar command of a key ("stampa", "prima", ..., "chiudi").
    void runCommand(const QString& key);

    // While the job is still drawn, its pages can be looked at but not printed; the title says
    // how far the job has come.
    void setDrawing(bool drawing);
    void showDrawing(int label, int labels);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override; // + and - zoom
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void showZoom();
    void pageLeft();
    void followViewport();

    PrintSurface* m_surface;
    QScrollArea* m_scroll;
    bool m_applyingZoom = false;
};
