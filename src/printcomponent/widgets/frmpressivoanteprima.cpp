// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/widgets/frmpressivoanteprima.h"

#include "common/messageservice.h"
#include "common/numbers.h"
#include "common/regionalsettings.h"
#include "common/widgets/fieldroutines.h"
#include "common/widgets/pictures.h"
#include "common/widgets/windowplacement.h"
#include "printcomponent/pagerenderer.h"
#include "printcomponent/printsurface.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>

#include <QPainter>
#include <QScrollArea>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <cmath>

PreviewView::PreviewView(PrintSurface& surface, QWidget* parent)
    : QWidget(parent)
    , m_surface(surface) {
    setObjectName(QStringLiteral("vspAnteprima"));
    setToolTip(QStringLiteral("Clic destro per ingrandire lo zoom, clic sinistro ridurlo"));
    setBackgroundRole(QPalette::Dark);
    setAutoFillBackground(true);
}

double PreviewView::pixelsPerTwip() const {
    return m_surface.Zoom() / 100.0 / m_surface.TwipsPerPixel();
}

QSize PreviewView::sizeHint() const {
    const QSizeF paper = m_surface.document().paper * pixelsPerTwip();
    const int pages = m_surface.showsTwoPages() ? 2 : 1;
    const int margin = PrintSurface::PreviewMargin;
    return QSize(int(paper.width()) * pages + margin * (pages + 1),
                 int(paper.height()) + 2 * margin);
}

void PreviewView::refresh() {
    resize(sizeHint());
    update();
}

void PreviewView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const double scale = pixelsPerTwip();
    const QSizeF paper = m_surface.document().paper * scale;
    const int pages = m_surface.showsTwoPages() ? 2 : 1;
    for (int i = 0; i < pages; ++i) {
        const int page = m_surface.PreviewPage() - 1 + i;
        if (page >= m_surface.PageCount() && i > 0)
            break;
        const double margin = PrintSurface::PreviewMargin;
        const QPointF origin(margin + i * (paper.width() + margin), margin);
        painter.fillRect(QRectF(origin + QPointF(3, 3), paper), Qt::black);
        painter.fillRect(QRectF(origin, paper), Qt::white);
        painter.save();
        painter.translate(origin);
        painter.scale(scale, scale);
        painter.setClipRect(QRectF(QPointF(), m_surface.document().paper));
        printoutput::renderPage(m_surface.document(), page, painter);
        painter.restore();
    }
}

void PreviewView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore(); // the scroll area scrolls
        return;
    }
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0)
        m_surface.setZoom(m_surface.Zoom() * std::pow(1.25, steps));
    event->accept();
}

void PreviewView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton)
        m_surface.setZoom(m_surface.Zoom() * 1.25);
    else if (event->button() == Qt::LeftButton)
        m_surface.setZoom(m_surface.Zoom() / 1.25);
}

