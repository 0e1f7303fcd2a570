#include "mainwindow.h"

#include "app/labelsummary.h"
#include "common/cursor.h"
#include "common/version.h"
#include "common/windowplacement.h"
#include "document/labeldocument.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>

frmMarvello::frmMarvello(LabelDocument& document, QWidget* parent)
    : QMainWindow(parent)
    , m_document(document)
    , m_summary(new QPlainTextEdit(this))
    , m_connection(new QLabel(QStringLiteral("Non connesso"), this)) {
    CursoreNormale();
    CursoreAttesa();
    setObjectName(QStringLiteral("frmMarvello"));
    setWindowTitle(version::mainWindowCaption());
    resize(800, 600);
    m_summary->setReadOnly(true);
    setCentralWidget(m_summary);
    statusBar()->addWidget(m_connection, 1);
    CentraForm(this);
    m_document.ImpostaLayoutDefault();
    m_document.setModificato(false);

    connect(&m_document, &LabelDocument::disconnectRequested, this,
            [this] { m_connection->setText(QStringLiteral("Non connesso")); });
    connect(&m_document, &LabelDocument::refreshRequested, this, &frmMarvello::refresh);
    connect(&m_document, &LabelDocument::elementsChanged, this, &frmMarvello::refresh);
    connect(&m_document, &LabelDocument::layoutChanged, this, &frmMarvello::refresh);
    refresh();
}

void frmMarvello::refresh() {
    m_summary->setPlainText(labelSummary(m_document));
}
