#pragma once

#include "Paginas.h"

#include <QMainWindow>
#include <QPrinter>

class QPrintPreviewWidget;

namespace visualizador {

// Shows the report as it will print, page by page, and prints it or saves it as PDF.
class JanelaVisualizador : public QMainWindow {
    Q_OBJECT
public:
    JanelaVisualizador(const QString &arquivo, QList<Pagina> paginas, int colunas, QWidget *parent = nullptr);

    // Sheets shown in the preview.
    int folhas() const;

public slots:
    void imprimir();
    void salvarPdf();

private:
    void criaAcoes();

    QString arquivo_;
    QList<Pagina> paginas_;
    int colunas_;
    QPrinter impressora_;
    QPrintPreviewWidget *previa_;
};

} // namespace visualizador