frmPressivoAnteprima::frmPressivoAnteprima(QWidget* parent)
    : QDialog(parent)
    , m_surface(new PrintSurface(this)) {
    setObjectName(QStringLiteral("frmPressivoAnteprima"));
    setWindowTitle(QStringLiteral("Anteprima di stampa"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    QStyle* style = QApplication::style();

    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    struct Button {
        const char* key;
        const char* hint;
        QStyle::StandardPixmap icon;
    };
    const Button buttons[] = {
        {"stampa", "Stampa tutto", QStyle::SP_DialogSaveButton},
        {"stampapagina", "Stampa la pagina corrente", QStyle::SP_FileIcon},
        {"prima", "", QStyle::SP_MediaSkipBackward},
        {"precedente", "Pagina precedente", QStyle::SP_MediaSeekBackward},
        {"successiva", "Pagina successiva", QStyle::SP_MediaSeekForward},
        {"ultima", "Ultima pagina", QStyle::SP_MediaSkipForward},
        {"chiudi", "Chiudi", QStyle::SP_DialogCloseButton},
    };
    for (const Button& b : buttons) {
        // Printing shows a printer, whatever the desktop's icon theme.
        const QString key = QLatin1String(b.key);
        const QIcon picture = key == u"stampa"         ? pictures::printer()
                              : key == u"stampapagina" ? pictures::file()
                                                       : style->standardIcon(b.icon);
        QAction* action = Toolbar1->addAction(picture, QString());
        action->setObjectName(QLatin1String(b.key));
        action->setToolTip(QString::fromUtf8(b.hint));
        connect(action, &QAction::triggered, this, [this, key] { runCommand(key); });
    }

    txtPagina = new QLineEdit(this);
    txtPagina->setObjectName(QStringLiteral("txtPagina"));
    txtPagina->setToolTip(QStringLiteral("Imposta la pagina corrente"));
    txtPagina->setMaximumWidth(60);
    FieldRoutines::install(txtPagina, FieldRoutines::Highlight | FieldRoutines::WholeNumbers);
    txtPagina->installEventFilter(this);
    txtNumeroPagine = new QLineEdit(this);
    txtNumeroPagine->setObjectName(QStringLiteral("txtNumeroPagine"));
    txtNumeroPagine->setToolTip(QStringLiteral("Numero di pagine del documento visualizzato"));
    txtNumeroPagine->setReadOnly(true);
    txtNumeroPagine->setMaximumWidth(60);
    cmbZoom = new QComboBox(this);
    cmbZoom->setObjectName(QStringLiteral("cmbZoom"));
    cmbZoom->setEditable(true);
    cmbZoom->setInsertPolicy(QComboBox::NoInsert);
    cmbZoom->setToolTip(QStringLiteral("Imposta lo zoom"));
    cmbZoom->installEventFilter(this);
    connect(cmbZoom, &QComboBox::activated, this, [this] { AggiornaZoom(); });

    auto* strip = new QHBoxLayout;
    strip->addWidget(Toolbar1);
    strip->addWidget(new QLabel(QStringLiteral("Pagina"), this));
    strip->addWidget(txtPagina);
    strip->addWidget(new QLabel(QStringLiteral("di"), this));
    strip->addWidget(txtNumeroPagine);
    strip->addWidget(new QLabel(QStringLiteral("Zoom"), this));
    strip->addWidget(cmbZoom);
    strip->addStretch();

    view = new PreviewView(*m_surface);
    view->setFocusPolicy(Qt::StrongFocus); // + and - reach the window from the page
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(view);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    // The fitting zooms follow the visible area, known only once the window is laid out.
    m_scroll->viewport()->installEventFilter(this);
    auto* main = new QVBoxLayout(this);
    main->addLayout(strip);
    main->addWidget(m_scroll, 1);

    connect(m_surface, &PrintSurface::zoomChanged, this, [this] {
        if (!m_applyingZoom)
            showZoom();
        view->refresh();
    });
    connect(m_surface, &PrintSurface::previewPageChanged, view, &PreviewView::refresh);
    connect(m_surface, &PrintSurface::documentChanged, view, &PreviewView::refresh);

    InitControlli();
    resize(900, 700);
    CentraForm(this);
}

frmPressivoAnteprima::~frmPressivoAnteprima() = default;

void frmPressivoAnteprima::InitControlli() {
    cmbZoom->addItems({QStringLiteral("500"), QStringLiteral("200"), QStringLiteral("150"),
                       QStringLiteral("100"), QStringLiteral("75"), QStringLiteral("50"),
                       QStringLiteral("25"), QStringLiteral("10"), QStringLiteral("Larghezza"),
                       QStringLiteral("Pagina intera"), QStringLiteral("Due pagine")});
}

QString frmPressivoAnteprima::FormatZoom(double zoomValue) {
    QLocale locale = RegionalSettings::locale();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(zoomValue, 'f', 2);
}

void frmPressivoAnteprima::showZoom() {
    cmbZoom->setEditText(FormatZoom(m_surface->Zoom()));
}

void frmPressivoAnteprima::AggiornaControlli() {
    txtPagina->setText(QString::number(m_surface->PreviewPage()));
    txtNumeroPagine->setText(QString::number(m_surface->PageCount()));
    showZoom();
    view->refresh();
}

namespace {
bool isNumberText(const QString& text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c.isDigit() || c == u'.' || c == u','; });
}
} // namespace

