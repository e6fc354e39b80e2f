#include "JanelaVisualizador.h"

#include "Impressao.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QStatusBar>
#include <QToolBar>

namespace visualizador {

JanelaVisualizador::JanelaVisualizador(const QString &arquivo, QList<Pagina> paginas, int colunas,
                                       QWidget *parent)
    : QMainWindow(parent), arquivo_(arquivo), paginas_(std::move(paginas)), colunas_(colunas),
      impressora_(QPrinter::HighResolution) {
    setWindowTitle(QStringLiteral("%1 - Visualizador").arg(QFileInfo(arquivo_).fileName()));
    impressora_.setPageLayout(layoutPadrao());
    impressora_.setDocName(QFileInfo(arquivo_).fileName());

    previa_ = new QPrintPreviewWidget(&impressora_, this);
    connect(previa_, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter *impressora) { imprime(paginas_, colunas_, *impressora); });
    previa_->setZoomMode(QPrintPreviewWidget::FitToWidth);
    setCentralWidget(previa_);
    criaAcoes();

    previa_->updatePreview();
    statusBar()->showMessage(tr("%n página(s)", nullptr, folhas()));
}

int JanelaVisualizador::folhas() const {
    return previa_->pageCount();
}

void JanelaVisualizador::criaAcoes() {
    QToolBar *barra = addToolBar(tr("Relatório"));
    barra->setMovable(false);
    barra->setToolButtonStyle(Qt::ToolButtonTextOnly);

    barra->addAction(tr("&Imprimir..."), QKeySequence::Print, this, &JanelaVisualizador::imprimir);
    barra->addAction(tr("&Salvar PDF..."), QKeySequence::Save, this, &JanelaVisualizador::salvarPdf);
    barra->addSeparator();
    barra->addAction(tr("Reduzir"), QKeySequence::ZoomOut, previa_, [this] { previa_->zoomOut(); });
    barra->addAction(tr("Ampliar"), QKeySequence::ZoomIn, previa_, [this] { previa_->zoomIn(); });
    barra->addAction(tr("Largura da página"), previa_, &QPrintPreviewWidget::fitToWidth);
    barra->addAction(tr("Página inteira"), previa_, &QPrintPreviewWidget::fitInView);
    barra->addSeparator();
    barra->addAction(tr("&Fechar"), QKeySequence(Qt::Key_Escape), this, &QWidget::close);
}

void JanelaVisualizador::imprimir() {
    QPrintDialog dialogo(&impressora_, this);
    dialogo.setWindowTitle(tr("Imprimir relatório"));
    if (dialogo.exec() != QDialog::Accepted)
        return;
    if (!imprime(paginas_, colunas_, impressora_))
        QMessageBox::warning(this, windowTitle(), tr("Não foi possível imprimir o relatório."));
}

void JanelaVisualizador::salvarPdf() {
    const QFileInfo origem(arquivo_);
    const QString sugestao =
        origem.absoluteDir().filePath(origem.completeBaseName() + QStringLiteral(".pdf"));
    const QString destino =
        QFileDialog::getSaveFileName(this, tr("Salvar como PDF"), sugestao, tr("Arquivos PDF (*.pdf)"));
    if (destino.isEmpty())
        return;
    if (!salvaPdf(paginas_, colunas_, destino, origem.fileName()))
        QMessageBox::warning(this, windowTitle(), tr("Não foi possível gravar \"%1\".").arg(destino));
}

} // namespace visualizador