void frmPressivoAnteprima::AggiornaZoom(const QVariant& zoom) {
    const QString text = zoom.isValid() ? zoom.toString() : cmbZoom->currentText();
    m_applyingZoom = true;
    if (isNumberText(text)) {
        const double value = ValoreNumerico(cmbZoom->currentText());
        if (value != 0) {
            m_surface->setZoom(value);
        } else {
            m_surface->setZoomMode(pressivo::WholePage);
            showZoom();
        }
    } else if (text == u"Larghezza") {
        m_surface->setZoomMode(pressivo::PageWidth);
        showZoom();
    } else if (text == u"Pagina intera") {
        m_surface->setZoomMode(pressivo::WholePage);
        showZoom();
    } else if (text == u"Due pagine") {
        m_surface->setZoomMode(pressivo::TwoPages);
        cmbZoom->setEditText(QStringLiteral("Due pagine"));
    } else {
        MessageService::current().warn(QStringLiteral("Valore non consentito."), windowTitle());
        m_surface->setZoomMode(pressivo::WholePage);
        showZoom();
    }
    m_applyingZoom = false;
    view->refresh();
}

void frmPressivoAnteprima::runCommand(const QString& key) {
    PrintSurface& s = *m_surface;
    if (key == u"stampa") {
        s.setAction(pressivo::PrintAllPages);
    } else if (key == u"stampapagina") {
        s.setAction(pressivo::PrintShownPage);
    } else if (key == u"prima") {
        s.setPreviewPage(1);
        AggiornaControlli();
    } else if (key == u"precedente") {
        if (s.PreviewPage() - 1 >= 1) {
            s.setPreviewPage(s.PreviewPage() - 1);
            AggiornaControlli();
        }
    } else if (key == u"successiva") {
        if (s.PreviewPage() + 1 <= s.PageCount()) {
            s.setPreviewPage(s.PreviewPage() + 1);
            AggiornaControlli();
        }
    } else if (key == u"ultima") {
        s.setPreviewPage(s.PageCount());
        AggiornaControlli();
    } else if (key == u"chiudi") {
        hide();
        if (isModal())
            done(0);
    }
}

void frmPressivoAnteprima::setDrawing(bool drawing) {
    for (const char* key : {"stampa", "stampapagina"}) {
        if (auto* action = Toolbar1->findChild<QAction*>(QLatin1String(key)))
            action->setEnabled(!drawing);
    }
    if (!drawing)
        setWindowTitle(QStringLiteral("Anteprima di stampa"));
}

void frmPressivoAnteprima::showDrawing(int label, int labels) {
    setWindowTitle(QStringLiteral("Anteprima di stampa (in preparazione: etichetta %1 di %2)")
                       .arg(label)
                       .arg(labels));
    txtNumeroPagine->setText(QString::number(m_surface->PageCount()));
    view->refresh();
}

void frmPressivoAnteprima::pageLeft() {
    const double page = ValoreNumerico(txtPagina->text());
    if (page > m_surface->PageCount()) {
        MessageService::current().warn(QStringLiteral("Valore non consentito."), windowTitle());
        txtPagina->setText(QString::number(m_surface->PageCount()));
    } else if (page < 1) {
        MessageService::current().warn(QStringLiteral("Valore non consentito."), windowTitle());
        txtPagina->setText(QStringLiteral("1"));
    }
    m_surface->setPreviewPage(int(ValoreNumerico(txtPagina->text())));
}

void frmPressivoAnteprima::followViewport() {
    m_surface->setViewportSize(m_scroll->maximumViewportSize(),
                               style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

void frmPressivoAnteprima::keyPressEvent(QKeyEvent* event) {
    const bool zoomIn = event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal;
    const bool zoomOut = event->key() == Qt::Key_Minus;
    if ((zoomIn || zoomOut) && !txtPagina->hasFocus() && !cmbZoom->hasFocus()) {
        m_surface->setZoom(m_surface->Zoom() * (zoomIn ? 1.25 : 1 / 1.25));
        return;
    }
    QDialog::keyPressEvent(event);
}

bool frmPressivoAnteprima::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize) {
        followViewport();
        return false;
    }
    if (event->type() == QEvent::FocusOut) {
        if (watched == txtPagina) {
            pageLeft();
        } else if (watched == cmbZoom) {
            const QString text = cmbZoom->currentText();
            if (isNumberText(text))
                cmbZoom->setEditText(FormatZoom(ValoreNumerico(text)));
            AggiornaZoom();
        }
    }
    return false;
}

void frmPressivoAnteprima::closeEvent(QCloseEvent* event) {
    // The window stays loaded for the rest of the run; closing only hides it.
    event->ignore();
    runCommand(QStringLiteral("chiudi"));
}

void frmPressivoAnteprima::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    view->setFocus();
}

void frmPressivoAnteprima::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    followViewport();
}
